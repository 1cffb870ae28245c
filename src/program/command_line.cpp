#include "program/command_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/server_entry.h"
#include "core/text_util.h"

namespace fc {

namespace {

bool parseSeconds(const std::string& text, double& seconds) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, seconds);
    return ec == std::errc() && end == last && std::isfinite(seconds) && seconds >= 0;
}

// HOST, HOST:PORT, or an IPv6 address alone or in brackets with ":PORT" behind them.
bool parseIrcAddress(const std::string& text, std::string& host, int& port) {
    std::string portText;
    if (!text.empty() && text[0] == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string::npos) return false;
        host = text.substr(1, close - 1);
        const std::string rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest[0] != ':') return false;
            portText = rest.substr(1);
            if (portText.empty()) return false;
        }
    } else if (text.find(':') != text.rfind(':')) {
        host = text;  // an IPv6 address without a port
    } else {
        const std::size_t colon = text.find(':');
        host = text.substr(0, colon);
        if (colon != std::string::npos) {
            portText = text.substr(colon + 1);
            if (portText.empty()) return false;
        }
    }
    if (host.empty()) return false;
    if (!portText.empty()) {
        const auto [end, ec] =
            std::from_chars(portText.data(), portText.data() + portText.size(), port);
        if (ec != std::errc() || end != portText.data() + portText.size() || port < 1 ||
            port > 65535)
            return false;
    }
    return true;
}

// A comma list of event names; "none" names no event.
bool parseInterpEvents(const std::string& text, std::vector<std::string>& events,
                       std::string& bad) {
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string name = text.substr(start, comma - start);
        start = comma + 1;
        if (name == "none") continue;
        bool known = false;
        for (const InterpEventName& e : kInterpEvents) known = known || name == e.name;
        if (!known) {
            bad = name;
            return false;
        }
        events.push_back(name);
    }
    return true;
}

}  // namespace

const InterpEventName kInterpEvents[9] = {
    {"got", &InterpState::interpGotFlag},         {"lost", &InterpState::interpLostFlag},
    {"recover", &InterpState::interpRecoverFlag}, {"quad", &InterpState::interpQuad},
    {"haste", &InterpState::interpHaste},         {"regen", &InterpState::interpRegen},
    {"invis", &InterpState::interpInvis},         {"server", &InterpState::interpServerMsg},
    {"scores", &InterpState::interpReport},
};

