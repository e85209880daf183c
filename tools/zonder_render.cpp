// zonder-render: renders the Zonder player offline into a WAV file.
//
//   zonder-render [--song FILE.zds|FILE.zst] [--effect SLOT=FILE.zdi|FILE.zit ...]
//                 [--events FILE] [--seed N] [--buffer B]
//                 --samples N|--seconds S --out FILE.wav|--play
//
// The player is set up as at start-up, without an audio device; the song and
// the effects load through the game's own loaders. Text sources (.zst, .zit)
// are compiled in memory by zonder-pack's own code first. N samples are rendered by
// calling the stream callback on buffers of B frames (default 1024, the last
// one shorter). Before each buffer every event whose sample is at or before
// the buffer's first sample and that has not run yet runs, in file order, so
// with --buffer 1 events land on their exact sample. Events file lines:
//
//   SAMPLE play                       start the song (PlaySong)
//   SAMPLE trigger SLOT NOTE VOICE    TriggerNote(soundEffects[SLOT], NOTE, VOICE);
//                                     NOTE is 0..119 or a name, A-0 .. G#10
//   SAMPLE release VOICE              ReleaseNote(VOICE)
//   # comment
//
// A triggered note whose phase step can jump a waveform segment of its instrument
// as the note plays (its pitch curve, arpeggio and shape blend followed tick by
// tick) gets a warning.
//
// Output: WAV, IEEE float (format 3), mono, 44100 Hz, 32 bits, the samples
// exactly as the callback wrote them; or, with --play, the audio device, the
// events running on the wall clock. No device for --play: exit status 1. Bad arguments, unreadable or refused
// files: a message on stderr and exit status 2; an output that cannot be
// written: exit status 1.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/command_line.h"
#include "base/named_file.h"
#include "base/program_name.h"
#include "base/quoted_text.h"
#include "synth/instrument_file.h"
#include "synth/noise.h"
#include "synth/player.h"
#include "synth/render_audio.h"
#include "synth/sequencer.h"
#include "synth/song_file.h"
#include "synth/voices.h"
#include "tools/memory_file.h"
#include "tools/segment_skip.h"
#include "tools/zonder_text_binary.h"
#include "tools/zonder_text_parse.h"

