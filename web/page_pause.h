#pragma once
#include <cstdint>

// When the page lets the world step. The world waits for the player's first
// gesture (click to play: no step and no sound before it), and again while the
// player has paused (P, Escape), while the page is hidden or without the focus,
// and while its WebGL context is lost. Main thread.
enum class PageState : int32_t { Start = 0, Playing = 1, Paused = 2, ContextLost = 3 };

class PagePause {
public:
    PageState State() const;
    bool Stepping() const { return State() == PageState::Playing; }

    // The player's gesture (a click, a tap, a key, a pad button): starts the game
    // or ends a pause. It cannot end a context loss.
    void Play();
    // P or Escape while playing, the page hidden or its focus lost; nothing
    // before the game has started.
    void Pause();
    void LoseContext() { contextLost = true; }
    // Back from a context loss, paused: the player resumes with a gesture.
    void RestoreContext();

private:
    bool started = false;
    bool paused = false;
    bool contextLost = false;
};

// What a key press (not a repeat) does to the page, by its DOM code.
enum class PageKeyAction {
    ToWorld,      // a control for the world's step (while playing)
    Play,         // start or resume; the press is not for the world
    Pause,        // P or Escape while playing
    Escape,       // Escape while waiting: leaves full screen, never ends the game
    BrowserOwns,  // function keys, modifiers and Tab while waiting: the browser's
    Ignore,       // anything while the context is lost
};
PageKeyAction KeyActionOf(PageState state, const char* domCode);
// Escape and P: the page's keys, never the world's, pressed or released.
bool IsPageOnlyKey(const char* domCode);
