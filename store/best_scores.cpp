#include "store/best_scores.h"

#include <algorithm>

namespace {

bool IsEditionName(const std::string& text) {
    if (text.empty() || text.size() > 32) return false;
    for (char c : text) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) return false;
    }
    return true;
}

bool IsDate(const std::string& text) {
    if (text.empty() || text.size() > 40) return false;
    for (char c : text) {
        if (c <= ' ' || c > '~') return false;
    }
    return true;
}

bool ParseScore(const std::string& text, int32_t& score) {
    if (text.empty() || text.size() > 10) return false;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > INT32_MAX) return false;
    score = static_cast<int32_t>(value);
    return true;
}

// The words of a line between spaces and tabs (no streams: the browser edition
// reads this too, and the streams' locale machinery is a fifth of its code).
std::vector<std::string> Words(const std::string& line) {
    const char* const SPACE = " \t\r\v\f";
    std::vector<std::string> words;
    size_t start = line.find_first_not_of(SPACE);
    while (start != std::string::npos) {
        size_t end = line.find_first_of(SPACE, start);
        words.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? end : line.find_first_not_of(SPACE, end);
    }
    return words;
}

bool ParseLine(const std::string& line, BestScore& entry) {
    std::vector<std::string> words = Words(line);
    if (words.size() != 3) return false;
    if (!IsEditionName(words[0]) || !ParseScore(words[1], entry.score) || !IsDate(words[2])) return false;
    entry.edition = words[0];
    entry.date = words[2];
    return true;
}

std::vector<std::string> EditionsInOrder(const std::vector<BestScore>& scores) {
    std::vector<std::string> editions;
    for (const BestScore& entry : scores) {
        if (std::find(editions.begin(), editions.end(), entry.edition) == editions.end())
            editions.push_back(entry.edition);
    }
    return editions;
}

}  // namespace

bool ParseBestScores(const std::string& text, const std::string& sourceName, std::vector<BestScore>& scores,
                     std::vector<std::string>& problems) {
    bool whole = true;
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.find_first_not_of(" \t\r") == std::string::npos || line[0] == '#') continue;
        BestScore entry;
        if (ParseLine(line, entry)) {
            scores.push_back(entry);
        } else {
            problems.push_back(sourceName + " line " + std::to_string(number) +
                               ": not an \"EDITION SCORE DATE\" line");
            whole = false;
        }
    }
    return whole;
}

std::vector<BestScore> EditionScores(const std::vector<BestScore>& scores, const std::string& edition) {
    std::vector<BestScore> table;
    for (const BestScore& entry : scores) {
        if (entry.edition == edition) table.push_back(entry);
    }
    std::stable_sort(table.begin(), table.end(),
                     [](const BestScore& a, const BestScore& b) { return a.score > b.score; });
    if (table.size() > BEST_SCORES_KEPT) table.resize(BEST_SCORES_KEPT);
    return table;
}

std::string FormatBestScores(const std::vector<BestScore>& scores) {
    std::string text =
        "# vortane best scores: EDITION SCORE DATE (UTC), the ten best of each edition, best first\n";
    for (const std::string& edition : EditionsInOrder(scores)) {
        for (const BestScore& entry : EditionScores(scores, edition)) {
            text += entry.edition + " " + std::to_string(entry.score) + " " + entry.date + "\n";
        }
    }
    return text;
}

ScoreRank AddBestScore(std::vector<BestScore>& scores, const BestScore& entry) {
    ScoreRank rank;
    std::vector<BestScore> table = EditionScores(scores, entry.edition);
    if (!table.empty()) rank.bestBefore = table.front().score;
    if (entry.score <= 0) return rank;
    size_t place = 0;
    while (place < table.size() && table[place].score >= entry.score) ++place;
    if (place >= BEST_SCORES_KEPT) return rank;
    rank.place = static_cast<int>(place);
    rank.newBest = place == 0;
    // The table is rebuilt from the edition's kept scores and the new one.
    std::vector<BestScore> others;
    for (const BestScore& kept : scores) {
        if (kept.edition != entry.edition) others.push_back(kept);
    }
    table.insert(table.begin() + static_cast<long>(place), entry);
    if (table.size() > BEST_SCORES_KEPT) table.resize(BEST_SCORES_KEPT);
    others.insert(others.end(), table.begin(), table.end());
    scores = others;
    return rank;
}
