#include "match/announcements.h"

#include "core/app.h"
#include "core/line_sink.h"
#include "core/text_util.h"
#include "match/report_lines.h"

namespace fc {

namespace {

std::string sidesText(const App& app, const std::string& red, const std::string& blue) {
    return "[" + app.match.redTeamName + "] " + trimBlanks(red) + " / [" + app.match.blueTeamName +
           "] " + trimBlanks(blue);
}

std::string sidesText(const App& app) {
    return sidesText(app, app.monitor.redScoreText, app.monitor.blueScoreText);
}

}  // namespace

std::string serverText(const App& app) {
    if (app.playback.open) return app.playback.server;
    return app.gameSocket->remoteHost() + ":" + plainNumber(app.gameSocket->remotePort());
}

std::string beginLine(const App& app, BeginForm form) {
    const std::string head = "*** MATCH BEGIN *** Map playing: " + app.monitor.mapText;
    if (!app.settings.serverIsPrivate) {
        return head + "   Server: " + serverText(app) +
               "   Time Left: " + app.monitor.timeLeft.text();
    }
    const char* gap = form == BeginForm::ClockRule ? "   " : "  ";
    return head + "   Server: [PRIVATE!]" + gap + "Time Left: " + app.monitor.timeLeft.text();
}

std::string stoppedLine() {
    return "*** Match has stopped ***";
}

std::string pausedLine(const App& app, const TimeLeft& timeLeft) {
    return "*** Match has been paused! *** \x03"
           "14" +
           sidesText(app) + " -- TL: " + timeLeft.text();
}

std::string continuesLine(const App& app) {
    return "*** Match continues! *** \x03"
           "14" +
           sidesText(app) + " -- TL: " + app.monitor.timeLeft.text();
}

std::string endedLine(const App& app) {
    return endedLine(app, app.monitor.redScoreText, app.monitor.blueScoreText);
}

std::string endedLine(const App& app, const std::string& red, const std::string& blue) {
    return "*** MATCH HAS ENDED! *** FINAL SCORE: " + sidesText(app, red, blue);
}

std::string endedCtfLine(const App& app, long long redCaptures, long long redFrags,
                         long long blueCaptures, long long blueFrags) {
    return "*** MATCH HAS ENDED! *** FINAL SCORE: [" + app.match.redTeamName + "] " +
           plainNumber(redCaptures) + " (" + plainNumber(redFrags) + ") / [" +
           app.match.blueTeamName + "] " + plainNumber(blueCaptures) + " (" +
           plainNumber(blueFrags) + ")";
}

std::string scoreLine(const App& app) {
    return "SCORE: " + sidesText(app) + " -- Time Left: " + app.monitor.timeLeft.text();
}

void announce(App& app, const std::string& line, ReportKind kind) {
    sayInChannel(app, app.irc.botChannel, line, kind);
}

void tellMoment(App& app, const MatchMoment& moment) {
    if (app.matchMoment) app.matchMoment(moment);
}

}  // namespace fc
