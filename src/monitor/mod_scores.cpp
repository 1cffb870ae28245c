#include "monitor/mod_scores.h"

#include "core/app.h"
#include "core/clock_text.h"
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
    MainView& v = app.view;
    v.playersPlaying = plainNumber(static_cast<long long>(v.playerRows.size()));
    v.playersMax = maxClients(app.status);
    v.timeLimitMinutes = app.status.variable("timelimit");
    if (leadingNumber(v.timeLimitMinutes) == 0) v.timeLimitMinutes = "20";
}

void showReadyTime(App& app) {
    MainView& v = app.view;
    if ((describe(v.gameType).ownTime == OwnTime::LimitWithoutMatch &&
         v.matchState == MatchState::None) ||
        v.matchState == MatchState::Ready) {
        v.timeLeftText = trimBlanks(v.timeLimitMinutes) + ":00";
    }
}

void readQuake2CtfStats(App& app) {
    MainView& v = app.view;
    std::string* fields[] = {&v.timeLeftText, &v.redScoreText, &v.blueScoreText};
    for (std::string* f : fields) f->clear();
    std::size_t field = 0;
    for (char c : v.statisticsText) {
        if (c == ' ') {
            ++field;  // two blanks in a row skip a field
        } else if (field < 3) {
            *fields[field] += c;
        }
    }
}

void readOspCtfScores(App& app) {
    MainView& v = app.view;
    const ServerStatus& status = app.status;
    const std::string t = status.variable("Score_Time");
    if (t == "Starting") {
        v.timeLeftText = status.variable("timelimit") + ":00";
    } else if (t == "Timelimit") {
        v.timeLeftText = "INT";
    } else {
        v.timeLeftText = t;
    }
    // The frags behind the "/" are added from the player list.
    v.redScoreText = status.variable("Score_Red") + "/";
    v.blueScoreText = status.variable("Score_Blue") + "/";
}

void runBaseQuake3TeamClock(App& app) {
    MainView& v = app.view;
    const bool running = describe(v.gameType).ownTime == OwnTime::ClockWhileRunning &&
                         v.matchState == MatchState::Running;
    if (running) {
        const std::string played = minutesSeconds(v.game.secondsPlayed);
        v.timeLeftText = subtractClockTimes(v.timeLimitMinutes + ":00", played);
    }
    v.followClockVisible = running;
    v.timePlayedVisible = running;
    v.timeLeftWide = !running;
}

void readTourneyTeamScores(App& app) {
    MainView& v = app.view;
    const ServerStatus& status = app.status;
    v.timeLeftText = trimBlanks(status.variable("time_remaining"));
    const std::string a = status.variable("Score_A");
    const std::string b = status.variable("Score_B");
    if (textContains(a, "-")) {
        v.redScoreText = a.substr(0, a.find('-'));
        // A side score without its "-" is not one: the blue score stays as it was.
        if (textContains(b, "-")) v.blueScoreText = b.substr(0, b.find('-'));
    } else if (a == "WARMUP") {
        v.redScoreText = "0";
        v.blueScoreText = "0";
    } else {
        v.redScoreText = "unknown";
        v.blueScoreText = "unknown";
    }
}

void readOspScores(App& app) {
    MainView& v = app.view;
    const ServerStatus& status = app.status;
    v.redScoreText = status.variable("Score_Red");
    v.blueScoreText = status.variable("Score_Blue");
    if (trimBlanks(v.redScoreText).empty()) v.gameType = GameType::Quake3TeamGame;
}

}  // namespace fc
