#include "synth/file_reader.h"

bool FileReader::Bytes(void* buffer, size_t size) {
    if (Failed()) return false;
    if (size == 0) return true;
    if (!file || std::fread(buffer, 1, size, file) != size) return Fail("file is truncated");
    return true;
}

bool FileReader::Byte(uint8_t& value) { return Bytes(&value, 1); }

bool FileReader::Int16(int32_t& value) {
    uint8_t b[2];
    if (!Bytes(b, 2)) return false;
    value = static_cast<int16_t>(static_cast<uint16_t>(b[0] | b[1] << 8));
    return true;
}

bool FileReader::Uint16(int32_t& value) {
    uint8_t b[2];
    if (!Bytes(b, 2)) return false;
    value = b[0] | b[1] << 8;
    return true;
}

bool FileReader::Fail(const std::string& why) {
    if (reason.empty()) reason = why;
    return false;
}
