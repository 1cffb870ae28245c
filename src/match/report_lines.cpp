#include "match/report_lines.h"

#include "core/app.h"
#include "core/text_util.h"

namespace fc {

namespace {

void ReplaceAll(std::string& text, const std::string& code, const std::string& value) {
    std::size_t at = text.find(code);
    while (at != std::string::npos) {
        text.replace(at, code.size(), value);
        at = text.find(code, at + value.size());
    }
}

}  // namespace

std::string MaakRegel(const App& app, const std::string& templ, const ReportValues& v) {
    const std::string& entry = app.view.Q2Serverlist;
    const std::string address = entry.substr(0, entry.find(' '));
    std::string timeLeft = Trim(v.timeLeft);
    if (timeLeft == "INT") timeLeft = "End of match!";

    std::string line = templ;
    ReplaceAll(line, "%at%", Trim(v.teamA));
    ReplaceAll(line, "%as%", Trim(v.scoreA));
    ReplaceAll(line, "%ap%", Trim(v.pingA));
    ReplaceAll(line, "%ae%", Trim(v.pointsA));
    ReplaceAll(line, "%bt%", Trim(v.teamB));
    ReplaceAll(line, "%bs%", Trim(v.scoreB));
    ReplaceAll(line, "%bp%", Trim(v.pingB));
    ReplaceAll(line, "%be%", Trim(v.pointsB));
    ReplaceAll(line, "%c%", Trim(v.capper));
    ReplaceAll(line, "%tl%", timeLeft);
    ReplaceAll(line, "%map%", app.view.qsMap);
    ReplaceAll(line, "%sv%", address);
    ReplaceAll(line, "%svlang%", entry);
    return line;
}

std::string CaptureLine(const App& app, long long redCaptures, long long blueCaptures,
                        const std::string& capper) {
    const MainView& v = app.view;
    ReportValues values;
    values.teamA = v.txtnaamRED;
    values.teamB = v.txtnaamBLUE;
    values.scoreA = BlankNumber(redCaptures);
    values.scoreB = BlankNumber(blueCaptures);
    values.pingA = v.lblLagRed;
    values.pingB = v.lblLagBlue;
    values.pointsA = "N/A";
    values.pointsB = "N/A";
    values.capper = capper;
    values.timeLeft = v.qsTimeLeft;
    return MaakRegel(app, v.IRCLineCTF, values);
}

}  // namespace fc
