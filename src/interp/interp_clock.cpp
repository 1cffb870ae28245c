#include "interp/interp_clock.h"

#include <optional>

#include "core/app.h"
#include "core/clock_text.h"
#include "core/text_util.h"
#include "interp/interp_feed.h"
#include "match/match_clock.h"
#include "match/report_lines.h"

namespace fc {

namespace {

constexpr std::chrono::seconds kMatchLength = std::chrono::minutes(20);

// The text before the first `separator`, or nothing when there is none.
std::optional<std::string> textBefore(const std::string& text, const std::string& separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos) return std::nullopt;
    return text.substr(0, at);
}

std::optional<std::string> textAfter(const std::string& text, const std::string& separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string::npos) return std::nullopt;
    return text.substr(at + separator.size());
}

std::string textFrom(const std::string& line, std::size_t position) {
    return position - 1 < line.size() ? line.substr(position - 1) : std::string();
}

void flagsHome(App& app) {
    app.interp.redFlagWhere = "*** home ***";
    app.interp.blueFlagWhere = "*** home ***";
}

// The score fields take one number followed by "/": the feed gives no second number. A line
// without its separator leaves that side as it was. The feed's score is read once, into the
// status the rules and the bot answer from, and shown.
void setScoreField(std::string& shown, TeamScore& score, const std::string& fromFeed) {
    shown = trimBlanks(fromFeed) + "/";
    score = readTeamScore(shown);
}

void setScoreFields(App& app, const std::string& scores, const std::string& line) {
    if (auto red = textBefore(scores, "-"))
        setScoreField(app.monitor.redScoreText, app.status.red, *red);
    if (auto blue = textAfter(line, " - "))
        setScoreField(app.monitor.blueScoreText, app.status.blue, *blue);
}

// "3 (12)": the captures and the frags; a score of one number has no captures.
std::string finalScore(const TeamScore& score) {
    return plainNumber(wholeNumber(score.captures)) + " (" +
           plainNumber(wholeNumber(score.points)) + ")";
}

// The feed's capture score, its match start and final score are as worth keeping as the
// monitor's own.
void sayReport(App& app, const std::string& text) {
    sayInChannel(app, app.irc.botChannel, text, ReportKind::Essential);
}

}  // namespace

bool interpTakesOver(const App& app) {
    // A game that publishes its own scores and time (Osp capture-the-flag) keeps them.
    return app.interp.interpReport && !describe(app.monitor.gameType).publishesScoresOverInterp;
}

void interpCurrentScore(App& app, const std::string& line) {
    flagsHome(app);
    if (interpTakesOver(app)) setScoreFields(app, textFrom(line, 26), line);
}

void interpScore(App& app, const std::string& line) {
    flagsHome(app);
    if (!interpTakesOver(app)) return;
    const std::string scores = textFrom(line, 18);
    setScoreFields(app, scores, line);
    ReportValues values;
    values.teamA = app.match.redTeamName;
    values.teamB = app.match.blueTeamName;
    values.scoreA = trimBlanks(textBefore(scores, " - ").value_or(""));
    values.scoreB = trimBlanks(textAfter(line, " - ").value_or(""));
    values.pingA = values.pingB = values.pointsA = values.pointsB = "N/A";
    values.capper = app.interp.interpCapper;
    values.timeLeft = app.monitor.timeLeft;
    sayReport(app, expandTemplate(app, app.settings.ctfTemplate, values));
}

void interpTimelimitHit(App& app) {
    app.interpClockTimer->setEnabled(false);
    app.interp.interpPlayed = kMatchLength - std::chrono::seconds(1);
    onInterpTick(app);
}

void interpMatchStarted(App& app, const std::string& line) {
    if (!interpTakesOver(app)) return;
    app.interp.interpPlayed = std::chrono::seconds(0);
    app.interpClockTimer->setEnabled(true);
    const std::string server =
        app.settings.serverIsPrivate ? "[PRIVATE!]" : app.gameSocket->remoteAddress();
    sayReport(app, "*** MATCH HAS STARTED! *** Server: " + server + " - Using Interp! - " +
                       textFrom(line, 18));
}

void interpTimeLeft(App& app, const std::string& line) {
    if (app.interpClockTimer->enabled()) return;
    const std::chrono::seconds played = kMatchLength - clockTime(trimBlanks(textFrom(line, 12)));
    app.interp.interpPlayed =
        played.count() < 0 ? std::nullopt : std::optional<std::chrono::seconds>(played);
    app.interpClockTimer->setEnabled(true);
    sendInterp(app, "FLAGSTAT");
}

void onInterpTick(App& app) {
    if (!interpTakesOver(app)) return;
    std::optional<std::chrono::seconds>& played = app.interp.interpPlayed;
    if (!played) {
        // More than the match length was left ("INT"): such a clock never counts and never ends
        // a match. Stopped, the service's next "Time Left:" line can set it right.
        app.interpClockTimer->setEnabled(false);
        return;
    }
    ++*played;
    if (*played == kMatchLength) {
        if (app.match.matchState == MatchState::Running) {
            sayReport(app, "*** MATCH HAS ENDED! *** FINAL SCORE: [" + app.match.redTeamName +
                               "] " + finalScore(app.status.red) + " / [" + app.match.blueTeamName +
                               "] " + finalScore(app.status.blue));
            app.match.matchState = MatchState::None;
        }
        played.reset();
        app.interpClockTimer->setEnabled(false);
    }
    app.monitor.timeLeft =
        played ? TimeLeft::clock(kMatchLength - *played) : TimeLeft::intermission();
}

}  // namespace fc
