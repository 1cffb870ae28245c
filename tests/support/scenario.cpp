#include "support/scenario.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <utility>

#include "browser/answers.h"
#include "browser/browser_actions.h"
#include "match/match_control.h"
#include "match/match_events.h"
#include "match/team_menu.h"
#include "match/teams.h"
#include "monitor/poller.h"
#include "program/shutdown.h"
#include "program/startup.h"
#include "settings/game_server_list.h"
#include "settings/settings_file.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"
#include "support/unreal_replies.h"
#include "support/view_fields.h"

namespace fc::test {

namespace {

const char* const kColours[] = {"Black", "Red", "Blue", "Grey", "AssignedBlue"};

// "rowN.name", "rowN.score", "rowN.ping", "rowN.team": one column of one row.
std::string* rowField(App& app, const std::string& name) {
    const std::size_t dot = name.find('.');
    if (name.rfind("row", 0) != 0 || dot == std::string::npos) return nullptr;
    PlayerRow& row = app.monitor.playerRows.at(std::stoul(name.substr(3, dot - 3)));
    const std::string column = name.substr(dot + 1);
    if (column == "name") return &row.name;
    if (column == "score") return &row.score;
    if (column == "ping") return &row.ping;
    if (column == "team") return &row.team;
    return nullptr;
}

template <typename Get>
std::string joinedColumn(const App& app, Get get) {
    std::string out;
    const char* comma = "";
    for (const PlayerRow& row : app.monitor.playerRows)
        out += std::exchange(comma, ",") + std::string(get(row));
    return out;
}

// The kinds of query, as a scenario names them.
std::string queryKind(const std::string& bytes) {
    if (bytes == "\\status\\" || bytes == "\\info\\") return "UT";
    if (bytes == "\xFF\xFF\xFF\xFFstatus") return "Q2";
    if (bytes == "\xFF\xFF\xFF\xFFgetstatus") return "Q3";
    return "?" + bytes;
}

// Where the browser's servers 1, 2, ... are: 10.0.0.N at port 2790N.
std::string browserServer(const std::string& n) {
    return n.find(':') != std::string::npos ? n : "10.0.0." + n + ":2790" + n;
}

class Player : public Monitor {
public:
    void play(const Case& c) {
        // As the window does: a close request from the quit timer runs the shut-down again.
        app.restoreMainWindow = [this] { ++restores_; };
        app.endProgram = [this] { ++ends_; };
        app.closeMainWindow = [this] { closes_ += onCloseRequest(app) ? "true;" : "false;"; };
        app.addListener(&said_);
        app.addListener(&output_);
        // What is said, shown and written is looked at once the case has run.
        const std::set<std::string> atTheEnd = {"said", "quiet", "shown", "unshown", "written"};
        for (const CaseLine& line : c.lines) {
            SCOPED_TRACE(line.tag + " " + line.text);
            if (!atTheEnd.count(line.tag)) step(line.tag, line.text);
        }
        if (c.has("said") || c.has("quiet")) {
            EXPECT_EQ(said_.lines, c.all("said"));
        }
        if (c.has("shown") || c.has("unshown")) {
            EXPECT_EQ(output_.lines, c.all("shown"));
        }
        if (c.has("written")) {
            std::string file;
            for (const std::string& line : c.all("written")) file += line + "\r\n";
            EXPECT_EQ(platform.files[kSettingsFile], file);
        }
        app.removeListener(&output_);
    }

private:
    void step(const std::string& tag, const std::string& text) {
        const std::size_t blank = text.find(' ');
        const std::string head = text.substr(0, blank);
        const std::string rest = blank == std::string::npos ? "" : text.substr(blank + 1);
        if (tag == "on") {
            switchOn(text);
            const std::string address = text.substr(0, text.find(' '));
            const std::size_t colon = address.find(':');
            host_ = address.substr(0, colon);
            port_ = colon == std::string::npos ? 27910 : std::stoi(address.substr(colon + 1));
            firstTick();
        } else if (tag == "switch") {
            toggleConnection(app);
        } else if (tag == "file") {
            platform.files[head] = rest;
        } else if (tag == "entry") {
            onServerEntryEdited(app, text);
        } else if (tag == "from") {
            host_ = head;
            port_ = std::stoi(rest);
        } else if (tag == "wait") {
            platform.advance(std::stoll(text));
        } else if (tag == "every") {
            pace_ = std::stoll(text);
        } else if (tag == "player") {
            const std::size_t second = rest.find(' ');
            roster_.push_back({head, rest.substr(0, second), rest.substr(second + 1)});
        } else if (tag == "roster") {
            roster_.clear();
        } else if (tag == "vars") {
            baseVars_ = parseVars(text);
        } else if (tag == "q2" || tag == "q3" || tag == "raw") {
            platform.advance(pace_);
            reply(tag == "raw" ? text : quakeReply(tag, text), host_, port_);
        } else if (tag == "ut") {
            platform.advance(pace_);
            UnrealAnswer answer{head, rest.substr(0, rest.find(' '))};
            setScores(rest);
            for (const PlayerLine& p : roster_)
                answer.players.push_back({p.name, std::stoi(p.score), p.ping});
            for (const std::string& d : unrealDatagrams(answer, ++utQuery_)) reply(d, host_, port_);
        } else if (tag == "rows") {
            app.monitor.playerRows.clear();
            for (const std::string& name : splitList(text))
                app.monitor.playerRows.push_back({name, "0", "0", ""});
        } else if (tag == "servers") {
            for (int i = 1; i <= std::stoi(text); ++i)
                app.settings.savedServers.push_back(browserServer(std::to_string(i)));
        } else if (tag == "answer" || tag == "detail") {
            // answer SERVER NAME PLAYERS: SERVER as a number (see browserServer) or HOST:PORT
            const std::string from = browserServer(head);
            const std::size_t last = rest.rfind(' ');
            FakeUdpSocket& to = *platform.udpSockets.at(tag == "answer" ? 1 : 2);
            to.deliver(browserAnswer(rest.substr(0, last), std::stoi(rest.substr(last + 1))),
                       from.substr(0, from.find(':')), std::stoi(from.substr(from.find(':') + 1)));
        } else if (tag == "master") {
            const std::string from = browserServer(head);
            platform.udpSockets.at(3)->deliver(rest, from.substr(0, from.find(':')),
                                               std::stoi(from.substr(from.find(':') + 1)));
        } else if (tag == "folder") {
            platform.directories.push_back(text);
        } else if (tag == "holds") {
            EXPECT_NE(platform.files[head].find(rest), std::string::npos) << head << ": " << rest;
        } else if (tag == "host") {
            platform.hosts[head] = rest;
        } else if (tag == "set") {
            set(head, rest);
        } else if (tag == "do") {
            act(head, rest);
        } else if (tag == "expect") {
            EXPECT_EQ(get(head), rest) << head;
        } else {
            ADD_FAILURE() << "unknown step " << tag;
        }
    }

