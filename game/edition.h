#pragma once
#include <cstdint>
#include <string>

#include "game/controls.h"
#include "game/world_fields.h"

class TraceLine;
struct TraceOptions;

// What one edition of the game is, for every host that runs it: the SDL shell,
// the browser's shell, vortane-sim, vortane-shot and the benchmarks. Plain
// constants and functions, no platform types; each edition defines one
// (currentEdition in render/current_edition.h, classic::edition in classic/edition.h).
struct Edition {
    const char* name;  // "current" or "classic", as the tools' --edition names it

    // The window, and the frame vortane-shot draws: its client size in pixels and
    // colour bits; full screen asks for exactly that mode, falling back to a window.
    const char* title;
    int width;
    int height;
    int bits;
    bool fullscreen;
    bool windowComfort;  // F11 / Alt+Enter desktop full screen and a high-density drawable

    // The world. worldFields lists every field of it (for snapshots); resetWorld
    // returns them all to their state at program start; startWorld is what start-up
    // does once the grid is built and the data loaded (NewGame and the edition's
    // defaults); updateWorld is one step, false after Escape.
    WorldFieldList worldFields;
    void (*resetWorld)();
    void (*startWorld)();
    bool (*updateWorld)(Controls& input);
    int32_t (*score)();  // the score now, for a recording's end line

    // The picture: the edition's textures from dataDir (ending with '/'), one frame
    // into the current GL context, and the textures' GL names released.
    void (*loadGraphics)(const std::string& dataDir);
    void (*drawScene)();
    void (*releaseGraphics)();

    // The sound: the shared sound effects and the song are loaded by every
    // edition; this one starts the song at start-up.
    bool playsSong;

    // The trace: the world's fields after a step, and the detail lists.
    void (*writeState)(TraceLine& line);
    void (*writeDetail)(TraceLine& line, const TraceOptions& options);

    // The spare lives now; below 0 the game is over (the shell keeps the score then).
    int32_t (*lives)() = nullptr;
};

// The world as start-up leaves it, from the state at program start, but with the
// generator seeded to `seed` instead of the time, so a run repeats exactly: reset,
// seed, grid construction, the edition's start. Touches no GL and no audio.
void SetUpWorld(const Edition& edition, uint32_t seed);
