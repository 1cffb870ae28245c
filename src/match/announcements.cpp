#include "match/announcements.h"

#include "core/app.h"
#include "core/line_sink.h"
#include "core/text_util.h"
#include "match/report_lines.h"

namespace fc {

namespace {

std::string sidesText(const App& app, const std::string& red, const std::string& blue) {
    const MainView& v = app.view;
    return "[" + v.redTeamName + "] " + trimBlanks(red) + " / [" + v.blueTeamName + "] " +
           trimBlanks(blue);
}

std::string sidesText(const App& app) {
    return sidesText(app, app.view.redScoreText, app.view.blueScoreText);
}

}  // namespace

std::string beginLine(const App& app, BeginForm form) {
    const MainView& v = app.view;
    const std::string head = "*** MATCH BEGIN *** Map playing: " + v.mapText;
    if (!v.serverIsPrivate) {
        return head + "   Server: " + app.gameSocket->remoteHost() + ":" +
               plainNumber(app.gameSocket->remotePort()) + "   Time Left: " + v.timeLeftText;
    }
    const char* gap = form == BeginForm::ClockRule ? "   " : "  ";
    return head + "   Server: [PRIVATE!]" + gap + "Time Left: " + v.timeLeftText;
}

std::string stoppedLine() {
    return "*** Match has stopped ***";
}

std::string pausedLine(const App& app, const std::string& timeLeft) {
    return "*** Match has been paused! *** \x03"
           "14" +
           sidesText(app) + " -- TL: " + timeLeft;
}

std::string continuesLine(const App& app) {
    return "*** Match continues! *** \x03"
           "14" +
           sidesText(app) + " -- TL: " + app.view.timeLeftText;
}

std::string endedLine(const App& app) {
    return endedLine(app, app.view.redScoreText, app.view.blueScoreText);
}

std::string endedLine(const App& app, const std::string& red, const std::string& blue) {
    return "*** MATCH HAS ENDED! *** FINAL SCORE: " + sidesText(app, red, blue);
}

std::string endedCtfLine(const App& app, long long redCaptures, long long redFrags,
                         long long blueCaptures, long long blueFrags) {
    const MainView& v = app.view;
    return "*** MATCH HAS ENDED! *** FINAL SCORE: [" + v.redTeamName + "] " +
           plainNumber(redCaptures) + " (" + plainNumber(redFrags) + ") / [" + v.blueTeamName +
           "] " + plainNumber(blueCaptures) + " (" + plainNumber(blueFrags) + ")";
}

std::string scoreLine(const App& app) {
    return "SCORE: " + sidesText(app) + " -- Time Left: " + app.view.timeLeftText;
}

void announce(App& app, const std::string& line, ReportKind kind) {
    sayInChannel(app, app.view.botChannel, line, kind);
}

}  // namespace fc
