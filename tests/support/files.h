#pragma once
// Whole files read in one call, for checking what a program or a step wrote.
#include <cstdint>
#include <string>
#include <vector>

// The file's bytes as text; "" when it cannot be read.
std::string ReadFile(const std::string& path);

// The file's bytes; empty when it cannot be read.
std::vector<uint8_t> ReadBytes(const std::string& path);

// Writes the whole file; false when it cannot be written.
bool WriteFile(const std::string& path, const std::string& text);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

bool FileExists(const std::string& path);

// The text split into its lines, newlines removed.
std::vector<std::string> Lines(const std::string& text);
