// The bot's lines as a terminal shows them: IRC's bold, underline, reverse and colours drawn as
// ANSI styles, or taken out for a pipe or a file, so that what a script reads is plain text.
#pragma once

#include <string>
#include <string_view>

namespace fc {

enum class TerminalStyle { Plain, Ansi };

// The text with its IRC codes (bold, colour with up to two digits and an optional ",bg",
// underline, reverse, plain) turned into ANSI styles, or removed for Plain. A styled text ends
// with every style off, so no style leaks into the next line. Colours 16 and above draw in the
// terminal's own colour.
std::string ircToTerminal(std::string_view text, TerminalStyle style);

// Styles only for a terminal, and never when NO_COLOR is set to a non-empty value.
TerminalStyle terminalStyleFor(bool isTerminal, const char* noColor);

}  // namespace fc
