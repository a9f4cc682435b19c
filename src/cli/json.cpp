// The JSON of the --show and solve outputs: built as nlohmann/json values,
// written on one line with ", " and ": " between the parts.
#include <cstdio>
#include <string>

#include "cli/cli.h"

namespace {

// Length of the well-formed UTF-8 sequence at s[i], or 0 when there is none
// (a stray continuation byte, a cut-off or overlong sequence, a surrogate, a
// code point beyond U+10FFFF).
size_t Utf8SequenceLength(const std::string& s, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return 1;
    }
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;  // bounds of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > s.size() || byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) {
            return 0;
        }
    }
    return length;
}

void AppendString(std::string& out, const std::string& s) {
    out += '"';
    for (const char c : ValidUtf8(s)) {
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

void AppendValue(std::string& out, const Json& value) {
    if (value.is_object()) {
        out += '{';
        bool first = true;
        for (const auto& [key, member] : value.items()) {
            out += first ? "" : ", ";
            first = false;
            AppendString(out, key);
            out += ": ";
            AppendValue(out, member);
        }
        out += '}';
    } else if (value.is_array()) {
        out += '[';
        for (size_t i = 0; i < value.size(); ++i) {
            out += i == 0 ? "" : ", ";
            AppendValue(out, value[i]);
        }
        out += ']';
    } else if (value.is_string()) {
        AppendString(out, value.get_ref<const std::string&>());
    } else {
        out += value.dump();
    }
}

}  // namespace

std::string ValidUtf8(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) {
            text += "\xEF\xBF\xBD";  // U+FFFD for each byte that is not UTF-8
            i += 1;
        } else {
            text.append(bytes, i, length);
            i += length;
        }
    }
    return text;
}

std::string JsonLine(const Json& value) {
    std::string out;
    AppendValue(out, value);
    return out + "\n";
}

Json PointJson(int32_t p) { return Json::array({pointX(p), pointY(p)}); }

Json PointListJson(const PointList& list) {
    Json points = Json::array();
    for (int32_t i = 0; i < kListSlots && list[i] != 0; ++i) {
        points.push_back(PointJson(list[i]));
    }
    return points;
}

void AddFileField(Json& object, const std::string& file) {
    const std::string text = ValidUtf8(file);
    object["file"] = text;
    if (text != file) {
        // The name as it was, for a reader that needs the real bytes.
        std::string hex;
        for (const char c : file) {
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(c));
            hex += pair;
        }
        object["fileBytes"] = hex;
    }
}

void AddProblemFields(Json& object, const std::string& file, int32_t side, int32_t target,
                      const PointList& region) {
    AddFileField(object, file);
    object["sideToMove"] = side;
    object["target"] = PointJson(target);
    object["region"] = PointListJson(region);
}
