#include "tests/soak/trace_checker.h"

#include <cmath>

#include "game/enemy_kinds.h"
#include "game/sound_effects.h"
#include "game/world.h"

namespace {
// The arena the player is clamped to (both editions).
constexpr double PLAYER_X_LIMIT = 21.0;
constexpr double PLAYER_Y_LIMIT = 15.5;
constexpr int64_t LIVES_AT_START = 2;
constexpr int64_t RESPAWN_PROTECTION = 300;
constexpr int64_t FIRE_COOLDOWN_MAX = 20;  // NewGame's value; firing sets 7
constexpr int NOTES = 120;
constexpr int VOICES = 6;
// index, type, texture, life, counter, parent, flash, pos, vel, dir, scale, colour;
// the earlier edition's entities have no counter, parent or flash.
constexpr int ENTITY_FIELDS = 20;
constexpr int CLASSIC_ENTITY_FIELDS = 17;

// The earlier edition's two kinds (Enemy 0, Dropping 100) are kinds of this one's too.
bool KnownType(int64_t type) { return type == static_cast<int32_t>(type) && FindEnemyKind(int32_t(type)); }
}  // namespace

bool TraceChecker::Fail(const std::string& what) {
    error_ = "step " + std::to_string(step_) + ": " + what;
    return false;
}

bool TraceChecker::NoNull(uint32_t node, const char* where) {
    const JsonNode& n = json_.Node(node);
    if (n.type == JsonType::Null) return Fail(std::string("a non-finite number in ") + where);
    if (n.type == JsonType::Array || n.type == JsonType::Object) {
        for (uint32_t i = 0; i < n.count; ++i) {
            uint32_t child = json_.Child(node, i);
            const JsonNode& c = json_.Node(child);
            if (!NoNull(child, c.key.empty() ? where : std::string(c.key).c_str())) return false;
        }
    }
    return true;
}

bool TraceChecker::Range(const char* name, int64_t low, int64_t high, int64_t* value, bool optional) {
    uint32_t node = json_.Member(json_.Root(), name);
    if (node == JSON_NONE) return optional ? true : Fail(std::string("\"") + name + "\" is missing");
    if (!json_.IsNumber(node)) return Fail(std::string("\"") + name + "\" is not a number");
    int64_t v = json_.Integer(node);
    if (v < low || v > high) {
        return Fail(std::string("\"") + name + "\" is " + std::to_string(v) + ", outside " +
                    std::to_string(low) + ".." + std::to_string(high));
    }
    if (value) *value = v;
    return true;
}

bool TraceChecker::Line(std::string_view text) {
    if (!json_.Parse(text)) return Fail("not a JSON line: " + json_.Error());
    if (json_.Node(json_.Root()).type != JsonType::Object) return Fail("the line is not an object");
    if (!Range("step", 1, INT64_MAX, &step_)) return false;
    uint32_t running = json_.Member(json_.Root(), "running");
    if (running == JSON_NONE || json_.Node(running).type != JsonType::Bool || !json_.Node(running).boolean) {
        return Fail("the world stopped running (no Escape is ever held in a soak)");
    }
    if (!NoNull(json_.Root(), "the line")) return false;
    if (!CheckPlayer() || !CheckShots() || !CheckEntities() || !CheckShockwaves() ||
        !CheckSparksAndSounds() || !CheckDetail() || !CheckProgress()) {
        return false;
    }
    stats_.lines += 1;
    return true;
}

