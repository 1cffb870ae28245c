#include "monitor/mod_scores.h"

#include "core/app.h"
#include "core/clock_text.h"
#include "core/server_vars.h"
#include "core/text_util.h"

namespace fc {

void UpdateCountsAndLimit(App& app, const std::string& reply) {
    MainView& v = app.view;
    v.PlayersPlaying = PlainNumber(static_cast<long long>(v.spelerLijst.size()));
    v.PlayersMax = GetServerVar("maxclients", reply);
    v.TimeLimitDM = GetServerVar("timelimit", reply);
    if (LeadingNumber(v.TimeLimitDM) == 0) v.TimeLimitDM = "20";
}

void ShowReadyTime(App& app) {
    MainView& v = app.view;
    if ((v.gameType == "ctfbq3" && v.matchState == MatchState::None) ||
        v.matchState == MatchState::Ready) {
        v.qsTimeLeft = Trim(v.TimeLimitDM) + ":00";
    }
}

void ReadQuake2CtfStats(App& app) {
    MainView& v = app.view;
    if (v.gameType != "ctf") return;
    std::string* fields[] = {&v.qsTimeLeft, &v.qsRed, &v.qsBlue};
    for (std::string* f : fields) f->clear();
    std::size_t field = 0;
    for (char c : v.qsStats) {
        if (c == ' ') {
            ++field;  // two blanks in a row skip a field
        } else if (field < 3) {
            *fields[field] += c;
        }
    }
}

void ReadOspCtfScores(App& app, const std::string& reply) {
    MainView& v = app.view;
    if (v.gameType != "ctfq3") return;
    const std::string t = GetServerVar("Score_Time", reply);
    if (t == "Starting") {
        v.qsTimeLeft = GetServerVar("timelimit", reply) + ":00";
    } else if (t == "Timelimit") {
        v.qsTimeLeft = "INT";
    } else {
        v.qsTimeLeft = t;
    }
    // The frags behind the "/" are added from the player list.
    v.qsRed = GetServerVar("Score_Red", reply) + "/";
    v.qsBlue = GetServerVar("Score_Blue", reply) + "/";
}

void RunBaseQuake3TeamClock(App& app) {
    MainView& v = app.view;
    const bool running = v.gameType == "dmbq3" && v.matchState == MatchState::Running;
    if (running) {
        const std::string played = MinutesSeconds(v.game.secondsPlayed);
        v.qsTimeLeft = TijdMinus(v.TimeLimitDM + ":00", played);
    }
    v.TimePlayedYVisible = running;
    v.TimePlayedXVisible = running;
    v.qsTimeLeftWide = !running;
}

void ReadTourneyTeamScores(App& app, const std::string& reply) {
    MainView& v = app.view;
    if (v.gameType != "dm" || ToLower(v.qsGame) == "battle") return;
    v.qsTimeLeft = Trim(GetServerVar("time_remaining", reply));
    const std::string a = GetServerVar("Score_A", reply);
    const std::string b = GetServerVar("Score_B", reply);
    if (Contains(a, "-")) {
        v.qsRed = a.substr(0, a.find('-'));
        // A side score without its "-" is not one: the blue score stays as it was.
        if (Contains(b, "-")) v.qsBlue = b.substr(0, b.find('-'));
    } else if (a == "WARMUP") {
        v.qsRed = "0";
        v.qsBlue = "0";
    } else {
        v.qsRed = "unknown";
        v.qsBlue = "unknown";
    }
}

bool ReadOspScores(App& app, const std::string& reply) {
    MainView& v = app.view;
    if (v.gameType != "dmq3" || v.qsGame != "osp") return false;
    v.qsRed = GetServerVar("Score_Red", reply);
    v.qsBlue = GetServerVar("Score_Blue", reply);
    if (Trim(v.qsRed).empty()) v.gameType = "dmbq3";
    return true;
}

}  // namespace fc
