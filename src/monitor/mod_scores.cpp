#include "monitor/mod_scores.h"

#include "core/app.h"
#include "core/clock_text.h"
#include "core/server_vars.h"
#include "core/text_util.h"

namespace fc {

namespace {

// Base Quake 3 publishes no time left: its capture-the-flag shows the time limit while no match
// runs, its team games count down from the match clock while one runs.
enum class OwnTime { None, LimitWithoutMatch, ClockWhileRunning };

OwnTime OwnTimeOf(GameType type) {
    switch (type) {
        case GameType::Quake3BaseCtf:
            return OwnTime::LimitWithoutMatch;
        case GameType::Quake3TeamGame:
            return OwnTime::ClockWhileRunning;
        case GameType::NoGameYet:
        case GameType::NotMonitoring:
        case GameType::Quake2Ctf:
        case GameType::Quake2Duel:
        case GameType::Quake2TeamDeathmatch:
        case GameType::Quake2FreeForAll:
        case GameType::Quake3OspFreeForAll:
        case GameType::Quake3OspScored:
        case GameType::Quake3OspCtf:
        case GameType::UnrealTeamGame:
        case GameType::UnrealCtf:
        case GameType::UnrealOther:
            break;
    }
    return OwnTime::None;
}

}  // namespace

void UpdateCountsAndLimit(App& app, const std::string& reply) {
    MainView& v = app.view;
    v.PlayersPlaying = PlainNumber(static_cast<long long>(v.spelerLijst.size()));
    v.PlayersMax = GetServerVar("maxclients", reply);
    v.TimeLimitDM = GetServerVar("timelimit", reply);
    if (LeadingNumber(v.TimeLimitDM) == 0) v.TimeLimitDM = "20";
}

void ShowReadyTime(App& app) {
    MainView& v = app.view;
    if ((OwnTimeOf(v.gameType) == OwnTime::LimitWithoutMatch && v.matchState == MatchState::None) ||
        v.matchState == MatchState::Ready) {
        v.qsTimeLeft = Trim(v.TimeLimitDM) + ":00";
    }
}

void ReadQuake2CtfStats(App& app) {
    MainView& v = app.view;
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
    const bool running =
        OwnTimeOf(v.gameType) == OwnTime::ClockWhileRunning && v.matchState == MatchState::Running;
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

void ReadOspScores(App& app, const std::string& reply) {
    MainView& v = app.view;
    v.qsRed = GetServerVar("Score_Red", reply);
    v.qsBlue = GetServerVar("Score_Blue", reply);
    if (Trim(v.qsRed).empty()) v.gameType = GameType::Quake3TeamGame;
}

}  // namespace fc
