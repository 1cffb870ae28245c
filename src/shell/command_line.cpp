#include "shell/command_line.h"

#include <charconv>
#include <cmath>

namespace fc {

namespace {

bool ParseSeconds(const std::string& text, double& seconds) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, seconds);
    return ec == std::errc() && end == last && std::isfinite(seconds) && seconds >= 0;
}

}  // namespace

std::string UsageText() {
    return "usage:\n"
           "  fragcaster [--dir DIR]              the desktop window (default)\n"
           "  fragcaster --headless [options]     no window; runs until SIGINT/SIGTERM or "
           "--duration\n"
           "    --dir DIR            program directory (settings file, recordings folder)\n"
           "    --server ENTRY       the game server to monitor, switched on at start\n"
           "    --json               one JSON object per line on stdout\n"
           "    --duration SECONDS   run that long, then close and exit 0\n"
           "  fragcaster --version | --help\n";
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine result;
    CommandLine& o = result.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                result.error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--version") {
            o.showVersion = true;
        } else if (arg == "--help" || arg == "-h") {
            o.showHelp = true;
        } else if (arg == "--dir") {
            if (!value(o.dir)) return result;
            if (o.dir.empty()) {
                result.error = "--dir needs a folder";
                return result;
            }
        } else if (arg == "--server") {
            std::string entry;
            if (!value(entry)) return result;
            if (entry.empty()) {
                result.error = "--server needs a server entry";
                return result;
            }
            o.server = entry;
        } else if (arg == "--duration") {
            std::string text;
            if (!value(text)) return result;
            double seconds = 0;
            if (!ParseSeconds(text, seconds)) {
                result.error = "--duration: not a number of seconds: " + text;
                return result;
            }
            o.durationSeconds = seconds;
        } else {
            result.error = "unknown argument: " + arg;
            return result;
        }
    }
    if (!o.headless && (o.json || o.server || o.durationSeconds)) {
        result.error = "--server, --json and --duration go with --headless";
    }
    return result;
}

}  // namespace fc
