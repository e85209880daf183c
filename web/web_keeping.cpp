#include "web/web_keeping.h"

#include <emscripten.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "render/player_signs.h"
#include "store/player_files.h"
#include "synth/output_volume.h"

extern "C" {
// web/web_shell.js
void WebStorageOpen();
void WebStoragePersist();
}

namespace {

const char* const FOLDER = "/player/";  // where web_shell.js mounts the storage
constexpr double VOLUME_SIGN_MS = 1000;

bool loaded = false;
Settings settings;
double volumeSignUntil = 0;
bool gameOver = false;

void Report(const std::vector<std::string>& report) {
    for (const std::string& line : report) std::fprintf(stderr, "vortane: %s\n", line.c_str());
}

void SaveAndPersist() {
    if (!loaded) return;
    std::vector<std::string> report;
    SaveSettings(FOLDER, settings, report);
    Report(report);
    WebStoragePersist();
}

std::string NowUtc() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

void KeepScore(const Edition& game) {
    BestScore entry;
    entry.edition = game.name;
    entry.score = game.score();
    entry.date = NowUtc();
    std::vector<std::string> report;
    ScoreRank rank;
    RecordBestScore(FOLDER, entry, rank, report);
    Report(report);
    WebStoragePersist();
    playerSigns.score = entry.score;
    playerSigns.best = rank.newBest ? entry.score : rank.bestBefore;
    playerSigns.newBest = rank.newBest;
    playerSigns.pulse = 0;
    playerSigns.bestShown = true;
}

}  // namespace

extern "C" {
// The storage has answered: the settings are read (the defaults written when
// there were none) and the volume applies.
EMSCRIPTEN_KEEPALIVE void WebKeepingLoaded(int ok) {
    if (!ok) {
        std::fprintf(stderr, "vortane: the page's storage cannot be read; keeping nothing\n");
        return;
    }
    loaded = true;
    std::vector<std::string> report;
    settings = LoadSettings(FOLDER, report);
    Report(report);
    SetOutputVolume(VolumeGain(settings.volume, settings.mute));
    // A first visit, or a file set aside, leaves the defaults in the storage.
    std::FILE* existing = std::fopen((std::string(FOLDER) + SETTINGS_FILE).c_str(), "rb");
    if (existing) {
        std::fclose(existing);
    } else {
        SaveAndPersist();
    }
}

// For the page's tests: the volume in per cent, -1 until the storage has answered.
EMSCRIPTEN_KEEPALIVE int WebVolume() { return loaded ? settings.volume : -1; }
}

void StartWebKeeping() { WebStorageOpen(); }

bool HandleWebVolumeKey(const char* code) {
    if (std::strcmp(code, "KeyM") == 0) {
        settings.mute = !settings.mute;
    } else if (std::strcmp(code, "Minus") == 0 || std::strcmp(code, "NumpadSubtract") == 0) {
        settings.mute = false;
        settings.volume = settings.volume >= VOLUME_STEP ? settings.volume - VOLUME_STEP : 0;
    } else if (std::strcmp(code, "Equal") == 0 || std::strcmp(code, "NumpadAdd") == 0) {
        settings.mute = false;
        settings.volume =
            settings.volume + VOLUME_STEP <= VOLUME_MAX ? settings.volume + VOLUME_STEP : VOLUME_MAX;
    } else {
        return false;
    }
    SetOutputVolume(VolumeGain(settings.volume, settings.mute));
    volumeSignUntil = emscripten_get_now() + VOLUME_SIGN_MS;
    playerSigns.volume = settings.volume;
    playerSigns.muted = settings.mute;
    playerSigns.volumeShown = true;
    SaveAndPersist();
    return true;
}

void WatchWebStep(const Edition& game) {
    if (playerSigns.volumeShown && emscripten_get_now() >= volumeSignUntil) playerSigns.volumeShown = false;
    playerSigns.pulse += 1;
    if (!game.lives) return;
    bool over = game.lives() < 0;
    if (over && !gameOver && loaded) KeepScore(game);
    if (!over) playerSigns.bestShown = false;
    gameOver = over;
}
