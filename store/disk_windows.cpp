#include "store/disk.h"

#include <windows.h>

#include <algorithm>

#include "base/wide_text_windows.h"
#include "store/system_error_windows.h"

namespace {

std::string Reason(const char* what) { return std::string(what) + " (" + LastSystemError() + ")"; }

}  // namespace

std::string WriteToDisk(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileW(WideText(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Reason("no temporary file");
    size_t done = 0;
    while (done < text.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0) {
            std::string reason = Reason("writing");
            CloseHandle(file);
            return reason;
        }
        done += written;
    }
    // Windows' fsync: the data and the file's size reach the disk.
    if (!FlushFileBuffers(file)) {
        std::string reason = Reason("writing");
        CloseHandle(file);
        return reason;
    }
    if (!CloseHandle(file)) return Reason("closing");
    return "";
}

std::string MoveOver(const std::string& from, const std::string& to) {
    // A plain rename refuses an existing target here; write-through returns only
    // once the rename is on the disk, which is what syncing the folder does elsewhere.
    if (!MoveFileExW(WideText(from).c_str(), WideText(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return LastSystemError();
    return "";
}

void RemoveQuietly(const std::string& path) { DeleteFileW(WideText(path).c_str()); }

long ThisProcessId() { return static_cast<long>(GetCurrentProcessId()); }

bool ProcessGone(long id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    // No such process: the id names nothing now. Any other refusal (another user's
    // process) means it runs.
    if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
    // An ended process lingers while anyone holds a handle to it.
    DWORD code = 0;
    bool ended = GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
    CloseHandle(process);
    return ended;
}
