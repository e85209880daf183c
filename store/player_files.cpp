#include "store/player_files.h"

#include "store/atomic_file.h"
#include "store/file_lock.h"
#include "store/kept_file.h"

const char* const SETTINGS_FILE = "settings.conf";
const char* const SCORES_FILE = "scores.txt";
const char* const SCORES_LOCK = "scores.lock";

namespace {

// Sets a file that cannot be used aside, with one line that says so.
void SetAside(const std::string& path, const std::string& why, std::vector<std::string>& report) {
    std::string error;
    std::string aside = SetAsideBadFile(path, error);
    if (aside.empty()) {
        report.push_back(path + " " + why + "; it could not be set aside (" + error +
                         "), using the defaults");
    } else {
        report.push_back(path + " " + why + "; kept as " + aside + ", using the defaults");
    }
}

bool Write(const std::string& path, const std::string& text, std::vector<std::string>& report) {
    std::string error;
    if (WriteFileAtomically(path, text, error)) return true;
    report.push_back(error);
    return false;
}

// Lock held.
std::vector<BestScore> ReadScoresLocked(const std::string& folder, std::vector<std::string>& report) {
    const std::string path = folder + SCORES_FILE;
    RemoveStaleTemporaries(path);
    std::vector<BestScore> scores;
    std::string text, error;
    switch (ReadKeptFile(path, text, error)) {
        case KeptRead::Missing:
            return scores;
        case KeptRead::Unreadable:
            SetAside(path, "cannot be read (" + error + ")", report);
            return scores;
        case KeptRead::Read:
            break;
    }
    std::vector<std::string> problems;
    if (ParseBestScores(text, path, scores, problems)) return scores;
    report.insert(report.end(), problems.begin(), problems.end());
    std::string aside;
    std::string asideError;
    aside = SetAsideBadFile(path, asideError);
    if (aside.empty()) {
        report.push_back(path + " is corrupt and could not be set aside (" + asideError + ")");
        return scores;
    }
    // The scores the corrupt file still held are not lost: they go back at once.
    report.push_back(path + " is corrupt; kept as " + aside + ", its good lines kept");
    Write(path, FormatBestScores(scores), report);
    return scores;
}

}  // namespace

std::string BestRunFile(const std::string& edition) { return "best-" + edition + ".vrec"; }

Settings LoadSettings(const std::string& folder, std::vector<std::string>& report) {
    const std::string path = folder + SETTINGS_FILE;
    RemoveStaleTemporaries(path);
    Settings settings;
    std::string text, error;
    switch (ReadKeptFile(path, text, error)) {
        case KeptRead::Missing:
            return settings;
        case KeptRead::Unreadable:
            SetAside(path, "cannot be read (" + error + ")", report);
            return settings;
        case KeptRead::Read:
            break;
    }
    ParseSettings(text, path, settings, report);
    return settings;
}

bool SaveSettings(const std::string& folder, const Settings& settings, std::vector<std::string>& report) {
    return Write(folder + SETTINGS_FILE, FormatSettings(settings), report);
}

std::vector<BestScore> LoadBestScores(const std::string& folder, std::vector<std::string>& report) {
    FileLock lock(folder + SCORES_LOCK);
    if (!lock.Held()) report.push_back(lock.Error());
    return ReadScoresLocked(folder, report);
}

bool RecordBestScore(const std::string& folder, const BestScore& entry, ScoreRank& rank,
                     std::vector<std::string>& report) {
    FileLock lock(folder + SCORES_LOCK);
    if (!lock.Held()) {
        // Without the lock another game's score could be lost: this one is not written.
        report.push_back(lock.Error() + "; the score is not kept");
        rank = ScoreRank();
        return false;
    }
    std::vector<BestScore> scores = ReadScoresLocked(folder, report);
    rank = AddBestScore(scores, entry);
    if (rank.place < 0) return true;
    return Write(folder + SCORES_FILE, FormatBestScores(scores), report);
}

bool SaveBestRun(const std::string& folder, const std::string& edition, const std::string& recording,
                 std::vector<std::string>& report) {
    return Write(folder + BestRunFile(edition), recording, report);
}
