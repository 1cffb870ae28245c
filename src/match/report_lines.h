// Report lines: the operator's templates with their %-codes filled in.
#pragma once

#include <string>

#include "core/time_left.h"

namespace fc {

class App;

struct ReportValues {
    std::string teamA;
    std::string teamB;
    std::string scoreA;
    std::string scoreB;
    std::string pingA;
    std::string pingB;
    std::string pointsA;
    std::string pointsB;
    std::string capper;
    TimeLeft timeLeft;
};

// Fills the codes of `templ` in one pass from left to right; the values go in as they are, a
// code inside a value stays text. Reads the server entry and the map.
std::string expandTemplate(const App& app, const std::string& templ, const ReportValues& values);

// The capture line from the operator's capture-the-flag template, with the two capture counts,
// the average pings shown and the capper.
std::string captureLine(const App& app, long long redCaptures, long long blueCaptures,
                        const std::string& capper);

}  // namespace fc