    static Vars parseVars(const std::string& text) {
        Vars vars;
        for (std::string pair : splitList(text, ';')) {
            pair.erase(0, pair.find_first_not_of(' '));
            const std::size_t eq = pair.find('=');
            vars.emplace_back(pair.substr(0, eq),
                              eq == std::string::npos ? "" : pair.substr(eq + 1));
        }
        return vars;
    }

    // Sets the roster's scores to the numbers after the "|"; returns where it stands (a reply of
    // scores only starts with it).
    std::size_t setScores(const std::string& text) {
        const std::size_t bar = (" " + text).find(" | ");
        std::istringstream scores(bar == std::string::npos ? "" : text.substr(bar + 2));
        for (std::size_t i = 0; i < roster_.size() && scores >> roster_[i].score; ++i) {
        }
        return bar;
    }

    std::string quakeReply(const std::string& tag, const std::string& text) {
        const std::size_t bar = setScores(text);
        Vars vars = parseVars(bar == 0 ? "" : text.substr(0, bar - 1));
        vars.insert(vars.end(), baseVars_.begin(), baseVars_.end());
        return tag == "q2" ? quake2Reply(vars, roster_) : quake3Reply(vars, roster_);
    }

    std::string get(const std::string& name) {
        if (std::string* column = rowField(app, name)) return *column;
        if (name.rfind("row", 0) == 0 && name.find('.') == std::string::npos) {
            const PlayerRow& r = app.monitor.playerRows.at(std::stoul(name.substr(3)));
            return r.name + "|" + r.score + "|" + r.ping + "|" + r.team + "|" +
                   kColours[int(r.colour)];
        }
        if (name == "names") return joinedColumn(app, [](const PlayerRow& r) { return r.name; });
        if (name == "teams") return joinedColumn(app, [](const PlayerRow& r) { return r.team; });
        if (name == "colours")
            return joinedColumn(app, [](const PlayerRow& r) { return kColours[int(r.colour)]; });
        if (name == "clock")
            return app.battleTimer->enabled() ? std::to_string(app.match.game.secondsPlayed)
                                              : "off";
        if (name == "utclock") return app.unrealMatchTimer->enabled() ? "on" : "off";
        if (name == "poll")
            return app.pollTimer->enabled() ? std::to_string(app.pollTimer->interval()) : "off";
        if (name == "lines") return std::to_string(said_.lines.size());
        if (name == "replies") return std::to_string(listener.replies);
        if (name == "beeps") return std::to_string(platform.beeps);
        if (name.rfind("dialled:", 0) == 0) {  // where the Nth TCP socket was last sent
            const FakeTcpSocket& s = *platform.tcpSockets.at(std::stoul(name.substr(8)));
            return s.connects ? s.host + ":" + std::to_string(s.port) : "";
        }
        if (name == "restores") return std::to_string(restores_);
        if (name == "ends") return std::to_string(ends_);
        if (name == "closes") return closes_;
        if (name == "requests") return requests_;
        if (name == "fileops") {
            std::string out;
            for (const std::string& op : std::exchange(platform.fileLog, {})) out += op + ";";
            return out;
        }
        if (name == "messages") return std::exchange(output_.messages, "");
        if (name == "lastfileop") return platform.fileLog.empty() ? "" : platform.fileLog.back();
        if (name.rfind("file:", 0) == 0) return platform.files[name.substr(5)];
        if (name.rfind("b.", 0) == 0) return browserField(name.substr(2));
        const std::vector<std::string> sockets = {"sent", "qsent", "itemsent", "mastersent"};
        if (const auto s = std::find(sockets.begin(), sockets.end(), name); s != sockets.end()) {
            FakeUdpSocket& from = *platform.udpSockets.at(s - sockets.begin());
            std::string out;
            const char* comma = "";
            for (const SentDatagram& d : from.sent)
                out += std::exchange(comma, ", ") + queryKind(d.bytes) + " to " + d.host + ":" +
                       std::to_string(d.port) + " at " + std::to_string(d.atMs);
            from.sent.clear();
            return out;
        }
        const std::optional<std::string> text = fieldText(app, name);
        if (!text) ADD_FAILURE() << "no field " << name;
        return text.value_or("");
    }

