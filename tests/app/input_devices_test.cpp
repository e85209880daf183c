#include "app/input_devices.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/window.h"
#include "tests/app/shell_probes.h"
#include "tests/support/display.h"

namespace {
// A window with the keyboard focus on the test's own X server, and a recorder so
// that no box can block.
class Input : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateAppWindow("vortane", 800, 600, 32, false, -1));
        ASSERT_TRUE(WaitFor([] {
            SDL_PumpEvents();
            return SDL_GetKeyboardFocus() == appWindow;
        }));
    }
    void TearDown() override {
        devices.reset();
        DestroyAppWindow();
    }

    // Polls until the slot reads as wanted (or the wait gives up).
    bool PollUntil(int slot, bool down) {
        return WaitFor([&] {
            devices->Poll();
            return devices->KeyDown(slot) == down;
        });
    }

    BoxRecorder boxes;
    std::unique_ptr<InputDevices> devices;
};

// A virtual joystick with two axes and eight buttons that SDL has no controller
// mapping for, attached before the input devices look for one: it reads raw.
class Joystick : public Input {
protected:
    void SetUp() override {
        Input::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
        index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 8, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        if (SDL_NumJoysticks() != 1) GTEST_SKIP() << "another joystick is attached";
        ASSERT_FALSE(SDL_IsGameController(index));
        handle = SDL_JoystickOpen(index);
        ASSERT_NE(handle, nullptr);
        devices = std::make_unique<InputDevices>(appWindow);
        ASSERT_TRUE(JoystickPresent());
    }
    void TearDown() override {
        Input::TearDown();
        if (handle) SDL_JoystickClose(handle);
        if (attached) SDL_JoystickDetachVirtual(index);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    // Sets the device, then returns once Poll has taken a hand-over that the thread
    // made after the change, so the slots show exactly this state.
    void SetAndPoll(int x, int y, int pressedButton = -1) {
        SDL_LockJoysticks();
        SDL_JoystickSetVirtualAxis(handle, 0, static_cast<Sint16>(x));
        SDL_JoystickSetVirtualAxis(handle, 1, static_cast<Sint16>(y));
        for (int i = 0; i < 8; ++i) SDL_JoystickSetVirtualButton(handle, i, i == pressedButton);
        devices->Poll();  // takes any hand-over made before the change
        SDL_UnlockJoysticks();
        ASSERT_TRUE(WaitFor(JoystickHandOverReady));
        devices->Poll();
    }

    int Slot(int slot) const { return devices->keyState[slot]; }

    int index = -1;
    bool attached = true;
    SDL_Joystick* handle = nullptr;
};

// The smallest raw value that scales to the given value.
int RawFor(int scaled) {
    for (int raw = -32768; raw <= 32767; ++raw) {
        if (ScaleJoystickAxis(raw) == scaled) return raw;
    }
    ADD_FAILURE() << "no raw value scales to " << scaled;
    return 0;
}

// The largest raw value that scales to the given value.
int LastRawFor(int scaled) {
    for (int raw = 32767; raw >= -32768; --raw) {
        if (ScaleJoystickAxis(raw) == scaled) return raw;
    }
    ADD_FAILURE() << "no raw value scales to " << scaled;
    return 0;
}
}  // namespace

TEST(JoystickAxis, ScalesFullRangeMonotonically) {
    EXPECT_EQ(ScaleJoystickAxis(-32768), -1000);
    EXPECT_EQ(ScaleJoystickAxis(32767), 1000);
    EXPECT_EQ(ScaleJoystickAxis(0), 0);
    int previous = ScaleJoystickAxis(-32768);
    for (int raw = -32767; raw <= 32767; ++raw) {
        int scaled = ScaleJoystickAxis(raw);
        ASSERT_GE(scaled, previous) << raw;
        ASSERT_LE(scaled - previous, 1) << raw;  // every value on the scale is reachable
        previous = scaled;
    }
}

