#include "monitor/mod_scores.h"

#include "core/app.h"
#include "core/clock_text.h"
#include "core/server_vars.h"
#include "core/text_util.h"

namespace fc {

void updateCountsAndLimit(App& app, const std::string& reply) {
    app.monitor.playersPlaying = plainNumber(static_cast<long long>(app.monitor.playerRows.size()));
    app.monitor.playersMax = getServerVar("maxclients", reply);
    app.settings.timeLimitMinutes = getServerVar("timelimit", reply);
    if (leadingNumber(app.settings.timeLimitMinutes) == 0) app.settings.timeLimitMinutes = "20";
}

void showReadyTime(App& app) {
    if ((describe(app.monitor.gameType).ownTime == OwnTime::LimitWithoutMatch &&
         app.match.matchState == MatchState::None) ||
        app.match.matchState == MatchState::Ready) {
        app.monitor.timeLeftText = trimBlanks(app.settings.timeLimitMinutes) + ":00";
    }
}

void readQuake2CtfStats(App& app) {
    std::string* fields[] = {&app.monitor.timeLeftText, &app.monitor.redScoreText,
                             &app.monitor.blueScoreText};
    for (std::string* f : fields) f->clear();
    std::size_t field = 0;
    for (char c : app.monitor.statisticsText) {
        if (c == ' ') {
            ++field;  // two blanks in a row skip a field
        } else if (field < 3) {
            *fields[field] += c;
        }
    }
}

void readOspCtfScores(App& app, const std::string& reply) {
    const std::string t = getServerVar("Score_Time", reply);
    if (t == "Starting") {
        app.monitor.timeLeftText = getServerVar("timelimit", reply) + ":00";
    } else if (t == "Timelimit") {
        app.monitor.timeLeftText = "INT";
    } else {
        app.monitor.timeLeftText = t;
    }
    // The frags behind the "/" are added from the player list.
    app.monitor.redScoreText = getServerVar("Score_Red", reply) + "/";
    app.monitor.blueScoreText = getServerVar("Score_Blue", reply) + "/";
}

void runBaseQuake3TeamClock(App& app) {
    const bool running = describe(app.monitor.gameType).ownTime == OwnTime::ClockWhileRunning &&
                         app.match.matchState == MatchState::Running;
    if (running) {
        const std::string played = minutesSeconds(app.match.game.secondsPlayed);
        app.monitor.timeLeftText =
            subtractClockTimes(app.settings.timeLimitMinutes + ":00", played);
    }
    app.window.followClockVisible = running;
    app.window.timePlayedVisible = running;
    app.window.timeLeftWide = !running;
}

void readTourneyTeamScores(App& app, const std::string& reply) {
    app.monitor.timeLeftText = trimBlanks(getServerVar("time_remaining", reply));
    const std::string a = getServerVar("Score_A", reply);
    const std::string b = getServerVar("Score_B", reply);
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

void readOspScores(App& app, const std::string& reply) {
    app.monitor.redScoreText = getServerVar("Score_Red", reply);
    app.monitor.blueScoreText = getServerVar("Score_Blue", reply);
    if (trimBlanks(app.monitor.redScoreText).empty())
        app.monitor.gameType = GameType::Quake3TeamGame;
}

}  // namespace fc
