// Desktop integration and packaging: the validators over the desktop files and the
// metainfo, the man pages' lint, the icons, and the Debian package's contents.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/programs.h"
#include "tools/png_frame.h"

namespace fs = std::filesystem;

namespace {

const std::string DIST = std::string(VORTANE_SOURCE_DIR) + "/dist/";
const std::string MAN = std::string(VORTANE_SOURCE_DIR) + "/man/";
const std::string BUILD = VORTANE_BINARY_DIR;

const char* const PROGRAMS[] = {"vortane",       "vortane-classic", "vortane-sim",  "vortane-shot",
                                "zonder-render", "zonder-pack",     "make-textures"};

struct Result {
    int status;
    std::string output;
};

// Runs a shell command with stdout and stderr together.
Result Shell(const std::string& command) {
    ShellResult run = RunShell(command + " 2>&1");
    return {run.status, run.out};
}

TEST(Desktop, EntriesPassTheValidator) {
    for (const char* file : {"vortane.desktop", "vortane-classic.desktop", "vortane-replay.desktop",
                             "vortane-classic-replay.desktop"}) {
        Result result = Shell("desktop-file-validate '" + DIST + file + "'");
        EXPECT_EQ(result.status, 0) << file << "\n" << result.output;
        EXPECT_EQ(result.output, "") << file;
    }
}

// A recording opened from a file manager goes to the game of its edition: the
// MIME database built from dist/vortane.xml tells the two apart by their header.
TEST(Desktop, RecordingsGetTheirEditionsMimeType) {
    fs::create_directories("share/mime/packages");
    fs::copy_file(DIST + "vortane.xml", "share/mime/packages/vortane.xml");
    Result update = Shell("update-mime-database share/mime");
    ASSERT_EQ(update.status, 0) << update.output;
    const std::string header = "# vortane recording\n# edition ";
    std::ofstream(fs::path("current.vrec"))
        << header << "current\n# seed 1\n1\n# end steps 1 score 0 rand 1\n";
    std::ofstream(fs::path("classic.vrec"))
        << header << "classic\n# seed 1\n1\n# end steps 1 score 0 rand 1\n";
    const std::string environment = "XDG_DATA_HOME=\"$PWD/share\" XDG_DATA_DIRS=\"$PWD/share:/usr/share\" ";
    Result current = Shell(environment + "gio info -a standard::content-type current.vrec");
    EXPECT_NE(current.output.find("application/x-vortane-recording"), std::string::npos) << current.output;
    Result classic = Shell(environment + "gio info -a standard::content-type classic.vrec");
    EXPECT_NE(classic.output.find("application/x-vortane-classic-recording"), std::string::npos)
        << classic.output;
    // Each replay entry takes its edition's type.
    std::ifstream entry(DIST + "vortane-classic-replay.desktop");
    std::stringstream text;
    text << entry.rdbuf();
    EXPECT_NE(text.str().find("MimeType=application/x-vortane-classic-recording;"), std::string::npos);
    EXPECT_NE(text.str().find("Exec=vortane-classic --replay %f"), std::string::npos);
}

TEST(Desktop, MetainfoPassesTheValidator) {
    Result result =
        Shell("appstreamcli validate --no-net '" + DIST + "io.github.vortane.vortane.metainfo.xml'");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output.find("E:"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("W:"), std::string::npos) << result.output;
}

TEST(ManPages, EveryProgramHasOneWithoutLintWarnings) {
    for (const char* program : PROGRAMS) {
        std::string section =
            std::string(program).rfind("vortane", 0) == 0 &&
                    (std::string(program) == "vortane" || std::string(program) == "vortane-classic")
                ? "6"
                : "1";
        std::string page = MAN + program + "." + section;
        ASSERT_TRUE(fs::exists(page)) << page;
        Result result = Shell("mandoc -T lint -W warning '" + page + "'");
        EXPECT_EQ(result.status, 0) << page << "\n" << result.output;
        EXPECT_EQ(result.output, "") << page;
    }
}

TEST(Icons, EverySizeIsDrawnForBothEditions) {
    for (int size : {32, 48, 64, 128, 256}) {
        std::vector<uint8_t> current, classic;
        int width = 0, height = 0;
        std::string error;
        std::string name = BUILD + "/icons/vortane-" + std::to_string(size) + ".png";
        ASSERT_TRUE(ReadPngRGB(name, current, width, height, error)) << error;
        EXPECT_EQ(width, size);
        EXPECT_EQ(height, size);
        name = BUILD + "/icons/vortane-classic-" + std::to_string(size) + ".png";
        ASSERT_TRUE(ReadPngRGB(name, classic, width, height, error)) << error;
        EXPECT_EQ(width, size);
        // Two ships in two colours: the pictures differ, and each has a bright ship
        // on its dark tile.
        EXPECT_NE(current, classic) << size;
        EXPECT_GT(*std::max_element(current.begin(), current.end()), 200) << size;
        EXPECT_GT(*std::max_element(classic.begin(), classic.end()), 200) << size;
    }
}

// The packages built from this build by CPack: vortane (the games) and
// vortane-tools.
class DebianPackage : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = fs::current_path().string() + "/package";
        Result result = Shell("cpack -G DEB --config '" + BUILD + "/CPackConfig.cmake' -B '" + folder + "'");
        ASSERT_EQ(result.status, 0) << result.output;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() != ".deb") continue;
            std::string name = entry.path().filename().string();
            (name.rfind("vortane-tools_", 0) == 0 ? tools : games) = entry.path().string();
        }
        ASSERT_FALSE(games.empty()) << result.output;
        ASSERT_FALSE(tools.empty()) << result.output;
    }
    static std::string folder;
    static std::string games;
    static std::string tools;
};
std::string DebianPackage::folder;
std::string DebianPackage::games;
std::string DebianPackage::tools;

