// The Windows edition's packages: the zip holds the programs, their DLLs, the data,
// README and LICENSE; the NSIS installer installs for the user alone (no
// administrator), makes the Start-menu entries and an uninstaller that removes
// what was installed and leaves the player's own files.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "tests/support/files.h"
#include "tests/support/programs.h"
#include "tests/windows/wine_run.h"

namespace fs = std::filesystem;

namespace {
const std::string WINDOWS_BUILD = VORTANE_WINDOWS_BUILD "/";
const std::string NAME = std::string("vortane-") + VORTANE_VERSION;

// The Windows path of the prefix's user profile folder, as the Unix path wine keeps it at.
std::string UserFolder() {
    ShellResult user =
        RunShell("env WINEPREFIX=" VORTANE_WINE_PREFIX " WINEDEBUG=-all wine cmd /c echo %USERNAME%");
    std::string name = user.out.substr(0, user.out.find_first_of("\r\n"));
    return VORTANE_WINE_PREFIX "/drive_c/users/" + name;
}
}  // namespace

TEST(WindowsPackage, ZipHoldsTheProgramsTheirDllsTheDataAndTheDocuments) {
    std::string zip = WINDOWS_BUILD + NAME + "-win64.zip";
    ASSERT_TRUE(FileExists(zip));
    ShellResult list = RunShell("unzip -Z1 " + Quoted(zip));
    ASSERT_EQ(list.status, 0) << list.err;
    for (const char* file : {"vortane.exe", "vortane-classic.exe", "vortane-sim.exe", "vortane-shot.exe",
                             "zonder-render.exe", "zonder-pack.exe", "SDL2.dll", "README.txt", "LICENSE.txt",
                             "data/grid6.tga", "data/grid.tga", "data/zazizer.zds", "data/shot.zdi"}) {
        EXPECT_NE(list.out.find(NAME + "-win64/" + file + "\n"), std::string::npos) << file << " missing";
    }
    EXPECT_NE(list.out.find("portaudio"), std::string::npos) << "no PortAudio DLL";
}

TEST(WindowsPackage, ProgramsNeedOnlyTheShippedDllsAndTheSystems) {
    for (const char* program :
         {"vortane.exe", "vortane-classic.exe", "vortane-sim.exe", "zonder-render.exe"}) {
        ShellResult imports = RunShell("x86_64-w64-mingw32-objdump -p " + Quoted(WINDOWS_RUN + program) +
                                       " | sed -n 's/.*DLL Name: //p'");
        ASSERT_EQ(imports.status, 0);
        for (const std::string& dll : Lines(imports.out)) {
            std::string lower = dll;
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            bool shipped = FileExists(WINDOWS_RUN + dll);
            // The system's DLLs, as wine carries them (Windows matches names without case).
            bool system = FileExists("/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/" + lower);
            EXPECT_TRUE(shipped || system) << program << " needs " << dll;
            EXPECT_EQ(dll.find("libstdc++"), std::string::npos) << program;
            EXPECT_EQ(dll.find("libwinpthread"), std::string::npos) << program;
        }
    }
}

TEST(WindowsPackage, GamesAreGuiProgramsAndToolsConsolePrograms) {
    for (const char* program :
         {"vortane.exe", "vortane-classic.exe", "vortane-sim.exe", "zonder-render.exe"}) {
        ShellResult header = RunShell("x86_64-w64-mingw32-objdump -p " + Quoted(WINDOWS_RUN + program));
        bool game = std::string(program).rfind("vortane.exe", 0) == 0 ||
                    std::string(program) == "vortane-classic.exe";
        EXPECT_NE(header.out.find(game ? "(Windows GUI)" : "(Windows CUI)"), std::string::npos) << program;
        // The icon and the version information are resources of the program.
        ShellResult resources = RunShell("x86_64-w64-mingw32-objdump -h " + Quoted(WINDOWS_RUN + program));
        EXPECT_NE(resources.out.find(".rsrc"), std::string::npos) << program;
        std::vector<uint8_t> bytes = ReadBytes(WINDOWS_RUN + program);
        std::u16string wanted = u"FileVersion";
        std::string pattern(reinterpret_cast<const char*>(wanted.data()), wanted.size() * 2);
        EXPECT_NE(std::string(bytes.begin(), bytes.end()).find(pattern), std::string::npos) << program;
    }
}

TEST(WindowsPackage, InstallerInstallsForTheUserAndTheUninstallerRemovesIt) {
    std::string setup = WINDOWS_BUILD + NAME + "-setup.exe";
    ASSERT_TRUE(FileExists(setup));
    ShellResult install = RunShell(WineCommand(setup, "/S"));
    ASSERT_EQ(install.status, 0) << install.err;
    std::string user = UserFolder();
    std::string folder = user + "/AppData/Local/Programs/vortane/";
    std::string menu = user + "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/vortane/";
    for (const char* file :
         {"vortane.exe", "vortane-classic.exe", "SDL2.dll", "data/grid6.tga", "uninstall.exe"}) {
        EXPECT_TRUE(FileExists(folder + file)) << folder + file;
    }
    EXPECT_TRUE(FileExists(menu + "vortane.lnk"));
    EXPECT_TRUE(FileExists(menu + "vortane-classic.lnk"));
    ShellResult version = RunShell(WineCommand(folder + "vortane-sim.exe", "--version"));
    EXPECT_NE(version.out.find(VORTANE_VERSION), std::string::npos) << version.out << version.err;

    // A file of the player's own stays; everything installed goes.
    WriteFile(folder + "my recording.rec", "mine");
    // _? runs the uninstaller in place, so the test waits for it.
    std::string windowsFolder =
        "C:\\users\\" + fs::path(user).filename().string() + "\\AppData\\Local\\Programs\\vortane";
    ShellResult uninstall =
        RunShell(WineCommand(folder + "uninstall.exe", "/S " + Quoted("_?=" + windowsFolder)));
    EXPECT_EQ(uninstall.status, 0) << uninstall.err;
    EXPECT_FALSE(FileExists(folder + "vortane.exe"));
    EXPECT_FALSE(FileExists(folder + "data/grid6.tga"));
    EXPECT_FALSE(FileExists(menu + "vortane.lnk"));
    EXPECT_TRUE(FileExists(folder + "my recording.rec"));
    fs::remove_all(folder);
}