bool TraceChecker::CheckPlayer() {
    uint32_t pos = json_.Member(json_.Root(), "playerPos");
    if (pos == JSON_NONE || json_.Node(pos).count != 3) return Fail("\"playerPos\" is not [x, y, z]");
    double x = json_.Number(json_.Child(pos, 0));
    double y = json_.Number(json_.Child(pos, 1));
    if (std::fabs(x) > PLAYER_X_LIMIT || std::fabs(y) > PLAYER_Y_LIMIT) {
        return Fail("the player left the arena at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
    }
    for (const char* name : {"playerVel", "playerHeading"}) {
        uint32_t v = json_.Member(json_.Root(), name);
        if (v == JSON_NONE || json_.Node(v).count != 3)
            return Fail(std::string("\"") + name + "\" is not [x, y, z]");
    }
    return Range("controlMode", 0, 2, nullptr, true) && Range("lives", -1, LIVES_AT_START, &lives_) &&
           Range("respawnTimer", 0, RESPAWN_PROTECTION, nullptr) && Range("score", 0, INT32_MAX, &score_) &&
           Range("level", 1, INT32_MAX, &level_) && Range("frameCounter", 0, INT32_MAX, nullptr) &&
           Range("fireCooldown", 0, FIRE_COOLDOWN_MAX, nullptr, true) &&
           Range("gridForceCount", 0, GRID_FORCE_CAPACITY, nullptr, true);
}

bool TraceChecker::CheckShots() {
    uint32_t list = json_.Member(json_.Root(), "shots");
    if (list == JSON_NONE) return Fail("\"shots\" is missing");
    const JsonNode& shots = json_.Node(list);
    if (shots.count > SHOT_CAPACITY) return Fail(std::to_string(shots.count) + " shots in a table of 100");
    int64_t last = -1;
    for (uint32_t i = 0; i < shots.count; ++i) {
        uint32_t shot = json_.Child(list, i);
        if (json_.Node(shot).count != 7) return Fail("a shot is not [index, pos, vel]");
        int64_t index = json_.Integer(json_.Child(shot, 0));
        if (index <= last || index >= SHOT_CAPACITY)
            return Fail("shot index " + std::to_string(index) + " out of order or range");
        last = index;
    }
    if (shots.count > stats_.maxShots) stats_.maxShots = shots.count;
    return true;
}

bool TraceChecker::CheckEntities() {
    uint32_t list = json_.Member(json_.Root(), "entities");
    if (list == JSON_NONE) return Fail("\"entities\" is missing");
    const JsonNode& entities = json_.Node(list);
    if (entities.count > ENTITY_CAPACITY)
        return Fail(std::to_string(entities.count) + " entities in a table of 100");
    int64_t last = -1;
    for (uint32_t i = 0; i < entities.count; ++i) {
        uint32_t e = json_.Child(list, i);
        uint32_t fields = json_.Node(e).count;
        if (fields != ENTITY_FIELDS && fields != CLASSIC_ENTITY_FIELDS) {
            return Fail("an entity has " + std::to_string(fields) + " fields");
        }
        int64_t index = json_.Integer(json_.Child(e, 0));
        int64_t type = json_.Integer(json_.Child(e, 1));
        int64_t texture = json_.Integer(json_.Child(e, 2));
        int64_t life = json_.Integer(json_.Child(e, 3));
        int64_t parent = fields == ENTITY_FIELDS ? json_.Integer(json_.Child(e, 5)) : 0;
        std::string which = "entity " + std::to_string(index);
        if (index <= last || index >= ENTITY_CAPACITY) return Fail(which + ": index out of order or range");
        last = index;
        if (!KnownType(type)) return Fail(which + ": unknown type " + std::to_string(type));
        if (texture < 0 || texture >= SPRITE_SLOT_COUNT)
            return Fail(which + ": texture slot " + std::to_string(texture));
        // Listed while life is not 0 but drawn and updated only while it is above 0:
        // a negative life would be a slot that is neither free nor alive.
        if (life <= 0) return Fail(which + ": listed with life " + std::to_string(life));
        if (type == Orbiter && (parent < 0 || parent >= ENTITY_CAPACITY)) {
            return Fail(which + ": orbits entity " + std::to_string(parent) + ", outside the table");
        }
    }
    if (entities.count > stats_.maxEntities) stats_.maxEntities = entities.count;
    return true;
}

bool TraceChecker::CheckShockwaves() {
    uint32_t list = json_.Member(json_.Root(), "shockwaves");
    if (list == JSON_NONE) return true;
    const JsonNode& waves = json_.Node(list);
    if (waves.count > SHOCKWAVE_CAPACITY)
        return Fail(std::to_string(waves.count) + " shockwaves in a table of 100");
    int64_t last = -1;
    for (uint32_t i = 0; i < waves.count; ++i) {
        uint32_t w = json_.Child(list, i);
        if (json_.Node(w).count < 2) return Fail("a shockwave is not [index, age, ...]");
        int64_t index = json_.Integer(json_.Child(w, 0));
        int64_t age = json_.Integer(json_.Child(w, 1));
        if (index <= last || index >= SHOCKWAVE_CAPACITY)
            return Fail("shockwave index out of order or range");
        last = index;
        if (age <= 0)
            return Fail("shockwave " + std::to_string(index) + " listed with age " + std::to_string(age));
    }
    if (waves.count > stats_.maxShockwaves) stats_.maxShockwaves = waves.count;
    return true;
}

bool TraceChecker::CheckSparksAndSounds() {
    uint32_t sparks = json_.Member(json_.Root(), "sparks");
    if (sparks != JSON_NONE) {
        if (json_.Node(sparks).count < 1) return Fail("\"sparks\" is not [count, hash]");
        int64_t live = json_.Integer(json_.Child(sparks, 0));
        if (live < 0 || live > sparkCapacity_) {
            return Fail(std::to_string(live) + " sparks in a table of " + std::to_string(sparkCapacity_));
        }
        if (live > stats_.maxSparks) stats_.maxSparks = live;
    }
    uint32_t sounds = json_.Member(json_.Root(), "sounds");
    if (sounds == JSON_NONE) return Fail("\"sounds\" is missing");
    for (uint32_t i = 0; i < json_.Node(sounds).count; ++i) {
        uint32_t s = json_.Child(sounds, i);
        if (json_.Node(s).count != 3) return Fail("a sound is not [slot, note, voice]");
        int64_t slot = json_.Integer(json_.Child(s, 0));
        int64_t note = json_.Integer(json_.Child(s, 1));
        int64_t voice = json_.Integer(json_.Child(s, 2));
        if (slot < 0 || slot >= SOUND_EFFECT_COUNT || note < 0 || note >= NOTES || voice < 0 ||
            voice >= VOICES) {
            return Fail("sound [" + std::to_string(slot) + ", " + std::to_string(note) + ", " +
                        std::to_string(voice) + "] outside the effects, notes or voices");
        }
        if (slot == SOUND_SHOT) stats_.shotSounds += 1;
        if (slot == SOUND_EXPLODE) stats_.explodeSounds += 1;
    }
    return true;
}

// The detail lists of --grid and --sparks, when the line has them.
bool TraceChecker::CheckDetail() {
    uint32_t gridPos = json_.Member(json_.Root(), "gridPos");
    uint32_t gridVel = json_.Member(json_.Root(), "gridVel");
    if (gridPos != JSON_NONE || gridVel != JSON_NONE) {
        if (gridPos == JSON_NONE || gridVel == JSON_NONE) return Fail("only one of gridPos and gridVel");
        uint32_t nodes = json_.Node(gridPos).count;
        if (nodes == 0 || nodes > GRID_NODE_CAPACITY || json_.Node(gridVel).count != nodes) {
            return Fail("grid of " + std::to_string(nodes) + " positions and " +
                        std::to_string(json_.Node(gridVel).count) + " velocities");
        }
        stats_.gridSamples += 1;
    }
    uint32_t list = json_.Member(json_.Root(), "sparkList");
    if (list != JSON_NONE) {
        uint32_t count = json_.Node(list).count;
        uint32_t summary = json_.Member(json_.Root(), "sparks");
        if (summary != JSON_NONE && json_.Integer(json_.Child(summary, 0)) != count) {
            return Fail("sparkList holds " + std::to_string(count) + " sparks, the summary another count");
        }
        int64_t last = -1;
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t s = json_.Child(list, i);
            int64_t index = json_.Integer(json_.Child(s, 0));
            int64_t life = json_.Integer(json_.Child(s, 1));
            if (index <= last || index >= sparkCapacity_ || life <= 0)
                return Fail("spark list entry out of order, range or life");
            last = index;
        }
    }
    return true;
}

bool TraceChecker::CheckProgress() {
    if (havePrevious_) {
        if (step_ <= previousStep_ || step_ - previousStep_ > static_cast<int64_t>(every_)) {
            return Fail("follows step " + std::to_string(previousStep_));
        }
        if (every_ == 1) {
            // NewGame is the only way back: from game over (lives -1) to a fresh game.
            bool restarted = previousLives_ < 0 && lives_ >= 0;
            if (restarted) stats_.restarts += 1;
            if (lives_ < previousLives_) stats_.deaths += static_cast<uint64_t>(previousLives_ - lives_);
            if (!restarted && score_ < previousScore_) {
                return Fail("score fell from " + std::to_string(previousScore_) + " to " +
                            std::to_string(score_) + " without a restart");
            }
            if (!restarted && lives_ > previousLives_) return Fail("a life was gained without a restart");
            if (!restarted && level_ < previousLevel_) return Fail("the level fell without a restart");
        }
    }
    havePrevious_ = true;
    previousStep_ = step_;
    previousScore_ = score_;
    previousLives_ = lives_;
    previousLevel_ = level_;
    if (score_ > stats_.maxScore) stats_.maxScore = score_;
    if (level_ > stats_.maxLevel) stats_.maxLevel = level_;
    return true;
}
