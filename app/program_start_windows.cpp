// What every Windows program of ours does before main: its standard streams carry
// bytes as they are (a trace or a recording on stdout must not gain a carriage
// return before each newline), and a GUI program started from a console prints
// there (--help, --version and every message), as it does on Linux.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace {

bool HasHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

struct ProgramStart {
    ProgramStart() {
        // A GUI program has no console of its own; a redirected stream keeps its
        // file or pipe, and only a stream with nowhere to go is sent to the
        // console the program was started from.
        if (GetConsoleWindow() == nullptr && AttachConsole(ATTACH_PARENT_PROCESS)) {
            // A console that cannot be opened leaves the stream as it was: there is
            // nowhere else to say so.
            if (!HasHandle(STD_OUTPUT_HANDLE)) static_cast<void>(std::freopen("CONOUT$", "w", stdout));
            if (!HasHandle(STD_ERROR_HANDLE)) static_cast<void>(std::freopen("CONOUT$", "w", stderr));
        }
        _setmode(_fileno(stdin), _O_BINARY);
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
        // The frame limiter sleeps to the millisecond, not to the default 15.6 ms tick.
        timeBeginPeriod(1);
    }
};

const ProgramStart programStart;

}  // namespace
