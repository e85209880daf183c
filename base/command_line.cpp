#include "base/command_line.h"

#include <getopt.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/program_name.h"
#include "base/quoted_text.h"

namespace {

// getopt_long reports long-only options by this value plus their index; short
// ones by their letter.
constexpr int LONG_ONLY_BASE = 256;
constexpr int HELP_INDEX = -1;
constexpr int VERSION_INDEX = -2;

void PrintUsageError(std::FILE* err, const std::string& message) {
    std::fprintf(err, "%s: %s; try --help\n", ProgramName(), QuoteUnprintable(message).c_str());
}

std::string OptionLabel(const CommandOption& option) {
    std::string label = option.shortName ? std::string("-") + option.shortName + ", " : "    ";
    label += std::string("--") + option.name;
    if (option.valueName) label += std::string(" ") + option.valueName;
    return label;
}

void PrintHelp(const CommandLine& line, std::FILE* out) {
    std::fprintf(out, "usage: %s %s\n", line.program, line.usage);
    if (line.summary) std::fprintf(out, "%s\n", line.summary);
    std::vector<CommandOption> all = line.options;
    all.push_back({"help", 'h', nullptr, "print this help and exit", nullptr});
    all.push_back({"version", 0, nullptr, "print the program's name and version and exit", nullptr});
    const size_t column = 26;
    std::fprintf(out, "\noptions:\n");
    for (const CommandOption& option : all) {
        std::string label = "  " + OptionLabel(option);
        if (label.size() + 2 > column) {
            std::fprintf(out, "%s\n%*s%s\n", label.c_str(), static_cast<int>(column), "", option.help);
        } else {
            std::fprintf(out, "%-*s%s\n", static_cast<int>(column), label.c_str(), option.help);
        }
    }
    if (line.notes) std::fprintf(out, "\n%s", line.notes);
}

// Which table entry getopt_long's return value names: an index into the options,
// HELP_INDEX, VERSION_INDEX, or `count` for none.
int OptionIndex(const CommandLine& line, int code) {
    if (code == 'h') return HELP_INDEX;
    if (code == LONG_ONLY_BASE + static_cast<int>(line.options.size())) return VERSION_INDEX;
    for (size_t i = 0; i < line.options.size(); ++i) {
        const CommandOption& option = line.options[i];
        if (option.shortName ? code == option.shortName : code == LONG_ONLY_BASE + static_cast<int>(i))
            return static_cast<int>(i);
    }
    return static_cast<int>(line.options.size());
}

}  // namespace

const char* VortaneVersion() { return VORTANE_VERSION; }

bool ParseCommandLine(const CommandLine& line, int argc, char** argv, std::vector<std::string>& operands,
                      int& exitStatus, std::FILE* out, std::FILE* err) {
    SetProgramName(line.program);
    operands.clear();
    std::vector<option> longOptions;
    std::string shortOptions = ":h";  // ':' first: a missing value is told apart from an unknown option
    for (size_t i = 0; i < line.options.size(); ++i) {
        const CommandOption& o = line.options[i];
        int code = o.shortName ? o.shortName : LONG_ONLY_BASE + static_cast<int>(i);
        longOptions.push_back({o.name, o.valueName ? required_argument : no_argument, nullptr, code});
        if (o.shortName) shortOptions += std::string(1, o.shortName) + (o.valueName ? ":" : "");
    }
    longOptions.push_back({"help", no_argument, nullptr, 'h'});
    longOptions.push_back(
        {"version", no_argument, nullptr, LONG_ONLY_BASE + static_cast<int>(line.options.size())});
    longOptions.push_back({nullptr, 0, nullptr, 0});

    exitStatus = EXIT_USAGE;
    opterr = 0;
    optind = 0;  // glibc: start afresh, so a second parse in one process works too
    for (;;) {
        int code = getopt_long(argc, argv, shortOptions.c_str(), longOptions.data(), nullptr);
        if (code == -1) break;
        // What the user typed for the option just read: getopt_long has stepped past it.
        const char* typed = optind > 0 && optind <= argc ? argv[optind - 1] : "";
        if (code == '?') {
            int known = OptionIndex(line, optopt);
            if (optopt != 0 && std::strncmp(typed, "--", 2) == 0 &&
                known != static_cast<int>(line.options.size())) {
                std::string name(typed, std::strcspn(typed, "="));
                PrintUsageError(err, "option " + name + " takes no value");
            } else if (optopt != 0 && std::strncmp(typed, "--", 2) != 0) {
                PrintUsageError(err, std::string("unknown option \"-") + static_cast<char>(optopt) + "\"");
            } else {
                std::string name(typed, std::strcspn(typed, "="));
                PrintUsageError(err, "unknown option \"" + name + "\"");
            }
            return false;
        }
        if (code == ':') {
            int index = OptionIndex(line, optopt);
            std::string name = index >= 0 && index < static_cast<int>(line.options.size())
                                   ? std::string("--") + line.options[index].name
                                   : std::string(typed);
            PrintUsageError(err, "option " + name + " needs a value");
            return false;
        }
        int index = OptionIndex(line, code);
        if (index == HELP_INDEX) {
            PrintHelp(line, out);
            exitStatus = std::fflush(out) == 0 ? 0 : EXIT_RUN_FAILED;
            return false;
        }
        if (index == VERSION_INDEX) {
            std::fprintf(out, "%s %s\n", line.program, VORTANE_VERSION);
            exitStatus = std::fflush(out) == 0 ? 0 : EXIT_RUN_FAILED;
            return false;
        }
        const CommandOption& option = line.options[index];
        std::string expected;
        if (!option.apply(option.valueName ? optarg : nullptr, expected)) {
            PrintUsageError(err, std::string("bad value \"") + (optarg ? optarg : "") + "\" for --" +
                                     option.name + (expected.empty() ? "" : ": expected " + expected));
            return false;
        }
    }
    for (int i = optind; i < argc; ++i) operands.push_back(argv[i]);
    if (operands.size() > line.maxOperands) {
        PrintUsageError(err, "unexpected argument \"" + operands[line.maxOperands] + "\"");
        return false;
    }
    if (operands.size() < line.minOperands) {
        PrintUsageError(err, std::string("missing ") + line.operandName);
        return false;
    }
    exitStatus = 0;
    return true;
}

