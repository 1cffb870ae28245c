// The command line is a contract with scripts: what it accepts and what it refuses.
#include <gtest/gtest.h>

#include <sstream>

#include "program/command_line.h"
#include "support/cases.h"
#include "support/view_fields.h"

namespace fc {
namespace {

// The arguments are written joined by "|". The result is every option that differs from a
// bare window start, in a fixed order, or "refused: " and the error.
std::string parsedText(const std::string& line) {
    const ParsedCommandLine p = parseCommandLine(test::splitList(line, '|'));
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
    put(o.previewTemplate.has_value(), "preview=", o.previewTemplate.value_or(""));
    put(o.previewTeamGame, "ctf", "");
    put(o.previewBlack, "black", "");
    put(o.previewNoColors, "no-colors", "");
    put(o.screenshots.has_value(), "screenshots=", o.screenshots.value_or(""));
    put(o.demo, "demo", "");
    const std::string all = s.str();
    return all.empty() ? all : all.substr(1);
}

TEST(CommandLine, AcceptedAndRefusedLines) {
    for (const test::Case& c : test::loadCases("shell/cases/command_line.txt")) {
        SCOPED_TRACE(c.name);
        const std::string result = parsedText(c.name == "(none)" ? "" : test::unescape(c.name));
        if (c.has("gives")) EXPECT_EQ(result, c.get("gives"));
        if (!c.has("refused")) continue;
        EXPECT_EQ(result.rfind("refused: ", 0), 0u) << result;
        EXPECT_NE(result.find(c.get("refused")), std::string::npos) << result;  // names the fault
    }
    EXPECT_NE(usageText().find("--headless"), std::string::npos);
}

// --demo is a headless replay at high speed; it goes with what shapes a run, not with another
// source of replies or another kind of run.
TEST(CommandLine, DemoLines) {
    const std::pair<const char*, const char*> lines[] = {
        {"--demo", "headless speed=1000 demo"},
        {"--demo|--speed|1", "headless demo"},
        {"--demo|--json|--irc|h|--channel|#c|--duration|5|--dir|d",
         "headless json dir=d duration=5 irc=h:6667 channel=#c speed=1000 demo"},
        {"--demo|--server|h", "refused: --demo plays the shipped match"},
        {"--demo|--replay|f.rec", "refused: --demo plays the shipped match"},
        {"--demo|--sweep", "refused: --demo plays the shipped match"},
        {"--demo|--check-update", "refused: --demo plays the shipped match"},
        {"--demo|--screenshots|d", "refused: --demo plays the shipped match"},
        {"--demo|--preview|x", "refused: --preview goes only with"},
    };
    for (const auto& [line, result] : lines)
        EXPECT_EQ(parsedText(line).rfind(result, 0), 0u) << line << ": " << parsedText(line);
    EXPECT_NE(usageText().find("--demo"), std::string::npos);
}

}  // namespace
}  // namespace fc
