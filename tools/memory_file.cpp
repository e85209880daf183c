#include "tools/memory_file.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifdef _WIN32
// Windows has no fmemopen: a temporary file that the system deletes when it is
// closed (the D of "w+bTD"), kept in memory while it is small (the T).
std::FILE* OpenMemoryFile(const std::vector<uint8_t>& bytes) {
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"zdr", 0, name) == 0)
        return nullptr;
    std::FILE* file = _wfopen(name, L"w+bTD");
    if (!file) return nullptr;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::fclose(file);
        return nullptr;
    }
    std::rewind(file);
    return file;
}
#else
std::FILE* OpenMemoryFile(const std::vector<uint8_t>& bytes) {
    static uint8_t none;
    // fmemopen reads through the pointer; the bytes outlive the FILE.
    void* data = bytes.empty() ? &none : const_cast<uint8_t*>(bytes.data());
    return fmemopen(data, bytes.size(), "rb");
}
#endif