TEST_F(DebianPackage, HoldsEverythingTheInstallLaysOut) {
    ASSERT_FALSE(games.empty());
    Result list = Shell("dpkg-deb -c '" + games + "'");
    ASSERT_EQ(list.status, 0) << list.output;
    Result toolList = Shell("dpkg-deb -c '" + tools + "'");
    ASSERT_EQ(toolList.status, 0) << toolList.output;
    std::vector<std::string> expected, expectedTools;
    // Debian keeps games in /usr/games; the tools go to /usr/bin, in their own package.
    for (const char* program : PROGRAMS) {
        std::string name = program;
        bool game = name == "vortane" || name == "vortane-classic";
        (game ? expected : expectedTools).push_back((game ? "./usr/games/" : "./usr/bin/") + name);
    }
    for (const char* file : {"grid6.tga", "grid.tga", "player.tga", "icon-vortane.tga", "shot.zdi",
                             "levelup.zdi", "zazizer.zds"}) {
        expected.push_back("./usr/share/vortane/data/" + std::string(file));
    }
    for (int size : {32, 48, 64, 128, 256}) {
        for (const char* game : {"vortane", "vortane-classic"}) {
            expected.push_back("./usr/share/icons/hicolor/" + std::to_string(size) + "x" +
                               std::to_string(size) + "/apps/" + game + ".png");
        }
    }
    for (const char* file :
         {"./usr/share/applications/vortane.desktop", "./usr/share/applications/vortane-classic.desktop",
          "./usr/share/applications/vortane-replay.desktop", "./usr/share/mime/packages/vortane.xml",
          "./usr/share/metainfo/io.github.vortane.vortane.metainfo.xml", "./usr/share/man/man6/vortane.6.gz",
          "./usr/share/man/man6/vortane-classic.6.gz", "./usr/share/doc/vortane/copyright",
          "./usr/share/doc/vortane/changelog.gz", "./usr/share/doc/vortane/README.md"}) {
        expected.push_back(file);
    }
    for (const char* file :
         {"./usr/share/man/man1/vortane-shot.1.gz", "./usr/share/man/man1/make-textures.1.gz",
          "./usr/share/doc/vortane-tools/copyright", "./usr/share/doc/vortane-tools/changelog.gz"}) {
        expectedTools.push_back(file);
    }
    for (const std::string& path : expected) {
        EXPECT_NE(list.output.find(" " + path + "\n"), std::string::npos) << path << " missing from vortane";
    }
    for (const std::string& path : expectedTools) {
        EXPECT_NE(toolList.output.find(" " + path + "\n"), std::string::npos)
            << path << " missing from vortane-tools";
    }
    // The games' package has nothing in /usr/bin, the tools' nothing of the games'.
    EXPECT_EQ(list.output.find("./usr/bin/"), std::string::npos) << list.output;
    EXPECT_EQ(toolList.output.find("./usr/games/"), std::string::npos) << toolList.output;
    EXPECT_EQ(toolList.output.find("./usr/share/vortane/"), std::string::npos) << toolList.output;
}

TEST_F(DebianPackage, ControlFieldsComeFromTheBuildAndTheMetainfo) {
    ASSERT_FALSE(games.empty());
    Result control = Shell("dpkg-deb -f '" + games + "'");
    ASSERT_EQ(control.status, 0) << control.output;
    EXPECT_NE(control.output.find("Package: vortane\n"), std::string::npos) << control.output;
    EXPECT_NE(control.output.find("Section: games\n"), std::string::npos) << control.output;
    EXPECT_NE(control.output.find("Description: Arena shooter over a glowing spring grid\n"),
              std::string::npos)
        << control.output;
    // dpkg-shlibdeps found the libraries the programs link; SDL's run-time OpenGL
    // library is named by hand.
    EXPECT_NE(control.output.find("libsdl2"), std::string::npos) << control.output;
    EXPECT_NE(control.output.find("libportaudio"), std::string::npos) << control.output;
    EXPECT_NE(control.output.find("libgl1"), std::string::npos) << control.output;

    Result toolControl = Shell("dpkg-deb -f '" + tools + "'");
    ASSERT_EQ(toolControl.status, 0) << toolControl.output;
    EXPECT_NE(toolControl.output.find("Package: vortane-tools\n"), std::string::npos) << toolControl.output;
    EXPECT_NE(toolControl.output.find("vortane (= "), std::string::npos) << toolControl.output;
    EXPECT_NE(toolControl.output.find("libpng"), std::string::npos) << toolControl.output;
}

TEST_F(DebianPackage, LintianFindsNoErrorsOrWarnings) {
    ASSERT_FALSE(games.empty());
    for (const std::string& deb : {games, tools}) {
        Result lintian = Shell("lintian --tag-display-limit 0 '" + deb + "'");
        EXPECT_EQ(lintian.output.find("E: "), std::string::npos) << lintian.output;
        EXPECT_EQ(lintian.output.find("W: "), std::string::npos) << lintian.output;
    }
}

}  // namespace
