#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// The bytes as a read-only stdio stream, as the loaders take their files. An
// empty input reads as an empty file. Close with std::fclose.
std::FILE* OpenBytes(const uint8_t* data, size_t size);

// A path that names a file holding exactly the bytes (a memory file of this
// process), for loaders that open their file by name.
const char* PathOfBytes(const uint8_t* data, size_t size);
