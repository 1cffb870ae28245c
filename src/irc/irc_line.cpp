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

// A tag value's escapes: "\\:" a ";", "\\s" a blank, "\\r" and "\\n" the line ends, "\\\\" a
// backslash; any other escaped character stands for itself and a lone backslash at the end goes.
std::string unescapeTag(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
        } else if (++i < value.size()) {
            const char c = value[i];
            out += c == ':' ? ';' : c == 's' ? ' ' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
    }
    return out;
}

// The text after leading blanks.
std::string_view skipBlanks(std::string_view text) {
    const std::size_t at = text.find_first_not_of(' ');
    return at == std::string_view::npos ? std::string_view() : text.substr(at);
}

// The first word and what follows its blank.
std::pair<std::string_view, std::string_view> firstWordAndRest(std::string_view text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) return {text, {}};
    return {text.substr(0, blank), text.substr(blank + 1)};
}

}  // namespace

const std::string& IrcLine::arg(std::size_t i) const {
    static const std::string kNone;
    return i < args.size() ? args[i] : kNone;
}

std::optional<std::string> IrcLine::tag(std::string_view key) const {
    for (const auto& [name, value] : tags)
        if (name == key) return value;
    return std::nullopt;
}

IrcLine splitIrcLine(std::string_view line) {
    IrcLine out;
    std::string_view rest = skipBlanks(line);
    if (rest.starts_with('@')) {
        auto [tags, after] = firstWordAndRest(rest.substr(1));
        while (!tags.empty()) {
            const auto semicolon = tags.find(';');
            const std::string_view tag = tags.substr(0, semicolon);
            const auto equals = tag.find('=');
            if (!tag.empty())
                out.tags.emplace_back(tag.substr(0, equals),
                                      equals == std::string_view::npos
                                          ? std::string()
                                          : unescapeTag(tag.substr(equals + 1)));
            tags = semicolon == std::string_view::npos ? std::string_view()
                                                       : tags.substr(semicolon + 1);
        }
        rest = skipBlanks(after);
    }
    if (rest.starts_with(':')) {
        auto [prefix, after] = firstWordAndRest(rest.substr(1));
        // The nick is cut from the prefix alone, so a "!" in the text of a server's line is no
        // nick.
        out.sender = std::string(prefix.substr(0, prefix.find_first_of("!@")));
        out.fromUser = prefix.find('!') != std::string_view::npos;
        rest = skipBlanks(after);
    }
    auto [command, params] = firstWordAndRest(rest);
    // A command without parameters ("QUIT" and its line end) is still a command.
    out.command = std::string(withoutLineEnd(command));
    out.params = std::string(params);
    // A CR or LF inside a line ends its text: it cannot be shown or said again.
    std::string_view p = params.substr(0, params.find_first_of("\r\n"));
    for (p = skipBlanks(p); !p.empty(); p = skipBlanks(p)) {
        if (p.front() == ':') {
            out.args.emplace_back(p.substr(1));
            break;
        }
        auto [word, after] = firstWordAndRest(p);
        out.args.emplace_back(word);
        p = after;
    }
    return out;
}

bool isReadableIrcLine(std::string_view line) {
    if (line.find('\0') != std::string_view::npos) return false;
    std::string_view rest = line;
    if (!rest.empty() && rest.front() == '@') {
        const std::size_t blank = rest.find(' ');
        if (blank == std::string_view::npos) return false;
        rest = skipBlanks(rest.substr(blank));
    }
    if (!rest.empty() && rest.front() == ':') {
        const std::size_t blank = rest.find(' ');
        if (blank == std::string_view::npos || blank == 1) return false;
        rest = rest.substr(blank + 1);
    }
    return isCommand(rest.substr(0, rest.find(' ')));
}

std::string foldCase(std::string_view name, std::string_view caseMapping) {
    const bool rfc = caseMapping != "ascii";
    const bool tilde = caseMapping != "strict-rfc1459";
    std::string out(name);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        else if (rfc && (c == '[' || c == ']' || c == '\\' || (c == '~' && tilde)))
            c = c == '[' ? '{' : c == ']' ? '}' : c == '\\' ? '|' : '^';
    }
    return out;
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
