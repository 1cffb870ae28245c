#include "monitor/game_type.h"

#include "core/app.h"
#include "core/server_vars.h"
#include "core/text_util.h"
#include "monitor/mod_scores.h"
#include "monitor/player_list.h"
#include "monitor/team_sums.h"

namespace fc {

namespace {

struct Sides {
    const char* red;
    const char* blue;
    const char* score;
};

void SetSides(MainView& v, const Sides& s) {
    v.Label9 = s.red;
    v.Label10 = s.blue;
    v.qsRed = s.score;
    v.qsBlue = s.score;
}

// Osp duel and team deathmatch publish their score; an Osp server that does not is scored as a
// base Quake 3 team game.
void OspScoredGame(App& app, const std::string& reply, const char* fallbackTimeLeft) {
    MainView& v = app.view;
    v.gameType = GameType::Quake3OspScored;
    v.qsRed = GetServerVar("Score_Red", reply);
    if (Trim(v.qsRed).empty()) {
        v.qsTimeLeft = fallbackTimeLeft;
        v.gameType = GameType::Quake3TeamGame;
    }
}

// The scores, time and phase a mod publishes in its own variables.
void ReadModScores(App& app, const std::string& reply) {
    const MainView& v = app.view;
    switch (Describe(v.gameType).teamScores) {
        case TeamScores::GameStats:
            ReadQuake2CtfStats(app);
            break;
        case TeamScores::OspCaptures:
            ReadOspCtfScores(app, reply);
            break;
        case TeamScores::TourneyScores:
            if (ToLower(v.qsGame) != "battle") ReadTourneyTeamScores(app, reply);
            break;
        case TeamScores::OspScores:
            if (v.qsGame != "osp") break;
            ReadOspScores(app, reply);
            Follow(app.monitorFollowers.ospPhaseRules, app, reply);
            break;
        case TeamScores::Nothing:
        case TeamScores::PlayerFrags:
        case TeamScores::CountedCaptures:
        case TeamScores::UnrealFrags:
        case TeamScores::UnrealCaptures:
            break;
    }
}

}  // namespace

void DetectGameType(App& app, const std::string& reply) {
    MainView& v = app.view;
    const std::string game = ToUpper(v.qsGame);
    const long long g = LeadingWhole(GetServerVar("g_gametype", reply));
    // Every row that matches is applied in turn, so a later row overrides an earlier one.
    if (game == "CTF") {
        SetSides(v, {"Red team", "Blue team", "0/0"});
        v.teamscoresVisible = true;
        v.gameType = GameType::Quake2Ctf;
    }
    if (game == "TOURNEY") {
        if (GetServerVar("match_type", reply) != "TeamPlay") {
            SetSides(v, {"Player A", "Player B", "0"});
            v.teamscoresVisible = false;
            v.gameType = GameType::Quake2Duel;
        } else {
            SetSides(v, {"Team A", "Team B", "0"});
            v.teamscoresVisible = true;
            v.gameType = GameType::Quake2TeamDeathmatch;
        }
    }
    if (game == "LITHIUM") {
        SetSides(v, {"Team A", "Team B", "0"});
        v.gameType = GameType::Quake2FreeForAll;
    }
    if (game == "BATTLE") {
        SetSides(v, {"Team A", "Team B", "0"});
        v.teamscoresVisible = true;
        v.gameType = GameType::Quake2TeamDeathmatch;
    }
    if (IsBaseQuake3(v.qsGame) && g >= 2) {
        SetSides(v, {"Team Red", "Team Blue", "0"});
        v.teamscoresVisible = true;
        v.gameType = GameType::Quake3TeamGame;
        v.qsTimeLeft = "20:00";
    }
    if (IsBaseQuake3(v.qsGame) && g == 4) {
        SetSides(v, {"Team Red", "Team Blue", "0/0"});
        v.teamscoresVisible = true;
        v.gameType = GameType::Quake3BaseCtf;
        v.qsTimeLeft = "20:00";
    }
    if (game == "OSP") v.gameType = GameType::Quake3OspFreeForAll;
    if (game == "OSP" && g == 1) {
        SetSides(v, {"Person 1", "Person 2", "0"});
        v.teamscoresVisible = true;
        OspScoredGame(app, reply, "10:00");
    }
    if (game == "OSP" && g == 3) {
        SetSides(v, {"Team Red", "Team Blue", "0"});
        v.teamscoresVisible = true;
        OspScoredGame(app, reply, "20:00");
    }
    if (game == "OSP" && g == 4) {
        SetSides(v, {"Red team", "Blue team", "0/0"});
        v.teamscoresVisible = true;
        v.gameType = GameType::Quake3OspCtf;
    }
    Follow(app.monitorFollowers.gameRecognised, app);
}

void AnalyseQuakeReply(App& app, const std::string& reply) {
    MainView& v = app.view;
    if (v.qsGame != v.lastValues.game) DetectGameType(app, reply);
    UpdateCountsAndLimit(app, reply);
    Follow(app.monitorFollowers.gameChangeRules, app, reply);
    ShowReadyTime(app);
    RunBaseQuake3TeamClock(app);
    ReadModScores(app, reply);
    AddTeamSums(app, reply);
    ServerStatus& status = app.status;
    status.gameType = v.gameType;
    status.red = ReadTeamScore(v.qsRed);
    status.blue = ReadTeamScore(v.qsBlue);
    status.timeLeft = v.qsTimeLeft;
    TakeTeamsFromRows(app);
    Follow(app.monitorFollowers.matchEventRules, app, reply);
}

}  // namespace fc
