#pragma once

// The player's volume over the synthesizer's output, applied to each buffer after
// it is rendered, so the rendering itself (and every reference render) is never
// touched. A gain of exactly 1 leaves the samples alone: full volume is the
// synthesizer's output bit for bit.

// 0..1, from the main thread; the next buffer takes it. 0 is silence (mute).
void SetOutputVolume(float gain);
float OutputVolume();

// Scales frameCount samples by the gain; nothing at all at a gain of 1. Audio
// thread: allocates nothing, takes no lock.
void ApplyOutputVolume(float* out, unsigned long frameCount);

// The gain for a volume in per cent (0..100) and mute: per cent squared, so the
// steps sound even to the ear, and exactly 1 at 100.
float VolumeGain(int percent, bool mute);
