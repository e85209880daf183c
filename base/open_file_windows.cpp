#include "base/open_file.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "base/wide_text_windows.h"

// The C library's narrow names are in the system's code page; the wide calls take
// every name. Descriptors stay in this process (no inheritance) and in binary.
int OpenForReading(const std::string& path) {
    return _wopen(WideText(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

// Opening a named pipe here does not wait for its writer: nothing to undo.
void ReadWithWaiting(int) {}

int OpenForWriting(const std::string& path) {
    return _wopen(WideText(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}
