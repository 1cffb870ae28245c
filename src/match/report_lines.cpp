#include "match/report_lines.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

#include "core/app.h"
#include "core/text_util.h"

namespace fc {

std::string expandTemplate(const App& app, const std::string& templ, const ReportValues& v) {
    const std::string& entry = app.settings.serverEntry;
    const std::string address = entry.substr(0, entry.find(' '));
    const std::string timeLeft = v.timeLeft.is(TimeLeft::Kind::Intermission)
                                     ? "End of match!"
                                     : trimBlanks(v.timeLeft.text());

    const std::pair<std::string_view, std::string> codes[] = {
        {"%at%", trimBlanks(v.teamA)},
        {"%as%", trimBlanks(v.scoreA)},
        {"%ap%", trimBlanks(v.pingA)},
        {"%ae%", trimBlanks(v.pointsA)},
        {"%bt%", trimBlanks(v.teamB)},
        {"%bs%", trimBlanks(v.scoreB)},
        {"%bp%", trimBlanks(v.pingB)},
        {"%be%", trimBlanks(v.pointsB)},
        {"%c%", trimBlanks(v.capper)},
        {"%tl%", timeLeft},
        {"%map%", app.monitor.mapText},
        {"%sv%", address},
        {"%svlang%", entry},
    };
    // One pass over the template: a value is written as it is, so a player, team or map named
    // after a code cannot pull the server's address or any other value into the line.
    std::string line;
    const std::string_view rest(templ);
    for (std::size_t at = 0; at < rest.size();) {
        const auto code = std::find_if(std::begin(codes), std::end(codes), [&](const auto& c) {
            return rest.substr(at, c.first.size()) == c.first;
        });
        if (code == std::end(codes)) {
            line += rest[at++];
            continue;
        }
        line += code->second;
        at += code->first.size();
    }
    return line;
}

std::string captureLine(const App& app, long long redCaptures, long long blueCaptures,
                        const std::string& capper) {
    ReportValues values;
    values.teamA = app.match.redTeamName;
    values.teamB = app.match.blueTeamName;
    values.scoreA = blankNumber(redCaptures);
    values.scoreB = blankNumber(blueCaptures);
    values.pingA = plainNumber(app.monitor.avgPingRed);
    values.pingB = plainNumber(app.monitor.avgPingBlue);
    values.pointsA = "N/A";
    values.pointsB = "N/A";
    values.capper = capper;
    values.timeLeft = app.monitor.timeLeft;
    return expandTemplate(app, app.settings.ctfTemplate, values);
}

}  // namespace fc