namespace {
constexpr long long MAX_SAMPLES = 1000000000;  // keeps the WAV sizes within 32 bits
constexpr int SAMPLE_RATE = 44100;

struct Effect {
    int slot;
    std::string path;
};

struct Event {
    long long sample;
    enum Kind { PLAY, TRIGGER, RELEASE } kind;
    int slot, note, voice;
    size_t order;  // position in the file
    int line;      // line in the file, for warnings
};

struct Options {
    std::string song, events, out;
    std::vector<Effect> effects;
    long long samples = -1;
    long long buffer = 1024;
    long long seed = 1;
    double seconds = -1;
    bool play = false;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", ProgramName(), QuoteUnprintable(message).c_str());
    std::exit(EXIT_USAGE);
}

bool ParseNumber(const std::string& text, long long low, long long high, long long& value) {
    uint64_t parsed = 0;
    if (!ParseWholeNumber(text.c_str(), static_cast<uint64_t>(low), static_cast<uint64_t>(high), parsed))
        return false;
    value = static_cast<long long>(parsed);
    return true;
}

const char* const NOTES =
    "Events file lines (- reads them from standard input):\n"
    "  SAMPLE play                       start the song\n"
    "  SAMPLE trigger SLOT NOTE VOICE    play effect SLOT's instrument on a voice (0..5);\n"
    "                                    NOTE is 0..119 or a name: A-0 (0) .. A-4 (48, 440 Hz)\n"
    "                                    .. G#10 (119), C-4 is middle C\n"
    "  SAMPLE release VOICE              release the voice's note\n"
    "  # comment\n"
    "Each buffer of B samples first runs the events due by its first sample, in file\n"
    "order; --buffer 1 puts every event on its exact sample.\n";

Options ParseArguments(int argc, char** argv) {
    Options options;
    CommandLine line;
    line.program = "zonder-render";
    line.usage =
        "[--song FILE.zds|FILE.zst] [--effect SLOT=FILE.zdi|FILE.zit ...]\n"
        "                     [--events FILE] [--seed N] [--buffer B]\n"
        "                     --samples N|--seconds S --out FILE.wav|--play";
    line.summary =
        "Renders the Zonder synthesizer offline into a mono 44100 Hz 32-bit float WAV file,\n"
        "or plays it on the audio device. Text instruments and songs are compiled first.";
    line.options = {
        TextOption("song", "FILE", "the song (.zds, or .zst text) that \"play\" starts", &options.song),
        {"effect", 0, "SLOT=FILE", "load an effect (.zdi, or .zit text) into SLOT (0..99); may repeat",
         [&options](const char* text, std::string& expected) {
             std::string value = text;
             size_t equals = value.find('=');
             long long slot = 0;
             expected = "SLOT=FILE, the slot from 0 to " + std::to_string(SOUND_EFFECT_SLOTS - 1);
             if (equals == std::string::npos || equals + 1 == value.size() ||
                 !ParseNumber(value.substr(0, equals), 0, SOUND_EFFECT_SLOTS - 1, slot))
                 return false;
             options.effects.push_back({static_cast<int>(slot), value.substr(equals + 1)});
             return true;
         }},
        TextOption("events", "FILE", "the events to run, - for standard input", &options.events),
        NumberOption<long long>("seed", "N", "the noise generator's seed for a file (default 1)",
                                &options.seed, 0, UINT32_MAX),
        NumberOption<long long>("buffer", "B", "samples per callback (default 1024)", &options.buffer, 1,
                                1 << 20),
        NumberOption<long long>("samples", "N", "how many samples to render", &options.samples, 0,
                                MAX_SAMPLES),
        DecimalOption("seconds", "S", "how long to render, instead of --samples", &options.seconds, 0,
                      static_cast<double>(MAX_SAMPLES) / SAMPLE_RATE),
        TextOption("out", "FILE.wav", "where the WAV goes, - for standard output", &options.out),
        FlagOption("play", "play on the audio device instead of writing a file", &options.play),
    };
    line.notes = NOTES;
    std::vector<std::string> operands;
    int exitStatus = 0;
    if (!ParseCommandLine(line, argc, argv, operands, exitStatus)) std::exit(exitStatus);
    if (options.samples >= 0 && options.seconds >= 0)
        std::exit(UsageError("--samples and --seconds exclude each other"));
    if (options.seconds >= 0) options.samples = std::llround(options.seconds * SAMPLE_RATE);
    if (options.samples < 0) std::exit(UsageError("--samples N or --seconds S is required"));
    if (options.play && !options.out.empty()) std::exit(UsageError("--play and --out exclude each other"));
    if (!options.play && options.out.empty()) std::exit(UsageError("--out FILE.wav or --play is required"));
    return options;
}

std::vector<Event> ReadEvents(const std::string& path) {
    std::vector<Event> events;
    if (path.empty()) return events;
    std::string text, reason;
    if (!ReadNamedInput(path, text, reason)) Fail(InputDisplayName(path) + ": " + reason);
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); number++) {
        std::istringstream words(line);
        std::string sampleText, command;
        if (!(words >> sampleText) || sampleText[0] == '#') continue;
        std::string where = InputDisplayName(path) + ":" + std::to_string(number) + ": ";
        Event e{};
        e.order = events.size();
        e.line = number;
        if (!ParseNumber(sampleText, 0, MAX_SAMPLES, e.sample))
            Fail(where + "bad sample \"" + sampleText + "\"");
        words >> command;
        std::vector<std::string> args;
        for (std::string w; words >> w;) args.push_back(w);
        long long a = 0, b = 0, c = 0;
        if (command == "play" && args.empty()) {
            e.kind = Event::PLAY;
        } else if (command == "trigger" && args.size() == 3) {
            if (!ParseNumber(args[0], 0, SOUND_EFFECT_SLOTS - 1, a)) Fail(where + "slot must be 0..99");
            int named = 0;
            if (ParseNoteName(args[1], named) && named >= 0 && named < NOTE_COUNT)
                b = named;
            else if (!ParseNumber(args[1], 0, NOTE_COUNT - 1, b))
                Fail(where + "note must be 0..119 or a name from A-0 to G#10, not \"" + args[1] + "\"");
            if (!ParseNumber(args[2], 0, VOICE_COUNT - 1, c)) Fail(where + "voice must be 0..5");
            e.kind = Event::TRIGGER;
            e.slot = static_cast<int>(a);
            e.note = static_cast<int>(b);
            e.voice = static_cast<int>(c);
        } else if (command == "release" && args.size() == 1) {
            if (!ParseNumber(args[0], 0, VOICE_COUNT - 1, c)) Fail(where + "voice must be 0..5");
            e.kind = Event::RELEASE;
            e.voice = static_cast<int>(c);
        } else {
            Fail(where +
                 "expected \"SAMPLE play\", \"SAMPLE trigger SLOT NOTE VOICE\" or \"SAMPLE release VOICE\"");
        }
        events.push_back(e);
    }
    return events;
}

