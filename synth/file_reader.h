#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

// Field-by-field reader of the little-endian data files. The first failure
// (end of file or a field beyond the format's limits) is kept with its reason;
// every later read fails, so a loader can check once at the end of a record.
class FileReader {
public:
    explicit FileReader(std::FILE* file) : file(file) {}

    bool Byte(uint8_t& value);
    bool Int16(int32_t& value);  // signed, widened with its sign
    bool Uint16(int32_t& value);
    bool Bytes(void* buffer, size_t size);

    // Records the first reason only; returns false so callers can `return Fail(...)`.
    bool Fail(const std::string& why);
    // Puts where the failure happened in front of its reason; returns false.
    bool AddContext(const std::string& where) {
        reason = where + ": " + reason;
        return false;
    }
    bool Failed() const { return !reason.empty(); }
    const std::string& Reason() const { return reason; }

private:
    std::FILE* file;
    std::string reason;
};