TEST_F(Joystick, AxesAgainstThresholdOfThreeHundred) {
    struct Case {
        int raw;
        uint8_t positive, negative;
    };
    const Case cases[] = {
        {RawFor(300), 0, 0},  {LastRawFor(300), 0, 0},  {RawFor(301), 1, 0}, {LastRawFor(-300), 0, 0},
        {RawFor(-300), 0, 0}, {LastRawFor(-301), 0, 1}, {0, 0, 0},           {32767, 1, 0},
        {-32768, 0, 1},
    };
    for (const Case& c : cases) {
        SetAndPoll(c.raw, 0);
        EXPECT_EQ(Slot(KEY_JOY_RIGHT), c.positive) << "x " << c.raw;
        EXPECT_EQ(Slot(KEY_JOY_LEFT), c.negative) << "x " << c.raw;
        EXPECT_EQ(Slot(KEY_JOY_UP) | Slot(KEY_JOY_DOWN), 0) << "x " << c.raw;
        // Y grows downwards: a positive Y is down.
        SetAndPoll(0, c.raw);
        EXPECT_EQ(Slot(KEY_JOY_DOWN), c.positive) << "y " << c.raw;
        EXPECT_EQ(Slot(KEY_JOY_UP), c.negative) << "y " << c.raw;
        EXPECT_EQ(Slot(KEY_JOY_RIGHT) | Slot(KEY_JOY_LEFT), 0) << "y " << c.raw;
    }
}

TEST_F(Joystick, FirstSixButtonsFillTheirSlots) {
    for (int button = 0; button < 8; ++button) {
        SetAndPoll(0, 0, button);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(Slot(KEY_JOY_BUTTON1 + i), i == button ? 1 : 0) << "button " << button;
        }
        EXPECT_EQ(devices->KeyDown(KEY_JOY_BUTTON1 + button), button < 6);
    }
}

TEST_F(Joystick, StepWithoutNewPollKeepsThePreviousSlots) {
    SetAndPoll(32767, 0, 0);
    ASSERT_EQ(Slot(KEY_JOY_RIGHT), 1);
    // Holding the joystick lock keeps the thread from handing anything over; the
    // device itself is brought up to date here, but Poll must not read it.
    SDL_LockJoysticks();
    devices->Poll();
    SDL_JoystickSetVirtualAxis(handle, 0, -32768);
    SDL_JoystickSetVirtualButton(handle, 0, 0);
    SDL_JoystickUpdate();
    ASSERT_EQ(SDL_JoystickGetAxis(handle, 0), -32768);
    devices->Poll();
    devices->Poll();
    EXPECT_EQ(Slot(KEY_JOY_RIGHT), 1);
    EXPECT_EQ(Slot(KEY_JOY_LEFT), 0);
    EXPECT_EQ(Slot(KEY_JOY_BUTTON1), 1);
    SDL_UnlockJoysticks();
    // The thread's next poll hands the new state over.
    EXPECT_TRUE(PollUntil(KEY_JOY_LEFT, true));
    EXPECT_EQ(Slot(KEY_JOY_RIGHT), 0);
    EXPECT_EQ(Slot(KEY_JOY_BUTTON1), 0);
}

TEST_F(Joystick, UnpluggedJoystickReadsReleased) {
    SetAndPoll(32767, -32768, 2);
    ASSERT_EQ(Slot(KEY_JOY_RIGHT), 1);
    ASSERT_EQ(Slot(KEY_JOY_UP), 1);
    ASSERT_EQ(Slot(KEY_JOY_BUTTON1 + 2), 1);
    SDL_JoystickClose(handle);
    handle = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
    attached = false;
    ASSERT_TRUE(WaitFor([&] {
        devices->Poll();
        for (int slot = KEY_JOY_RIGHT; slot <= KEY_JOY_BUTTON1 + 5; ++slot) {
            if (Slot(slot) != 0) return false;
        }
        return true;
    }));
    // Later steps go on reading nothing rather than stale values.
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(WaitFor(JoystickHandOverReady));
        devices->Poll();
        EXPECT_EQ(Slot(KEY_JOY_RIGHT), 0);
    }
}

TEST_F(Joystick, ShutdownStopsThePollingThreadBeforeReleasing) {
    devices.reset();
    EXPECT_FALSE(JoystickPresent());
    EXPECT_FALSE(JoystickHandOverReady());
    // Again and again, also before the thread's first poll: every destruction
    // returns and leaves the device to its other user.
    for (int i = 0; i < 20; ++i) {
        devices = std::make_unique<InputDevices>(appWindow);
        ASSERT_TRUE(JoystickPresent());
        if (i % 2 == 0) {
            ASSERT_TRUE(WaitFor(JoystickHandOverReady));
        }
        devices.reset();
        EXPECT_FALSE(JoystickPresent());
    }
    EXPECT_TRUE(SDL_JoystickGetAttached(handle));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Joystick, RightKeyAndStickLeftBothHeld) {
    FakeKey(XK_Right, true);
    SetAndPoll(-32768, 0);
    bool both = PollUntil(KEY_RIGHT, true) && devices->KeyDown(KEY_JOY_LEFT);
    FakeKey(XK_Right, false);
    EXPECT_TRUE(both);
    EXPECT_FALSE(devices->KeyDown(KEY_JOY_RIGHT));
}

