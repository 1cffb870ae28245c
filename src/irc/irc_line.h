// The server's byte stream cut into lines, and one line taken apart.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fc {

// A line from the server with a prefix (":sender!user@host COMMAND params").
struct IrcLine {
    std::string sender;   // the nick of a user prefix, or a server's whole name
    std::string command;  // the word after the prefix
    std::string params;   // what follows the command and its blank, line end included
};

IrcLine splitIrcLine(std::string_view line);

// Whether a line (without its end) has the shape of an IRC message: an optional ":prefix"
// and a blank, then a command of letters or three digits, and no NUL anywhere.
bool isReadableIrcLine(std::string_view line);

// A line that cannot be read, made fit to show: control bytes as \xNN, at most `limit` bytes
// of the line (then "...").
std::string showableLine(std::string_view line, std::size_t limit = 200);

// An unfinished line longer than this is given up: no server sends one, and keeping it would
// let a broken peer grow the buffer without end.
inline constexpr std::size_t kLongestIrcLine = 16384;

struct CutResult {
    std::vector<std::string> lines;    // complete lines, each with its LF or CR LF
    std::vector<std::string> dropped;  // starts of unfinished lines that grew too long
};

// Cuts a read into lines. A line ends at LF, with or without a CR before it. The unfinished
// rest waits in `partial` for the next read; `skipping` says that the rest of a dropped line
// is still arriving and is to be passed over up to its end.
CutResult cutIrcLines(std::string& partial, bool& skipping, std::string_view chunk);

}  // namespace fc
