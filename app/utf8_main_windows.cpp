// The tools' entry on Windows: main's narrow arguments are in the system's code
// page, which cannot spell every file name, so the wide command line is turned
// into UTF-8 (what every path in the program is) and handed to the tool's own
// main, compiled under the name VortaneMain. The games get the same from SDL2main.
#include <windows.h>

#include <string>
#include <vector>

int VortaneMain(int argc, char** argv);

namespace {
std::string Utf8(const wchar_t* wide) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return std::string();
    std::string text(static_cast<size_t>(bytes - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, &text[0], bytes, nullptr, nullptr);
    return text;
}
}  // namespace

extern "C" int wmain(int argc, wchar_t** wideArgv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.push_back(Utf8(wideArgv[i]));
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    return VortaneMain(argc, argv.data());
}
