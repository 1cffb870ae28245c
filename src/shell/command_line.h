// The program's command line. Scripts depend on it: options are only ever added.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fc {

struct CommandLine {
    bool headless = false;
    bool json = false;
    bool showVersion = false;
    bool showHelp = false;
    std::string dir;  // "" means the default program directory
    std::optional<std::string> server;
    std::optional<double> durationSeconds;
    // The IRC bot: connected at start when `ircHost` is given; the others override the fields.
    std::optional<std::string> ircHost;
    int ircPort = 6667;
    std::optional<std::string> ircChannel;
    std::optional<std::string> ircNick;
    std::optional<std::string> ircKey;
    // Connects the bot at start to the IRC server, port, channel and nick of the settings.
    bool ircFromSettings = false;
    // A recording played through the analysis; the run ends at its end unless a duration is set.
    std::optional<std::string> replay;
    // Recorded hundredths of a second replayed per 10 ms tick (1 is real time).
    double speed = 1;
    // Every live reply of the run is appended to this file.
    std::optional<std::string> record;
};

struct ParsedCommandLine {
    CommandLine options;
    std::string error;  // names the bad argument; empty when the line is good
};

// Parses the arguments after the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace fc
