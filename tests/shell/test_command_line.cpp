// The command line and the headless JSON lines, a contract with scripts.
#include <gtest/gtest.h>

#include <sstream>

#include "program/command_line.h"
#include "program/json_events.h"
#include "support/fake_platform.h"

namespace fc {
namespace {

// Every option that differs from a bare window start, in a fixed order; or "!" and the error.
std::string parsedText(const std::string& line) {
    std::vector<std::string> args;
    for (std::size_t at = 0, end = 0; !line.empty() && end != std::string::npos; at = end + 1)
        args.push_back(line.substr(at, (end = line.find('|', at)) - at));
    const ParsedCommandLine p = parseCommandLine(args);
    if (!p.error.empty()) return "!" + p.error;
    const CommandLine& o = p.options;
    std::ostringstream s;
    const auto put = [&](bool on, const char* name, const auto& value) {
        if (on) s << " " << name << value;
    };
    const auto flags = [&](const char* names, std::initializer_list<bool> on) {
        std::istringstream each(names);
        for (std::string name; bool set : on)
            if (each >> name; set) s << " " << name;
    };
    flags("headless json version help", {o.headless, o.json, o.showVersion, o.showHelp});
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
    flags("tls insecure no-reconnect", {o.tls, o.tlsInsecure, o.noReconnect});
    put(o.saslUser.has_value(),
        "sasl=", o.saslUser.value_or("") + ":" + o.saslPasswordFile.value_or(""));
    put(o.replay.has_value(), "replay=", o.replay.value_or(""));
    put(o.speed != 1, "speed=", o.speed);
    put(o.record.has_value(), "record=", o.record.value_or(""));
    flags("sweep fast filter-empty filter-unanswered check-update",
          {o.sweep, o.sweepFast, o.filterEmpty, o.filterUnanswered, o.checkUpdate});
    put(o.previewTemplate.has_value(), "preview=", o.previewTemplate.value_or(""));
    flags("ctf black no-colors", {o.previewTeamGame, o.previewBlack, o.previewNoColors});
    put(o.screenshots.has_value(), "screenshots=", o.screenshots.value_or(""));
    put(o.demo, "demo", "");
    put(o.webhookUrl || o.webhookFormat,
        "webhook=", o.webhookUrl.value_or("") + "," + o.webhookFormat.value_or(""));
    const std::string all = s.str();
    return all.empty() ? all : all.substr(1);
}

// Lines a script may write, joined by "|", and what they give.
// clang-format off
const std::pair<const char*, const char*> kAccepted[] = {
    {"", ""}, {"--headless|--speed|1000", "headless speed=1000"}, {"--version|--help|--dir|x", "version help dir=x"},
    {"--headless|--replay|a|--speed|50|--record|b", "headless replay=a speed=50 record=b"},
    {"--preview|x|--kind|ctf|--server|h:1|--json", "json server=h:1 preview=x ctf"},
    {"--headless|--server|h x|--dir|d|--duration|2.5", "headless dir=d server=h x duration=2.5"},
    {"--headless|--irc|irc.example.net:6670|--channel|#war|--nick|Caster|--key|",
     "headless irc=irc.example.net:6670 port-given channel=#war nick=Caster key="},
    {"--headless|--tls-insecure|--no-reconnect|--irc-from-settings", "headless irc-from-settings tls insecure no-reconnect"},
    {"--headless|--irc|localhost|--interp-events|none", "headless irc=localhost:6667 events="},
    {"--headless|--irc|::1", "headless irc=::1:6667"}, {"--headless|--json|--check-update", "headless json check-update"},
    {"--headless|--sasl-user|bot|--sasl-password-file|pw", "headless sasl=bot:pw"},
    {"--headless|--irc|[::1]:7000|--tls", "headless irc=::1:7000 port-given tls"},
    {"--headless|--interp-port|13490|--interp-events|got,scores,server,haste,lost,recover,quad,regen,invis",
     "headless interp-port=13490 events=got;scores;server;haste;lost;recover;quad;regen;invis;"},
    {"--headless|--sweep|--fast|--filter-empty|--filter-unanswered", "headless sweep fast filter-empty filter-unanswered"},
    {"--preview|\x02%c%|--background|black|--no-colors", "preview=\x02%c% black no-colors"},
    // --demo is a headless replay at high speed.
    {"--demo", "headless speed=1000 demo"}, {"--demo|--speed|1", "headless demo"},
    {"--demo|--json|--irc|h|--channel|#c|--duration|5|--dir|d", "headless json dir=d duration=5 irc=h:6667 channel=#c speed=1000 demo"},
    {"--demo|--webhook|https://h/x|--webhook-format|slack", "headless speed=1000 demo webhook=https://h/x,slack"},
};

// Lines refused, blank-separated, by a text the refusal names ("": none). The window has its own
// fields; --demo goes with what shapes a run, not with another source of replies or kind of run.
const std::pair<const char*, const char*> kRefused[] = {
    {"--bogus", "--bogus"}, {"--sweep", "--sweep --headless|--filter-empty"},
    {"--irc-from-settings", "--irc-from-settings --headless|--irc|h|--irc-from-settings"},
    {"--check-update", "--check-update --headless|--sweep|--check-update --headless|--replay|a.rec|--check-update"},
    {"--server", "--headless|--server"}, {"--fast", "--headless|--fast"}, {"--replay", "--headless|--sweep|--replay|a.rec"},
    {"--irc: not a HOST or HOST:PORT: h:x", "--headless|--irc|h:x"}, {"\"nonsense!!host\" cannot be a host name", "--headless|--server|nonsense!!host"},
    {"is not a number from 1 to 65535", "--headless|--server|h:0 --headless|--server|h:65536 --headless|--server|h:abc"},
    {"--sasl-user and --sasl-password-file go", "--headless|--sasl-user|bot --headless|--sasl-password-file|f"},
    {"--tls, --tls-insecure, --no-reconnect, --sasl-user and --sasl-password-file go with --headless", "--sasl-user|bot|--sasl-password-file|f"}, {"soon", "--headless|--duration|soon"},
    {"--demo plays the shipped match",
     "--demo|--server|h --demo|--replay|f.rec --demo|--sweep --demo|--check-update --demo|--screenshots|d"},
    {"--preview goes only with",
     "--preview|x|--duration|1 --preview|x|--irc|h --preview|x|--channel|c --preview|x|--nick|n --preview|x|--key|k --preview|x|--irc-from-settings "
     "--preview|x|--interp-port|1 --preview|x|--interp-events|got --preview|x|--tls --preview|x|--no-reconnect --preview|x|--sasl-user|u --preview|x|--sasl-password-file|f "
     "--preview|x|--replay|a.rec --preview|x|--record|r.rec --preview|x|--speed|2 --preview|x|--screenshots|d --preview|x|--sweep --preview|x|--fast "
     "--preview|x|--filter-empty --preview|x|--filter-unanswered --preview|x|--check-update --preview|x|--demo --preview|x|--webhook|http://h/x --preview|x|--webhook-format|slack"},
    {"--timeline goes only with",
     "--timeline|a|--out|b|--headless --timeline|a|--out|b|--server|h --timeline|a|--out|b|--duration|1 --timeline|a|--out|b|--irc|h --timeline|a|--out|b|--channel|c "
     "--timeline|a|--out|b|--nick|n --timeline|a|--out|b|--key|k --timeline|a|--out|b|--irc-from-settings --timeline|a|--out|b|--interp-port|1 --timeline|a|--out|b|--interp-events|got "
     "--timeline|a|--out|b|--sasl-user|u --timeline|a|--out|b|--replay|a.rec --timeline|a|--out|b|--record|r.rec --timeline|a|--out|b|--speed|2 --timeline|a|--out|b|--screenshots|d "
     "--timeline|a|--out|b|--sweep --timeline|a|--out|b|--check-update --timeline|a|--out|b|--no-colors --timeline|a|--out|b|--kind|ctf"},
    {"", "--json --tls --irc|localhost --replay|a.rec --interp-events|quad --kind|ctf --headless|--screenshots|d"},
    {" needs a value", "--headless|--channel --headless|--nick| --headless|--sasl-user|"},
    {"", "--headless|--replay|a.rec|--server|10.0.0.5 --headless|--record --headless|--duration|-1"},
    {"", "--headless|--server| --headless|--replay| --headless|--irc| --headless|--irc|host:"},
    {"", "--headless|--irc|host:0 --headless|--irc|host:65536 --headless|--irc|host:66x --headless|--irc|:1"},
    {"", "--headless|--irc|[::1 --headless|--irc|[::1]x --headless|--irc|[::1]: --headless|--speed|0.05 --headless|--speed|1001"},
    {"", "--headless|--speed|fast --headless|--interp-port|0 --headless|--interp-port|65536"},
    {"", "--headless|--interp-port|34x --headless|--interp-events|quad, --headless|--interp-events|Quad"},
    {"", "--headless|--interp-events| --dir|--interp-port|3490 --preview|x|--kind|tdm --timeline|a|--out|b|--size|200x8001 --timeline|a|--out|b|--size|200x99 --timeline|a|--out|b|--size|8001x100"},
    {"--webhook and --webhook-format go with --headless", "--webhook|http://h/x --webhook-format|slack"},
    {"--timeline RECORDING and --out FILE go together", "--timeline|a.rec --out|t.png --size|900x600"},
    {"", "--headless|--webhook|ftp://h/x --headless|--webhook|hooks.example/x --headless|--webhook-format|teams"},
};
// clang-format on

TEST(CommandLine, AcceptedAndRefusedLines) {
    for (const auto& [line, gives] : kAccepted) EXPECT_EQ(parsedText(line), gives) << line;
    for (const auto& [named, lines] : kRefused) {
        std::istringstream each(lines);
        for (std::string line; each >> line;) {
            const std::string result = parsedText(line);
            EXPECT_TRUE(result[0] == '!' && result.find(named) != std::string::npos)
                << line << ": " << result;
        }
    }
}

TEST(JsonEvents, StringsEscapeControlsAndReadHighBytesAsLatin1) {
    const std::pair<std::string, std::string> texts[] = {
        // clang-format off
        {"plain", R"("plain")"}, {R"(a"b\c)", R"("a\"b\\c")"}, {std::string(1, '\0'), R"("\u0000")"},
        {"\r\n\t\x01\x1f", R"("\r\n\t\u0001\u001f")"}, {"\xA0\xFF\xE9", "\"\xC2\xA0\xC3\xBF\xC3\xA9\""}};
    // clang-format on
    for (const auto& [bytes, json] : texts) EXPECT_EQ(jsonString(bytes), json);
}

TEST(JsonEvents, ReplyAndInterpCarryTheirFieldsAndThePlayersWithoutPadding) {
    test::FakePlatform platform;
    App app(platform);
    app.monitor.gameFamily = GameFamily::Q3;
    app.monitor.gameType = GameType::Quake3BaseCtf;
    app.monitor.gameText = "baseoa";
    app.monitor.mapText = "oa_ctf4ish";
    app.match.matchState = MatchState::Running;
    app.monitor.playersPlaying = "2";
    app.monitor.playerRows = {{"=RC=Sarge", "\240\24012", "\240\24050", "Red", RowColour::Red},
                              {"Tab\tName", "-1", "\240\240", "", RowColour::Black}};
    EXPECT_EQ(replyEventJson(app),
              R"({"event":"reply","gameFamily":"Q3","gameType":"ctfbq3","qsGame":"baseoa",)"
              R"("qsMap":"oa_ctf4ish","qsTimeLeft":"[no match]","qsRed":"0/0","qsBlue":"0/0",)"
              R"("txtnaamRED":"Red team","txtnaamBLUE":"Blue team","matchState":1,)"
              R"("PlayersPlaying":"2","PlayersMax":"","players":[{"name":"=RC=Sarge",)"
              R"("score":"12","ping":"50","team":"Red"},{"name":"Tab\tName","score":"-1",)"
              R"("ping":"","team":""}]})");
    // The Interp feed's labels and the fields its clock drives.
    app.interp.interpSupport = "ENABLED!";
    app.interp.redFlagWhere = "Sarge";
    app.monitor.redScoreText = "3/";
    app.monitor.timeLeft = TimeLeft::read("INT");
    EXPECT_EQ(interpEventJson(app),
              R"({"event":"interp","InterpSupport":"ENABLED!","InterpVersion":"n/a",)"
              R"("InterpAuthor":"-","InterpEmail":"-","StatRed":"Sarge","StatBlue":"[unknown]",)"
              R"("qsRed":"3/","qsBlue":"0/0","qsTimeLeft":"INT","matchState":1})");
    EXPECT_EQ(ircEventJson("Reconnecting in 10 s", "FCST_", "failed"),
              R"({"event":"irc","state":"Reconnecting in 10 s","nick":"FCST_","login":"failed"})");
}

}  // namespace
}  // namespace fc
