// Small JSON writers shared by the --show and solve outputs.
#include <cstdio>
#include <string>

#include "cli/cli.h"

void AppendJsonString(std::string& out, const std::string& s) {
    out += '"';
    for (const char c : s) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

std::string PointJson(int32_t p) {
    char text[32];
    std::snprintf(text, sizeof text, "[%d, %d]", pointX(p), pointY(p));
    return text;
}

std::string PointListJson(const PointList& list) {
    std::string out = "[";
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        if (i != 0) {
            out += ", ";
        }
        out += PointJson(list[i]);
    }
    return out + "]";
}

std::string ProblemJsonFields(const std::string& file, int32_t side, int32_t target,
                              const PointList& region) {
    std::string out = "\"file\": ";
    AppendJsonString(out, file);
    out += ", \"sideToMove\": " + std::to_string(side);
    out += ", \"target\": " + PointJson(target);
    out += ", \"region\": " + PointListJson(region);
    return out;
}
