#include "base/log.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace {
// Read by the audio thread's timing warnings, written by the main thread.
std::atomic<bool> loggingEnabled{false};
}  // namespace

void LogLine(const char* format, ...) {
    if (!loggingEnabled.load(std::memory_order_acquire)) return;
    char message[LOG_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    // vsnprintf never writes past the buffer; an over-long message is cut.
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    // Opened per line so the file is complete up to the last line at every moment.
    // Binary, so the file holds the same bytes on every system (no CR added on Windows).
    std::FILE* file = std::fopen("log.txt", "ab");
    if (!file) return;
    std::fprintf(file, "\n%s", message);
    std::fclose(file);
}

void LogEnable() { loggingEnabled.store(true, std::memory_order_release); }
void LogDisable() { loggingEnabled.store(false, std::memory_order_release); }
bool LogEnabled() { return loggingEnabled.load(std::memory_order_acquire); }
