#include "web/page_pause.h"

#include <gtest/gtest.h>

TEST(PagePause, WaitsForThePlayersFirstGesture) {
    PagePause pause;
    EXPECT_EQ(pause.State(), PageState::Start);
    EXPECT_FALSE(pause.Stepping());
    // A hidden page before the start is still the start: the overlay stays.
    pause.Pause();
    EXPECT_EQ(pause.State(), PageState::Start);
    pause.Play();
    EXPECT_EQ(pause.State(), PageState::Playing);
    EXPECT_TRUE(pause.Stepping());
}

TEST(PagePause, PausesAndResumes) {
    PagePause pause;
    pause.Play();
    pause.Pause();
    EXPECT_EQ(pause.State(), PageState::Paused);
    EXPECT_FALSE(pause.Stepping());
    pause.Play();
    EXPECT_TRUE(pause.Stepping());
}

TEST(PagePause, AContextLossOutlastsGesturesAndComesBackPaused) {
    PagePause pause;
    pause.Play();
    pause.LoseContext();
    EXPECT_EQ(pause.State(), PageState::ContextLost);
    pause.Play();
    EXPECT_EQ(pause.State(), PageState::ContextLost);
    pause.RestoreContext();
    EXPECT_EQ(pause.State(), PageState::Paused);

    // Lost before the start: back at the start overlay, not paused.
    PagePause waiting;
    waiting.LoseContext();
    waiting.RestoreContext();
    EXPECT_EQ(waiting.State(), PageState::Start);
}

TEST(PageKeys, EachStateGivesEachKeyItsJob) {
    struct Case {
        PageState state;
        const char* code;
        PageKeyAction action;
    };
    const Case cases[] = {
        {PageState::Start, "KeyZ", PageKeyAction::Play},
        {PageState::Start, "ArrowUp", PageKeyAction::Play},
        {PageState::Start, "KeyP", PageKeyAction::Play},
        {PageState::Start, "Escape", PageKeyAction::Escape},  // never starts, never ends
        {PageState::Start, "F11", PageKeyAction::BrowserOwns},
        {PageState::Start, "F5", PageKeyAction::BrowserOwns},
        {PageState::Start, "Tab", PageKeyAction::BrowserOwns},
        {PageState::Start, "ControlLeft", PageKeyAction::BrowserOwns},
        {PageState::Playing, "KeyZ", PageKeyAction::ToWorld},
        {PageState::Playing, "Digit1", PageKeyAction::ToWorld},
        {PageState::Playing, "F11", PageKeyAction::ToWorld},
        {PageState::Playing, "KeyP", PageKeyAction::Pause},
        {PageState::Playing, "Escape", PageKeyAction::Pause},
        {PageState::Paused, "KeyP", PageKeyAction::Play},
        {PageState::Paused, "Space", PageKeyAction::Play},
        {PageState::Paused, "Escape", PageKeyAction::Escape},
        {PageState::ContextLost, "KeyP", PageKeyAction::Ignore},
        {PageState::ContextLost, "KeyZ", PageKeyAction::Ignore},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyActionOf(c.state, c.code), c.action) << static_cast<int>(c.state) << " " << c.code;
}

TEST(PageKeys, EscapeAndPNeverReachTheWorld) {
    EXPECT_TRUE(IsPageOnlyKey("Escape"));
    EXPECT_TRUE(IsPageOnlyKey("KeyP"));
    EXPECT_FALSE(IsPageOnlyKey("KeyZ"));
    EXPECT_FALSE(IsPageOnlyKey("ArrowLeft"));
}
