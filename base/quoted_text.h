#pragma once
#include <string>

// Text read from a file, made safe to print: every byte outside printable ASCII
// (control characters such as ESC and NUL, tabs, bytes of 128 and above) becomes
// \xNN, so a hostile file can neither drive the terminal nor cut a message short.
// Printable text passes unchanged, so quoting twice changes nothing.
std::string QuoteUnprintable(const std::string& text);
