// The per-reply steps that read each mod's own variables: counts and limit, the ready display,
// the capture-the-flag statistics, the team clock of base Quake 3 and the mods' team scores.
#pragma once

#include <string>

namespace fc {

class App;

// Players playing, players maximum, and the time limit ("20" when the server gives none).
void updateCountsAndLimit(App& app);
// While a match is expected, the time left shows the whole time limit.
void showReadyTime(App& app);
// Base Quake 3 team games count the time left down from the match clock.
void runBaseQuake3TeamClock(App& app);
// The readers below run for the game types whose team scores come from what they read.
// Quake 2 capture-the-flag: time left, red and blue from the "gamestats" fields.
void readQuake2CtfStats(App& app);
// Osp capture-the-flag: time left and captures from the Score_ variables.
void readOspCtfScores(App& app);
// Tourney team play: time remaining and the "score-name" pairs of Score_A and Score_B.
void readTourneyTeamScores(App& app);
// Osp duel and team deathmatch; a reply without a red score makes it a base team game.
void readOspScores(App& app);

}  // namespace fc
