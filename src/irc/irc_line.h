// The server's byte stream cut into lines, and one line taken apart.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fc {

// A line from the server taken apart once: "@tags :sender!user@host COMMAND params".
struct IrcLine {
    std::vector<std::pair<std::string, std::string>> tags;  // IRCv3 message tags, unescaped
    std::string sender;             // the nick of a user prefix, or a server's whole name
    bool fromUser = false;          // the prefix is a user's ("nick!user@host"), not a server's
    std::string command;            // the word after the prefix
    std::string params;             // what follows the command and its blank, line end included
    std::vector<std::string> args;  // the parameters, the trailing one without its ":"

    // A parameter, or "" when the line has fewer.
    const std::string& arg(std::size_t i) const;
    // A tag's value, or nothing when the line does not carry it.
    std::optional<std::string> tag(std::string_view key) const;
};

IrcLine splitIrcLine(std::string_view line);

// Whether a line (without its end) has the shape of an IRC message: optional "@tags", an
// optional ":prefix" and a blank, then a command of letters or three digits, and no NUL.
bool isReadableIrcLine(std::string_view line);

// A nick or channel name in the one case the server's CASEMAPPING compares it in: "ascii"
// folds A-Z, "rfc1459" also []\~ to {}|^, "strict-rfc1459" all of those but ~.
std::string foldCase(std::string_view name, std::string_view caseMapping);

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
