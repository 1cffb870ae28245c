#include "support/scenario.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <sstream>
#include <utility>
#include <variant>

#include "match/match_control.h"
#include "match/match_events.h"
#include "match/team_menu.h"
#include "match/teams.h"
#include "monitor/poller.h"
#include "settings/settings_file.h"
#include "settings/startup.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"
#include "support/unreal_replies.h"

namespace fc::test {

namespace {

using FieldRef = std::variant<std::string*, bool*, int*, std::int16_t*, MatchState*, GameFamily*,
                              std::vector<std::string>*>;

// clang-format off
#define FC_FIELD(f) {#f, [](MainView& v) -> FieldRef { return &v.f; }}

// The window's fields a scenario reads and sets, by their names in the view model.
const std::map<std::string, std::function<FieldRef(MainView&)>> kFields = {
    FC_FIELD(Q2Serverlist), FC_FIELD(Q2ServerlistEnabled), FC_FIELD(quakeTimerButton),
    FC_FIELD(quakeTimerButtonEnabled), FC_FIELD(Q2PlusEnabled), FC_FIELD(qServers),
    FC_FIELD(qsGame), FC_FIELD(qsMap), FC_FIELD(qsStats), FC_FIELD(qsTimeLeft),
    FC_FIELD(qsTimeLeftWide), FC_FIELD(quakeRecvBts), FC_FIELD(sModeLabel), FC_FIELD(typspel),
    FC_FIELD(Label62), FC_FIELD(Frame12Visible), FC_FIELD(txtnaamRED), FC_FIELD(txtnaamBLUE),
    FC_FIELD(Label9), FC_FIELD(Label10), FC_FIELD(qsRed), FC_FIELD(qsBlue),
    FC_FIELD(teamscoresVisible), FC_FIELD(lblLagRed), FC_FIELD(lblLagBlue),
    FC_FIELD(PlayersPlaying), FC_FIELD(PlayersMax), FC_FIELD(TimeLimitDM), FC_FIELD(ReportDM),
    FC_FIELD(TempLabel1), FC_FIELD(TimePlayedXVisible), FC_FIELD(TimePlayedYVisible),
    FC_FIELD(TimePlayedX), FC_FIELD(TimePlayedXEditable), FC_FIELD(battleTimerTag),
    FC_FIELD(UTTimerTag), FC_FIELD(lastReportedRed), FC_FIELD(lastReportedBlue),
    FC_FIELD(IRCLineCTF), FC_FIELD(IRCLineDM), FC_FIELD(windowMinimised), FC_FIELD(Caption),
    FC_FIELD(QuakeInfoLabel), FC_FIELD(Command2), FC_FIELD(serverIsPrivate), FC_FIELD(gameFamily),
    FC_FIELD(gameType), FC_FIELD(lastReplyText), FC_FIELD(teamsKnown), FC_FIELD(teamsSwapped),
    FC_FIELD(redMembers), FC_FIELD(blueMembers), FC_FIELD(specMembers), FC_FIELD(markedPlayers),
    FC_FIELD(matchState), FC_FIELD(secondsPlayed), FC_FIELD(utQueryFresh), FC_FIELD(portBumped),
    FC_FIELD(capsRed), FC_FIELD(capsBlue), FC_FIELD(capsRedQ3), FC_FIELD(capsBlueQ3),
    FC_FIELD(avgPingRed), FC_FIELD(beginSaid), FC_FIELD(pausedShown), FC_FIELD(List2),
    FC_FIELD(lastValues.timeLeft), FC_FIELD(lastValues.red), FC_FIELD(lastValues.blue),
    FC_FIELD(lastValues.reply), FC_FIELD(IRCServer), FC_FIELD(IRCServerList), FC_FIELD(IRCPort),
    FC_FIELD(IRCKey), FC_FIELD(ircName), FC_FIELD(txtstdKanaal), FC_FIELD(IRConjoin),
    FC_FIELD(debugAU), FC_FIELD(isStarted), FC_FIELD(isLinesPrinted), FC_FIELD(IRCIgnoreTime),
    FC_FIELD(Advanced), FC_FIELD(IRCRemoveColors), FC_FIELD(IRCRemoveFontCodes),
    FC_FIELD(CheckForUpdate), FC_FIELD(PriveServer), FC_FIELD(KillAllowedFrom), FC_FIELD(IRCBurst),
    FC_FIELD(IRCLineGapMs), FC_FIELD(IRCTls), FC_FIELD(IRCTlsInsecure), FC_FIELD(IRCReconnect),
    FC_FIELD(FastSweep), FC_FIELD(MasterServer), FC_FIELD(UpdateURL), FC_FIELD(Titel),
    FC_FIELD(botNick), FC_FIELD(ircZegwat), FC_FIELD(TimePlayedXToolTip), FC_FIELD(trayIconAdded),
    FC_FIELD(aboutlabel),
};
// clang-format on

#undef FC_FIELD

const char* const kColours[] = {"Black", "Red", "Blue", "Grey", "AssignedBlue"};
const char* const kFamilies[] = {"", "Q2", "Q3", "UT", "None"};

// "rowN.name", "rowN.score", "rowN.ping", "rowN.team": one column of one row.
std::string* RowField(MainView& v, const std::string& name) {
    const std::size_t dot = name.find('.');
    if (name.rfind("row", 0) != 0 || dot == std::string::npos) return nullptr;
    PlayerRow& row = v.spelerLijst.at(std::stoul(name.substr(3, dot - 3)));
    const std::string column = name.substr(dot + 1);
    if (column == "name") return &row.name;
    if (column == "score") return &row.score;
    if (column == "ping") return &row.ping;
    if (column == "team") return &row.team;
    return nullptr;
}

template <typename Get>
std::string Joined(const MainView& v, Get get) {
    std::string out;
    const char* comma = "";
    for (const PlayerRow& row : v.spelerLijst)
        out += std::exchange(comma, ",") + std::string(get(row));
    return out;
}

// The kinds of query, as a scenario names them.
std::string QueryKind(const std::string& bytes) {
    if (bytes == "\\status\\") return "UT";
    if (bytes == "\xFF\xFF\xFF\xFFstatus") return "Q2";
    if (bytes == "\xFF\xFF\xFF\xFFgetstatus") return "Q3";
    return "?" + bytes;
}

// What the program appends to the IRC output window.
struct OutputRecorder : AppListener {
    void outputAppended(const std::string& text) override { lines.push_back(text); }
    std::vector<std::string> lines;
};

class Player : public Monitor {
public:
    void play(const Case& c) {
        app.addListener(&said_);
        app.addListener(&output_);
        bool checkSaid = false;
        std::vector<std::string> expectedSaid;
        for (const CaseLine& line : c.lines) {
            SCOPED_TRACE(line.tag + " " + line.text);
            if (line.tag == "shown" || line.tag == "unshown" || line.tag == "written") {
                continue;  // looked at once the case has run
            }
            if (line.tag == "said" || line.tag == "quiet") {
                checkSaid = true;
                if (line.tag == "said") expectedSaid.push_back(line.text);
            } else {
                step(line.tag, line.text);
            }
        }
        if (checkSaid) {
            EXPECT_EQ(said_.lines, expectedSaid);
        }
        const std::vector<std::string> shown = c.all("shown");
        if (!shown.empty() || c.has("unshown")) {
            EXPECT_EQ(output_.lines, shown);
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
            WisselConnectie(app);
        } else if (tag == "file") {
            platform.files[head] = rest;
        } else if (tag == "entry") {
            OnServerEntryEdited(app, text);
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
            baseVars_ = ParseVars(text);
        } else if (tag == "q2" || tag == "q3" || tag == "raw") {
            platform.advance(pace_);
            reply(tag == "raw" ? text : quakeReply(tag, text), host_, port_);
        } else if (tag == "ut") {
            platform.advance(pace_);
            UnrealAnswer answer{head, rest.substr(0, rest.find(' '))};
            setScores(rest);
            for (const PlayerLine& p : roster_)
                answer.players.push_back({p.name, std::stoi(p.score), p.ping});
            for (const std::string& d : UnrealDatagrams(answer, ++utQuery_)) reply(d, host_, port_);
        } else if (tag == "rows") {
            view().spelerLijst.clear();
            for (std::size_t at = 0; at <= text.size();) {
                const std::size_t comma = std::min(text.find(',', at), text.size());
                view().spelerLijst.push_back({text.substr(at, comma - at), "0", "0", ""});
                at = comma + 1;
            }
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

    static Vars ParseVars(const std::string& text) {
        Vars vars;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find(';', at), text.size());
            std::string pair = text.substr(at, end - at);
            pair.erase(0, pair.find_first_not_of(' '));
            const std::size_t eq = pair.find('=');
            vars.emplace_back(pair.substr(0, eq),
                              eq == std::string::npos ? "" : pair.substr(eq + 1));
            at = end + 1;
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
        Vars vars = ParseVars(bar == 0 ? "" : text.substr(0, bar - 1));
        vars.insert(vars.end(), baseVars_.begin(), baseVars_.end());
        return tag == "q2" ? Quake2Reply(vars, roster_) : Quake3Reply(vars, roster_);
    }

    std::string get(const std::string& name) {
        MainView& v = view();
        if (std::string* column = RowField(v, name)) return *column;
        if (name.rfind("row", 0) == 0 && name.find('.') == std::string::npos) {
            const PlayerRow& r = v.spelerLijst.at(std::stoul(name.substr(3)));
            return r.name + "|" + r.score + "|" + r.ping + "|" + r.team + "|" +
                   kColours[int(r.colour)];
        }
        if (name == "names") return Joined(v, [](const PlayerRow& r) { return r.name; });
        if (name == "teams") return Joined(v, [](const PlayerRow& r) { return r.team; });
        if (name == "colours")
            return Joined(v, [](const PlayerRow& r) { return kColours[int(r.colour)]; });
        if (name == "clock")
            return app.battleTimer->enabled() ? std::to_string(v.secondsPlayed) : "off";
        if (name == "utclock") return app.UTTimer->enabled() ? "on" : "off";
        if (name == "poll")
            return app.quakeTimer->enabled() ? std::to_string(app.quakeTimer->interval()) : "off";
        if (name == "lines") return std::to_string(said_.lines.size());
        if (name == "replies") return std::to_string(listener.replies);
        if (name == "beeps") return std::to_string(platform.beeps);
        if (name == "sent") {
            std::string out;
            const char* comma = "";
            for (const SentDatagram& d : socket().sent) {
                out += std::exchange(comma, ", ") + QueryKind(d.bytes) + " to " + d.host + ":" +
                       std::to_string(d.port) + " at " + std::to_string(d.atMs);
            }
            socket().sent.clear();
            return out;
        }
        const auto field = kFields.find(name);
        if (field == kFields.end()) {
            ADD_FAILURE() << "no field " << name;
            return "";
        }
        return std::visit(
            [](auto* p) -> std::string {
                using T = std::remove_pointer_t<decltype(p)>;
                if constexpr (std::is_same_v<T, std::string>) return *p;
                if constexpr (std::is_same_v<T, bool>) return *p ? "true" : "false";
                if constexpr (std::is_same_v<T, MatchState>) return std::to_string(int(*p));
                if constexpr (std::is_same_v<T, GameFamily>) return kFamilies[int(*p)];
                if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                    std::string out;
                    for (const std::string& s : *p) out += (out.empty() ? "" : ",") + s;
                    return out;
                }
                if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
                    return std::to_string(*p);
                return "";
            },
            field->second(v));
    }

