#include "store/finished_game.h"

#include <cstdio>

#include "store/player_files.h"

ScoreRank KeepFinishedGame(const std::string& folder, const std::string& edition, int32_t score,
                           const std::function<std::string()>& recording, std::vector<std::string>& report) {
    BestScore entry;
    entry.edition = edition;
    entry.score = score;
    entry.date = UtcDate(std::time(nullptr));
    ScoreRank rank;
    RecordBestScore(folder, entry, rank, report);
    if (rank.newBest) SaveBestRun(folder, edition, recording(), report);
    return rank;
}

std::string UtcDate(std::time_t when) {
    const int64_t DAY = 86400;
    int64_t seconds = static_cast<int64_t>(when);
    int64_t days = seconds / DAY;
    int64_t inDay = seconds % DAY;
    if (inDay < 0) {
        inDay += DAY;
        days -= 1;
    }
    // Days since 1970-01-01 to the civil date, counting in 400-year eras of
    // 146097 days that start on 1 March, so the leap day ends a year.
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t dayOfEra = z - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    char text[128];  // room for any year the count of seconds can name
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lldZ",
                  static_cast<long long>(year), static_cast<long long>(month), static_cast<long long>(day),
                  static_cast<long long>(inDay / 3600), static_cast<long long>(inDay / 60 % 60),
                  static_cast<long long>(inDay % 60));
    return text;
}
