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

namespace {

// "name=" followed by a number from 0 to 1000, or by a digit up to `most` when
// most is below 10; p moves past it.
bool ReadKnob(const char*& p, const char* name, int32_t most, int32_t& value) {
    const size_t length = std::strlen(name);
    if (std::strncmp(p, name, length) != 0) {
        return false;
    }
    const char* end = nullptr;
    int32_t read = 0;
    if (!ReadSmallNumber(p + length, &end, read) || read > most) {
        return false;
    }
    value = read;
    p = end;
    return true;
}

bool ReadFlag(const char*& p, const char* name, bool& value) {
    int32_t read = 0;
    if (!ReadKnob(p, name, 1, read)) {
        return false;
    }
    value = read == 1;
    return true;
}

// "N/D" with D above 0; end moves past it.
bool ReadFraction(const char* text, const char** end, int32_t& numerator, int32_t& denominator) {
    int32_t n = 0;
    int32_t d = 0;
    const char* p = text;
    if (!ReadSmallNumber(p, &p, n) || *p != '/' || !ReadSmallNumber(p + 1, &p, d) || d == 0) {
        return false;
    }
    numerator = n;
    denominator = d;
    *end = p;
    return true;
}

}  // namespace

bool ReadStrongSettingsFromEnvironment(StrongSearchSettings& settings) {
    const char* text = std::getenv("OSTREL_STRONG");
    if (text == nullptr || *text == '\0') {
        return true;
    }
    StrongSearchSettings read = settings;
    const char* p = text;
    for (;;) {
        if (std::strncmp(p, "eps=", 4) == 0) {
            if (!ReadFraction(p + 4, &p, read.epsilonNumerator, read.epsilonDenominator)) {
                return false;
            }
        } else if (std::strncmp(p, "rooteps=0", 9) == 0 && (p[9] == ',' || p[9] == '\0')) {
            read.rootEpsilonNumerator = 0;
            p += 9;
        } else if (std::strncmp(p, "rooteps=", 8) == 0) {
            if (!ReadFraction(p + 8, &p, read.rootEpsilonNumerator, read.rootEpsilonDenominator)) {
                return false;
            }
        } else if (!ReadFlag(p, "order=", read.orderChildren) &&
                   !ReadKnob(p, "open=", 1000, read.openWeight) &&
                   !ReadKnob(p, "judge=", 1000, read.judgmentWeight) &&
                   !ReadFlag(p, "legal=", read.countLegal) &&
                   !ReadKnob(p, "carry=", 2, read.carryResults) &&
                   !ReadFlag(p, "cut=", read.cutExpansion) &&
                   !ReadFlag(p, "cache=", read.judgmentCache) &&
                   !ReadFlag(p, "weak=", read.weakSums)) {
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
