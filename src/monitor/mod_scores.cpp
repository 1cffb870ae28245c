#include "monitor/mod_scores.h"

#include "core/app.h"
#include "core/text_util.h"

namespace fc {

namespace {

// Quake 2 calls it "maxclients", Quake 3 "sv_maxclients".
const std::string& maxClients(const ServerStatus& status) {
    static const std::string kNone;
    for (const auto& [name, value] : status.variables) {
        if (name.ends_with("maxclients")) return value;
    }
    return kNone;
}

}  // namespace

void updateCountsAndLimit(App& app) {
    app.monitor.playersPlaying = plainNumber(static_cast<long long>(app.monitor.playerRows.size()));
    app.monitor.playersMax = maxClients(app.status);
    app.settings.timeLimitMinutes = app.status.variable("timelimit");
    if (app.settings.timeLimitMinutes.value().count() == 0) app.settings.timeLimitMinutes = "20";
}

void showReadyTime(App& app) {
    if ((describe(app.monitor.gameType).ownTime == OwnTime::LimitWithoutMatch &&
         app.match.matchState == MatchState::None) ||
        app.match.matchState == MatchState::Ready) {
        app.monitor.timeLeft = TimeLeft::clock(app.settings.timeLimitMinutes.value());
    }
}

void readQuake2CtfStats(App& app) {
    std::string timeLeft;
    std::string* fields[] = {&timeLeft, &app.monitor.redScoreText, &app.monitor.blueScoreText};
    for (std::string* f : fields) f->clear();
    std::size_t field = 0;
    for (char c : app.monitor.statisticsText) {
        if (c == ' ') {
            ++field;  // two blanks in a row skip a field
        } else if (field < 3) {
            *fields[field] += c;
        }
    }
    app.monitor.timeLeft = TimeLeft::read(timeLeft);
}

void readOspCtfScores(App& app) {
    const ServerStatus& status = app.status;
    const std::string t = status.variable("Score_Time");
    if (t == "Starting") {
        app.monitor.timeLeft = TimeLeft::read(status.variable("timelimit") + ":00");
    } else if (t == "Timelimit") {
        app.monitor.timeLeft = TimeLeft::intermission();
    } else {
        app.monitor.timeLeft = TimeLeft::read(t);
    }
    // The frags behind the "/" are added from the player list.
    app.monitor.redScoreText = status.variable("Score_Red") + "/";
    app.monitor.blueScoreText = status.variable("Score_Blue") + "/";
}

void runBaseQuake3TeamClock(App& app) {
    const bool running = describe(app.monitor.gameType).ownTime == OwnTime::ClockWhileRunning &&
                         app.match.matchState == MatchState::Running;
    if (running) {
        app.monitor.timeLeft =
            TimeLeft::untilEnd(app.settings.timeLimitMinutes.value(), app.match.game.played);
    }
    app.window.followClockVisible = running;
    app.window.timePlayedVisible = running;
    app.window.timeLeftWide = !running;
}

void readTourneyTeamScores(App& app) {
    const ServerStatus& status = app.status;
    app.monitor.timeLeft = TimeLeft::read(trimBlanks(status.variable("time_remaining")));
    const std::string a = status.variable("Score_A");
    const std::string b = status.variable("Score_B");
    if (textContains(a, "-")) {
        app.monitor.redScoreText = a.substr(0, a.find('-'));
        // A side score without its "-" is not one: the blue score stays as it was.
        if (textContains(b, "-")) app.monitor.blueScoreText = b.substr(0, b.find('-'));
    } else if (a == "WARMUP") {
        app.monitor.redScoreText = "0";
        app.monitor.blueScoreText = "0";
    } else {
        app.monitor.redScoreText = "unknown";
        app.monitor.blueScoreText = "unknown";
    }
}

void readOspScores(App& app) {
    const ServerStatus& status = app.status;
    app.monitor.redScoreText = status.variable("Score_Red");
    app.monitor.blueScoreText = status.variable("Score_Blue");
    if (trimBlanks(app.monitor.redScoreText).empty())
        app.monitor.gameType = GameType::Quake3TeamGame;
}

}  // namespace fc