std::string usageText() {
    return "usage:\n"
           "  fragcaster [--dir DIR]              the desktop window (default)\n"
           "  fragcaster --headless [options]     no window; runs until SIGINT/SIGTERM or "
           "--duration\n"
           "    --dir DIR            program directory (settings file, recordings folder)\n"
           "    --server ENTRY       the game server to monitor, switched on at start\n"
           "    --irc HOST[:PORT]    connect the IRC bot at start (port default 6667)\n"
           "    --channel CHAN --nick NICK --key KEY   the bot's channel, nick and channel key\n"
           "    --irc-from-settings  connect the IRC bot at start to the server of the settings\n"
           "    --interp-port PORT   the Interp service's port (default 3490)\n"
           "    --interp-events LIST which Interp events are reported: a comma list of got,lost,\n"
           "                         recover,quad,haste,regen,invis,server,scores, or none\n"
           "    --tls                connect the IRC bot with TLS (port default 6697)\n"
           "    --tls-insecure       TLS accepting any certificate (a private server's own)\n"
           "    --no-reconnect       do not reconnect when the IRC connection is lost\n"
           "    --sasl-user NAME     log the IRC bot in with SASL as NAME, for this run\n"
           "    --sasl-password-file FILE   its password: the file's first line\n"
           "    --json               one JSON object per line on stdout\n"
           "    --duration SECONDS   run that long, then close and exit 0\n"
           "    --replay FILE        play a recording through the analysis; ends at its end\n"
           "    --speed N            playback speed, 1 = real time (0.1 to 1000)\n"
           "    --record FILE        append every live reply of this run to FILE\n"
           "    --sweep              the server browser's \"Total refresh\" over the stored list "
           "(the\n"
           "                         master server's when it is empty), then end 1 s after it\n"
           "    --fast               with --sweep: the fast sweep\n"
           "    --filter-empty / --filter-unanswered   the browser's two filters, for this run\n"
           "    --check-update       the manual update check (UpdateURL in orvexa.ini), then end\n"
           "    --webhook URL        also post every channel line to a chat room's webhook\n"
           "    --webhook-format discord|slack   its message format (slack: Mattermost too)\n"
           "  fragcaster --demo [options]         replays the shipped demo match at high speed "
           "and\n"
           "                                      prints it as the bot says it (--json, --irc,\n"
           "                                      --speed, --dir too); ends at the match's end\n"
           "  fragcaster --preview TEMPLATE [--kind dm|ctf] [--background white|black] "
           "[--no-colors]\n"
           "                                      the template filled with sample values, then as\n"
           "                                      the preview's RTF document (--json, --server "
           "too)\n"
           "  fragcaster --screenshots DIR        the window replays its server entry's "
           "recording,\n"
           "                                      saves a picture of each tab into DIR and ends\n"
           "  fragcaster --timeline RECORDING --out FILE.png|FILE.svg [--size WxH] "
           "[--background white|black]\n"
           "                                      draws every game of the recording as a "
           "timeline\n"
           "                                      (FILE-1.png, FILE-2.png, ... when several) and\n"
           "                                      prints the paths; --json: the data drawn\n"
           "  fragcaster --version | --help\n";
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine result;
    CommandLine& o = result.options;
    bool previewStyled = false;  // an option that only shapes a preview was given
    bool speedGiven = false;
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
            // A path names a recording to play, as in the window's entry.
            const std::string fault =
                entry.find('/') == std::string::npos ? serverEntryFault(entry) : "";
            if (!fault.empty()) {
                result.error = "--server " + entry + ": " + fault;
                return result;
            }
            o.server = entry;
        } else if (arg == "--irc") {
            std::string address;
            if (!value(address)) return result;
            std::string host;
            int port = 0;
            if (!parseIrcAddress(address, host, port)) {
                result.error = "--irc: not a HOST or HOST:PORT: " + address;
                return result;
            }
            o.ircHost = host;
            o.ircPortGiven = port != 0;
            if (o.ircPortGiven) o.ircPort = port;
        } else if (arg == "--irc-from-settings") {
            o.ircFromSettings = true;
        } else if (arg == "--tls") {
            o.tls = true;
        } else if (arg == "--tls-insecure") {
            o.tls = o.tlsInsecure = true;
        } else if (arg == "--no-reconnect") {
            o.noReconnect = true;
        } else if (arg == "--sasl-user" || arg == "--sasl-password-file") {
            std::string text;
            if (!value(text)) return result;
            if (text.empty()) {
                result.error = arg + " needs a value";
                return result;
            }
            (arg == "--sasl-user" ? o.saslUser : o.saslPasswordFile) = text;
        } else if (arg == "--channel" || arg == "--nick" || arg == "--key") {
            std::string text;
            if (!value(text)) return result;
            if (text.empty() && arg != "--key") {
                result.error = arg + " needs a value";
                return result;
            }
            (arg == "--channel" ? o.ircChannel : arg == "--nick" ? o.ircNick : o.ircKey) = text;
        } else if (arg == "--interp-port") {
            std::string text;
            if (!value(text)) return result;
            int port = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
            if (ec != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535) {
                result.error = "--interp-port: not a port number: " + text;
                return result;
            }
            o.interpPort = port;
        } else if (arg == "--interp-events") {
            std::string text;
            if (!value(text)) return result;
            std::vector<std::string> events;
            std::string bad;
            if (!parseInterpEvents(text, events, bad)) {
                result.error = "--interp-events: not an event: \"" + bad + "\"";
                return result;
            }
            o.interpEvents = events;
        } else if (arg == "--duration") {
            std::string text;
            if (!value(text)) return result;
            double seconds = 0;
            if (!parseSeconds(text, seconds)) {
                result.error = "--duration: not a number of seconds: " + text;
                return result;
            }
            o.durationSeconds = seconds;
        } else if (arg == "--replay" || arg == "--record") {
            std::string path;
            if (!value(path)) return result;
            if (path.empty()) {
                result.error = arg + " needs a file";
                return result;
            }
            (arg == "--replay" ? o.replay : o.record) = path;
        } else if (arg == "--speed") {
            std::string text;
            if (!value(text)) return result;
            if (!parseSeconds(text, o.speed) || o.speed < 0.1 || o.speed > 1000) {
                result.error = "--speed: not a number from 0.1 to 1000: " + text;
                return result;
            }
            speedGiven = true;
        } else if (arg == "--preview") {
            std::string templ;
            if (!value(templ)) return result;
            o.previewTemplate = templ;
        } else if (arg == "--kind" || arg == "--background") {
            std::string text;
            if (!value(text)) return result;
            const bool kind = arg == "--kind";
            if (text != (kind ? "dm" : "white") && text != (kind ? "ctf" : "black")) {
                result.error = arg + (kind ? ": not dm or ctf: " : ": not white or black: ") + text;
                return result;
            }
            (kind ? o.previewTeamGame : o.previewBlack) = text == (kind ? "ctf" : "black");
            previewStyled = true;
        } else if (arg == "--no-colors") {
            o.previewNoColors = previewStyled = true;
        } else if (arg == "--sweep") {
            o.sweep = true;
        } else if (arg == "--fast") {
            o.sweepFast = true;
        } else if (arg == "--filter-empty") {
            o.filterEmpty = true;
        } else if (arg == "--filter-unanswered") {
            o.filterUnanswered = true;
        } else if (arg == "--check-update") {
            o.checkUpdate = true;
        } else if (arg == "--demo") {
            o.demo = o.headless = true;
        } else if (arg == "--screenshots") {
            std::string dir;
            if (!value(dir)) return result;
            if (dir.empty()) {
                result.error = "--screenshots needs a folder";
                return result;
            }
            o.screenshots = dir;
        } else if (arg == "--webhook") {
            std::string url;
            if (!value(url)) return result;
            if (!textStartsWith(url, "https://") && !textStartsWith(url, "http://")) {
                result.error = "--webhook: not an http:// or https:// address";  // never echoed
                return result;
            }
            o.webhookUrl = url;
        } else if (arg == "--webhook-format") {
            std::string format;
            if (!value(format)) return result;
            if (format != "discord" && format != "slack") {
                result.error = "--webhook-format: not discord or slack: " + format;
                return result;
            }
            o.webhookFormat = format;
        } else if (arg == "--timeline" || arg == "--out") {
            std::string file;
            if (!value(file)) return result;
            if (file.empty()) {
                result.error = arg + " needs a file";
                return result;
            }
            (arg == "--timeline" ? o.timeline : o.timelineOut) = file;
        } else if (arg == "--size") {
            std::string text;
            if (!value(text)) return result;
            const std::size_t x = text.find('x');
            const long long w = x == std::string::npos ? 0 : leadingWhole(text.substr(0, x));
            const long long h = x == std::string::npos ? 0 : leadingWhole(text.substr(x + 1));
            if (w < 200 || h < 100 || w > 8000 || h > 8000 ||
                text != std::to_string(w) + "x" + std::to_string(h)) {
                result.error = "--size: not WIDTHxHEIGHT from 200x100 to 8000x8000: " + text;
                return result;
            }
            o.timelineWidth = static_cast<int>(w);
            o.timelineHeight = static_cast<int>(h);
            o.timelineSized = true;
        } else {
            result.error = "unknown argument: " + arg;
            return result;
        }
    }
    if (o.previewTemplate) {
        // Only what shapes the preview goes with it.
        if (o.durationSeconds || o.ircHost || o.ircChannel || o.ircNick || o.ircKey ||
            o.ircFromSettings || o.interpPort || o.interpEvents || o.tls || o.noReconnect ||
            o.saslUser || o.saslPasswordFile || o.replay || o.record || o.speed != 1 ||
            o.screenshots || o.sweep || o.sweepFast || o.filterEmpty || o.filterUnanswered ||
            o.checkUpdate || o.demo || o.webhookUrl || o.webhookFormat) {
            result.error =
                "--preview goes only with --kind, --background, --no-colors, --server and --json";
        }
        return result;
    }
    if (o.timeline || o.timelineOut || o.timelineSized) {
        // Only what shapes the pictures goes with it.
        if (!o.timeline || !o.timelineOut) {
            result.error = "--timeline RECORDING and --out FILE go together";
        } else if (o.headless || o.server || o.durationSeconds || o.ircHost || o.ircChannel ||
                   o.ircNick || o.ircKey || o.ircFromSettings || o.interpPort || o.interpEvents ||
                   o.saslUser || o.replay || o.record || o.speed != 1 || o.screenshots || o.sweep ||
                   o.checkUpdate || o.previewNoColors || o.previewTeamGame) {
            result.error =
                "--timeline goes only with --out, --size, --background, --json and --dir";
        }
        return result;
    }
    if (o.demo && !speedGiven) o.speed = 1000;
    if (previewStyled) {
        result.error = "--kind, --background and --no-colors go with --preview";
    } else if (o.demo && (o.server || o.replay || o.sweep || o.checkUpdate || o.screenshots)) {
        result.error =
            "--demo plays the shipped match: not with --server, --replay, --sweep, "
            "--check-update or --screenshots";
    } else if (o.screenshots && o.headless) {
        result.error = "--screenshots shows the window: not with --headless";
    } else if (!o.headless && (o.json || o.server || o.durationSeconds)) {
        result.error = "--server, --json and --duration go with --headless";
    } else if (!o.headless && (o.replay || o.record || o.speed != 1)) {
        result.error = "--replay, --speed and --record go with --headless";
    } else if (o.replay && o.server) {
        result.error = "--replay and --server cannot be used together";
    } else if (!o.headless && (o.ircHost || o.ircChannel || o.ircNick || o.ircKey)) {
        result.error = "--irc, --channel, --nick and --key go with --headless";
    } else if (!o.headless && o.ircFromSettings) {
        result.error = "--irc-from-settings goes with --headless";
    } else if (!o.headless && (o.interpPort || o.interpEvents)) {
        result.error = "--interp-port and --interp-events go with --headless";
    } else if (!o.headless && (o.tls || o.noReconnect || o.saslUser || o.saslPasswordFile)) {
        result.error =
            "--tls, --tls-insecure, --no-reconnect, --sasl-user and --sasl-password-file go with "
            "--headless";
    } else if (o.saslUser.has_value() != o.saslPasswordFile.has_value()) {
        result.error = "--sasl-user and --sasl-password-file go together";
    } else if (!o.sweep && (o.sweepFast || o.filterEmpty || o.filterUnanswered)) {
        result.error = "--fast, --filter-empty and --filter-unanswered go with --sweep";
    } else if (o.sweep && (!o.headless || o.replay)) {
        result.error = "--sweep goes with --headless, not with --replay";
    } else if (o.checkUpdate && (!o.headless || o.sweep || o.replay)) {
        result.error = "--check-update goes with --headless, not with --sweep or --replay";
    } else if (!o.headless && (o.webhookUrl || o.webhookFormat)) {
        result.error = "--webhook and --webhook-format go with --headless";
    } else if (o.ircHost && o.ircFromSettings) {
        result.error = "--irc and --irc-from-settings cannot be used together";
    }
    return result;
}

}  // namespace fc
