#pragma once

// The player's volumes over the synthesizer's mix: the sound effects' voices
// (0..2) and the song's (3..5, SONG_VOICE_FIRST on) each take a gain as
// RenderAudio sums them, so the voices themselves (and every reference render)
// are never touched. Both gains exactly 1 sums the six voices as written: full
// volume is the synthesizer's output bit for bit.

struct OutputGains {
    float effects = 1.0f;  // 0..1; 0 is silence
    float music = 1.0f;
};

// From the main thread; the next buffer takes them. Lock-free atomics: the audio
// thread never waits for the main thread.
void SetOutputVolume(float effectsGain, float musicGain);
// Audio thread: read once a buffer.
OutputGains OutputVolume();

// One output sample below full volume: the effects' voices summed, the song's
// summed, each times its gain. Audio thread: allocates nothing, takes no lock.
float SumVoicesAtVolume(const OutputGains& gains);

// The gain for a volume in per cent (0..100) and mute: per cent squared, so the
// steps sound even to the ear, and exactly 1 at 100.
float VolumeGain(int percent, bool mute);
