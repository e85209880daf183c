#pragma once
// Bytes in memory as a FILE open for reading, for loaders that read a FILE like any
// other. nullptr when it cannot be made. The caller closes it.
#include <cstdint>
#include <cstdio>
#include <vector>

std::FILE* OpenMemoryFile(const std::vector<uint8_t>& bytes);
