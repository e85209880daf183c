#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

// The one command-line convention of every vortane program, over glibc's getopt_long:
// `--opt=value` and `--opt value` both work (and any unique prefix of a long name),
// options and operands mix in any order, `--` ends the options. Every program knows
// `-h`/`--help` (usage on stdout, exit 0) and `--version` ("NAME VERSION" on stdout,
// exit 0). A command line that cannot be used gets one stderr line that names the
// offending option or value and ends in "try --help", and exit status 2.

// Exit statuses every program shares: 0 after a run, --help or --version.
constexpr int EXIT_RUN_FAILED = 1;  // something failed while running (a write, the display)
constexpr int EXIT_USAGE = 2;       // the command line (or an input it names) cannot be used

// The version of the whole project, as CMake's project() declares it.
const char* VortaneVersion();

// One option. `apply` gets the value (nullptr for an option without one) and
// returns false with `expected` saying what a good value looks like.
struct CommandOption {
    const char* name;       // long name without the dashes
    char shortName;         // 0 for none
    const char* valueName;  // "N", "FILE"; nullptr for an option that takes no value
    const char* help;       // one line for --help
    std::function<bool(const char* value, std::string& expected)> apply;
};

struct CommandLine {
    const char* program;  // the name in messages, --help and --version
    const char* usage;    // what follows "usage: PROGRAM " (lines after the first indented)
    const char* summary;  // what the program does, under the usage line
    std::vector<CommandOption> options;
    size_t minOperands = 0;
    size_t maxOperands = 0;        // SIZE_MAX for any number
    const char* operandName = "";  // as named in "missing FILE"
    const char* notes = nullptr;   // printed after the options by --help: formats, examples
};

// Sets the program name (base/program_name.h), then parses. Returns true when the
// program should run, with the operands in order. Otherwise `exitStatus` is 0 after
// --help or --version (printed to `out`) or EXIT_USAGE after an error (one line on
// `err`).
bool ParseCommandLine(const CommandLine& line, int argc, char** argv, std::vector<std::string>& operands,
                      int& exitStatus, std::FILE* out = stdout, std::FILE* err = stderr);

// A usage error found after parsing (a required option missing, two options that
// exclude each other): the same one-line form as the parser's. Returns EXIT_USAGE.
int UsageError(const std::string& message);

// "PROGRAM: message" on stderr for a failure while running. Returns EXIT_RUN_FAILED.
int RunFailure(const std::string& message);

// Plain decimal digits only (no sign, space or suffix), within min..max.
bool ParseWholeNumber(const char* text, uint64_t min, uint64_t max, uint64_t& value);

// A decimal number such as 2, 0.5 or 1e3 (no hex, no inf or nan), within min..max.
bool ParseDecimal(const char* text, double min, double max, double& value);

// Builders for the common shapes of option; each stores into its target.
CommandOption FlagOption(const char* name, const char* help, bool* target);
// Any non-empty text; "-" stays "-" (the standard stream, where the program allows).
CommandOption TextOption(const char* name, const char* valueName, const char* help, std::string* target);
CommandOption ChoiceOption(const char* name, const char* valueName, const char* help,
                           std::vector<std::string> choices, std::string* target);
CommandOption DecimalOption(const char* name, const char* valueName, const char* help, double* target,
                            double min, double max);
std::string WholeNumberExpectation(uint64_t min, uint64_t max);

template <typename T>
CommandOption NumberOption(const char* name, const char* valueName, const char* help, T* target, T min,
                           T max) {
    static_assert(std::is_integral<T>::value, "whole numbers only");
    uint64_t low = static_cast<uint64_t>(min), high = static_cast<uint64_t>(max);
    return {name, 0, valueName, help, [=](const char* text, std::string& expected) {
                uint64_t value = 0;
                if (!ParseWholeNumber(text, low, high, value)) {
                    expected = WholeNumberExpectation(low, high);
                    return false;
                }
                *target = static_cast<T>(value);
                return true;
            }};
}
