// A game followed into a timeline: the lines, the capture marks and the pause bands drawn, as
// the `timeline` event writes them, and the summary line said at the end.
#include <gtest/gtest.h>

#include "program/timeline_feed.h"
#include "program/timeline_json.h"

namespace fc {
namespace {

void seconds(TimelineRecorder& r, int count) {
    for (int i = 0; i < count; ++i) r.second();
}

TEST(Timeline, FollowsTheGameFromBeginToEnd) {
    // clang-format off
    const std::vector<PlayerScore> six = {{"a", 9}, {"b", 9}, {"c", 3}, {"d", 7}, {"e", 5}, {"f", 8}};
    // `drawn`: the event from "end" on; `summary`: the summary event.
    struct Row { const char* name; bool teams, captures; void (*game)(TimelineRecorder&, const std::vector<PlayerScore>&);
                 const char *drawn, *summary; };
    // clang-format on
    const Row rows[] = {
        {"captures step their team's line; a capture of no known side is a mark alone", true, true,
         [](TimelineRecorder& r, const auto& six) {
             r.scores(50, 50, six);  // frags do not move a capture game's lines
             r.capture("", "C"), seconds(r, 5), r.capture("Red", "A"), seconds(r, 3);
             r.capture("Blue", "B"), r.capture("Red", "A"), r.end("[R] 2 / [B] 1");
         },
         R"("end":8,"ended":true,"finalScore":"[R] 2 / [B] 1",)"
         R"("series":[{"name":"R","side":"Red","points":[[0,0],[5,1],[8,2]]},{"name":"B","side":"Blue","points":[[0,0],[8,1]]}],)"
         R"("captures":[{"seconds":0,"team":"","capper":"C","score":0},{"seconds":5,"team":"Red","capper":"A","score":1},)"
         R"({"seconds":8,"team":"Blue","capper":"B","score":1},{"seconds":8,"team":"Red","capper":"A","score":2}],"pauses":[]})",
         R"({"event":"summary","line":"Top capper: A (2)  Top fragger: a (9)  Played: 0:08","played":8})"},
        {"frags: a point where a score changed, the last of a second kept", true, false,
         [](TimelineRecorder& r, const auto&) {
             r.scores(0, 0, {}), seconds(r, 2), r.scores(3, 1, {}), r.scores(4, 1, {});
             seconds(r, 70), r.scores(4, 1, {}), r.scores(4, 0, {{"z", 1}}), r.end("");
         },
         R"("end":72,"ended":true,"finalScore":"",)"
         R"("series":[{"name":"R","side":"Red","points":[[0,0],[2,4]]},{"name":"B","side":"Blue","points":[[0,0],[2,1],[72,0]]}],)"
         R"("captures":[],"pauses":[]})",
         R"({"event":"summary","line":"Top fragger: z (1)  Played: 1:12","played":72})"},
        {"a pause is a band until play continues, not counted as played", true, false,
         [](TimelineRecorder& r, const auto&) {
             seconds(r, 2), r.pause(), r.pause(), seconds(r, 3), r.resume(), seconds(r, 1);
             r.pause(), seconds(r, 2), r.end("");
         },
         R"("end":8,"ended":true,"finalScore":"",)"
         R"("series":[{"name":"R","side":"Red","points":[[0,0]]},{"name":"B","side":"Blue","points":[[0,0]]}],)"
         R"("captures":[],"pauses":[[2,5],[6,8]]})",
         R"({"event":"summary","line":"Played: 0:03","played":3})"},
        {"without teams the five best players are drawn; the first of a tie goes first", false,
         false, [](TimelineRecorder& r, const auto& six) { seconds(r, 1), r.scores(0, 0, six); },
         R"("end":1,"ended":false,"finalScore":"",)"
         R"("series":[{"name":"a","side":"Player","points":[[0,0],[1,9]]},{"name":"b","side":"Player","points":[[0,0],[1,9]]},)"
         R"({"name":"f","side":"Player","points":[[0,0],[1,8]]},{"name":"d","side":"Player","points":[[0,0],[1,7]]},)"
         R"({"name":"e","side":"Player","points":[[0,0],[1,5]]}],"captures":[],"pauses":[]})",
         R"({"event":"summary","line":"Top fragger: a (9)  Played: 0:01","played":1})"},
        {"after its end the game takes nothing more", true, true,
         [](TimelineRecorder& r, const auto& six) {
             r.end(""), seconds(r, 4), r.capture("Red", "A"), r.pause(), r.scores(1, 1, six);
         },
         R"("end":0,"ended":true,"finalScore":"",)"
         R"("series":[{"name":"R","side":"Red","points":[[0,0]]},{"name":"B","side":"Blue","points":[[0,0]]}],)"
         R"("captures":[],"pauses":[]})",
         R"({"event":"summary","line":"Played: 0:00","played":0})"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TimelineRecorder r;
        r.capture("Red", "early"), r.second(), r.scores(1, 1, six);  // before the begin: nothing
        r.begin(
            {"q3/ctf-1 x", "[PRIVATE!]", "R", "B", "2026-12-08 20:15:00", row.teams, row.captures});
        row.game(r, six);
        const std::string json = timelineEventJson(r.current());
        EXPECT_EQ(json.substr(0, json.find(",\"end\"")),
                  R"({"event":"timeline","map":"q3/ctf-1 x","server":"[PRIVATE!]","redTeam":"R",)"
                  R"("blueTeam":"B","began":"2026-12-08 20:15:00","begin":0)");
        EXPECT_EQ(json.substr(json.find("\"end\"")), row.drawn);
        EXPECT_EQ(summaryEventJson(r.current()), row.summary);
        EXPECT_EQ(timelinePath(r.current(), "svg"),
                  "demos/timeline-2026-12-08-201500-q3_ctf-1_x.svg");
    }
}

}  // namespace
}  // namespace fc
