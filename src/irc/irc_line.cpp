#include "irc/irc_line.h"

#include <cstdio>

namespace fc {

namespace {

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isCommand(std::string_view word) {
    if (word.empty()) return false;
    bool letters = true;
    bool digits = word.size() == 3;
    for (char c : word) {
        letters = letters && isLetter(c);
        digits = digits && isDigit(c);
    }
    return letters || digits;
}

std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    return line;
}

}  // namespace

IrcLine splitIrcLine(std::string_view line) {
    IrcLine out;
    const std::size_t blank = line.find(' ');
    const std::string_view prefix = line.substr(line.empty() ? 0 : 1, blank == 0 ? 0 : blank - 1);
    // The nick is cut from the prefix alone, so a "!" in the text of a server's line is no nick.
    out.sender = std::string(prefix.substr(0, prefix.find('!')));
    if (blank == std::string_view::npos) return out;

    const std::string_view rest = line.substr(blank + 1);
    const std::size_t next = rest.find(' ');
    // A command without parameters ("QUIT" and its line end) is still a command.
    out.command = std::string(withoutLineEnd(rest.substr(0, next)));
    if (next != std::string_view::npos) out.params = std::string(rest.substr(next + 1));
    return out;
}

bool isReadableIrcLine(std::string_view line) {
    if (line.find('\0') != std::string_view::npos) return false;
    std::string_view rest = line;
    if (!rest.empty() && rest.front() == ':') {
        const std::size_t blank = rest.find(' ');
        if (blank == std::string_view::npos || blank == 1) return false;
        rest = rest.substr(blank + 1);
    }
    return isCommand(rest.substr(0, rest.find(' ')));
}

std::string showableLine(std::string_view line, std::size_t limit) {
    std::string out;
    const std::string_view shown = line.substr(0, limit);
    for (char ch : shown) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += ch;
        }
    }
    if (line.size() > limit) out += "...";
    return out;
}

CutResult cutIrcLines(std::string& partial, bool& skipping, std::string_view chunk) {
    CutResult result;
    while (!chunk.empty()) {
        const std::size_t lf = chunk.find('\n');
        if (skipping) {
            if (lf == std::string_view::npos) return result;
            skipping = false;
            chunk.remove_prefix(lf + 1);
            continue;
        }
        if (lf == std::string_view::npos) {
            partial.append(chunk);
            if (partial.size() > kLongestIrcLine) {
                result.dropped.push_back(std::move(partial));
                partial.clear();
                skipping = true;
            }
            return result;
        }
        partial.append(chunk.substr(0, lf + 1));
        result.lines.push_back(std::move(partial));
        partial.clear();
        chunk.remove_prefix(lf + 1);
    }
    return result;
}

}  // namespace fc
