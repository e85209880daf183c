#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "game/input_script.h"

namespace {

bool Parse(const std::string& text, InputScript& script, std::string& error) {
    std::istringstream in(text);
    return ParseInputScript(in, "test", script, error);
}

TEST(InputScript, LinesHoldControlsForTheirCount) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(Parse("# comment\n\n2 FIRE UP\n   # indented comment\n1\n3 JLEFT KEY3\r\n", script, error))
        << error;
    ASSERT_EQ(script.lines.size(), 3u);
    ScriptedControls controls(script);
    struct Step {
        bool fire, up, jleft, key3;
    };
    const Step expected[] = {{true, true, false, false},   {true, true, false, false},
                             {false, false, false, false}, {false, false, true, true},
                             {false, false, true, true},   {false, false, true, true},
                             {false, false, false, false}, {false, false, false, false}};
    int step = 1;
    for (Step s : expected) {
        controls.Poll();
        EXPECT_EQ(controls.KeyDown(KEY_Z), s.fire) << "step " << step;
        EXPECT_EQ(controls.KeyDown(KEY_UP), s.up) << "step " << step;
        EXPECT_EQ(controls.KeyDown(KEY_JOY_LEFT), s.jleft) << "step " << step;
        EXPECT_EQ(controls.KeyDown(KEY_3), s.key3) << "step " << step;
        step += 1;
    }
}

TEST(InputScript, EveryControlNameHoldsItsSlot) {
    struct Case {
        const char* name;
        int slot;
    };
    const Case cases[] = {{"ESC", 1},     {"KEY1", 2},   {"KEY2", 3},    {"KEY3", 4},   {"FIRE", 44},
                          {"UP", 200},    {"LEFT", 203}, {"RIGHT", 205}, {"DOWN", 208}, {"JRIGHT", 256},
                          {"JLEFT", 257}, {"JUP", 258},  {"JDOWN", 259}, {"JFIRE", 260}};
    for (Case c : cases) {
        InputScript script;
        std::string error;
        ASSERT_TRUE(Parse(std::string("1 ") + c.name + "\n", script, error)) << error;
        ScriptedControls controls(script);
        controls.Poll();
        for (int slot = 0; slot < KEY_SLOT_COUNT; ++slot) {
            ASSERT_EQ(controls.KeyDown(slot), slot == c.slot) << c.name << " slot " << slot;
        }
    }
}

TEST(InputScript, EmptyScriptHoldsNothing) {
    ScriptedControls controls;
    controls.Poll();
    EXPECT_FALSE(controls.KeyDown(KEY_Z));
    EXPECT_FALSE(controls.KeyDown(-1));
    EXPECT_FALSE(controls.KeyDown(KEY_SLOT_COUNT));
}

TEST(InputScript, HostileScriptsAreRefusedWithTheLineAndReason) {
    struct Case {
        const char* file;
        const char* reason;
        const char* line;
    };
    const Case cases[] = {
        {"input_script_unknown_control.txt", "unknown control \"JUMP\"", "line 2"},
        {"input_script_lowercase_control.txt", "unknown control \"fire\"", "line 1"},
        {"input_script_negative_count.txt", "bad count \"-3\"", "line 2"},
        {"input_script_fractional_count.txt", "bad count \"2.5\"", "line 1"},
        {"input_script_count_too_large.txt", "bad count \"99999999999\"", "line 1"},
        {"input_script_control_before_count.txt", "bad count \"FIRE\"", "line 1"},
        {"input_script_zero_count.txt", "bad count \"0\"", "line 1"},
    };
    for (Case c : cases) {
        InputScript script;
        std::string error;
        std::string path = std::string(VORTANE_SOURCE_DIR "/tests/bad/") + c.file;
        EXPECT_FALSE(LoadInputScript(path, script, error)) << c.file;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_NE(error.find(c.line), std::string::npos) << error;
        EXPECT_NE(error.find(c.file), std::string::npos) << error;
    }
}

TEST(InputScript, UnreadableFileIsAnError) {
    InputScript script;
    std::string error;
    EXPECT_FALSE(LoadInputScript("no_such_script.txt", script, error));
    EXPECT_NE(error.find("no_such_script.txt"), std::string::npos) << error;
    EXPECT_FALSE(LoadInputScript(".", script, error)) << "a folder is not a script";
}

}  // namespace
