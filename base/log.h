#pragma once

// The diagnostic log "log.txt" in the working directory. Every line goes through
// LogLine, and only while the logging flag is set; with it clear nothing is
// written and the file is not created. Any thread may call LogLine; only the
// main thread switches the flag.
void LogLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
void LogEnable();
void LogDisable();
bool LogEnabled();

// A message is formatted into this many bytes; a longer one is cut to fit.
constexpr int LOG_BUFFER_SIZE = 1024;