TEST_F(Input, WithoutJoystickTheJoystickSlotsStayClear) {
    devices = std::make_unique<InputDevices>(appWindow);
    EXPECT_FALSE(JoystickPresent());
    devices->keyState[KEY_JOY_LEFT] = 1;  // whatever was there before
    devices->Poll();
    for (int slot = KEY_JOY_RIGHT; slot <= KEY_JOY_BUTTON1 + 5; ++slot) EXPECT_EQ(devices->keyState[slot], 0);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Input, KeysReachTheirScanCodeSlots) {
    devices = std::make_unique<InputDevices>(appWindow);
    struct Case {
        unsigned long keysym;
        int slot;
    };
    const Case cases[] = {
        {XK_Escape, KEY_ESCAPE}, {XK_1, KEY_1},        {XK_2, KEY_2},        {XK_3, KEY_3},
        {XK_z, KEY_Z},           {XK_Up, KEY_UP},      {XK_Down, KEY_DOWN},  {XK_Left, KEY_LEFT},
        {XK_Right, KEY_RIGHT},   {XK_a, 0x1E},         {XK_space, 0x39},     {XK_Return, 0x1C},
        {XK_KP_Enter, 0x9C},     {XK_Control_L, 0x1D}, {XK_Control_R, 0x9D}, {XK_Shift_R, 0x36},
        {XK_F12, 0x58},          {XK_Delete, 0xD3},    {XK_KP_Divide, 0xB5}, {XK_Home, 0xC7},
        {XK_KP_7, 0x47},         {XK_Page_Down, 0xD1}, {XK_Tab, 0x0F},       {XK_BackSpace, 0x0E},
    };
    for (const Case& c : cases) {
        FakeKey(c.keysym, true);
        EXPECT_TRUE(PollUntil(c.slot, true)) << "slot " << c.slot;
        for (int slot = 0; slot < 256; ++slot) {
            if (slot != c.slot) {
                EXPECT_FALSE(devices->KeyDown(slot)) << "slot " << slot << " with " << c.slot;
            }
        }
        EXPECT_EQ(devices->keyState[c.slot], 0x80);
        FakeKey(c.keysym, false);
        EXPECT_TRUE(PollUntil(c.slot, false)) << "slot " << c.slot;
    }
}

TEST_F(Input, KeyboardReadsReleasedWithoutFocus) {
    devices = std::make_unique<InputDevices>(appWindow);
    SDL_Window* other = SDL_CreateWindow("other", 0, 0, 100, 100, 0);
    ASSERT_NE(other, nullptr);
    SDL_SetWindowInputFocus(other);
    ASSERT_TRUE(WaitFor([&] {
        SDL_PumpEvents();
        return SDL_GetKeyboardFocus() == other;
    }));
    FakeKey(XK_Right, true);
    // SDL sees the key held, but not in our window: every slot reads released.
    ASSERT_TRUE(WaitFor([] {
        SDL_PumpEvents();
        return SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_RIGHT] != 0;
    }));
    devices->keyState[KEY_Z] = 0x80;  // a key that was down before the focus went
    devices->Poll();
    for (int slot = 0; slot < 256; ++slot) EXPECT_EQ(devices->keyState[slot], 0) << slot;
    // With the focus back the held key reads down again.
    SDL_SetWindowInputFocus(appWindow);
    bool backDown = PollUntil(KEY_RIGHT, true);
    FakeKey(XK_Right, false);
    EXPECT_TRUE(backDown);
    SDL_DestroyWindow(other);
}

