// vortane-soak: an hour of play (216,000 steps at 60 a second) of vortane-sim
// driven by a seeded random input script, checking the world's invariants on
// every step of the trace (tests/soak/trace_checker.h) and that peak memory
// stays flat.
//
//   vortane-soak --sim PATH [--edition current|classic] [--seed N] [--steps N]
//                [--short-steps N] [--detail-every K] [--rss-margin-kb N]
//                [--no-memory-check] [--keep-script FILE]
//
// Three runs of the same script and seed:
//   1. --short-steps steps, every step checked: its peak memory is the baseline,
//      and its trace must be the start of run 2's (the run is deterministic);
//   2. --steps steps, every step checked; its peak memory may exceed run 1's by
//      at most --rss-margin-kb;
//   3. --steps steps with --grid --sparks every --detail-every steps: every
//      grid node and spark finite.
// Exit status: 0 clean, 1 a broken invariant or failed run, 2 bad usage.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/soak/trace_checker.h"

namespace {
constexpr int SPARK_CAPACITY = 2000;
constexpr int CLASSIC_SPARK_CAPACITY = 1000;  // the earlier edition's smaller table

struct Options {
    std::string sim;
    std::string edition = "current";
    uint32_t seed = 1;
    uint64_t steps = 216000;
    uint64_t shortSteps = 20000;
    uint64_t detailEvery = 600;
    long rssMarginKb = 1024;
    bool memoryCheck = true;
    std::string keepScript;
};

[[noreturn]] void Usage(const std::string& why) {
    std::fprintf(stderr, "vortane-soak: %s\n", why.c_str());
    std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--no-memory-check") {
            o.memoryCheck = false;
            continue;
        }
        if (i + 1 >= argc) Usage("unknown option or missing value: " + a);
        std::string v = argv[++i];
        if (a == "--sim")
            o.sim = v;
        else if (a == "--edition")
            o.edition = v;
        else if (a == "--seed")
            o.seed = static_cast<uint32_t>(std::stoul(v));
        else if (a == "--steps")
            o.steps = std::stoull(v);
        else if (a == "--short-steps")
            o.shortSteps = std::stoull(v);
        else if (a == "--detail-every")
            o.detailEvery = std::stoull(v);
        else if (a == "--rss-margin-kb")
            o.rssMarginKb = std::stol(v);
        else if (a == "--keep-script")
            o.keepScript = v;
        else
            Usage("unknown option " + a);
    }
    if (o.sim.empty()) Usage("--sim PATH is needed");
    if (o.shortSteps > o.steps) o.shortSteps = o.steps;
    if (o.detailEvery == 0) o.detailEvery = 1;
    return o;
}

// A player mashing at random: stretches of 1 to 180 steps, fire held most of the
// time and released often, any mix of arrows and stick directions, now and then a
// control-mode key. Never Escape: the run must last. The earlier edition fires
// once per press, so with tapFire a firing stretch presses and releases on
// alternate steps; without it that player would hardly shoot and never see a
// level beyond the first.
std::string RandomScript(uint32_t seed, uint64_t steps, bool tapFire) {
    std::mt19937 random(seed);
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    std::ostringstream script;
    script << "# vortane-soak seed " << seed << "\n";
    uint64_t total = 0;
    while (total < steps) {
        uint64_t count = 1 + random() % 180;
        if (chance(20)) count = 1 + random() % 8;  // quick taps
        std::string modeKey, fireKey, directions;
        if (chance(3)) {
            const char* modes[] = {"KEY1", "KEY2", "KEY3"};
            modeKey = std::string(" ") + modes[random() % 3];
        }
        if (chance(65)) fireKey = chance(85) ? " FIRE" : " JFIRE";
        for (const char* d : {"UP", "DOWN", "LEFT", "RIGHT"}) {
            if (chance(30)) directions += std::string(" ") + d;
        }
        for (const char* d : {"JUP", "JDOWN", "JLEFT", "JRIGHT"}) {
            if (chance(6)) directions += std::string(" ") + d;
        }
        if (tapFire && !fireKey.empty()) {
            for (uint64_t i = 0; i < count; ++i) {
                script << 1 << (i == 0 ? modeKey : "") << (i % 2 == 0 ? fireKey : "") << directions << '\n';
            }
        } else {
            script << count << modeKey << fireKey << directions << '\n';
        }
        total += count;
    }
    return script.str();
}

struct RunResult {
    bool ok = false;
    long maxRssKb = 0;
    uint64_t lines = 0;
    uint64_t prefixHash = 0;  // FNV-1a of the first `hashLines` lines
    SoakStats stats;
    std::string error;
};

