#include "shell/terminal_text.h"

#include "irc/outgoing.h"

namespace fc {

namespace {

constexpr int kNoColour = -1;

// The sixteen IRC colours as the nearest of the terminal's sixteen (foreground codes).
constexpr int kAnsiForeground[16] = {97, 30, 34, 32, 91, 31, 35, 33,
                                     93, 92, 36, 96, 94, 95, 90, 37};

struct Style {
    bool bold = false, underline = false, reverse = false;
    int foreground = kNoColour, background = kNoColour;
    bool operator==(const Style&) const = default;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Up to two digits at `at`, moving past them; kNoColour when there is none.
int readColour(std::string_view text, std::size_t& at) {
    if (at >= text.size() || !isDigit(text[at])) return kNoColour;
    int number = text[at++] - '0';
    if (at < text.size() && isDigit(text[at])) number = number * 10 + (text[at++] - '0');
    return number < 16 ? number : kNoColour;
}

// One SGR sequence that sets every attribute of `s` from scratch.
std::string sequence(const Style& s) {
    std::string seq = "\x1b[0";
    if (s.bold) seq += ";1";
    if (s.underline) seq += ";4";
    if (s.reverse) seq += ";7";
    if (s.foreground != kNoColour) seq += ";" + std::to_string(kAnsiForeground[s.foreground]);
    if (s.background != kNoColour) seq += ";" + std::to_string(kAnsiForeground[s.background] + 10);
    return seq + "m";
}

}  // namespace

std::string ircToTerminal(std::string_view text, TerminalStyle style) {
    std::string out;
    out.reserve(text.size());
    Style wanted, shown;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i++];
        if (c == kIrcBold) {
            wanted.bold = !wanted.bold;
        } else if (c == kIrcUnderline) {
            wanted.underline = !wanted.underline;
        } else if (c == kIrcReverse) {
            wanted.reverse = !wanted.reverse;
        } else if (c == kIrcPlain) {
            wanted = Style{};
        } else if (c == kIrcColour) {
            const bool hasForeground = i < text.size() && isDigit(text[i]);
            wanted.foreground = readColour(text, i);
            // A comma belongs to the code only with a foreground before and a digit after it.
            if (!hasForeground) {
                wanted.background = kNoColour;
            } else if (i + 1 < text.size() && text[i] == ',' && isDigit(text[i + 1])) {
                ++i;
                wanted.background = readColour(text, i);
            }
        } else {
            // Styles change only where text follows, so codes that cancel out cost nothing.
            if (style == TerminalStyle::Ansi && !(wanted == shown)) {
                out += sequence(wanted);
                shown = wanted;
            }
            out += c;
        }
    }
    if (!(shown == Style{})) out += "\x1b[0m";
    return out;
}

TerminalStyle terminalStyleFor(bool isTerminal, const char* noColor) {
    const bool colourRefused = noColor != nullptr && noColor[0] != '\0';
    return isTerminal && !colourRefused ? TerminalStyle::Ansi : TerminalStyle::Plain;
}

}  // namespace fc