TEST_F(Input, MouseButtonsFillTheirSlots) {
    devices = std::make_unique<InputDevices>(appWindow);
    // SDL drops a click that comes within 10 ms of the window getting the focus
    // (the click that activates a window); let that moment pass.
    SDL_Delay(50);
    struct Case {
        unsigned int button;
        int slot;
    };
    const Case cases[] = {{1, KEY_MOUSE_LEFT}, {2, KEY_MOUSE_MIDDLE}, {3, KEY_MOUSE_RIGHT}};
    for (const Case& c : cases) {
        FakeButton(c.button, true);
        EXPECT_TRUE(PollUntil(c.slot, true)) << "button " << c.button;
        EXPECT_EQ(devices->keyState[c.slot], 0x80);
        for (const Case& other : cases) {
            if (other.slot != c.slot) {
                EXPECT_EQ(devices->keyState[other.slot], 0) << "button " << c.button;
            }
        }
        FakeButton(c.button, false);
        EXPECT_TRUE(PollUntil(c.slot, false)) << "button " << c.button;
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Input, SlotsOutsideTheTableAreNeverDown) {
    devices = std::make_unique<InputDevices>(appWindow);
    EXPECT_FALSE(devices->KeyDown(-1));
    EXPECT_FALSE(devices->KeyDown(KEY_SLOT_COUNT));
    EXPECT_FALSE(devices->KeyDown(100000));
}

TEST(InputWithoutVideo, MouseErrorBoxAndStartUpGoesOn) {
    BoxRecorder boxes;
    ASSERT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    {
        InputDevices devices(nullptr);
        devices.Poll();
        EXPECT_FALSE(devices.KeyDown(KEY_MOUSE_LEFT));
        EXPECT_FALSE(devices.KeyDown(KEY_ESCAPE));
    }
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Mouse Error");
    EXPECT_EQ(boxes.Boxes()[0].caption, "Error");
    EXPECT_EQ(boxes.Boxes()[0].icon, BoxIcon::None);
}

namespace {
// A device's GUID as mappings name it: without the check value of the device's
// name (characters 4 to 7), the way SDL's database and players' files write it.
std::string MappingGuid(int index) {
    char text[33];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), text, sizeof text);
    std::string guid = text;
    guid.replace(4, 4, "0000");
    return guid;
}

// A pad plugged in after start-up: a virtual device of ten buttons and two axes
// with the mapping a real pad gets from SDL's database or SDL_GAMECONTROLLERCONFIG.
const char* const PAD_MAPPING =
    ",Test Pad,a:b0,b:b1,x:b2,y:b3,leftshoulder:b4,rightshoulder:b5,dpup:b6,dpdown:b7,dpleft:b8,dpright:b9,"
    "start:b10,leftx:a0,lefty:a1,";
constexpr int PAD_BUTTONS = 11;
constexpr int PAD_A = 0, PAD_UP = 6, PAD_DOWN = 7, PAD_LEFT = 8, PAD_RIGHT = 9, PAD_START = 10;

