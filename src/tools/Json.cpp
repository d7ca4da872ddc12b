#include "Json.h"

#include <cmath>
#include <cstdio>

std::string formatFloat(float number) {
    if (!std::isfinite(number)) {
        return "null";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(number));
    return text;
}

void JsonLine::separate() {
    if (needComma_) {
        out_ += ',';
    }
    needComma_ = true;
}

JsonLine& JsonLine::begin() {
    separate();
    out_ += '{';
    needComma_ = false;
    return *this;
}

JsonLine& JsonLine::end() {
    out_ += '}';
    needComma_ = true;
    return *this;
}

JsonLine& JsonLine::beginArray() {
    separate();
    out_ += '[';
    needComma_ = false;
    return *this;
}

JsonLine& JsonLine::endArray() {
    out_ += ']';
    needComma_ = true;
    return *this;
}

JsonLine& JsonLine::key(const char* name) {
    separate();
    needComma_ = false;
    value(std::string(name));
    out_ += ':';
    needComma_ = false;
    return *this;
}

namespace {

bool isValidUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace

JsonLine& JsonLine::value(const std::string& text) {
    separate();
    out_ += '"';
    // Bytes that are not UTF-8 are written as the Latin-1 characters they would be, so the
    // line stays valid JSON whatever a user pasted.
    const bool utf8 = isValidUtf8(text);
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (!utf8 && u >= 0x80) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out_ += escaped;
        } else if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out_ += escaped;
        } else {
            out_ += c;
        }
    }
    out_ += '"';
    return *this;
}

JsonLine& JsonLine::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::value(int32_t number) {
    separate();
    out_ += std::to_string(number);
    return *this;
}

JsonLine& JsonLine::value(float number) {
    separate();
    out_ += formatFloat(number);
    return *this;
}

JsonLine& JsonLine::value(Point point) {
    beginArray();
    value(point.x);
    value(point.y);
    return endArray();
}

JsonLine& JsonLine::raw(const std::string& text) {
    separate();
    out_ += text;
    return *this;
}
