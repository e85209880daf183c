#pragma once
#include <string>

// UTF-8 (every path and text in the program) as the UTF-16 that Windows' wide
// calls take; Windows only.
std::wstring WideText(const std::string& utf8);
