#pragma once

#include <string>
#include <vector>

// Siteswaps the property tests sweep: the built-in list first, then a spread of others
// (multi-digit, 'r' and 'q' marks, empty beats, one-handed, low and high).
inline const std::vector<std::string>& builtInSiteSwaps() {
    static const std::vector<std::string> list = {
        "5", "5r", "55rrq555", "40", "33355500333", "5r1", "8040", "95551", "7", "7r", "9", "9r"};
    return list;
}

inline const std::vector<std::string>& moreSiteSwaps() {
    static const std::vector<std::string> list = {
        "3",    "4",     "6",     "8",     "10,",   "531", "441",     "423",   "51",
        "552",  "534",   "7531",  "744",   "741",   "633", "6316",    "645",   "20",
        "600",  "91",    "1",     "2",     "330",   "35,", "11,9,7,", "3q",    "53q1",
        "5rr1", "97531", "64514", "75751", "56414", "12,", "4,4",     "3qqqqq"};
    return list;
}

inline std::vector<std::string> allSiteSwaps() {
    std::vector<std::string> all = builtInSiteSwaps();
    all.insert(all.end(), moreSiteSwaps().begin(), moreSiteSwaps().end());
    return all;
}
