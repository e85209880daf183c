#pragma once
#include <cstdio>

#include "synth/instrument.h"

constexpr int SOUND_EFFECT_SLOTS = 100;
constexpr int SONG_INSTRUMENT_SLOTS = 100;
constexpr int PATTERN_SLOTS = 1000;
constexpr int ORDER_LIST_SIZE = 16384;

// The player's tables, filled by the loaders. A slot holds one owned record or nothing.
extern Instrument* soundEffects[SOUND_EFFECT_SLOTS];
extern Instrument* songInstruments[SONG_INSTRUMENT_SLOTS];
extern Pattern* patterns[PATTERN_SLOTS];
extern int32_t orderList[ORDER_LIST_SIZE];
extern int32_t songLength;

bool LoadSoundEffect(int slot, const char* path);