// Runs vortane-sim with `args`, feeding every line of its trace to the checker.
RunResult RunSim(const Options& o, const std::vector<std::string>& args, uint64_t every, uint64_t hashLines) {
    RunResult result;
    int out[2];
    if (pipe(out) != 0) {
        result.error = "no pipe";
        return result;
    }
    char errName[] = "/tmp/vortane-soak-stderr-XXXXXX";
    int errFd = mkstemp(errName);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        if (errFd >= 0) dup2(errFd, 2);
        close(out[0]);
        close(out[1]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(o.sim.c_str()));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(o.sim.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    TraceChecker checker(every, o.edition == "classic" ? CLASSIC_SPARK_CAPACITY : SPARK_CAPACITY);
    std::string pending;
    std::vector<char> buffer(1 << 20);
    uint64_t hash = 14695981039346656037ull;
    bool broken = false;
    for (;;) {
        ssize_t n = read(out[0], buffer.data(), buffer.size());
        if (n <= 0) break;
        if (broken) continue;  // drain so the child can finish
        pending.append(buffer.data(), static_cast<size_t>(n));
        size_t start = 0;
        for (size_t nl; (nl = pending.find('\n', start)) != std::string::npos; start = nl + 1) {
            std::string_view line(pending.data() + start, nl - start);
            if (result.lines < hashLines) {
                for (char c : line) hash = (hash ^ static_cast<uint8_t>(c)) * 1099511628211ull;
            }
            result.lines += 1;
            if (!checker.Line(line)) {
                result.error = checker.Error();
                broken = true;
                break;
            }
        }
        pending.erase(0, start);
    }
    close(out[0]);
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    result.maxRssKb = usage.ru_maxrss;
    result.prefixHash = hash;
    result.stats = checker.Stats();
    std::string errText;
    if (errFd >= 0) {
        std::ifstream err(errName);
        std::stringstream s;
        s << err.rdbuf();
        errText = s.str();
        close(errFd);
        unlink(errName);
    }
    if (broken) return result;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.error = "vortane-sim failed (status " + std::to_string(status) + "): " + errText;
        return result;
    }
    if (!pending.empty()) {
        result.error = "the trace ends inside a line";
        return result;
    }
    result.ok = true;
    return result;
}

void PrintStats(const char* run, const RunResult& r) {
    const SoakStats& s = r.stats;
    std::printf(
        "vortane-soak: %s: %llu lines checked, peak memory %ld KB; deaths %llu, restarts %llu, shot sounds "
        "%llu, "
        "explosions %llu, best score %lld, highest level %lld, most shots %u, entities %u, shockwaves %u, "
        "sparks %lld, grid samples %llu\n",
        run, static_cast<unsigned long long>(r.lines), r.maxRssKb, static_cast<unsigned long long>(s.deaths),
        static_cast<unsigned long long>(s.restarts), static_cast<unsigned long long>(s.shotSounds),
        static_cast<unsigned long long>(s.explodeSounds), static_cast<long long>(s.maxScore),
        static_cast<long long>(s.maxLevel), s.maxShots, s.maxEntities, s.maxShockwaves,
        static_cast<long long>(s.maxSparks), static_cast<unsigned long long>(s.gridSamples));
    std::fflush(stdout);
}
}  // namespace

int main(int argc, char** argv) {
    Options o = ParseOptions(argc, argv);
    std::string scriptPath = o.keepScript;
    char tempName[] = "/tmp/vortane-soak-script-XXXXXX";
    if (scriptPath.empty()) {
        int fd = mkstemp(tempName);
        if (fd < 0) Usage("cannot make a temporary file");
        close(fd);
        scriptPath = tempName;
    }
    {
        std::ofstream script(scriptPath);
        script << RandomScript(o.seed, o.steps, o.edition == "classic");
        if (!script) Usage("cannot write the input script " + scriptPath);
    }
    std::printf("vortane-soak: edition %s, seed %u, %llu steps, script %s\n", o.edition.c_str(), o.seed,
                static_cast<unsigned long long>(o.steps), scriptPath.c_str());
    std::fflush(stdout);

    std::vector<std::string> base = {"--edition", o.edition, "--seed", std::to_string(o.seed),
                                     "--input",   scriptPath};
    auto with = [&](uint64_t steps, std::vector<std::string> more) {
        std::vector<std::string> args = base;
        args.push_back("--steps");
        args.push_back(std::to_string(steps));
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };

    int failures = 0;
    auto report = [&](const char* run, const RunResult& r) {
        PrintStats(run, r);
        if (!r.ok) {
            std::printf("vortane-soak: %s FAILED: %s\n", run, r.error.c_str());
            failures += 1;
        }
    };

    RunResult shortRun = RunSim(o, with(o.shortSteps, {}), 1, o.shortSteps);
    report("short run", shortRun);
    RunResult fullRun = RunSim(o, with(o.steps, {}), 1, o.shortSteps);
    report("full run", fullRun);
    RunResult detailRun = RunSim(
        o, with(o.steps, {"--every", std::to_string(o.detailEvery), "--grid", "--sparks"}), o.detailEvery, 0);
    report("grid and spark run", detailRun);

    if (shortRun.ok && fullRun.ok) {
        if (shortRun.lines != o.shortSteps || fullRun.lines != o.steps) {
            std::printf("vortane-soak: FAILED: %llu and %llu lines for %llu and %llu steps\n",
                        static_cast<unsigned long long>(shortRun.lines),
                        static_cast<unsigned long long>(fullRun.lines),
                        static_cast<unsigned long long>(o.shortSteps),
                        static_cast<unsigned long long>(o.steps));
            failures += 1;
        }
        if (shortRun.prefixHash != fullRun.prefixHash) {
            std::printf("vortane-soak: FAILED: the same seed and script gave different first %llu steps\n",
                        static_cast<unsigned long long>(o.shortSteps));
            failures += 1;
        }
        long growth = fullRun.maxRssKb - shortRun.maxRssKb;
        std::printf("vortane-soak: peak memory %ld KB after %llu steps, %ld KB after %llu (%+ld KB)\n",
                    shortRun.maxRssKb, static_cast<unsigned long long>(o.shortSteps), fullRun.maxRssKb,
                    static_cast<unsigned long long>(o.steps), growth);
        if (o.memoryCheck && growth > o.rssMarginKb) {
            std::printf("vortane-soak: FAILED: peak memory grew by more than %ld KB\n", o.rssMarginKb);
            failures += 1;
        }
    }
    if (o.keepScript.empty()) unlink(scriptPath.c_str());
    std::printf("vortane-soak: %s\n", failures == 0 ? "clean" : "FAILED");
    return failures == 0 ? 0 : 1;
}
