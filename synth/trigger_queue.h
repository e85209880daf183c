#pragma once
#include <atomic>
#include <cstdint>

// A bounded lock-free queue from the game side to the audio thread. Producers
// serialise among themselves with a spin flag that the consumer never touches,
// so the audio thread never waits for the game and the game never waits for
// the audio thread. A push onto a full queue is refused rather than waited out.
template <typename T, uint32_t CAPACITY>
class TriggerQueue {
    static_assert((CAPACITY & (CAPACITY - 1)) == 0, "capacity is a power of two");

public:
    bool Push(const T& item) {
        while (producerBusy.test_and_set(std::memory_order_acquire)) {
        }
        uint32_t tail = written.load(std::memory_order_relaxed);
        bool room = tail - taken.load(std::memory_order_acquire) < CAPACITY;
        if (room) {
            items[tail % CAPACITY] = item;
            written.store(tail + 1, std::memory_order_release);
        }
        producerBusy.clear(std::memory_order_release);
        return room;
    }

    // Consumer only.
    bool Pop(T& item) {
        uint32_t head = taken.load(std::memory_order_relaxed);
        if (head == written.load(std::memory_order_acquire)) return false;
        item = items[head % CAPACITY];
        taken.store(head + 1, std::memory_order_release);
        return true;
    }

    // Only while neither side runs.
    void Clear() {
        written.store(0, std::memory_order_relaxed);
        taken.store(0, std::memory_order_relaxed);
    }

private:
    T items[CAPACITY] = {};
    std::atomic<uint32_t> written{0};
    std::atomic<uint32_t> taken{0};
    std::atomic_flag producerBusy = ATOMIC_FLAG_INIT;
};
