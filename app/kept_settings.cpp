#include "app/kept_settings.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "app/kept_controls.h"
#include "app/key_bindings.h"
#include "app/player_folder.h"
#include "app/window.h"
#include "base/command_line.h"
#include "base/program_name.h"
#include "render/player_signs.h"
#include "store/player_files.h"
#include "synth/output_volume.h"

namespace {

constexpr Uint32 VOLUME_SIGN_MS = 1000;

std::string folder;
bool replaying = false;
Settings settings;
Uint32 volumeSignUntil = 0;
PadVolumeButtons padVolume;
// What the game last showed: only a change the player makes while playing is saved,
// not a one-off choice on the command line.
bool shownFullscreen = false;
int shownMode = -1;

void Save() {
    if (folder.empty()) return;
    std::vector<std::string> report;
    SaveSettings(folder, settings, report);
    ReportKeeping(report);
}

void ApplyVolumes() {
    SetOutputVolume(VolumeGain(settings.effectsVolume, settings.mute),
                    VolumeGain(settings.musicVolume, settings.mute));
}

void ChangeVolume(VolumeKey key, bool music) {
    StepVolume(settings, key, music);
    ApplyVolumes();
    ShowVolumeSign(music ? settings.musicVolume : settings.effectsVolume, music, settings.mute);
    volumeSignUntil = SDL_GetTicks() + VOLUME_SIGN_MS;
    Save();
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

}  // namespace

void ReportKeeping(const std::vector<std::string>& report) {
    for (const std::string& line : report) std::fprintf(stderr, "%s: %s\n", ProgramName(), line.c_str());
}

const std::string& KeptFolder() { return folder; }
bool KeptReplay() { return replaying; }

int StartKeeping(const Edition& edition, GameOptions& options) {
    replaying = !options.replayPath.empty();
    bool off = SavingOff(options);
    if (options.replayPath == "best") {
        std::string found = off ? "" : FindPlayerFolder();
        std::string path = found + BestRunFile(edition.name);
        if (found.empty() || !FileExists(path)) {
            std::fprintf(stderr, "%s: no best game kept yet%s\n", ProgramName(),
                         off ? " (nothing is kept with --no-save or VORTANE_NO_SAVE=1)" : "");
            return EXIT_USAGE;
        }
        options.replayPath = path;
    }
    if (off) return -1;
    folder = FindPlayerFolder();
    if (folder.empty()) return -1;
    std::vector<std::string> report;
    settings = LoadSettings(folder, report);
    ReportKeeping(report);
    // A first run, or a file set aside, leaves the commented defaults for the player to edit.
    if (!FileExists(folder + SETTINGS_FILE)) Save();

    const char* fpsVariable = std::getenv("VORTANE_FPS");
    bool fpsFromEnvironment = fpsVariable && *fpsVariable;
    if (!options.fpsGiven && !fpsFromEnvironment && settings.fps != SETTINGS_FPS_DISPLAY)
        options.fps = settings.fps;
    if (edition.windowComfort && settings.fullscreen) options.fullscreen = true;
    if (edition.fullscreen && !settings.classicFullscreen) options.window = true;
    return -1;
}

void ApplyKeptSettings(const Edition& edition) {
    std::vector<std::string> report;
    SetKeyBindings(settings, report);
    ReportKeeping(report);
    ApplyVolumes();
    // The current edition's control mode, as its digit key would set it on the first step.
    if (edition.controlMode && !replaying && settings.controlMode != edition.controlMode() + 1) {
        SetStartModeSlot(KEY_1 + settings.controlMode - 1);
    }
    shownFullscreen = desktopFullscreen;
    shownMode = settings.controlMode - 1;
}

bool HandleVolumeKey(const SDL_KeyboardEvent& key) {
    if (key.keysym.mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) return false;
    SDL_Scancode code = key.keysym.scancode;
    bool music = (key.keysym.mod & KMOD_SHIFT) != 0;
    if (IsBoundKey(ACTION_MUTE, code)) {
        ChangeVolume(VOLUME_KEY_MUTE, music);
    } else if (IsBoundKey(ACTION_VOLUME_DOWN, code) || code == SDL_SCANCODE_KP_MINUS) {
        ChangeVolume(VOLUME_KEY_DOWN, music);
    } else if (IsBoundKey(ACTION_VOLUME_UP, code) || code == SDL_SCANCODE_KP_PLUS ||
               key.keysym.sym == SDLK_PLUS) {
        ChangeVolume(VOLUME_KEY_UP, music);
    } else {
        return false;
    }
    return true;
}

void WatchSettings(const Edition& edition, const Controls& devices) {
    VolumeKey key;
    if (padVolume.Pressed(devices.KeyDown(KEY_PAD_VOLUME_DOWN), devices.KeyDown(KEY_PAD_VOLUME_UP), key))
        ChangeVolume(key, devices.KeyDown(KEY_PAD_MUSIC));
    if (folder.empty() || replaying) return;
    bool changed = false;
    if (edition.windowComfort && desktopFullscreen != shownFullscreen) {
        shownFullscreen = desktopFullscreen;
        settings.fullscreen = desktopFullscreen;
        changed = true;
    }
    if (edition.controlMode && edition.controlMode() != shownMode) {
        shownMode = edition.controlMode();
        settings.controlMode = shownMode + 1;
        changed = true;
    }
    if (changed) Save();
}

void UpdateVolumeSign() {
    if (playerSigns.volumeShown && SDL_TICKS_PASSED(SDL_GetTicks(), volumeSignUntil))
        playerSigns.volumeShown = false;
}
