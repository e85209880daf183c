#pragma once
#include <atomic>
#include <cstdint>

struct Instrument;

// What the game has asked of one voice and the audio thread has not yet run,
// folded so that it never grows: a later trigger supersedes an earlier one that
// has not run, and releases keep their place before or after the trigger that
// remains (two releases in a row act as one). Each request carries a sequence
// number; zero means none.
struct VoiceRequestSet {
    uint64_t releaseBefore = 0;  // the latest release made before `trigger`
    uint64_t trigger = 0;        // the latest trigger
    uint64_t releaseAfter = 0;   // the latest release made after `trigger`
    const Instrument* instrument = nullptr;
    int32_t note = 0;
};

// The hand-over of one voice's requests from the game side to the audio thread:
// a triple buffer, so neither side ever waits for the other and a burst of any
// length never loses its last request. Producers serialise among themselves
// (synth/voices.cpp); the consumer is the audio thread alone.
class VoiceMailbox {
public:
    // Producer: publishes the whole folded set.
    void Publish(const VoiceRequestSet& set) {
        slots[back] = set;
        back = middle.exchange(static_cast<uint8_t>(back | FRESH), std::memory_order_acq_rel) & INDEX;
    }

    // Consumer: the newest set published, or false when nothing new came since the
    // last take.
    bool Take(VoiceRequestSet& set) {
        if (!(middle.load(std::memory_order_acquire) & FRESH)) return false;
        front = middle.exchange(front, std::memory_order_acq_rel) & INDEX;
        set = slots[front];
        return true;
    }

    // Only while neither side runs.
    void Clear() {
        for (VoiceRequestSet& s : slots) s = {};
        back = 0;
        middle.store(1, std::memory_order_relaxed);
        front = 2;
    }

private:
    static constexpr uint8_t INDEX = 3;
    static constexpr uint8_t FRESH = 4;
    VoiceRequestSet slots[3];
    uint8_t back = 0;                // producer's slot
    std::atomic<uint8_t> middle{1};  // the slot between them, FRESH when newly published
    uint8_t front = 2;               // consumer's slot
};
