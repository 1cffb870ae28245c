#include "core/server_vars.h"

#include <algorithm>

#include "core/text_util.h"

namespace fc {

namespace {

// Where `key` first occurs in the reply read with every LF as "\\" (npos when it does not).
std::size_t findKey(std::string_view key, std::string_view reply) {
    const std::size_t backslash = key.find('\\');
    if (backslash == std::string_view::npos) return reply.find(key);  // LFs cannot matter
    if (backslash == 0 && key.find('\\', 1) == std::string_view::npos) {
        // The common "\\key" form: the rest of the key, behind a backslash or an LF.
        const std::string_view rest = key.substr(1);
        for (std::size_t p = reply.find(rest, 1); p != std::string_view::npos;
             p = reply.find(rest, p + 1)) {
            if (reply[p - 1] == '\\' || reply[p - 1] == '\n') return p - 1;
        }
        if (rest.empty() && !reply.empty()) return reply.size();
        return std::string_view::npos;
    }
    // Any other key: compare character by character, the virtual "\\" at the end included.
    auto at = [&](std::size_t i) { return i < reply.size() && reply[i] != '\n' ? reply[i] : '\\'; };
    for (std::size_t p = 0; p + key.size() <= reply.size() + 1; ++p) {
        std::size_t k = 0;
        while (k < key.size() && at(p + k) == key[k]) ++k;
        if (k == key.size()) return p;
    }
    return std::string_view::npos;
}

}  // namespace

std::string getServerVar(std::string_view key, std::string_view reply) {
    if (key.empty()) return "";
    const std::size_t p = findKey(key, reply);
    if (p == std::string_view::npos) return "";
    const std::size_t start = p + key.size() + 1;  // the key and the character after it
    if (start >= reply.size()) return "";
    const std::size_t end = reply.find_first_of("\\\n", start);
    return std::string(reply.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string filterQ3Colours(std::string_view text) {
    std::string out;
    appendWithoutQ3Colours(out, text);
    return out;
}

void appendWithoutQ3Colours(std::string& out, std::string_view text) {
    for (std::size_t caret = text.find('^'); caret != std::string_view::npos;
         caret = text.find('^')) {
        out.append(text.substr(0, caret));
        // Drops the code character too; a trailing "^" goes alone.
        text.remove_prefix(std::min(caret + 2, text.size()));
    }
    out.append(text);
}

std::string stripNonBreakingSpaces(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) == 160) ++i;
    return std::string(text.substr(i));
}

long long columnNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) == 160) ++i;
    text.remove_prefix(i);
    // The usual column, a few digits and maybe a minus, is read here as whole digits; anything
    // else (blanks, a fraction, a long number) the way every number of the program is read.
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (!digits.empty() && digits.size() <= 15) {
        long long value = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9') return leadingWhole(text);
            value = value * 10 + (c - '0');
        }
        return negative ? -value : value;
    }
    return leadingWhole(text);
}

bool isBaseQuake3(std::string_view gameName) {
    const std::string upper = toUpper(gameName);
    return upper == "BASEQ3" || upper == "BASEOA";
}

}  // namespace fc
