#pragma once
// The bodies of the fuzz targets. Each takes one input as a loader would meet it
// in a file a user replaced, and checks what must hold whatever the bytes are.
// The libFuzzer programs (fuzz_main.cpp) and the replay test (replay_test.cpp)
// call the same bodies, so every kept input is checked by an ordinary test too.
#include <cstddef>
#include <cstdint>

using FuzzEntry = int (*)(const uint8_t* data, size_t size);

int FuzzTarga(const uint8_t* data, size_t size);
int FuzzInstrument(const uint8_t* data, size_t size);
int FuzzSong(const uint8_t* data, size_t size);
int FuzzPackInstrumentText(const uint8_t* data, size_t size);
int FuzzPackSongText(const uint8_t* data, size_t size);
int FuzzPackBinary(const uint8_t* data, size_t size);
int FuzzSoundFormats(const uint8_t* data, size_t size);
int FuzzInputScript(const uint8_t* data, size_t size);
int FuzzRecording(const uint8_t* data, size_t size);
int FuzzRenderInstrumentText(const uint8_t* data, size_t size);
int FuzzRenderSongText(const uint8_t* data, size_t size);

// Set by the fuzzer programs: the Targa body then passes over legal pictures of
// more than a megabyte (see fuzz_targa.cpp); the replay test decodes them all.
extern bool fuzzSkipsLargePictures;

// A property every input must keep. The fuzzer programs abort on a broken one
// (a crash libFuzzer keeps); the replay test turns it into a test failure.
void FuzzCheck(bool holds, const char* what);

struct FuzzTarget {
    const char* name;  // fuzz-NAME program, corpus/NAME and regressions/NAME folders
    FuzzEntry entry;
    const char* badSuffix;  // tests/bad files with this suffix are seeds and replays too
};

// Every target, in the order scripts/fuzz runs them.
extern const FuzzTarget FUZZ_TARGETS[];
extern const int FUZZ_TARGET_COUNT;