class Gamepad : public Input {
protected:
    void SetUp() override {
        Input::SetUp();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0);
        if (SDL_NumJoysticks() != 0) GTEST_SKIP() << "another joystick is attached";
        devices = std::make_unique<InputDevices>(appWindow);
        EXPECT_FALSE(JoystickPresent());
    }
    void TearDown() override {
        Input::TearDown();
        if (handle) SDL_JoystickClose(handle);
        if (index >= 0) SDL_JoystickDetachVirtual(index);
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    // Attaches the device while the polling thread is held off, so it finds it
    // with its mapping in place; then waits until the thread has opened it.
    void Plug(SDL_JoystickType type, bool mapped) {
        SDL_LockJoysticks();
        index = SDL_JoystickAttachVirtual(type, 2, PAD_BUTTONS, 0);
        if (mapped && index >= 0) {
            EXPECT_GE(SDL_GameControllerAddMapping((MappingGuid(index) + PAD_MAPPING).c_str()), 0)
                << SDL_GetError();
        }
        handle = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        SDL_UnlockJoysticks();
        ASSERT_NE(handle, nullptr) << SDL_GetError();
        ASSERT_TRUE(WaitFor(JoystickPresent));
    }
    void Unplug() {
        SDL_LockJoysticks();
        SDL_JoystickClose(handle);
        handle = nullptr;
        SDL_JoystickDetachVirtual(index);
        index = -1;
        SDL_UnlockJoysticks();
        ASSERT_TRUE(WaitFor([] { return !JoystickPresent(); }));
    }
    void SetAndPoll(int x, int y, int pressedButton) {
        SDL_LockJoysticks();
        SDL_JoystickSetVirtualAxis(handle, 0, static_cast<Sint16>(x));
        SDL_JoystickSetVirtualAxis(handle, 1, static_cast<Sint16>(y));
        for (int i = 0; i < PAD_BUTTONS; ++i) SDL_JoystickSetVirtualButton(handle, i, i == pressedButton);
        devices->Poll();
        SDL_UnlockJoysticks();
        ASSERT_TRUE(WaitFor(JoystickHandOverReady));
        devices->Poll();
    }
    // The five slots the world reads: right, left, up, down, button 1.
    std::vector<int> Slots() const {
        return {devices->keyState[KEY_JOY_RIGHT], devices->keyState[KEY_JOY_LEFT],
                devices->keyState[KEY_JOY_UP], devices->keyState[KEY_JOY_DOWN],
                devices->keyState[KEY_JOY_BUTTON1]};
    }
    void ExpectPadReachesTheSlots() {
        struct Case {
            const char* what;
            int x, y, button;
            std::vector<int> slots;
        };
        const Case cases[] = {
            {"at rest", 0, 0, -1, {0, 0, 0, 0, 0}},
            {"stick right", 32767, 0, -1, {1, 0, 0, 0, 0}},
            {"stick left", -32768, 0, -1, {0, 1, 0, 0, 0}},
            {"stick up", 0, -32768, -1, {0, 0, 1, 0, 0}},
            {"stick down", 0, 32767, -1, {0, 0, 0, 1, 0}},
            {"stick just inside the threshold", RawFor(300), 0, -1, {0, 0, 0, 0, 0}},
            {"stick just past the threshold", RawFor(301), 0, -1, {1, 0, 0, 0, 0}},
            {"D-pad right", 0, 0, PAD_RIGHT, {1, 0, 0, 0, 0}},
            {"D-pad left", 0, 0, PAD_LEFT, {0, 1, 0, 0, 0}},
            {"D-pad up", 0, 0, PAD_UP, {0, 0, 1, 0, 0}},
            {"D-pad down", 0, 0, PAD_DOWN, {0, 0, 0, 1, 0}},
            {"south button fires", 0, 0, PAD_A, {0, 0, 0, 0, 1}},
        };
        for (const Case& c : cases) {
            SetAndPoll(c.x, c.y, c.button);
            EXPECT_EQ(Slots(), c.slots) << c.what;
        }
    }

    int index = -1;
    SDL_Joystick* handle = nullptr;
};
}  // namespace

