// A chat room's webhook on the fake platform: the lines as the room shows them, and when and how
// they leave under the room's answers.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/text_util.h"
#include "program/shutdown.h"
#include "settings/settings_file.h"
#include "support/program_fixture.h"
#include "webhook/webhook.h"

namespace fc::test {
namespace {

TEST(RoomText, IrcCodesBecomeTheRoomsMarkdownInUtf8) {
    const auto discord = WebhookFormat::Discord, slack = WebhookFormat::Slack;
    const std::tuple<const char*, WebhookFormat, const char*, const char*> rows[] = {
        {"blanks outside the markers", discord, "a\002 b \037c\017 d", "a **b** **__c__** d"},
        {"slack has no underline", slack, "\002Cap\002 by \037me", "*Cap* by me"},
        {"colours dropped, background too", discord, "\00304,12red\0033,x\0031\0031,234", "red,x4"},
        {"a comma last after a colour", slack, "\00304,", ","},
        {"bold over a colour change", discord, "\002\00304R\00314 2\002", "**R 2**"},
        {"Windows-1252 and Latin-1 high bytes", slack, "\x80 \xE9", "\xE2\x82\xAC \xC3\xA9"},
        {"Markdown in names escaped", discord, "> [BC]*_x >", "\\> \\[BC\\]\\*\\_x >"},
        {"slack's brackets escaped", slack, "<!here> & >", "&lt;!here&gt; &amp; &gt;"}};
    for (const auto& [what, format, irc, room] : rows)
        EXPECT_EQ(roomText(irc, format), room) << what;
    EXPECT_EQ(urlHost("https://u:p@[::1]:8443/x") + " " + urlHost("h.example:80"),
              "[::1] h.example");
}

HttpAnswer answer(int status, const char* error = "", HttpAnswer::Headers headers = {},
                  const char* body = "") {
    return {status, error, std::move(headers), body};
}

struct Room {
    void told(const WebhookNews& n) { news.push_back(n.what + " " + std::to_string(n.lines)); }
    FakePlatform platform;
    Lines news;
    std::string url = "https://h.example/x";
    Webhook hook{platform, [this] { return WebhookAddress{url}; },
                 [this](const WebhookNews& n) { told(n); }};
    const std::string& post(std::size_t n) { return platform.httpPosts.at(n); }
};

TEST(Webhook, EachAnswerDecidesWhenTheWaitingLinesGo) {
    const HttpAnswer::Headers emptyBucket{{"x-ratelimit-remaining", "0"},
                                          {"x-ratelimit-reset-after", "0.8"}};
    const std::tuple<const char*, HttpAnswer, const char*, int, const char*> rows[] = {
        {"success", answer(204), "sent 1", 0, "two"},
        {"a full bucket waits to refill", answer(200, "", emptyBucket), "sent 1", 800, "two"},
        {"429 with retry_after", answer(429, "", {}, R"({"retry_after": 1.25})"), "retry 1", 1250,
         "one\\ntwo"},
        {"429 with Retry-After", answer(429, "", {{"retry-after", "3"}}), "retry 1", 3000,
         "one\\ntwo"},
        {"an unreadable retry_after",
         answer(429, "", {{"retry-after", "3"}}, R"({"retry_after":"x"})"), "retry 1", 3000,
         "one\\ntwo"},
        {"retry_after 0", answer(429, "", {}, R"({"retry_after":0})"), "retry 1", 0, "one\\ntwo"},
        {"1 ms", answer(429, "", {}, R"({"retry_after":0.001})"), "retry 1", 1, "one\\ntwo"},
        {"a deleted webhook", answer(404), "failed 1", 2000, "one\\ntwo"},
        {"a redirect", answer(300), "failed 1", 2000, "one\\ntwo"},
        {"no answer", answer(0, "no answer in time"), "failed 1", 2000, "one\\ntwo"}};
    for (const auto& [what, said, news, waitMs, next] : rows) {
        Room room;
        for (const char* line : {"one", "two"}) room.hook.add(line, ReportKind::Event);
        room.platform.http->onAnswer(said);
        EXPECT_EQ(room.news, Lines{news}) << what;
        if (waitMs > 0) room.platform.advance(waitMs - 1);
        EXPECT_EQ(room.platform.httpPosts.size(), waitMs > 0 ? 1u : 2u) << what;
        room.platform.advance(1);
        EXPECT_EQ(room.post(1).find("{\"content\":\"" + std::string(next) + "\""), 0u) << what;
    }
}

TEST(Webhook, FaultsAreSaidOnceAndTriedAtMostOnceAMinute) {
    Room room;
    room.hook.add("one", ReportKind::Essential);
    std::vector<std::int64_t> gaps;
    for (std::size_t i = 1; i < 8; ++i) {
        const std::int64_t asked = room.platform.nowMs();
        room.platform.http->onAnswer(answer(503));
        while (room.platform.httpPosts.size() == i) room.platform.advance(100);
        gaps.push_back(room.platform.nowMs() - asked);
    }
    room.platform.http->onAnswer(answer(204));  // a success starts the waits over
    room.hook.add("two", ReportKind::Essential);
    const std::int64_t asked = room.platform.nowMs();
    room.platform.http->onAnswer(answer(503));
    while (room.platform.httpPosts.size() == 9) room.platform.advance(100);
    gaps.push_back(room.platform.nowMs() - asked);
    EXPECT_EQ(gaps,
              (std::vector<std::int64_t>{2000, 4000, 8000, 16000, 32000, 60000, 60000, 2000}));
    EXPECT_EQ(room.news, (Lines{"failed 1", "sent 1", "failed 1"}));
}

TEST(Webhook, FiveRequestsInTwoSecondsThenTheRestInOneAndPeriodicScoresGiveWayFirst) {
    Room room;
    for (std::size_t i = 1; i <= 7; ++i) {
        room.hook.add(std::to_string(i), ReportKind::Event);
        if (room.platform.httpPosts.size() == i) room.platform.http->onAnswer(answer(204));
    }
    room.platform.advance(2000);
    EXPECT_EQ(room.post(5).find(R"({"content":"6\n7")"), 0u);
    room.platform.http->onAnswer(answer(204));
    room.hook.add("score", ReportKind::Periodic);  // under way: never dropped
    for (int i = 0; i < 195; ++i) room.hook.add("p", ReportKind::Periodic);
    for (int i = 0; i < 20; ++i) room.hook.add(std::string(22, 'e'), ReportKind::Essential);
    EXPECT_EQ(room.hook.waiting(), 200u);
    for (int i = 0; i < 200; ++i) room.hook.add(std::string(22, 'e'), ReportKind::Essential);
    EXPECT_EQ(room.hook.waiting(), 221u);
    room.platform.http->onAnswer(answer(204));  // "score"
    room.platform.http->onAnswer(answer(204));  // 87 lines of 22: 2000 characters exactly
    EXPECT_EQ(room.news.back(), "sent 87");
    Room cut;  // a line longer than the room takes is cut to the limit; it pings nobody
    cut.hook.add(std::string(2001, 'x'), ReportKind::Event);
    EXPECT_EQ(cut.post(0),
              R"({"content":")" + std::string(2000, 'x') + R"(","allowed_mentions":{"parse":[]}})");
}

// A new address gets the waiting lines from the first: the one under way to the old address is
// waiting like any other, so a full queue lets it go first.
TEST(Webhook, ANewAddressTakesTheWaitingLinesFromTheFirst) {
    Room room;
    room.hook.add("score", ReportKind::Periodic);
    for (int i = 0; i < 199; ++i) room.hook.add("e", ReportKind::Essential);
    room.url = "https://h.example/b";
    room.hook.add("e", ReportKind::Essential);
    EXPECT_EQ(room.platform.httpPosts.back().find(R"({"content":"e\n)"), 0u);
}

struct WebhookSink : ::testing::Test, Program {};

TEST_F(WebhookSink, TypedChatStaysOnIrcAndTheAddressIsShownAsItsHostOnly) {
    app.settings.webhookUrl = "https://chat.example.org/hooks/secret";
    sayInChannel(app, "#c", "hi", ReportKind::Typed);
    EXPECT_EQ(platform.http, nullptr);
    sayInChannel(app, "#c", "CAPTURE", ReportKind::Essential);
    platform.http->onAnswer(answer(0, "refused: https://chat.example.org/hooks/secret"));
    const std::string wait = ". Its lines wait and are tried again, at most once a minute.";
    const std::string said = "*** The webhook at chat.example.org failed: ";
    EXPECT_EQ(output.lines.at(0), said + "no answer (refused: chat.example.org)" + wait);
    platform.advance(60000), platform.http->onAnswer(answer(204));
    sayInChannel(app, "#c", "CAP", ReportKind::Essential), platform.http->onAnswer(answer(204));
    EXPECT_TRUE(output.lines.back().ends_with("*** The webhook at chat.example.org works again."));
    EXPECT_EQ(std::count(output.lines.begin(), output.lines.end(), output.lines.back()), 1);
    platform.advance(60000), sayInChannel(app, "#c", "C", ReportKind::Essential);
    platform.http->onAnswer(answer(503));
    EXPECT_EQ(output.lines.back(), said + "it answered 503" + wait);
    platform.advance(60000), platform.http->onAnswer(answer(204));
    saveSettings(app);
    EXPECT_EQ(platform.fileLog.back(), "replace private orvexa.ini");
    // A room that does not fail gets ten seconds more at closing for a line on its way.
    int closes = 0;
    app.closeMainWindow = [&] { ++closes; };
    app.settings.webhookUrl = "https://chat.example.org/o", app.settings.webhookFormat = " Slack";
    sayInChannel(app, "#c", "FINAL SCORE", ReportKind::Essential);
    EXPECT_TRUE(platform.httpPosts.back().starts_with(R"({"text":"FINAL SCORE")"));
    onCloseRequest(app);
    platform.advance(10499);
    EXPECT_EQ(closes, 0);
    platform.advance(1);
    EXPECT_EQ(closes, 1);
    platform.advance(1000), platform.http->onAnswer(answer(404));
    EXPECT_EQ(closes, 1);  // once
    EXPECT_EQ(output.lines.back(),
              said + "it answered 404, the webhook is deleted or its address wrong" + wait);
}

}  // namespace
}  // namespace fc::test
