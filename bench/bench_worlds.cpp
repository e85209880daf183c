#include "bench/bench_worlds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "current/edition.h"
#include "current/enemies.h"
#include "current/explosions.h"
#include "current/update.h"
#include "current/world.h"
#include "game/input_script.h"
#include "game/random.h"

std::shared_ptr<WorldSnapshot> TakeWorldSnapshot() {
    return std::make_shared<WorldSnapshot>(SaveWorld(currentEdition.worldFields));
}

void PutWorldSnapshot(const WorldSnapshot& snapshot) { RestoreWorld(currentEdition.worldFields, snapshot); }

namespace {

int LiveEntities() {
    return static_cast<int>(
        std::count_if(entities, entities + ENTITY_CAPACITY, [](const Entity& e) { return e.life > 0; }));
}

std::shared_ptr<WorldSnapshot> BuildWorstCase() {
    SetUpWorld(currentEdition, 31337);
    // Waves arrive every 50 steps while nobody shoots; the table fills up.
    IdleControls idle;
    for (int step = 0; step < 3000 && LiveEntities() < ENTITY_CAPACITY; ++step) UpdateWorld(idle);
    RandomGenerator layout{12345};
    auto uniform = [&layout](double low, double high) {
        return low + (high - low) * layout.Next() / GAME_RAND_MAX;
    };
    for (int i = 0; i < ENTITY_CAPACITY && LiveEntities() < ENTITY_CAPACITY; ++i) {
        SpawnEntity({uniform(-20, 20), uniform(-15, 15), 0}, i % 2 == 0 ? Wanderer : Gunner);
    }
    for (Entity& e : entities) e.flash = 2;  // every entity draws its third sprite too
    // Rings of many sizes, strong and fading.
    for (int i = 0; i < 50; ++i) {
        Shockwave& wave = shockwaves[i];
        wave.startAge = i % 3 == 0 ? 1 : i % 3 == 1 ? 50 : 80;
        wave.age = wave.startAge + 1 + (i * 7) % (99 - wave.startAge);
        wave.pos = {uniform(-20, 20), uniform(-15, 15), 0};
    }
    // Shots in flight everywhere, in every direction, none about to leave.
    for (int i = 0; i < SHOT_CAPACITY; ++i) {
        double angle = i * 0.7;
        shots[i].active = 1;
        shots[i].pos = {uniform(-20, 20), uniform(-15, 15), 0};
        shots[i].vel = {0.5 * std::cos(angle), 0.5 * std::sin(angle), 0};
    }
    for (int i = 0; i < SPARK_CAPACITY; ++i) {
        Vector3 pos = {uniform(-21, 21), uniform(-15, 15), 0};
        AddSpark(sparks, SPARK_CAPACITY, pos, {uniform(-0.3, 0.3), uniform(-0.3, 0.3), 0}, 60 + i % 40,
                 {1.0, 0.7f, 0.2f});
    }
    // A few steps so the grid ripples under all of it, then the tables are topped up
    // again (shots leave, sparks and rings die, entities get shot).
    for (int step = 0; step < 20; ++step) UpdateWorld(idle);
    for (int i = 0; i < SHOT_CAPACITY; ++i) {
        if (shots[i].active) continue;
        shots[i].active = 1;
        shots[i].pos = {uniform(-20, 20), uniform(-15, 15), 0};
        shots[i].vel = {0.5 * std::cos(i * 0.7), 0.5 * std::sin(i * 0.7), 0};
    }
    for (int i = 0; i < ENTITY_CAPACITY && LiveEntities() < ENTITY_CAPACITY; ++i) {
        SpawnEntity({uniform(-20, 20), uniform(-15, 15), 0}, Wanderer);
    }
    for (Entity& e : entities) e.flash = 2;
    for (int i = 0; i < SPARK_CAPACITY; ++i) {
        if (sparks[i].life <= 0)
            AddSpark(sparks, SPARK_CAPACITY, {uniform(-21, 21), uniform(-15, 15), 0}, {0.1, -0.1, 0}, 80,
                     {1.0, 0.7f, 0.2f});
    }
    return TakeWorldSnapshot();
}

InputScript LoadTypicalScript() {
    InputScript script;
    std::string error;
    if (!LoadInputScript(VORTANE_SOURCE_DIR "/bench/typical_game.txt", script, error)) {
        std::fprintf(stderr, "vortane-bench: %s\n", error.c_str());
        std::exit(1);
    }
    return script;
}

}  // namespace

const WorldSnapshot& WorstCaseWorld() {
    static std::shared_ptr<WorldSnapshot> world = BuildWorstCase();
    return *world;
}

const WorldSnapshot& WorstCaseShotsOnlyWorld() {
    static std::shared_ptr<WorldSnapshot> world = [] {
        PutWorldSnapshot(WorstCaseWorld());
        for (Shockwave& wave : shockwaves) wave = Shockwave{};
        return TakeWorldSnapshot();
    }();
    return *world;
}

long TypicalScriptSteps() {
    static long steps = [] {
        long total = 0;
        for (const InputScriptLine& line : LoadTypicalScript().lines) total += line.count;
        return total;
    }();
    return steps;
}

std::unique_ptr<Controls> TypicalControls() {
    return std::make_unique<ScriptedControls>(LoadTypicalScript());
}

const WorldSnapshot& TypicalWorldAfter(long steps) {
    static std::map<long, std::shared_ptr<WorldSnapshot>> worlds;
    auto found = worlds.find(steps);
    if (found != worlds.end()) return *found->second;
    SetUpWorld(currentEdition, TYPICAL_SEED);
    std::unique_ptr<Controls> controls = TypicalControls();
    for (long step = 0; step < steps; ++step) UpdateWorld(*controls);
    return *(worlds[steps] = TakeWorldSnapshot());
}
