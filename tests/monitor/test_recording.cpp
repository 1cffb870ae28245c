// Recording a live stream and playing it back through the fake platform's virtual clock, the
// recording format, the file names the Record tab proposes, and damaged recordings.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "monitor/recorder.h"
#include "monitor/recording_file.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/unreal_replies.h"

namespace fc::test {
namespace {

const std::string kFile = "demos/match.rec";
using Times = std::vector<std::int64_t>;

// What the channel and the headless output see of a run: each reply's game, map, scores and
// rows and each line said, with the virtual time each reply came at.
class Timeline : public AppListener {
public:
    explicit Timeline(App& app) : app_(app) { app.addListener(this); }
    ~Timeline() override { app_.removeListener(this); }
    void replyHandled() override {
        const MainView& v = app_.view;
        events.push_back(v.gameText + " " + v.mapText + " " + v.redScoreText + ":" +
                         v.blueScoreText + " " + std::to_string(v.playerRows.size()));
        times.push_back(app_.platform.nowMs());
    }
    // The match clock runs on the program's own time, not the recording's: the time left a
    // line shows is left out.
    void reportSaid(const std::string&, const std::string& text) override {
        events.push_back(text.substr(0, text.find("Time Left:")));
    }
    Times gaps() const {
        Times out;
        for (std::size_t i = 1; i < times.size(); ++i) out.push_back(times[i] - times[i - 1]);
        return out;
    }
    std::vector<std::string> events;
    Times times;

private:
    App& app_;
};

// Plays the recording in `app` to its end, `step` recorded seconds per 10 ms tick.
void playRecording(FakePlatform& platform, App& app, double step) {
    onServerEntryEdited(app, kFile);
    toggleConnection(app);
    app.view.playbackStep = step;
    for (int i = 0; i < 100000 && !app.view.serverEntryEnabled; ++i) platform.advance(10);
}

class RecordingTest : public MonitorTest {
protected:
    // The periodic report runs on the program's own clock; it is kept out of the comparisons.
    RecordingTest() {
        view().ctfTemplate = "CAPTURE by %c%";
        view().reportIntervalSeconds = "3600";
    }
    void startRecording(const std::string& entry) {
        switchOn(entry);
        view().recordingOn = true;
        view().recordingFolder = "demos/";
        view().recordingFileName = "match.rec";
    }
    // Monitors a live server while recording; the first `count` real replies arrive one a second.
    void recordLive(std::size_t from, std::size_t count) {
        std::vector<std::string> replies;
        for (const RecordedReply& r : loadCapture("ctf_oa_ctf4ish_x4.q3cap"))
            if (r.answered) replies.push_back(r.bytes);
        ASSERT_GE(replies.size(), from + count);
        startRecording("127.0.0.1:27974");
        for (std::size_t i = from; i < from + count; ++i) {
            platform.advance(1000);
            reply(replies[i], "127.0.0.1", 27974);
        }
        toggleConnection(app);
    }
};

TEST_F(RecordingTest, PlaybackRepeatsTheLiveRunsRepliesAndLinesAtTheChosenPace) {
    Timeline live(app);
    recordLive(0, 100);
    ASSERT_GT(live.events.size(), 100u);  // the replies and the match's lines
    for (const auto& [step, gapMs] : {std::pair{0.01, 1000}, std::pair{0.1, 100}}) {
        // A program started afresh, its socket aimed where the live run polled.
        FakePlatform later;
        later.files = platform.files;
        WiredApp replaying(later);
        replaying.view.ctfTemplate = view().ctfTemplate;
        replaying.view.reportIntervalSeconds = view().reportIntervalSeconds;
        replaying.gameSocket->setRemote("127.0.0.1", "127.0.0.1", 27974);
        Timeline replayed(replaying);
        playRecording(later, replaying, step);
        EXPECT_EQ(replayed.events, live.events);
        for (std::int64_t gap : replayed.gaps()) EXPECT_NEAR(gap, gapMs, 10);
        EXPECT_EQ(replaying.view.playbackProgress, 100);
        EXPECT_EQ(replaying.view.playbackLength, 100);
    }
}

TEST_F(RecordingTest, RecordingIntoAnExistingFileAppendsAndPlaysOldRecordsFirst) {
    recordLive(0, 2);
    recordLive(2, 2);
    Timeline replayed(app);
    playRecording(platform, app, 0.01);
    EXPECT_EQ(replayed.gaps(), (Times{1000, 1000, 1000}));
}

TEST_F(RecordingTest, RecordsPastMidnightFollowOnePerTick) {
    platform.wallClockStart.secondsSinceMidnight = 86400 - 3.5;
    recordLive(0, 6);
    EXPECT_EQ(platform.files[kFile].substr(0, 12), " 86397.5\r\n\xFF\xFF");
    Timeline replayed(app);
    playRecording(platform, app, 0.01);
    EXPECT_EQ(replayed.gaps(), (Times{1000, 1000, 10, 10, 10}));
}

TEST_F(RecordingTest, UnrealAnswersAreRecordedJoinedAndReplayedWhole) {
    auto live = std::make_unique<Timeline>(app);
    startRecording("127.0.0.1:7778");
    firstTick();
    for (int query = 1; query <= 3; ++query) {
        const UnrealAnswer a{"CTFGame", "0", {{"Alpha", query - 1, "0"}, {"Bravo", 0, "1"}}};
        for (const std::string& d : unrealDatagrams(a, query)) reply(d, "127.0.0.1", 7778);
        platform.advance(2000);
    }
    toggleConnection(app);
    const std::vector<std::string> liveEvents = live->events;
    ASSERT_EQ(live->times.size(), 3u);
    live.reset();
    // Each whole answer once, joined; before that the first datagram, which came while the
    // family was not yet known.
    const std::string& file = platform.files[kFile];
    int joined = 0;
    for (std::size_t at = 0;
         (at = file.find("\r\nblaatschaap\\totaal\\ 3\\gamename", at)) != std::string::npos; ++at) {
        ++joined;
    }
    EXPECT_EQ(joined, 3);
    EXPECT_EQ(file.substr(0, 20), " 43201\r\n\\gamename\\ut");

    Timeline replayed(app);
    playRecording(platform, app, 0.01);
    EXPECT_EQ(replayed.events, liveEvents);
    for (std::int64_t gap : replayed.gaps()) EXPECT_NEAR(gap, 2000, 10);
}

// A damaged recording plays every whole record before the damage, then names where it stopped
// in the output window; the entry can be edited again.
TEST_F(RecordingTest, ADamagedRecordingPlaysUpToTheDamageAndSaysWhere) {
    const std::string stopped = "Playback of " + kFile + " stopped at record ";
    const struct {
        const char* name;
        std::string tail;  // after two good records
        int replies;
        std::string said;
    } rows[] = {
        {"whole", "", 2, ""},
        {"an empty reply is passed over", " 12\r\n\r\n", 2, ""},
        {"an odd number of lines", " 12\r\n", 2, "3: its reply line is missing."},
        {"a time that is not a number", "12:00\r\n\\mapname\\x\r\n", 2,
         "3: its time line is not a time of day."},
        {"a time past a day", " 8.6e61\r\n\\mapname\\x\r\n", 2,
         "3: its time line is not a time of day."},
        {"binary junk", std::string("\0\x9F\xFF\x01junk", 8), 2,
         "3: its time line has no line end."},
        {"a cut reply", " 12\r\n\\mapname", 2, "3: its reply line has no line end."},
        {"a reply over 64 KB", " 12\r\n" + std::string(70000, 'x') + "\r\n", 2,
         "3: its reply is longer than 64 KB."},
        {"a missing file", "", 0, "1: the file cannot be read."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakePlatform later;
        WiredApp replaying(later);
        CountingListener replies;
        replaying.addListener(&replies);
        if (row.replies) {
            later.files[kFile] =
                " 10\r\n\\mapname\\q3dm1\r\n 11\r\n\\mapname\\q3dm2\r\n" + row.tail;
        }
        playRecording(later, replaying, 0.5);
        EXPECT_EQ(replies.replies, row.replies);
        EXPECT_TRUE(replaying.view.serverEntryEnabled);
        EXPECT_EQ(replaying.view.ircOutput, row.said.empty() ? "" : stopped + row.said + "\r\n");
    }
}

// A reply holding CR or LF plays back as it came, between records of any kind; a reply
// without CR is written as recordings always held it.
TEST_F(RecordingTest, RepliesHoldingCrOrLfReplayAsTheyCame) {
    auto live = std::make_unique<Timeline>(app);
    startRecording("127.0.0.1:27960");
    for (const char* map : {"q3dm1", "q3\rdm2", "q3\r\ndm3\r", "\rq3\ndm4\n", "q3dm5"}) {
        platform.advance(1000);
        reply(quake3Reply({{"mapname", map}}, {{"1", "50", map}}), "127.0.0.1", 27960);
    }
    toggleConnection(app);
    const std::vector<std::string> liveEvents = live->events;
    live.reset();
    EXPECT_EQ(platform.files[kFile].substr(0, 11), " 43201\r\n\xFF\xFF\xFF");
    Timeline replayed(app);
    playRecording(platform, app, 0.01);
    EXPECT_EQ(replayed.events, liveEvents);
    EXPECT_EQ(replayed.times.size(), 5u);
    EXPECT_EQ(view().ircOutput, "");
}

TEST(RecordingFormat, AnyByteSurvivesAndTheLengthFormIsReadWithCare) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte += static_cast<char>(c);
    const std::pair<std::string, std::string> written[] = {
        {"abc", " 10\r\nabc\r\n"},
        {"", " 10\r\n\r\n"},
        {"a\nb\n", " 10\r\na\nb\n\r\n"},
        {"a\rb", " 10 3\r\na\rb\r\n"},
        {"\r\n", " 10 2\r\n\r\n\r\n"},
        {everyByte, " 10 256\r\n" + everyByte + "\r\n"},
        {std::string(65536, '\r'), " 10 65536\r\n" + std::string(65537, '\r') + "\n"}};
    std::string file;
    for (const auto& [reply, record] : written) {
        EXPECT_EQ(formatRecord(10, reply), record);
        file += record;
    }
    std::size_t at = 0;
    for (const auto& [reply, record] : written) EXPECT_EQ(readRecord(file, at).reply, reply);
    EXPECT_EQ(readRecord(file, at).kind, RecordRead::Kind::End);

    const std::pair<std::string, std::string> damaged[] = {
        {" 12 9\r\nabc\r\n", "its reply is shorter than its length"},
        {" 12 2\r\nabc\r\n", "its reply does not end where its length says"},
        {" 12 3\r\nabc", "its reply does not end where its length says"},
        {" 12 65537\r\n" + std::string(65537, '\r') + "\r\n", "its reply is longer than 64 KB"},
        {" 12 x\r\nabc\r\n", "its time line is not a time of day"},
        {" 12 -3\r\nabc\r\n", "its time line is not a time of day"},
        {" 12 3 4\r\nabc\r\n", "its time line is not a time of day"},
        {" 12 99999999999999999999999\r\nabc\r\n", "its time line is not a time of day"},
        {" 12  \r\nabc\r\n", ""}};
    for (const auto& [bytes, damage] : damaged) {
        std::size_t from = 0;
        const RecordRead r = readRecord(bytes, from);
        EXPECT_EQ(r.damage, damage) << bytes.substr(0, 20);
        EXPECT_EQ(from, damage.empty() ? bytes.size() : 0u);
    }
}

TEST(RecordingFormat, TimeLinesHoldSevenSignificantDigits) {
    const std::pair<double, const char*> times[] = {
        {45678.125, " 45678.12"}, {0, " 0"}, {86399.99, " 86399.99"}, {7.5, " 7.5"}};
    for (const auto& [seconds, text] : times) EXPECT_EQ(recordTimeText(seconds), text);
}

// The names and time lines stand on the wall clock's date and time of day (here in UTC).
TEST(RecordTab, TheWallClockIsTodaysDateAndTime) {
    using namespace std::chrono;
    setenv("TZ", "UTC", 1);
    tzset();
    FakePlatform platform;
    const LocalTime now = platform.Platform::localTime();
    const auto since = system_clock::now().time_since_epoch();
    const year_month_day today{floor<days>(system_clock::now())};
    EXPECT_EQ(now.year, int(today.year()));
    EXPECT_EQ(now.month, int(unsigned(today.month())));
    EXPECT_EQ(now.day, int(unsigned(today.day())));
    EXPECT_NEAR(now.secondsSinceMidnight, duration<double>(since % days(1)).count(), 2);
}

TEST(RecordTab, ProposedFolderAndFileName) {
    const LocalTime at{2026, 3, 7, 21 * 3600 + 5 * 60 + 9.7};
    const std::pair<const char*, const char*> names[] = {
        {"10.0.0.5:27910", "2026-03-07_10-0-0-5.27910210509.rec"},
        {"10.0.0.5:27910 Clan (EU) server", "2026-03-07_Clan__EU__server210509.rec"},
        {"demos/old.rec", "2026-03-07_demos_old-rec210509.rec"},
    };
    for (const auto& [entry, name] : names) EXPECT_EQ(recordingName(entry, at), name);
    const std::pair<const char*, const char*> folders[] = {{"", "demos/"},
                                                           {"/opt/fc", "/opt/fc/demos/"},
                                                           {"/opt/fc/", "/opt/fc/demos/"},
                                                           {"/opt/Demos", "/opt/Demos/"}};
    for (const auto& [current, folder] : folders) EXPECT_EQ(recordingsFolder(current), folder);
}

TEST_F(RecordingTest, PlaySelectedPutsTheRecordingInTheEntryAndShowsTheGameTab) {
    platform.files["demos/a.rec"] = platform.files["demos/b.rec"] = " 10\r\n\\mapname\\q3dm1\r\n";
    proposeRecordingName(app);
    refreshRecordedDemos(app);
    ASSERT_EQ(view().recordedDemos, (std::vector<std::string>{"a.rec", "b.rec"}));
    switchOn("127.0.0.1:27960");
    view().recordedDemoSelected = 1;
    playSelected(app);
    EXPECT_TRUE(view().serverEntryEnabled);
    EXPECT_EQ(view().serverEntry, "demos/b.rec");
    EXPECT_TRUE(view().showGameTab);
}

}  // namespace
}  // namespace fc::test
