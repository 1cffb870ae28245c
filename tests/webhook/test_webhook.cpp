// A chat room's webhook on the fake platform: the lines as the room shows them, and when and how
// they leave under the room's answers.
#include <gtest/gtest.h>

#include "program/wiring.h"
#include "settings/settings_file.h"
#include "support/fake_platform.h"
#include "support/report_recorder.h"
#include "webhook/webhook.h"

namespace fc::test {
namespace {

TEST(RoomText, IrcCodesBecomeTheRoomsMarkdownInUtf8) {
    const auto discord = WebhookFormat::Discord, slack = WebhookFormat::Slack;
    const struct {
        const char* what;
        WebhookFormat format;
        const char *irc, *room;
    } rows[] = {
        {"blanks outside the markers", discord,
         "a\x02 b \x1F"
         "c\x0F d",
         "a **b** **__c__** d"},
        {"slack has no underline", slack,
         "\x02"
         "Cap\x02 by \x1Fme",
         "*Cap* by me"},
        {"colours dropped, background too", discord,
         "\x03"
         "04,12red\x03"
         "3,x",
         "red,x"},
        {"bold over a colour change", discord,
         "\x02\x03"
         "04R\x03"
         "14 2\x02",
         "**R 2**"},
        {"Windows-1252 and Latin-1 high bytes", slack, "\x80 \xE9", "\xE2\x82\xAC \xC3\xA9"},
        {"Markdown in names escaped", discord, "> [BC]*_x", "\\> \\[BC\\]\\*\\_x"},
        {"slack's brackets escaped", slack, "<!here> & >", "&lt;!here&gt; &amp; &gt;"}};
    for (const auto& r : rows) EXPECT_EQ(roomText(r.irc, r.format), r.room) << r.what;
}

HttpAnswer answer(int status, const char* error = "", HttpAnswer::Headers headers = {},
                  const char* body = "") {
    return {status, error, std::move(headers), body};
}

struct Room {
    FakePlatform platform;
    std::vector<std::string> news;
    Webhook hook{platform,
                 [] {
                     return WebhookAddress{"https://h.example/x", {}};
                 },
                 [this](const WebhookNews& n) {
                     news.push_back(n.what + " " + std::to_string(n.status) + " " +
                                    std::to_string(n.lines) + " " + n.error);
                 }};
    FakeHttpClient& http() { return *platform.httpClients.at(0); }
};

TEST(Webhook, EachAnswerDecidesWhenTheWaitingLinesGo) {
    const struct {
        const char* what;
        HttpAnswer answer;
        const char* news;
        int waitMs;
        const char* next;
    } rows[] = {
        {"success", answer(204), "sent 204 1 ", 0, "two"},
        {"a full bucket waits to refill",
         answer(200, "", {{"x-ratelimit-remaining", "0"}, {"x-ratelimit-reset-after", "0.8"}}),
         "sent 200 1 ", 800, "two"},
        {"429 with retry_after", answer(429, "", {}, R"({"retry_after": 1.25})"), "retry 429 1 ",
         1250, "one\\ntwo"},
        {"429 with Retry-After", answer(429, "", {{"retry-after", "3"}}), "retry 429 1 ", 3000,
         "one\\ntwo"},
        {"a deleted webhook", answer(404), "failed 404 1 ", 2000, "one\\ntwo"},
        {"no answer", answer(0, "no answer in time"), "failed 0 1 no answer in time", 2000,
         "one\\ntwo"}};
    for (const auto& r : rows) {
        Room room;
        room.hook.add("one", ReportKind::Essential);
        room.hook.add("two", ReportKind::Event);
        room.http().answer(r.answer);
        EXPECT_EQ(room.news, Lines{r.news}) << r.what;
        if (r.waitMs > 0) room.platform.advance(r.waitMs - 1);
        EXPECT_EQ(room.http().posts.size(), r.waitMs > 0 ? 1u : 2u) << r.what;
        room.platform.advance(1);
        EXPECT_EQ(room.http().posts.at(1).find("{\"content\":\"" + std::string(r.next) + "\""), 0u)
            << r.what;
    }
}

TEST(Webhook, FaultsAreSaidOnceAndTriedAtMostOnceAMinute) {
    Room room;
    room.hook.add("one", ReportKind::Essential);
    std::vector<std::int64_t> gaps;
    for (std::size_t i = 1; i < 8; ++i) {
        const std::int64_t asked = room.platform.nowMs();
        room.http().answer(answer(503));
        while (room.http().posts.size() == i) room.platform.advance(100);
        gaps.push_back(room.platform.nowMs() - asked);
    }
    EXPECT_EQ(gaps, (std::vector<std::int64_t>{2000, 4000, 8000, 16000, 32000, 60000, 60000}));
    EXPECT_EQ(room.news, Lines{"failed 503 1 "});
}

TEST(Webhook, FiveRequestsInTwoSecondsThenTheRestInOneAndPeriodicScoresGiveWayFirst) {
    Room room;
    for (const char* line : {"1", "2", "3", "4", "5", "6", "7"}) {
        room.hook.add(line, ReportKind::Event);
        if (room.http().posts.size() < 6 && room.hook.waiting() == 1)
            room.http().answer(answer(204));
    }
    room.platform.advance(2000);
    EXPECT_EQ(room.http().posts.back().find(R"({"content":"6\n7")"), 0u);
    room.http().answer(answer(204));
    room.hook.add("score", ReportKind::Periodic);  // under way: never dropped
    for (int i = 0; i < 195; ++i) room.hook.add("p", ReportKind::Periodic);
    for (int i = 0; i < 20; ++i) room.hook.add("e", ReportKind::Essential);
    EXPECT_EQ(room.hook.waiting(), 200u);
    for (int i = 0; i < 200; ++i) room.hook.add("e", ReportKind::Essential);
    EXPECT_EQ(room.hook.waiting(), 221u);
    room.http().answer(answer(204));
    EXPECT_EQ(room.http().posts.back().find(R"({"content":"e\ne)"), 0u);
}

TEST(WebhookSink, TypedChatStaysOnIrcAndTheAddressIsShownAsItsHostOnly) {
    FakePlatform platform;
    WiredApp app{platform};
    OutputRecorder output;
    app.addListener(&output);
    app.settings.webhookUrl = "https://chat.example.org/hooks/secret";
    sayInChannel(app, "#c", "hi", ReportKind::Typed);
    EXPECT_TRUE(platform.httpClients.empty());
    sayInChannel(app, "#c", "CAPTURE", ReportKind::Essential);
    platform.httpClients.at(0)->answer(answer(0, "refused: https://chat.example.org/hooks/secret"));
    EXPECT_EQ(output.lines, Lines{"*** The webhook at chat.example.org failed: no answer (refused: "
                                  "chat.example.org). Its lines wait and are tried again, at most "
                                  "once a minute."});
    saveSettings(app);
    EXPECT_EQ(platform.fileLog.back(), "replace private orvexa.ini");
}

}  // namespace
}  // namespace fc::test
