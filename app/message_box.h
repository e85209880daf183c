#pragma once

// Modal message boxes for set-up and shutdown failures. Every box is also written
// to stderr first, because a box cannot show without a display.
enum class BoxIcon { None, Exclamation, Information };

// reason, when given, is the platform's own explanation; it goes to stderr only,
// the box shows the fixed text.
void ShowMessageBox(const char* text, const char* caption, BoxIcon icon, const char* reason = nullptr);

// Where boxes go after stderr. The default shows a real SDL box and blocks until
// it is dismissed; tests install a recorder so that nothing waits for a click.
using MessageBoxHandler = void (*)(const char* text, const char* caption, BoxIcon icon);

// Installs a handler (nullptr restores the SDL box) and returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
