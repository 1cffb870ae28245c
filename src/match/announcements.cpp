#include "match/announcements.h"

#include "core/app.h"
#include "core/line_sink.h"
#include "core/text_util.h"
#include "match/report_lines.h"

namespace fc {

namespace {

std::string Sides(const App& app, const std::string& red, const std::string& blue) {
    const MainView& v = app.view;
    return "[" + v.txtnaamRED + "] " + Trim(red) + " / [" + v.txtnaamBLUE + "] " + Trim(blue);
}

std::string Sides(const App& app) {
    return Sides(app, app.view.qsRed, app.view.qsBlue);
}

}  // namespace

std::string BeginLine(const App& app, BeginForm form) {
    const MainView& v = app.view;
    const std::string head = "*** MATCH BEGIN *** Map playing: " + v.qsMap;
    if (!v.serverIsPrivate) {
        return head + "   Server: " + app.QuakeStatus->remoteHost() + ":" +
               PlainNumber(app.QuakeStatus->remotePort()) + "   Time Left: " + v.qsTimeLeft;
    }
    const char* gap = form == BeginForm::ClockRule ? "   " : "  ";
    return head + "   Server: [PRIVATE!]" + gap + "Time Left: " + v.qsTimeLeft;
}

std::string StoppedLine() {
    return "*** Match has stopped ***";
}

std::string PausedLine(const App& app, const std::string& timeLeft) {
    return "*** Match has been paused! *** \x03"
           "14" +
           Sides(app) + " -- TL: " + timeLeft;
}

std::string ContinuesLine(const App& app) {
    return "*** Match continues! *** \x03"
           "14" +
           Sides(app) + " -- TL: " + app.view.qsTimeLeft;
}

std::string EndedLine(const App& app) {
    return EndedLine(app, app.view.qsRed, app.view.qsBlue);
}

std::string EndedLine(const App& app, const std::string& red, const std::string& blue) {
    return "*** MATCH HAS ENDED! *** FINAL SCORE: " + Sides(app, red, blue);
}

std::string EndedCtfLine(const App& app, long long redCaptures, long long redFrags,
                         long long blueCaptures, long long blueFrags) {
    const MainView& v = app.view;
    return "*** MATCH HAS ENDED! *** FINAL SCORE: [" + v.txtnaamRED + "] " +
           PlainNumber(redCaptures) + " (" + PlainNumber(redFrags) + ") / [" + v.txtnaamBLUE +
           "] " + PlainNumber(blueCaptures) + " (" + PlainNumber(blueFrags) + ")";
}

std::string ScoreLine(const App& app) {
    return "SCORE: " + Sides(app) + " -- Time Left: " + app.view.qsTimeLeft;
}

void Announce(App& app, const std::string& line, ReportKind kind) {
    stuurMSG(app, app.view.botChannel, line, kind);
}

}  // namespace fc
