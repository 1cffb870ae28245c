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
};

struct ParsedCommandLine {
    CommandLine options;
    std::string error;  // names the bad argument; empty when the line is good
};

// Parses the arguments after the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace fc