bool HasExtension(const std::string& path, const char* extension) {
    size_t n = std::strlen(extension);
    return path.size() > n && path.compare(path.size() - n, n, extension) == 0;
}

// The bytes the player reads for an instrument or song file: a binary as it is,
// a text source compiled as zonder-pack compiles it.
std::vector<uint8_t> FileBytes(const std::string& path, bool song) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (HasExtension(path, song ? ".zst" : ".zit")) {
        bool compiled;
        if (song) {
            PackSong text;
            compiled = ParseSongFile(path, text, error) && WriteSongBinary(text, bytes, error);
        } else {
            PackInstrument text;
            compiled = ParseInstrumentFile(path, text, error) && WriteInstrumentBinary(text, bytes, error);
        }
        if (!compiled) Fail(error.rfind(path, 0) == 0 ? error : path + ": " + error);
        return bytes;
    }
    std::string reason;
    if (!ReadWholeFile(path, bytes, &reason)) Fail(path + ": " + reason);
    return bytes;
}

// An in-memory file for the player's loaders; they read a FILE like any other.
std::FILE* MemoryFile(std::vector<uint8_t>& bytes) {
    std::FILE* file = OpenMemoryFile(bytes);
    if (!file) Fail("out of memory");
    return file;
}

// Loads every effect and the song; a refused file ends the run (its loader has
// already said why, once). Returns each effect slot's instrument in the pack
// form, for the note checks.
std::vector<PackInstrument> LoadFiles(const Options& options, std::vector<bool>& loaded) {
    std::vector<PackInstrument> instruments(SOUND_EFFECT_SLOTS);
    loaded.assign(SOUND_EFFECT_SLOTS, false);
    for (const Effect& effect : options.effects) {
        std::vector<uint8_t> bytes = FileBytes(effect.path, false);
        std::FILE* file = MemoryFile(bytes);
        bool read = LoadSoundEffect(effect.slot, file, effect.path.c_str());
        std::fclose(file);
        if (!read) std::exit(EXIT_USAGE);
        std::string unused;
        loaded[effect.slot] = ReadInstrumentBinary(bytes, instruments[effect.slot], unused);
    }
    if (!options.song.empty()) {
        std::vector<uint8_t> bytes = FileBytes(options.song, true);
        std::FILE* file = MemoryFile(bytes);
        bool read = LoadSong(file, options.song.c_str());
        std::fclose(file);
        if (!read) std::exit(EXIT_USAGE);
    }
    return instruments;
}

// Why a note can skip a waveform segment as it plays, or "" when it never can.
std::string SegmentSkipProblem(const Instrument& instrument, int note) {
    SegmentSkip skip;
    if (!FindSegmentSkip(instrument, note, skip)) return "";
    char text[300];
    std::snprintf(text, sizeof text,
                  "at control tick %d note %d steps %.4f of a cycle per sample, more than waveform "
                  "segment %d (%.4f wide), which it can skip; widen the segments or play it lower",
                  skip.tick, skip.note, skip.step, skip.segment, skip.width);
    return text;
}

// A note that can skip a waveform segment (or passes note 119 with its
// arpeggio) still renders, as the game would play it, but the author hears why.
void WarnAboutNotes(const std::vector<Event>& events, const std::vector<PackInstrument>& instruments,
                    const std::vector<bool>& loaded, const std::string& eventsPath) {
    for (const Event& e : events) {
        if (e.kind != Event::TRIGGER || !loaded[e.slot]) continue;
        std::string problem = CheckNoteRange(instruments[e.slot], e.note);
        if (problem.empty()) problem = SegmentSkipProblem(*soundEffects[e.slot], e.note);
        if (problem.empty()) continue;
        std::fprintf(stderr, "%s: %s:%d: warning: effect %d, %s: %s\n", ProgramName(),
                     InputDisplayName(eventsPath).c_str(), e.line, e.slot, NoteName(e.note).c_str(),
                     problem.c_str());
    }
}