int UsageError(const std::string& message) {
    PrintUsageError(stderr, message);
    return EXIT_USAGE;
}

int RunFailure(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", ProgramName(), QuoteUnprintable(message).c_str());
    return EXIT_RUN_FAILED;
}

bool ParseWholeNumber(const char* text, uint64_t min, uint64_t max, uint64_t& value) {
    if (!text || *text == '\0') return false;
    uint64_t parsed = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        uint64_t digit = static_cast<uint64_t>(*p - '0');
        if (parsed > (UINT64_MAX - digit) / 10) return false;
        parsed = parsed * 10 + digit;
    }
    if (parsed < min || parsed > max) return false;
    value = parsed;
    return true;
}

bool ParseDecimal(const char* text, double min, double max, double& value) {
    if (!text || *text == '\0') return false;
    // strtod also reads hex, inf, nan and leading space; none is a plain decimal.
    for (const char* p = text; *p; ++p) {
        if (std::strchr("0123456789.eE+-", *p) == nullptr) return false;
    }
    errno = 0;
    char* end = nullptr;
    double parsed = std::strtod(text, &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(parsed) || parsed < min || parsed > max) return false;
    value = parsed;
    return true;
}

std::string WholeNumberExpectation(uint64_t min, uint64_t max) {
    return "a whole number from " + std::to_string(min) + " to " + std::to_string(max);
}

CommandOption FlagOption(const char* name, const char* help, bool* target) {
    return {name, 0, nullptr, help, [target](const char*, std::string&) {
                *target = true;
                return true;
            }};
}

CommandOption TextOption(const char* name, const char* valueName, const char* help, std::string* target) {
    return {name, 0, valueName, help, [target](const char* text, std::string& expected) {
                if (*text == '\0') {
                    expected = "a value that is not empty";
                    return false;
                }
                *target = text;
                return true;
            }};
}

CommandOption ChoiceOption(const char* name, const char* valueName, const char* help,
                           std::vector<std::string> choices, std::string* target) {
    return {name, 0, valueName, help, [target, choices](const char* text, std::string& expected) {
                for (const std::string& choice : choices) {
                    if (choice == text) {
                        *target = text;
                        return true;
                    }
                }
                for (size_t i = 0; i < choices.size(); ++i)
                    expected += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i];
                return false;
            }};
}

CommandOption DecimalOption(const char* name, const char* valueName, const char* help, double* target,
                            double min, double max) {
    return {name, 0, valueName, help, [=](const char* text, std::string& expected) {
                if (!ParseDecimal(text, min, max, *target)) {
                    char range[80];
                    std::snprintf(range, sizeof range, "a number from %g to %g", min, max);
                    expected = range;
                    return false;
                }
                return true;
            }};
}
