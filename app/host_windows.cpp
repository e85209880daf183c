#include "app/host.h"

#include <windows.h>

#include <vector>

std::string ProgramPath() {
    // Long paths exist: grow the buffer until the whole name fits.
    std::vector<wchar_t> wide(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
        if (length == 0) return std::string();
        if (length < wide.size()) break;
        wide.resize(wide.size() * 2);
    }
    int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string path(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(length), &path[0], bytes, nullptr, nullptr);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

const char* const HOST_VIDEO_DRIVERS = "windows";

// A write to a closed pipe fails with an error here; no signal to ignore.
void IgnoreBrokenPipes() {}
