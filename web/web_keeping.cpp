#include "web/web_keeping.h"

#include <emscripten.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "game/random.h"
#include "render/player_signs.h"
#include "store/finished_game.h"
#include "store/kept_file.h"
#include "store/player_files.h"
#include "synth/output_volume.h"
#include "web/web_key_bindings.h"
#include "web/web_recording.h"

extern "C" {
// web/web_shell.js
void WebStorageOpen();
void WebStoragePersist();
}

namespace {

const char* const FOLDER = "/player/";  // where web_shell.js mounts the storage
constexpr double VOLUME_SIGN_MS = 1000;

bool loaded = false;
std::string editionName = "current";
Settings settings;
double volumeSignUntil = 0;
bool gameOver = false;

void Report(const std::vector<std::string>& report) {
    for (const std::string& line : report) std::fprintf(stderr, "vortane: %s\n", line.c_str());
}

void ApplyVolumes() {
    SetOutputVolume(VolumeGain(settings.effectsVolume, settings.mute),
                    VolumeGain(settings.musicVolume, settings.mute));
}

void SaveAndPersist() {
    if (!loaded) return;
    std::vector<std::string> report;
    SaveSettings(FOLDER, settings, report);
    Report(report);
    WebStoragePersist();
}

// The score into the table and, for a new best, the game so far as the
// edition's best run, both in the page's storage.
void KeepScore(const Edition& game) {
    int32_t score = game.score();
    std::vector<std::string> report;
    ScoreRank rank = KeepFinishedGame(
        FOLDER, game.name, score, [score] { return WebRecordingText(score, gameRandom.state); }, report);
    Report(report);
    WebStoragePersist();
    ShowGameOverSigns(score, rank.bestBefore, rank.newBest);
}

}  // namespace

extern "C" {
// The storage has answered: the settings are read (the defaults written when
// there were none), and the keys and the volumes apply.
EMSCRIPTEN_KEEPALIVE void WebKeepingLoaded(int ok) {
    if (!ok) {
        std::fprintf(stderr, "vortane: the page's storage cannot be read; keeping nothing\n");
        return;
    }
    loaded = true;
    std::vector<std::string> report;
    settings = LoadSettings(FOLDER, report);
    SetWebKeyBindings(settings, report);
    Report(report);
    ApplyVolumes();
    // A first visit, or a file set aside, leaves the defaults in the storage.
    std::string text, error;
    if (ReadKeptFile(std::string(FOLDER) + SETTINGS_FILE, text, error) == KeptRead::Missing) SaveAndPersist();
}

// For the page's tests: the effects' and the music's volume in per cent, -1 until
// the storage has answered.
EMSCRIPTEN_KEEPALIVE int WebVolume() { return loaded ? settings.effectsVolume : -1; }
EMSCRIPTEN_KEEPALIVE int WebMusicVolume() { return loaded ? settings.musicVolume : -1; }

// The edition's best game kept in the page's storage, a whole recording; "" when
// none is kept. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* WebBestRun() {
    static std::string text;
    std::string error;
    text.clear();
    if (!loaded ||
        ReadKeptFile(std::string(FOLDER) + BestRunFile(editionName), text, error) != KeptRead::Read)
        text.clear();
    return text.c_str();
}

// The best game's file name, best-EDITION.vrec, as the desktop keeps it.
EMSCRIPTEN_KEEPALIVE const char* WebBestRunName() {
    static std::string name;
    name = BestRunFile(editionName);
    return name.c_str();
}
}

namespace {
PadVolumeButtons padVolume;

void ChangeVolume(VolumeKey key, bool music) {
    StepVolume(settings, key, music);
    ApplyVolumes();
    ShowVolumeSign(music ? settings.musicVolume : settings.effectsVolume, music, settings.mute);
    volumeSignUntil = emscripten_get_now() + VOLUME_SIGN_MS;
    SaveAndPersist();
}
}  // namespace

void StartWebKeeping(const Edition& game) {
    editionName = game.name;
    WebStorageOpen();
}

bool HandleWebVolumeKey(const char* code, bool shift) {
    VolumeKey key;
    if (IsWebBoundKey(ACTION_MUTE, code)) {
        key = VOLUME_KEY_MUTE;
    } else if (IsWebBoundKey(ACTION_VOLUME_DOWN, code) || std::strcmp(code, "NumpadSubtract") == 0) {
        key = VOLUME_KEY_DOWN;
    } else if (IsWebBoundKey(ACTION_VOLUME_UP, code) || std::strcmp(code, "NumpadAdd") == 0) {
        key = VOLUME_KEY_UP;
    } else {
        return false;
    }
    ChangeVolume(key, shift);
    return true;
}

void WatchWebStep(const Edition& game, const Controls& controls) {
    VolumeKey key;
    if (padVolume.Pressed(controls.KeyDown(KEY_PAD_VOLUME_DOWN), controls.KeyDown(KEY_PAD_VOLUME_UP), key))
        ChangeVolume(key, controls.KeyDown(KEY_PAD_MUSIC));
    if (playerSigns.volumeShown && emscripten_get_now() >= volumeSignUntil) playerSigns.volumeShown = false;
    playerSigns.pulse += 1;
    if (!game.lives) return;
    bool over = game.lives() < 0;
    if (over && !gameOver && loaded) KeepScore(game);
    if (!over) playerSigns.bestShown = false;
    gameOver = over;
}