    // The server browser's own fields.
    std::string browserField(const std::string& name) {
        const BrowserView& b = app.browserView;
        if (name == "rows") {
            std::string out;
            for (const ServerRow& r : b.serverRows)
                out += r.name + "|" + r.players + "|" + r.map + "|" + r.top + "|" + r.server + ";";
            return out;
        }
        if (name == "List1") {
            std::string out;
            for (const std::string& l : b.detailList) out += l + ";";
            return out;
        }
        const std::pair<const char*, int> numbers[] = {{"voortgang", b.sweepProgress},
                                                       {"voortgangMax", b.sweepProgressMax},
                                                       {"selected", b.selected},
                                                       {"redraws", b.redraws},
                                                       {"stored", int(b.browserServers.size())}};
        for (const auto& [n, value] : numbers)
            if (name == n) return std::to_string(value);
        const std::pair<const char*, bool> flags[] = {{"qServVisible", b.serverRowsVisible},
                                                      {"buttonsEnabled", b.buttonsEnabled},
                                                      {"Form3Visible", b.browserVisible},
                                                      {"sweeping", b.sweeping},
                                                      {"filterempty", b.filterEmpty}};
        for (const auto& [n, value] : flags)
            if (name == n) return value ? "true" : "false";
        if (name == "status") return b.status;
        ADD_FAILURE() << "no browser field " << name;
        return "";
    }

    void set(const std::string& name, const std::string& value) {
        if (std::string* column = rowField(app, name)) {
            *column = value;
            return;
        }
        EXPECT_TRUE(setFieldText(app, name, value)) << "no field " << name;
        // A score set by hand is a score the server told: the status holds it too.
        if (name == "qsRed") app.status.red = readTeamScore(value);
        if (name == "qsBlue") app.status.blue = readTeamScore(value);
    }

