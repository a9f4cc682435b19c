#include "search/search_mode.h"

#include <cstdlib>
#include <cstring>

namespace {

// A whole number from 0 to 1000 at text, its end in *end.
bool ReadSmallNumber(const char* text, const char** end, int32_t& value) {
    int32_t v = 0;
    const char* p = text;
    while (*p >= '0' && *p <= '9' && v <= 1000) {
        v = v * 10 + (*p - '0');
        ++p;
    }
    if (p == text || v > 1000) {
        return false;
    }
    value = v;
    *end = p;
    return true;
}

}  // namespace

const char* SearchModeName(SearchMode mode) {
    return mode == SearchMode::kStrong ? "strong" : "exact";
}

bool ParseSearchMode(const char* text, SearchMode& mode) {
    if (std::strcmp(text, "exact") == 0) {
        mode = SearchMode::kExact;
        return true;
    }
    if (std::strcmp(text, "strong") == 0) {
        mode = SearchMode::kStrong;
        return true;
    }
    return false;
}

bool ReadStrongSettingsFromEnvironment(StrongSearchSettings& settings) {
    const char* text = std::getenv("OSTREL_STRONG");
    if (text == nullptr || *text == '\0') {
        return true;
    }
    StrongSearchSettings read = settings;
    const char* p = text;
    for (;;) {
        if (std::strncmp(p, "eps=", 4) == 0) {
            int32_t n = 0;
            int32_t d = 0;
            if (!ReadSmallNumber(p + 4, &p, n) || *p != '/' || !ReadSmallNumber(p + 1, &p, d) ||
                d == 0) {
                return false;
            }
            read.epsilonNumerator = n;
            read.epsilonDenominator = d;
        } else if (std::strncmp(p, "order=", 6) == 0 && (p[6] == '0' || p[6] == '1')) {
            read.orderChildren = p[6] == '1';
            p += 7;
        } else {
            return false;
        }
        if (*p == '\0') {
            break;
        }
        if (*p != ',') {
            return false;
        }
        ++p;
    }
    settings = read;
    return true;
}
