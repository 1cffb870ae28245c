// The command line is a contract with scripts: what it accepts and what it refuses.
#include <gtest/gtest.h>

#include <sstream>

#include "shell/command_line.h"

namespace fc {
namespace {

// The arguments are written joined by "|". The result is every option that differs from a
// bare window start, in a fixed order, or "refused: " and the error.
std::string Parsed(const std::string& line) {
    std::vector<std::string> args;
    std::stringstream in(line);
    for (std::string arg; std::getline(in, arg, '|');) args.push_back(arg);
    if (!line.empty() && line.back() == '|') args.emplace_back();
    const ParsedCommandLine p = ParseCommandLine(args);
    if (!p.error.empty()) return "refused: " + p.error;
    const CommandLine& o = p.options;
    std::ostringstream s;
    const auto put = [&](bool on, const char* name, const auto& value) {
        if (on) s << " " << name << value;
    };
    put(o.headless, "headless", "");
    put(o.json, "json", "");
    put(o.showVersion, "version", "");
    put(o.showHelp, "help", "");
    put(!o.dir.empty(), "dir=", o.dir);
    put(o.server.has_value(), "server=", o.server.value_or(""));
    put(o.durationSeconds.has_value(), "duration=", o.durationSeconds.value_or(0));
    put(o.ircHost.has_value(), "irc=", o.ircHost.value_or("") + ":" + std::to_string(o.ircPort));
    put(o.ircPortGiven, "port-given", "");
    put(o.ircChannel.has_value(), "channel=", o.ircChannel.value_or(""));
    put(o.ircNick.has_value(), "nick=", o.ircNick.value_or(""));
    put(o.ircKey.has_value(), "key=", o.ircKey.value_or(""));
    put(o.ircFromSettings, "irc-from-settings", "");
    put(o.interpPort.has_value(), "interp-port=", o.interpPort.value_or(0));
    if (o.interpEvents) {
        s << " events=";
        for (const std::string& name : *o.interpEvents) s << name << ";";
    }
    put(o.tls, "tls", "");
    put(o.tlsInsecure, "insecure", "");
    put(o.noReconnect, "no-reconnect", "");
    put(o.replay.has_value(), "replay=", o.replay.value_or(""));
    put(o.speed != 1, "speed=", o.speed);
    put(o.record.has_value(), "record=", o.record.value_or(""));
    put(o.sweep, "sweep", "");
    put(o.sweepFast, "fast", "");
    put(o.filterEmpty, "filter-empty", "");
    put(o.filterUnanswered, "filter-unanswered", "");
    put(o.checkUpdate, "check-update", "");
    return s.str();
}

TEST(CommandLine, AcceptedLinesAndTheOptionsTheyGive) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"--dir|x", " dir=x"},
        {"--headless|--json|--server|10.0.0.5 x|--dir|/tmp/fc|--duration|2.5",
         " headless json dir=/tmp/fc server=10.0.0.5 x duration=2.5"},
        {"--headless|--irc|irc.example.net:6670|--channel|#war|--nick|Caster|--key|",
         " headless irc=irc.example.net:6670 port-given channel=#war nick=Caster key="},
        {"--headless|--irc|localhost", " headless irc=localhost:6667"},
        {"--headless|--irc|::1", " headless irc=::1:6667"},
        {"--headless|--irc|[::1]:7000", " headless irc=::1:7000 port-given"},
        {"--headless|--irc|h:7000|--tls", " headless irc=h:7000 port-given tls"},
        {"--headless|--tls-insecure", " headless tls insecure"},
        {"--headless|--no-reconnect", " headless no-reconnect"},
        {"--headless|--irc-from-settings", " headless irc-from-settings"},
        {"--headless|--replay|demos/a.rec|--speed|50|--record|b.rec",
         " headless replay=demos/a.rec speed=50 record=b.rec"},
        {"--headless|--interp-port|13490|--interp-events|got,scores,server",
         " headless interp-port=13490 events=got;scores;server;"},
        {"--headless|--interp-events|none", " headless events="},
        {"--headless|--sweep|--fast|--filter-empty|--filter-unanswered",
         " headless sweep fast filter-empty filter-unanswered"},
        {"--headless|--json|--check-update", " headless json check-update"},
        {"--version", " version"},
        {"--help", " help"},
    };
    for (const auto& [line, options] : cases) EXPECT_EQ(Parsed(line), options) << line;
    EXPECT_NE(UsageText().find("--headless"), std::string::npos);
}

// Each refusal names the argument at fault where it has one.
TEST(CommandLine, RefusedLinesNameTheirFault) {
    const std::pair<const char*, const char*> cases[] = {
        {"--bogus", "--bogus"},
        {"--headless|--server", "--server"},
        {"--headless|--duration|soon", "soon"},
        {"--headless|--duration|-1", ""},
        {"--headless|--server|", ""},
        {"--json", ""},  // a window has no JSON to print
        {"--headless|--irc|h:x", "h:x"},
        {"--headless|--irc|", ""},
        {"--headless|--irc|host:", ""},
        {"--headless|--irc|host:0", ""},
        {"--headless|--irc|host:65536", ""},
        {"--headless|--irc|host:66x", ""},
        {"--headless|--irc|[::1", ""},
        {"--headless|--irc|[::1]x", ""},
        {"--headless|--irc|:1", ""},
        {"--headless|--nick|", ""},
        {"--headless|--channel", ""},
        {"--irc|localhost", ""},  // the window has its fields
        {"--tls", ""},            // and its check box
        {"--irc-from-settings", "--irc-from-settings"},
        {"--headless|--irc|h|--irc-from-settings", "--irc-from-settings"},
        {"--headless|--speed|0.05", ""},
        {"--headless|--speed|1001", ""},
        {"--headless|--speed|fast", ""},
        {"--headless|--replay|", ""},
        {"--headless|--record", ""},
        {"--replay|a.rec", ""},
        {"--headless|--replay|a.rec|--server|10.0.0.5", ""},
        {"--headless|--interp-port|0", ""},
        {"--headless|--interp-port|65536", ""},
        {"--headless|--interp-port|34x", ""},
        {"--headless|--interp-events|quad,", ""},
        {"--headless|--interp-events|Quad", ""},
        {"--headless|--interp-events|", ""},
        {"--dir|--interp-port|3490", ""},
        {"--interp-events|quad", ""},
        {"--sweep", "--sweep"},
        {"--headless|--fast", "--fast"},
        {"--headless|--filter-empty", "--sweep"},
        {"--headless|--sweep|--replay|a.rec", "--replay"},
        {"--preview|x|--sweep", "--preview"},
        {"--check-update", "--check-update"},
        {"--headless|--sweep|--check-update", "--check-update"},
        {"--headless|--replay|a.rec|--check-update", "--check-update"},
        {"--preview|x|--check-update", "--preview"},
    };
    for (const auto& [line, named] : cases) {
        const std::string result = Parsed(line);
        EXPECT_EQ(result.rfind("refused: ", 0), 0u) << line << ": " << result;
        EXPECT_NE(result.find(named), std::string::npos) << line << ": " << result;
    }
}

}  // namespace
}  // namespace fc