    void act(const std::string& action, const std::string& arg) {
        // The handlers that take nothing but the program.
        // clang-format off
        static const std::map<std::string, void (*)(App&)> kPlain = {
            {"button", onMatchButton}, {"swapcheck", checkTeamsSwapped}, {"tags", autoDetectTags},
            {"assign", autoAssignNow}, {"resetteams", resetTeamList}, {"colour", colourPlayerRows},
            {"plusport", plusPort}, {"addserver", addServerToList},
            {"timeclick", onTimePlayedClicked}, {"save", saveSettings}, {"browse", openBrowser},
            {"total", totalRefresh}, {"visible", refreshVisible},
            {"removeselected", removeSelected}, {"removenonvisible", removeNonVisible},
            {"selectfor", selectForOrvexa}, {"detailmode", switchDetailMode},
            {"closethis", closeThisWindow}, {"closebrowser", closeBrowser}, {"load", loadSettings}};
        // clang-format on
        using Action = std::function<void(App&, const std::string&)>;
        static const std::map<std::string, Action> kActions = {
            {"click",
             [](App& a, auto& row) {
                 onPlayerListMouse(a, true);
                 onPlayerRowClicked(a, std::stoi(row));
                 onPlayerListMouse(a, false);
             }},
            {"select", [](App& a, auto& row) { onPlayerRowClicked(a, std::stoi(row)); }},
            {"sort", [](App& a, auto& column) { onPlayerListColumnClicked(a, std::stoi(column)); }},
            {"redname", [](App& a, auto& name) { onTeamNameEdited(a, true, name); }},
            {"bluename", [](App& a, auto& name) { onTeamNameEdited(a, false, name); }},
            {"menu", [](App& a, auto& item) { kTeamMenu[std::stoi(item)].run(a); }},
            {"rules", [](App& a, auto&) { runMatchEventRules(a, ServerStatus{}); }},
            {"interval", [](App& a, auto& text) { onReportIntervalEdited(a, text); }},
            {"timefollows", [](App& a, auto& on) { onFollowClockChanged(a, on == "true"); }},
            {"timeedit", [](App& a, auto& text) { onTimePlayedEdited(a, text); }},
            {"battleclock", [](App& a, auto& on) { a.battleTimer->setEnabled(on == "on"); }},
            {"filterempty", [](App& a, auto& on) { onFilterEmpty(a, on == "true"); }},
            {"filternorespond", [](App& a, auto& on) { onFilterUnanswered(a, on == "true"); }},
            // the box ticked without its at-once filtering: only the sweep's end filters
            {"norespondflag", [](App& a, auto&) { a.browserView.filterUnanswered = true; }},
            {"rowclick", [](App& a, auto& row) { onServerRowClicked(a, std::stoi(row)); }},
            {"columnclick", [](App& a, auto& c) { onServerColumnClicked(a, std::stoi(c)); }},
            {"pace", [](App& a, auto& step) { a.monitor.playbackStep = std::stod(step); }},
            {"splashclick", [](App& a, auto&) { a.dispatch([&] { onSplashClicked(a); }); }},
        };
        if (action == "close")
            return app.dispatch([&] { requests_ += onCloseRequest(app) ? "true;" : "false;"; });
        if (action == "startup") return app.dispatch([&] { startProgram(app); });
        if (const auto plain = kPlain.find(action); plain != kPlain.end())
            return plain->second(app);
        const auto found = kActions.find(action);
        ASSERT_NE(found, kActions.end()) << "no action " << action;
        found->second(app, arg);
    }

    int restores_ = 0;
    int ends_ = 0;
    std::string closes_, requests_;  // what the window's and the case's close requests gave
    ReportRecorder said_;
    OutputRecorder output_;
    std::vector<PlayerLine> roster_;
    Vars baseVars_;
    std::string host_ = "10.0.0.5";
    int port_ = 27910;
    long long pace_ = 0;
    int utQuery_ = 0;
};

}  // namespace

std::vector<Case> loadScenarios(const std::string& path) {
    std::vector<Case> cases = loadCases(path);
    if (cases.front().name != "*") return cases;
    const Case shared = cases.front();
    cases.erase(cases.begin());
    for (Case& c : cases) c.lines.insert(c.lines.begin(), shared.lines.begin(), shared.lines.end());
    return cases;
}

void playScenario(const Case& scenario) {
    Player player;
    player.play(scenario);
}

TEST_P(Scenario, PlaysAsWritten) {
    playScenario(GetParam());
}

}  // namespace fc::test
