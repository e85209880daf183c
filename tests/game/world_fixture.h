#pragma once
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "current/edition.h"
#include "current/world.h"
#include "game/controls.h"
#include "game/sound_effects.h"

// Controls held by the test: whatever is in `held` is down at every poll.
class FakeControls : public Controls {
public:
    std::set<int> held;
    int polls = 0;
    void Poll() override { polls += 1; }
    bool KeyDown(int slot) const override { return held.count(slot) > 0; }
};

using SoundCall = std::array<int, 3>;  // slot, note, voice

// A fresh world as start-up leaves it, with every sound trigger recorded.
class WorldTest : public ::testing::Test {
protected:
    static std::vector<SoundCall>& Sounds() {
        static std::vector<SoundCall> sounds;
        return sounds;
    }
    static void Record(int slot, int note, int voice) { Sounds().push_back({slot, note, voice}); }

    void SetUp() override {
        SetUpWorld(currentEdition, 1);
        Sounds().clear();
        SetSoundObserver(Record);
    }
    void TearDown() override { SetSoundObserver(nullptr); }

    // No waves for the rest of the test, so only the entities a test places exist.
    static void StopWaves() { waveTimer = 1000000; }

    static int PlaceEntity(int index, int32_t type, const Vector3& pos, int32_t life) {
        Entity& e = entities[index];
        e = Entity{};
        e.type = type;
        e.pos = pos;
        e.life = life;
        e.scale = type == Hunter ? 1.25f : 1.0f;
        return index;
    }

    static int LiveEntities() {
        int n = 0;
        for (const Entity& e : entities) n += e.life > 0;
        return n;
    }
    static int LiveSparks() {
        int n = 0;
        for (const Spark& s : sparks) n += s.life > 0;
        return n;
    }
    static int ActiveShots() {
        int n = 0;
        for (const Shot& s : shots) n += s.active != 0;
        return n;
    }
    static int ActiveShockwaves() {
        int n = 0;
        for (const Shockwave& w : shockwaves) n += w.age > 0;
        return n;
    }
};
