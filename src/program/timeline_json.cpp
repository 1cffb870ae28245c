#include "program/timeline_json.h"

#include "program/json_events.h"

namespace fc {

namespace {

std::string number(long long value) {
    return std::to_string(value);
}

const char* sideText(SeriesSide side) {
    switch (side) {
        case SeriesSide::Red:
            return "Red";
        case SeriesSide::Blue:
            return "Blue";
        case SeriesSide::Player:
            break;
    }
    return "Player";
}

// Joins the pieces `piece` makes from each item into a JSON array.
template <typename List, typename Piece>
std::string array(const List& items, Piece piece) {
    std::string out = "[";
    for (const auto& item : items) out += (out.size() > 1 ? "," : "") + piece(item);
    return out + "]";
}

}  // namespace

std::string timelineEventJson(const Timeline& t) {
    const TimelineStart& s = t.start;
    std::string out =
        "{\"event\":\"timeline\",\"map\":" + jsonString(s.map) +
        ",\"server\":" + jsonString(s.server) + ",\"redTeam\":" + jsonString(s.redTeam) +
        ",\"blueTeam\":" + jsonString(s.blueTeam) + ",\"began\":" + jsonString(s.began) +
        ",\"begin\":0,\"end\":" + number(t.end) + ",\"ended\":" + (t.ended ? "true" : "false") +
        ",\"finalScore\":" + jsonString(t.finalScore);
    out += ",\"series\":" + array(shownSeries(t), [](const ScoreSeries& line) {
               return "{\"name\":" + jsonString(line.name) + ",\"side\":\"" + sideText(line.side) +
                      "\",\"points\":" +
                      array(line.points,
                            [](const TimePoint& p) {
                                return "[" + number(p.seconds) + "," + number(p.score) + "]";
                            }) +
                      "}";
           });
    out += ",\"captures\":" + array(t.captures, [](const CaptureMark& c) {
               return "{\"seconds\":" + number(c.seconds) + ",\"team\":" + jsonString(c.team) +
                      ",\"capper\":" + jsonString(c.capper) + ",\"score\":" + number(c.score) + "}";
           });
    out += ",\"pauses\":" + array(t.pauses, [](const PauseBand& p) {
               return "[" + number(p.from) + "," + number(p.to) + "]";
           });
    return out + "}";
}

std::string summaryEventJson(const Timeline& t) {
    return "{\"event\":\"summary\",\"line\":" + jsonString(summaryLine(t)) +
           ",\"played\":" + number(t.end - t.pausedSeconds()) + "}";
}

}  // namespace fc
