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

void setSides(App& app, const Sides& s) {
    app.match.redTeamCaption = s.red;
    app.match.blueTeamCaption = s.blue;
    app.monitor.redScoreText = s.score;
    app.monitor.blueScoreText = s.score;
}

// Osp duel and team deathmatch publish their score; an Osp server that does not is scored as a
// base Quake 3 team game.
void ospScoredGame(App& app, std::chrono::seconds fallbackTimeLeft) {
    app.monitor.gameType = GameType::Quake3OspScored;
    app.monitor.redScoreText = app.status.variable("Score_Red");
    if (trimBlanks(app.monitor.redScoreText).empty()) {
        app.monitor.timeLeft = TimeLeft::clock(fallbackTimeLeft);
        app.monitor.gameType = GameType::Quake3TeamGame;
    }
}

// The scores, time and phase a mod publishes in its own variables.
void readModScores(App& app) {
    switch (describe(app.monitor.gameType).teamScores) {
        case TeamScores::GameStats:
            readQuake2CtfStats(app);
            break;
        case TeamScores::OspCaptures:
            readOspCtfScores(app);
            break;
        case TeamScores::TourneyScores:
            if (toLower(app.monitor.gameText) != "battle") readTourneyTeamScores(app);
            break;
        case TeamScores::OspScores:
            if (app.monitor.gameText != "osp") break;
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
    const std::string game = toUpper(app.monitor.gameText);
    const long long g = leadingWhole(app.status.variable("g_gametype"));
    // Every row that matches is applied in turn, so a later row overrides an earlier one.
    if (game == "CTF") {
        setSides(app, {"Red team", "Blue team", "0/0"});
        app.window.teamScoresVisible = true;
        app.monitor.gameType = GameType::Quake2Ctf;
    }
    if (game == "TOURNEY") {
        if (app.status.variable("match_type") != "TeamPlay") {
            setSides(app, {"Player A", "Player B", "0"});
            app.window.teamScoresVisible = false;
            app.monitor.gameType = GameType::Quake2Duel;
        } else {
            setSides(app, {"Team A", "Team B", "0"});
            app.window.teamScoresVisible = true;
            app.monitor.gameType = GameType::Quake2TeamDeathmatch;
        }
    }
    if (game == "LITHIUM") {
        setSides(app, {"Team A", "Team B", "0"});
        app.monitor.gameType = GameType::Quake2FreeForAll;
    }
    if (game == "BATTLE") {
        setSides(app, {"Team A", "Team B", "0"});
        app.window.teamScoresVisible = true;
        app.monitor.gameType = GameType::Quake2TeamDeathmatch;
    }
    if (isBaseQuake3(app.monitor.gameText) && g >= 2) {
        setSides(app, {"Team Red", "Team Blue", "0"});
        app.window.teamScoresVisible = true;
        app.monitor.gameType = GameType::Quake3TeamGame;
        app.monitor.timeLeft = TimeLeft::clock(std::chrono::minutes(20));
    }
    if (isBaseQuake3(app.monitor.gameText) && g == 4) {
        setSides(app, {"Team Red", "Team Blue", "0/0"});
        app.window.teamScoresVisible = true;
        app.monitor.gameType = GameType::Quake3BaseCtf;
        app.monitor.timeLeft = TimeLeft::clock(std::chrono::minutes(20));
    }
    if (game == "OSP") app.monitor.gameType = GameType::Quake3OspFreeForAll;
    if (game == "OSP" && g == 1) {
        setSides(app, {"Person 1", "Person 2", "0"});
        app.window.teamScoresVisible = true;
        ospScoredGame(app, std::chrono::minutes(10));
    }
    if (game == "OSP" && g == 3) {
        setSides(app, {"Team Red", "Team Blue", "0"});
        app.window.teamScoresVisible = true;
        ospScoredGame(app, std::chrono::minutes(20));
    }
    if (game == "OSP" && g == 4) {
        setSides(app, {"Red team", "Blue team", "0/0"});
        app.window.teamScoresVisible = true;
        app.monitor.gameType = GameType::Quake3OspCtf;
    }
    callFollower(app.monitorFollowers.gameRecognised, app);
}

void analyseQuakeReply(App& app) {
    if (app.monitor.gameText != app.monitor.lastValues.game) detectGameType(app);
    updateCountsAndLimit(app);
    callFollower(app.monitorFollowers.gameChangeRules, app);
    showReadyTime(app);
    runBaseQuake3TeamClock(app);
    readModScores(app);
    // The rows may have changed sides since the list was read (a new game's teams).
    takeTeamsFromRows(app);
    addTeamSums(app);
    ServerStatus& status = app.status;
    status.gameType = app.monitor.gameType;
    status.red = readTeamScore(app.monitor.redScoreText);
    status.blue = readTeamScore(app.monitor.blueScoreText);
    status.timeLeft = app.monitor.timeLeft;
    callFollower(app.monitorFollowers.matchEventRules, app);
}

}  // namespace fc
