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

void setSides(MainView& v, const Sides& s) {
    v.redTeamCaption = s.red;
    v.blueTeamCaption = s.blue;
    v.redScoreText = s.score;
    v.blueScoreText = s.score;
}

// Osp duel and team deathmatch publish their score; an Osp server that does not is scored as a
// base Quake 3 team game.
void ospScoredGame(App& app, const char* fallbackTimeLeft) {
    MainView& v = app.view;
    v.gameType = GameType::Quake3OspScored;
    v.redScoreText = app.status.variable("Score_Red");
    if (trimBlanks(v.redScoreText).empty()) {
        v.timeLeftText = fallbackTimeLeft;
        v.gameType = GameType::Quake3TeamGame;
    }
}

// The scores, time and phase a mod publishes in its own variables.
void readModScores(App& app) {
    const MainView& v = app.view;
    switch (describe(v.gameType).teamScores) {
        case TeamScores::GameStats:
            readQuake2CtfStats(app);
            break;
        case TeamScores::OspCaptures:
            readOspCtfScores(app);
            break;
        case TeamScores::TourneyScores:
            if (toLower(v.gameText) != "battle") readTourneyTeamScores(app);
            break;
        case TeamScores::OspScores:
            if (v.gameText != "osp") break;
            readOspScores(app);
            callFollower(app.monitorFollowers.ospPhaseRules, app);
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

void detectGameType(App& app) {
    MainView& v = app.view;
    const std::string game = toUpper(v.gameText);
    const long long g = leadingWhole(app.status.variable("g_gametype"));
    // Every row that matches is applied in turn, so a later row overrides an earlier one.
    if (game == "CTF") {
        setSides(v, {"Red team", "Blue team", "0/0"});
        v.teamScoresVisible = true;
        v.gameType = GameType::Quake2Ctf;
    }
    if (game == "TOURNEY") {
        if (app.status.variable("match_type") != "TeamPlay") {
            setSides(v, {"Player A", "Player B", "0"});
            v.teamScoresVisible = false;
            v.gameType = GameType::Quake2Duel;
        } else {
            setSides(v, {"Team A", "Team B", "0"});
            v.teamScoresVisible = true;
            v.gameType = GameType::Quake2TeamDeathmatch;
        }
    }
    if (game == "LITHIUM") {
        setSides(v, {"Team A", "Team B", "0"});
        v.gameType = GameType::Quake2FreeForAll;
    }
    if (game == "BATTLE") {
        setSides(v, {"Team A", "Team B", "0"});
        v.teamScoresVisible = true;
        v.gameType = GameType::Quake2TeamDeathmatch;
    }
    if (isBaseQuake3(v.gameText) && g >= 2) {
        setSides(v, {"Team Red", "Team Blue", "0"});
        v.teamScoresVisible = true;
        v.gameType = GameType::Quake3TeamGame;
        v.timeLeftText = "20:00";
    }
    if (isBaseQuake3(v.gameText) && g == 4) {
        setSides(v, {"Team Red", "Team Blue", "0/0"});
        v.teamScoresVisible = true;
        v.gameType = GameType::Quake3BaseCtf;
        v.timeLeftText = "20:00";
    }
    if (game == "OSP") v.gameType = GameType::Quake3OspFreeForAll;
    if (game == "OSP" && g == 1) {
        setSides(v, {"Person 1", "Person 2", "0"});
        v.teamScoresVisible = true;
        ospScoredGame(app, "10:00");
    }
    if (game == "OSP" && g == 3) {
        setSides(v, {"Team Red", "Team Blue", "0"});
        v.teamScoresVisible = true;
        ospScoredGame(app, "20:00");
    }
    if (game == "OSP" && g == 4) {
        setSides(v, {"Red team", "Blue team", "0/0"});
        v.teamScoresVisible = true;
        v.gameType = GameType::Quake3OspCtf;
    }
    callFollower(app.monitorFollowers.gameRecognised, app);
}

void analyseQuakeReply(App& app) {
    MainView& v = app.view;
    if (v.gameText != v.lastValues.game) detectGameType(app);
    updateCountsAndLimit(app);
    callFollower(app.monitorFollowers.gameChangeRules, app);
    showReadyTime(app);
    runBaseQuake3TeamClock(app);
    readModScores(app);
    // The rows may have changed sides since the list was read (a new game's teams).
    takeTeamsFromRows(app);
    addTeamSums(app);
    ServerStatus& status = app.status;
    status.gameType = v.gameType;
    status.red = readTeamScore(v.redScoreText);
    status.blue = readTeamScore(v.blueScoreText);
    status.timeLeft = v.timeLeftText;
    callFollower(app.monitorFollowers.matchEventRules, app);
}

}  // namespace fc
