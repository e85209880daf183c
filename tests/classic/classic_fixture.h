#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <vector>

#include "classic/edition.h"
#include "classic/update.h"
#include "classic/world.h"
#include "game/controls.h"
#include "game/sound_effects.h"

// Controls whose held slots the test sets directly; Poll changes nothing.
class HeldControls : public Controls {
public:
    void Poll() override {}
    bool KeyDown(int slot) const override { return held.count(slot) != 0; }
    void Hold(std::initializer_list<int> slots) { held = slots; }
    void Release() { held.clear(); }

private:
    std::set<int> held;
};

struct SoundCall {
    int slot, note, voice;
    bool operator==(const SoundCall& o) const { return slot == o.slot && note == o.note && voice == o.voice; }
};

// A fresh earlier-edition world (seed 1) for each test, with every sound-effect
// trigger recorded instead of played.
class ClassicWorld : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpWorld(classic::edition, 1);
        sounds().clear();
        SetSoundObserver(Record);
    }
    void TearDown() override { SetSoundObserver(nullptr); }

    // Runs `count` steps with the controls as they are.
    void Step(int count = 1) {
        for (int i = 0; i < count; ++i) ASSERT_TRUE(classic::UpdateWorld(controls));
    }

    // Keeps waves away for the rest of the test, so nothing enters uninvited.
    static void NoWaves() { classic::waveTimer = 1000000; }

    // An entity of `type` standing still at pos, looks as its behaviour sets them.
    static int PlaceEntity(int32_t type, const Vector3& pos, int32_t life) {
        for (int i = 0; i < classic::ENTITY_CAPACITY; ++i) {
            classic::Entity& e = classic::entities[i];
            if (e.life != 0) continue;
            e = {};
            e.type = type;
            e.life = life;
            e.pos = pos;
            e.scale = 1.0f;
            return i;
        }
        return -1;
    }

    static int LiveSparks() {
        int live = 0;
        for (const Spark& s : classic::sparks) live += s.life > 0;
        return live;
    }
    static int ActiveShots() {
        int active = 0;
        for (const Shot& s : classic::shots) active += s.active != 0;
        return active;
    }
    static int CountSounds(const SoundCall& call) {
        int n = 0;
        for (const SoundCall& s : sounds()) n += s == call;
        return n;
    }

    static std::vector<SoundCall>& sounds() {
        static std::vector<SoundCall> recorded;
        return recorded;
    }
    HeldControls controls;

private:
    static void Record(int slot, int note, int voice) { sounds().push_back({slot, note, voice}); }
};

constexpr SoundCall SHOT_SOUND{0, 37, 1};
constexpr SoundCall KILL_SOUND{1, 30, 0};
constexpr SoundCall LEVELUP_SOUND{4, 42, 2};
constexpr SoundCall DIE_SOUND{3, 42, 2};
constexpr SoundCall PICKUP_SOUND{2, 56, 2};