void RunEvent(const Event& e) {
    switch (e.kind) {
        case Event::PLAY:
            PlaySong();
            break;
        case Event::TRIGGER:
            TriggerNote(soundEffects[e.slot], e.note, e.voice);
            break;
        case Event::RELEASE:
            ReleaseNote(e.voice);
            break;
    }
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; i++) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// RIFF header of a mono 44100 Hz IEEE-float file: fmt (18 bytes), fact, data.
std::vector<uint8_t> WavHeader(uint32_t samples) {
    std::vector<uint8_t> h;
    PutTag(h, "RIFF");
    PutU32(h, 4 + (8 + 18) + (8 + 4) + 8 + 4 * samples);
    PutTag(h, "WAVE");
    PutTag(h, "fmt ");
    PutU32(h, 18);
    PutU16(h, 3);  // IEEE float
    PutU16(h, 1);
    PutU32(h, 44100);
    PutU32(h, 44100 * 4);
    PutU16(h, 4);
    PutU16(h, 32);
    PutU16(h, 0);
    PutTag(h, "fact");
    PutU32(h, 4);
    PutU32(h, samples);
    PutTag(h, "data");
    PutU32(h, 4 * samples);
    return h;
}

void PutFloats(std::vector<uint8_t>& out, const float* samples, size_t count) {
    for (size_t i = 0; i < count; i++) {
        uint32_t bits;
        std::memcpy(&bits, &samples[i], 4);
        PutU32(out, bits);
    }
}

// Renders through the callback, buffer by buffer, into the WAV file.
int Render(const Options& options, const std::vector<Event>& bySample) {
    std::FILE* out = OpenNamedOutput(options.out);
    if (!out) return RunFailure(OutputDisplayName(options.out) + ": cannot be written");
    uint32_t total = static_cast<uint32_t>(options.samples);
    std::vector<uint8_t> bytes = WavHeader(total);

    size_t nextDue = 0;
    std::vector<Event> due;
    std::vector<float> buffer(static_cast<size_t>(options.buffer));
    for (long long start = 0; start < options.samples; start += options.buffer) {
        due.clear();
        while (nextDue < bySample.size() && bySample[nextDue].sample <= start)
            due.push_back(bySample[nextDue++]);
        std::sort(due.begin(), due.end(), [](const Event& a, const Event& b) { return a.order < b.order; });
        // Drained at once: nothing happens between here and the buffer's first
        // sample, and a long run of events can never overfill the request queue.
        for (const Event& e : due) {
            RunEvent(e);
            DrainVoiceRequests();
            TakeSongRequest();
        }
        long long count = std::min(options.buffer, options.samples - start);
        RenderAudio(buffer.data(), static_cast<unsigned long>(count));
        PutFloats(bytes, buffer.data(), static_cast<size_t>(count));
        if (bytes.size() >= (1 << 20)) {
            std::fwrite(bytes.data(), 1, bytes.size(), out);
            bytes.clear();
        }
    }
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    if (!CloseNamedOutput(out)) return RunFailure(OutputDisplayName(options.out) + ": cannot be written");
    return 0;
}

// Plays on the audio device: the stream's callback renders, and the events run
// when the wall clock reaches their sample (the stream's latency later).
int Play(const Options& options, const std::vector<Event>& bySample) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    auto when = [start](long long sample) {
        return start + std::chrono::microseconds(sample * 1000000 / SAMPLE_RATE);
    };
    for (const Event& e : bySample) {
        if (e.sample >= options.samples) break;
        std::this_thread::sleep_until(when(e.sample));
        RunEvent(e);
    }
    std::this_thread::sleep_until(when(options.samples));
    StopPlayer();
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    Options options = ParseArguments(argc, argv);
    std::vector<Event> events = ReadEvents(options.events);

    if (options.play) {
        // The running stream owns the noise generator from here on: no reseeding.
        if (!StartPlayer()) {
            StopPlayer();
            return RunFailure("no audio output device to play on");
        }
    } else {
        ResetPlayerState();
        SeedSynthNoise(static_cast<uint32_t>(options.seed));
    }
    std::vector<bool> loaded;
    std::vector<PackInstrument> instruments = LoadFiles(options, loaded);
    WarnAboutNotes(events, instruments, loaded, options.events);

    // Events by sample (file order among equals), so each buffer finds its newly
    // due ones without a scan.
    std::vector<Event> bySample = events;
    std::stable_sort(bySample.begin(), bySample.end(),
                     [](const Event& a, const Event& b) { return a.sample < b.sample; });
    return options.play ? Play(options, bySample) : Render(options, bySample);
}