    void set(const std::string& name, const std::string& value) {
        MainView& v = view();
        if (std::string* column = RowField(v, name)) {
            *column = value;
            return;
        }
        const auto field = kFields.find(name);
        ASSERT_NE(field, kFields.end()) << "no field " << name;
        std::visit(
            [&](auto* p) {
                using T = std::remove_pointer_t<decltype(p)>;
                if constexpr (std::is_same_v<T, std::string>) *p = value;
                if constexpr (std::is_same_v<T, bool>) *p = value == "true";
                if constexpr (std::is_same_v<T, MatchState>) *p = MatchState(std::stoi(value));
                if constexpr (std::is_same_v<T, GameFamily>) {
                    for (int f = 0; f < 5; ++f)
                        if (value == kFamilies[f]) *p = GameFamily(f);
                }
                if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                    p->clear();
                    for (std::size_t at = 0; at <= value.size();) {
                        const std::size_t bar = std::min(value.find('|', at), value.size());
                        p->push_back(value.substr(at, bar - at));
                        at = bar + 1;
                    }
                }
                if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>)
                    *p = static_cast<T>(std::stoi(value));
            },
            field->second(v));
    }

    void act(const std::string& action, const std::string& arg) {
        using Action = std::function<void(App&, const std::string&)>;
        static const std::map<std::string, Action> kActions = {
            {"button", [](App& a, auto&) { OnMatchButton(a); }},
            {"swapcheck", [](App& a, auto&) { CheckNWissel(a); }},
            {"tags", [](App& a, auto&) { AutoDetectTags(a); }},
            {"assign", [](App& a, auto&) { AutoAssignNow(a); }},
            {"resetteams", [](App& a, auto&) { ResetTeamList(a); }},
            {"colour", [](App& a, auto&) { KleurLijst(a); }},
            {"click",
             [](App& a, auto& row) {
                 OnPlayerListMouse(a, true);
                 OnPlayerRowClicked(a, std::stoi(row));
                 OnPlayerListMouse(a, false);
             }},
            {"select", [](App& a, auto& row) { OnPlayerRowClicked(a, std::stoi(row)); }},
            {"sort", [](App& a, auto& column) { OnPlayerListColumnClicked(a, std::stoi(column)); }},
            {"redname", [](App& a, auto& name) { OnTeamNameEdited(a, true, name); }},
            {"bluename", [](App& a, auto& name) { OnTeamNameEdited(a, false, name); }},
            {"menu", [](App& a, auto& item) { kTeamMenu[std::stoi(item)].run(a); }},
            {"rules", [](App& a, auto&) { RunMatchEventRules(a, ""); }},
            {"plusport", [](App& a, auto&) { PlusPort(a); }},
            {"addserver", [](App& a, auto&) { AddServerToList(a); }},
            {"interval", [](App& a, auto& text) { OnReportDMEdited(a, text); }},
            {"timefollows", [](App& a, auto& on) { OnTimePlayedYChanged(a, on == "true"); }},
            {"timeclick", [](App& a, auto&) { OnTimePlayedXClicked(a); }},
            {"timeedit", [](App& a, auto& text) { OnTimePlayedXEdited(a, text); }},
            {"battleclock", [](App& a, auto& on) { a.battleTimer->setEnabled(on == "on"); }},
            {"save", [](App& a, auto&) { SafeINI(a); }},
            {"startup", [](App& a, auto&) { a.dispatch([&] { StartUp(a); }); }},
            {"load", [](App& a, auto&) { LoadINI(a); }},
        };
        const auto found = kActions.find(action);
        ASSERT_NE(found, kActions.end()) << "no action " << action;
        found->second(app, arg);
    }

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

std::vector<Case> LoadScenarios(const std::string& path) {
    std::vector<Case> cases = LoadCases(path);
    if (cases.front().name != "*") return cases;
    const Case shared = cases.front();
    cases.erase(cases.begin());
    for (Case& c : cases) c.lines.insert(c.lines.begin(), shared.lines.begin(), shared.lines.end());
    return cases;
}

void PlayScenario(const Case& scenario) {
    Player player;
    player.play(scenario);
}

std::string ScenarioName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

TEST_P(Scenario, PlaysAsWritten) {
    PlayScenario(GetParam());
}

}  // namespace fc::test
