#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <regex>

#include "monitor/playback.h"
#include "monitor/recorder.h"
#include "monitor/recording_file.h"
#include "support/steps.h"
#include "support/unreal_replies.h"

namespace fc::test {
namespace {

const std::string kFile = "demos/match.rec";

// What a run shows and says, and the gaps between replies.
struct Timeline : AppListener {
    explicit Timeline(App& app) : app(app) { app.addListener(this); }
    ~Timeline() override { app.removeListener(this); }
    void replyHandled() override {
        events.push_back(app.monitor.gameText + " " + app.monitor.mapText + " " +
                         app.monitor.redScoreText + ":" + app.monitor.blueScoreText + " " +
                         std::to_string(app.monitor.playerRows.size()));
        (replies++ ? gaps.emplace_back() : first) = app.platform.nowMs() - last;
        last = app.platform.nowMs();
    }
    void reportSaid(const std::string&, const std::string& t) override { events.push_back(t); }
    App& app;
    std::vector<std::string> events;
    std::size_t replies = 0;
    std::int64_t last = 0, first = 0;  // the first reply's time since the start
    std::vector<std::int64_t> gaps;
};

// The periodic report is kept out of the comparisons.
struct Recording : Steps {
    Recording() : Steps("") {
        app.settings.ctfTemplate = "CAPTURE by %c% %tl%";
        app.settings.reportIntervalSeconds = "3600";
    }
    void startRecording(int port) {
        switchOn((host = "127.0.0.1") + ":" + std::to_string(this->port = port));
        app.monitor.recordingOn = true, app.monitor.recordingFolder = "demos/";
        app.monitor.recordingFileName = "match.rec";
    }
    void recordLive(std::size_t count) {
        std::vector<std::string> replies;
        for (const RecordedReply& r : loadCapture("ctf_oa_ctf4ish_x4.q3cap"))
            if (r.answered) replies.push_back(r.bytes);
        ASSERT_GE(replies.size(), count);
        startRecording(27974);
        for (std::size_t i = 0; i < count; ++i) {
            platform.advance(1000);
            reply(replies[i], host, port);
        }
        toggleConnection(app);
    }
    // Plays the recording to its end, `step` recorded seconds per 10 ms tick: 0.01 as it starts,
    // 0.1 with the left button held on the progress bar, 0.5 with the right one.
    Timeline playBack(double step) {
        Timeline replayed(app);
        switchOn(kFile);
        if (app.playback.open)
            EXPECT_EQ(app.match.liveBanner + (app.window.liveBannerVisible ? " shown " : " ") +
                          app.monitor.playerRows.at(0).name +
                          (app.window.playbackBarVisible ? "|" : ""),
                      "Playing a demo! shown Loading...|");
        if (step != 0.01)
            onProgressMousePressed(app, step == 0.1 ? MouseButton::Left : MouseButton::Right);
        for (int i = 0; i < 100000 && !app.window.serverEntryEnabled; ++i) platform.advance(10);
        return replayed;
    }
};

// Each whole Unreal answer is one record, after the first datagram (the family not yet known).
void unrealAnswers(Recording& m) {
    m.startRecording(7778);
    m.firstTick();
    for (int query = 1; query <= 3; ++query) {
        const UnrealAnswer a{"CTFGame", "0", {{"Alpha", query - 1, "0"}, {"Bravo", 0, "1"}}};
        for (const std::string& d : unrealDatagrams(a, query)) m.reply(d, m.host, m.port);
        m.platform.advance(2000);
    }
    toggleConnection(m.app);
}
// Replies holding CR or LF play back as they came; one without CR is written the old way.
void crAndLf(Recording& m) {
    m.startRecording(27960);
    m.paceMs = 1000;
    for (const char* map : {"q3dm1", "q3\rdm2", "q3\r\ndm3\r", "\rq3\ndm4\n", "q3dm5"}) {
        m.roster = {{"1", "50", map}};
        m.send(std::string("statusResponse\n\\mapname\\") + map);
    }
    toggleConnection(m.app);
}

TEST(Recording, PlaybackRepeatsTheLiveRunsRepliesAndLinesAtTheChosenPace) {
    // A replay names the server recorded, else the file; its clock runs on the recording's time.
    const std::string server =
        std::string(" 43201\r\n\xFF\xFF\xFF\xFF") + "disconnect recorded from 127.0.0.1:";
    // clang-format off
    const struct { const char* name; int port; void (*live)(Recording&); std::string fileStart; std::size_t replies;
                   std::int64_t gapMs; int records; const char* replayedServer = nullptr; } rows[] = {
        {"a recorded match", 27974, [](Recording& m) { m.recordLive(100); }, server + "27974\r\n 43201\r\n\xFF", 100, 1000, 100},
        {"a match across midnight", 27974, [](Recording& m) {
             m.platform.wallClockStart.secondsSinceMidnight = 86360;
             m.recordLive(100);
         }, " 86361\r\n\xFF\xFF\xFF\xFF" "disconnect recorded from 127.0.0.1:27974\r\n 86361\r\n\xFF", 100, 1000, 100},
        {"an older recording without its server", 27974, [](Recording& m) {
             m.recordLive(100);
             m.platform.files[kFile].erase(0, m.platform.files[kFile].find("\r\n ") + 2);
         }, " 43201\r\n\xFF", 100, 1000, 100, "match.rec"},
        {"Unreal answers", 7778, unrealAnswers, server + "7778\r\n 43201\r\n\\gamename\\ut", 3, 2000, 4},
        {"replies holding CR or LF", 27960, crAndLf, server + "27960\r\n 43201\r\n\xFF\xFF\xFF", 5, 1000, 5},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Recording live;
        const Timeline seen(live.app);
        row.live(live);
        ASSERT_EQ(seen.replies, row.replies);
        const std::string& file = live.platform.files[kFile];
        EXPECT_EQ(file.substr(0, row.fileStart.size()), row.fileStart);
        // the marker recordings have always held before a joined Unreal answer
        EXPECT_EQ(file.find("\r\nblaatschaap\\totaal\\ 3\\") != file.npos, row.port == 7778);
        for (const double step : {0.01, 0.1}) {
            Recording later;
            later.platform.files = live.platform.files;
            later.app.gameSocket->setRemote("10.9.9.9", "10.9.9.9", 1);  // watched before
            const Timeline replayed = later.playBack(step);
            std::vector<std::string> expected = seen.events;
            const char* server = row.replayedServer ? row.replayedServer : "$&";
            for (std::string& line : expected)
                line = std::regex_replace(line, std::regex("127.0.0.1:27974"), server);
            EXPECT_EQ(replayed.events, expected);
            for (std::int64_t gap : replayed.gaps) EXPECT_NEAR(gap, row.gapMs * 0.01 / step, 10);
            EXPECT_LE(replayed.first, 20);  // the first records play at the first ticks
            EXPECT_EQ(
                std::tuple(later.app.monitor.playbackProgress, later.app.monitor.playbackLength),
                std::tuple(row.records, row.records));
            EXPECT_EQ(later.app.irc.ircOutput, "");
        }
    }
}

TEST(Recording, ADamagedRecordingPlaysUpToTheDamageAndSaysWhere) {
    const std::string two = " 10\r\n\\mapname\\q3dm1\r\n 11\r\n\\mapname\\q3dm2\r\n";
    // clang-format off
    const struct { const char* name; std::optional<std::string> file; int replies, records; std::string said; } rows[] = {
        {"whole", two, 2, 2, ""},
        {"an empty file", "", 0, 1, ""},
        {"an empty reply is passed over", two + " 12\r\n\r\n", 2, 3, ""},
        {"an odd number of lines", two + " 12\r\n", 2, 2, "3: its reply line is missing."},
        {"a missing file", std::nullopt, 0, 1, "1: the file cannot be read."},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Recording m;
        if (row.file) m.platform.files[kFile] = *row.file;
        m.playBack(0.5);
        const std::string said = "Playback of " + kFile + " stopped at record " + row.said + "\r\n";
        EXPECT_EQ(std::tuple(m.output.replies, m.app.monitor.playbackLength,
                             m.app.window.serverEntryEnabled, m.app.irc.ircOutput),
                  std::tuple(row.replies, row.records, true, row.said.empty() ? "" : said));
    }
}

TEST(RecordingFormat, AnyByteSurvivesAndTheLengthFormIsReadWithCare) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte += static_cast<char>(c);
    // clang-format off
    const std::pair<std::string, std::string> written[] = {
        {"abc", " 10\r\nabc\r\n"}, {"a\nb\n", " 10\r\na\nb\n\r\n"}, {"a\rb", " 10 3\r\na\rb\r\n"},
        {everyByte, " 10 256\r\n" + everyByte + "\r\n"}, {std::string(65536, '\r'), " 10 65536\r\n" + std::string(65537, '\r') + "\n"}};
    const std::pair<std::string, std::string> damaged[] = {
        {" 12 9\r\nabc\r\n", "its reply is shorter than its length"}, {" 12 2\r\nabc\r\n", "its reply does not end where its length says"},
        {" 12 3\r\nabc", "its reply does not end where its length says"},
        {" 12 65537\r\n" + std::string(65537, '\r') + "\r\n", "its reply is longer than 64 KB"},
        {" 12 -3\r\nabc\r\n", "its time line is not a time of day"}, {" 12 3 4\r\nabc\r\n", "its time line is not a time of day"},
        {" 12 99999999999999999999999\r\nabc\r\n", "its time line is not a time of day"}, {" 12  \r\nabc\r\n", ""},
        {"12:00\r\nx\r\n", "its time line is not a time of day"},
        {" 12\r\nx", "its reply line has no line end"},
        {" 8.6e61\r\nx\r\n", "its time line is not a time of day"},
        {std::string("\0\x9F\xFFjunk", 7), "its time line has no line end"},
        {" 12\r\n" + std::string(70000, 'x') + "\r\n", "its reply is longer than 64 KB"}};
    // clang-format on
    std::string file;
    for (const auto& [reply, record] : written) EXPECT_EQ(formatRecord(10, reply), record);
    for (const auto& [reply, record] : written) file += record;
    std::size_t at = 0;
    for (const auto& [reply, record] : written) EXPECT_EQ(readRecord(file, at).reply, reply);
    EXPECT_EQ(readRecord(file, at).kind, RecordRead::Kind::End);
    const RecordRead crAlone = readRecord(" 12 2 \rab\r 13", at = 0);  // lines ended by CR alone
    EXPECT_EQ(std::tuple(crAlone.time, crAlone.reply, at), std::tuple(12.0, "ab", 10u));
    for (const auto& [bytes, damage] : damaged) {
        std::size_t from = 0;
        EXPECT_EQ(readRecord(bytes, from).damage, damage) << bytes.substr(0, 20);
        EXPECT_EQ(from, damage.empty() ? bytes.size() : 0u);
    }
    for (const auto& [seconds, text] :
         {std::pair{45678.125, " 45678.12"}, {-3.0, " 0"}, {7.5, " 7.5"}, {1e9, " 9999999"}})
        EXPECT_EQ(recordTimeText(seconds), text);  // seven digits, never negative
    // A damaged server record names no more than the address before its first control code.
    const std::string record = std::string(4, '\xFF') + "disconnect recorded from h:1\r\n\x03";
    EXPECT_EQ(recordedServer(record), "h:1");
    EXPECT_EQ(recordedServer(record.substr(0, 30) + "\x7F\x80"), "h");  // DEL is one too
    EXPECT_EQ(recordedServer(record.substr(0, 14)), std::nullopt);      // a disconnect notice
}

// Recordings are named by the day the system clock reads.
TEST(RecordTab, TheWallClockIsTodaysDate) {
    setenv("TZ", "UTC", 1), tzset();
    const auto day =
        std::chrono::year_month_day(floor<std::chrono::days>(std::chrono::system_clock::now()));
    const LocalTime local = FakePlatform().Platform::localTime();
    EXPECT_EQ(std::tie(local.year, local.month, local.day),
              std::tuple(int(day.year()), int(unsigned(day.month())), int(unsigned(day.day()))));
}

TEST(RecordTab, ProposedNamesAndPlayingTheSelectedRecording) {
    const LocalTime at{2026, 3, 7, 21 * 3600 + 9.7};  // just past the hour
    // clang-format off
    const std::pair<const char*, const char*> names[] = {
        {"10.0.0.5:27910", "2026-03-07_10-0-0-5.27910210009.rec"},
        {"10.0.0.5:27910 Clan (EU) server", "2026-03-07_Clan__EU__server210009.rec"},
        {"demos/old.rec", "2026-03-07_demos_old-rec210009.rec"}};
    const std::pair<const char*, const char*> folders[] = {
        {"", "demos/"}, {"/opt/fc", "/opt/fc/demos/"}, {"/opt/fc/", "/opt/fc/demos/"}, {"/opt/Demos", "/opt/Demos/"}, {"demos", "demos/"}};
    // clang-format on
    for (const auto& [entry, name] : names) EXPECT_EQ(recordingName(entry, at), name);
    for (const auto& [current, folder] : folders) EXPECT_EQ(recordingsFolder(current), folder);
    Steps m("");
    m.platform.files["demos/a.rec"] = m.platform.files["demos/b.rec"] =
        " 10\r\n\\mapname\\q3dm1\r\n";
    proposeRecordingName(m.app);
    refreshRecordedDemos(m.app);
    ASSERT_EQ(m.app.monitor.recordedDemos, (std::vector<std::string>{"a.rec", "b.rec"}));
    m.switchOn("127.0.0.1:27960");
    // Nothing selected, or a row past the list, leaves the entry.
    for (const auto& [selected, entry] : {std::pair{-1, "127.0.0.1:27960"},
                                          {2, "127.0.0.1:27960"},
                                          {1, "demos/b.rec"},
                                          {0, "demos/a.rec"}}) {
        m.app.monitor.recordedDemoSelected = selected;
        playSelected(m.app);
        EXPECT_EQ(m.app.settings.serverEntry, entry);
    }
    EXPECT_TRUE(m.app.window.serverEntryEnabled && m.app.window.showGameTab);
}

}  // namespace
}  // namespace fc::test