TEST_F(Gamepad, PluggedInAfterStartRemovedAndPluggedInAgain) {
    devices->Poll();
    EXPECT_EQ(Slots(), std::vector<int>(5, 0));
    Plug(SDL_JOYSTICK_TYPE_UNKNOWN, true);
    ASSERT_TRUE(SDL_IsGameController(index));
    ExpectPadReachesTheSlots();

    SetAndPoll(32767, 0, PAD_A);
    ASSERT_EQ(Slots(), (std::vector<int>{1, 0, 0, 0, 1}));
    Unplug();
    devices->Poll();
    EXPECT_EQ(Slots(), std::vector<int>(5, 0)) << "a pulled-out pad holds nothing";

    Plug(SDL_JOYSTICK_TYPE_UNKNOWN, true);
    ExpectPadReachesTheSlots();
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(Gamepad, StartIsTakenOncePerPressAndReachesNoWorldSlot) {
    Plug(SDL_JOYSTICK_TYPE_UNKNOWN, true);
    ASSERT_TRUE(SDL_IsGameController(index));
    EXPECT_FALSE(devices->TakePadStart());
    SetAndPoll(0, 0, PAD_START);
    EXPECT_EQ(Slots(), std::vector<int>(5, 0));
    EXPECT_TRUE(devices->TakePadStart());
    EXPECT_FALSE(devices->TakePadStart()) << "taken once";
    SetAndPoll(0, 0, PAD_START);
    EXPECT_FALSE(devices->TakePadStart()) << "held is not pressed again";
    SetAndPoll(0, 0, -1);
    EXPECT_FALSE(devices->TakePadStart());
    SetAndPoll(0, 0, PAD_START);
    EXPECT_TRUE(devices->TakePadStart()) << "pressed again";
}

TEST_F(Gamepad, UnmappedDevicePluggedInLaterReadsAsARawJoystick) {
    Plug(SDL_JOYSTICK_TYPE_UNKNOWN, false);
    ASSERT_FALSE(SDL_IsGameController(index));
    // Raw: axes 0 and 1, buttons 1..6 in order; what a pad calls the D-pad is
    // only more buttons here.
    SetAndPoll(0, -32768, -1);
    EXPECT_EQ(Slots(), (std::vector<int>{0, 0, 1, 0, 0}));
    SetAndPoll(0, 0, 0);
    EXPECT_EQ(Slots(), (std::vector<int>{0, 0, 0, 0, 1}));
    SetAndPoll(0, 0, 5);
    EXPECT_EQ(devices->keyState[KEY_JOY_BUTTON1 + 5], 1);
    SetAndPoll(0, 0, PAD_UP);
    EXPECT_EQ(Slots(), std::vector<int>(5, 0));
}

// SDL reads SDL_GAMECONTROLLERCONFIG, and the file SDL_GAMECONTROLLERCONFIG_FILE
// names, as its joystick layer starts: a device with no mapping of its own becomes
// a pad with the player's layout.
namespace {
// The GUID SDL gives the virtual device, learned with the joystick layer started
// and stopped again, so that the layer reads the environment afresh.
std::string VirtualDeviceGuid() {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return "";
    std::string guid;
    if (SDL_NumJoysticks() == 0) {
        int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
        if (index >= 0) {
            guid = MappingGuid(index);
            SDL_JoystickDetachVirtual(index);
        }
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    return guid;
}
}  // namespace

TEST_F(Input, MappingFromTheEnvironmentOrAMappingsFileIsHonoured) {
    const std::string guid = VirtualDeviceGuid();
    if (guid.empty()) GTEST_SKIP() << "another joystick is attached";
    // The south button is the fourth one on this device.
    const std::string mapping = guid + ",Player Pad,a:b3,leftx:a0,lefty:a1,";
    const std::string file = testing::TempDir() + "vortane_pad_mappings.txt";
    {
        FILE* out = std::fopen(file.c_str(), "w");
        ASSERT_NE(out, nullptr);
        // A file's lines count only for the platform they name.
        std::fprintf(out, "# the player's own pads\n%splatform:Linux,\n", mapping.c_str());
        std::fclose(out);
    }
    struct Case {
        const char* variable;
        std::string value;
    };
    const Case cases[] = {
        {"SDL_GAMECONTROLLERCONFIG", mapping},
        {"SDL_GAMECONTROLLERCONFIG_FILE", file},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variable);
        setenv(c.variable, c.value.c_str(), 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
        unsetenv(c.variable);
        int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        EXPECT_TRUE(SDL_IsGameController(index));
        devices = std::make_unique<InputDevices>(appWindow);
        EXPECT_TRUE(JoystickPresent());
        SDL_Joystick* handle = SDL_JoystickOpen(index);
        ASSERT_NE(handle, nullptr);
        SDL_LockJoysticks();
        SDL_JoystickSetVirtualButton(handle, 3, 1);
        SDL_JoystickSetVirtualButton(handle, 0, 0);
        devices->Poll();
        SDL_UnlockJoysticks();
        ASSERT_TRUE(WaitFor(JoystickHandOverReady));
        devices->Poll();
        EXPECT_EQ(devices->keyState[KEY_JOY_BUTTON1], 1) << "button 4 fires through the mapping";
        devices.reset();
        SDL_JoystickClose(handle);
        SDL_JoystickDetachVirtual(index);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    std::remove(file.c_str());
}

// A press made and let go between two polls (a tap from a remote desktop, an
// on-screen keyboard, a quick finger on a slow frame) reads as held at the next
// poll and released at the one after.
TEST_F(Input, KeyTappedBetweenTwoPollsIsHeldForTheNextPoll) {
    devices = std::make_unique<InputDevices>(appWindow);
    const struct {
        unsigned long keysym;
        int slot;
    } keys[] = {{XK_Escape, KEY_ESCAPE}, {XK_z, KEY_Z}, {XK_1, KEY_1},
                {XK_2, KEY_2},           {XK_3, KEY_3}, {XK_Left, KEY_LEFT}};
    for (const auto& key : keys) {
        devices->Poll();
        FakeKey(key.keysym, true);
        FakeKey(key.keysym, false);
        // Once the two events are in, the snapshot says released; the tap still counts.
        EXPECT_TRUE(PollUntil(key.slot, true)) << "slot " << key.slot;
        devices->Poll();
        EXPECT_FALSE(devices->KeyDown(key.slot)) << "held for one poll only, slot " << key.slot;
    }
}

TEST_F(Input, MouseClickBetweenTwoPollsIsHeldForTheNextPoll) {
    devices = std::make_unique<InputDevices>(appWindow);
    SDL_Delay(50);  // past the click that would activate the window
    devices->Poll();
    FakeButton(1, true);
    FakeButton(1, false);
    EXPECT_TRUE(PollUntil(KEY_MOUSE_LEFT, true));
    devices->Poll();
    EXPECT_FALSE(devices->KeyDown(KEY_MOUSE_LEFT));
}

TEST_F(Input, PressesInAnotherWindowAreNotLatched) {
    devices = std::make_unique<InputDevices>(appWindow);
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(appWindow) + 1000;
    event.key.keysym.scancode = SDL_SCANCODE_Z;
    SDL_PushEvent(&event);
    event.key.windowID = SDL_GetWindowID(appWindow);
    event.key.keysym.scancode = SDL_SCANCODE_1;
    SDL_PushEvent(&event);
    devices->Poll();
    EXPECT_FALSE(devices->KeyDown(KEY_Z));
    EXPECT_TRUE(devices->KeyDown(KEY_1));
}

// A pad's press arrives as an event on the polling thread; one pressed and let go
// within a single poll of the device leaves only that event behind.
TEST_F(Joystick, RawButtonPressEventIsHeldForTheNextPoll) {
    SetAndPoll(0, 0);
    SDL_Event event{};
    event.type = SDL_JOYBUTTONDOWN;
    event.jbutton.which = SDL_JoystickInstanceID(handle);
    event.jbutton.button = 2;
    event.jbutton.state = SDL_PRESSED;
    SDL_PushEvent(&event);
    devices->Poll();
    EXPECT_EQ(Slot(KEY_JOY_BUTTON1 + 2), 1);
    devices->Poll();
    EXPECT_EQ(Slot(KEY_JOY_BUTTON1 + 2), 0)
        << "released after one poll, though no new poll of the device came";
}

namespace {
int controllerPresses = 0;
int CountControllerPresses(void*, SDL_Event* event) {
    if (event->type == SDL_CONTROLLERBUTTONDOWN) ++controllerPresses;
    return 1;
}
}  // namespace

TEST_F(Gamepad, ButtonPressesArriveAsEventsAndAreHeldForTheNextPoll) {
    Plug(SDL_JOYSTICK_TYPE_UNKNOWN, true);
    ASSERT_TRUE(SDL_IsGameController(index));
    // A real press comes as a controller event, the one the latch listens to.
    controllerPresses = 0;
    SDL_AddEventWatch(CountControllerPresses, nullptr);
    SetAndPoll(0, 0, PAD_A);
    SDL_DelEventWatch(CountControllerPresses, nullptr);
    EXPECT_GT(controllerPresses, 0);
    SetAndPoll(0, 0, -1);
    ASSERT_EQ(Slots(), std::vector<int>(5, 0));

    const struct {
        SDL_GameControllerButton button;
        std::vector<int> slots;
    } cases[] = {
        {SDL_CONTROLLER_BUTTON_A, {0, 0, 0, 0, 1}},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {0, 1, 0, 0, 0}},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, {0, 0, 1, 0, 0}},
    };
    for (const auto& c : cases) {
        SDL_Event event{};
        event.type = SDL_CONTROLLERBUTTONDOWN;
        event.cbutton.which = SDL_JoystickInstanceID(handle);
        event.cbutton.button = c.button;
        event.cbutton.state = SDL_PRESSED;
        SDL_PushEvent(&event);
        devices->Poll();
        EXPECT_EQ(Slots(), c.slots) << c.button;
        devices->Poll();
        EXPECT_EQ(Slots(), std::vector<int>(5, 0)) << c.button;
    }
}

// SDL says nothing when the mappings file is missing; the game does, once, as its
// input devices start, and goes on.
TEST_F(Input, MissingMappingsFileIsNamedOnceAndTheGameGoesOn) {
    setenv("SDL_GAMECONTROLLERCONFIG_FILE", "/nonexistent/pads.txt", 1);
    testing::internal::CaptureStderr();
    devices = std::make_unique<InputDevices>(appWindow);
    std::string message = testing::internal::GetCapturedStderr();
    unsetenv("SDL_GAMECONTROLLERCONFIG_FILE");
    EXPECT_NE(message.find("SDL_GAMECONTROLLERCONFIG_FILE names /nonexistent/pads.txt"), std::string::npos)
        << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    devices->Poll();
    EXPECT_TRUE(boxes.Boxes().empty());
}
