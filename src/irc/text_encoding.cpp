#include "irc/text_encoding.h"

#include <cstdint>

#include "core/app.h"
#include "core/text_util.h"

namespace fc {

namespace {

// Windows-1252 at 0x80 to 0x9F; the five bytes it leaves free keep their Latin-1 code.
constexpr char32_t kHighCharacters[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t characterOf(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighCharacters[byte - 0x80] : byte;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t encodedSize(unsigned char byte) {
    const char32_t c = characterOf(byte);
    return c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
}

char byteOf(char32_t c) {
    if (c < 0x100) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighCharacters[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

bool sendsUtf8(const App& app) {
    const std::string chosen = toLower(trimBlanks(app.settings.ircEncoding));
    return app.irc.server.utf8Only || (chosen != "latin-1" && chosen != "latin1");
}

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes) appendUtf8(out, characterOf(static_cast<unsigned char>(b)));
    return out;
}

std::string fromWire(std::string_view line) {
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        const auto lead = static_cast<unsigned char>(line[i]);
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                                                         : 0;
        if (length == 0 || i + length > line.size()) return std::string(line);
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(line[i + k]);
            if ((next & 0xC0) != 0x80) return std::string(line);
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and code points past Unicode are no UTF-8.
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kLeast[length] || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF)
            return std::string(line);
        out += byteOf(c);
        i += length;
    }
    return out;
}

std::size_t fittingBytes(std::string_view text, std::size_t room, bool utf8) {
    if (!utf8) return std::min(text.size(), room);
    std::size_t used = 0, count = 0;
    for (; count < text.size(); ++count) {
        used += encodedSize(static_cast<unsigned char>(text[count]));
        if (used > room) break;
    }
    return count;
}

std::string toWire(const App& app, std::string_view body, std::size_t room) {
    const bool utf8 = sendsUtf8(app);
    const std::string_view fitting = body.substr(0, fittingBytes(body, room, utf8));
    return utf8 ? toUtf8(fitting) : std::string(fitting);
}

}  // namespace fc
