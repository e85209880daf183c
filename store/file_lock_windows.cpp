#include "store/file_lock.h"

#include <windows.h>

#include "base/wide_text_windows.h"
#include "store/system_error_windows.h"

FileLock::FileLock(const std::string& path) {
    // Shared for reading and writing: the lock, not the opening, keeps two games apart.
    HANDLE file = CreateFileW(WideText(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = "cannot open the lock " + path + " (" + LastSystemError() + ")";
        return;
    }
    handle = reinterpret_cast<intptr_t>(file);
    // Waits for the holder, as flock does; the system lets go when a holder dies.
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        error = "cannot lock " + path + " (" + LastSystemError() + ")";
        return;
    }
    held = true;
}

FileLock::~FileLock() {
    // Closing the handle lets go of the lock.
    if (handle != -1) CloseHandle(reinterpret_cast<HANDLE>(handle));
}
