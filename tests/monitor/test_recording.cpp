// Recording a live stream and playing it back through the fake platform's virtual clock, the
// recording format, the file names the Record tab proposes, and damaged recordings.
#include <gtest/gtest.h>

#include "monitor/recorder.h"
#include "monitor/recording_file.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"
#include "support/unreal_replies.h"

namespace fc::test {
namespace {

const std::string kFile = "demos/match.rec";

// What the channel and the headless output see of a run: each reply's game, map and scores and
// each line said, with the virtual time it came at.
class Timeline : public AppListener {
public:
    explicit Timeline(App& app) : app_(app) {}
    void replyHandled() override {
        const MainView& v = app_.view;
        events.push_back(v.qsGame + " " + v.qsMap + " " + v.qsRed + ":" + v.qsBlue + " " +
                         std::to_string(v.spelerLijst.size()));
        times.push_back(app_.platform.nowMs());
    }
    // The match clock runs on the program's own time, not the recording's: the time left a
    // line shows is left out.
    void reportSaid(const std::string&, const std::string& text) override {
        events.push_back(text.substr(0, text.find("Time Left:")));
    }
    std::vector<std::string> events;
    std::vector<std::int64_t> times;

private:
    App& app_;
};

class RecordingTest : public MonitorTest {
protected:
    // The periodic report runs on the program's own clock; it is kept out of the comparisons.
    RecordingTest() {
        view().IRCLineCTF = "CAPTURE by %c%";
        view().ReportDM = "3600";
    }

    // Monitors a live server while recording; `replies` arrive one a second.
    void recordLive(const std::vector<std::string>& replies) {
        switchOn("127.0.0.1:27974");
        view().RecordIt = true;
        view().RecordItDir = "demos/";
        view().RecordItWhere = "match.rec";
        for (const std::string& r : replies) {
            platform.advance(1000);
            reply(r, "127.0.0.1", 27974);
        }
        WisselConnectie(app);
    }
    // Plays the recording back until it ends.
    void play(double step) {
        OnServerEntryEdited(app, kFile);
        WisselConnectie(app);
        view().playbackStep = step;
        for (int i = 0; i < 100000 && !view().Q2ServerlistEnabled; ++i) platform.advance(10);
    }
    std::vector<std::string> realReplies(std::size_t count) {
        std::vector<std::string> out;
        for (const RecordedReply& r : LoadCapture("ctf_oa_ctf4ish_x4.q3cap")) {
            if (r.answered && out.size() < count) out.push_back(r.bytes);
        }
        return out;
    }
};

std::vector<std::int64_t> Gaps(const std::vector<std::int64_t>& times) {
    std::vector<std::int64_t> gaps;
    for (std::size_t i = 1; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
    return gaps;
}

TEST_F(RecordingTest, PlaybackRepeatsTheLiveRunsRepliesAndLinesAtTheChosenPace) {
    const auto replies = realReplies(100);
    ASSERT_EQ(replies.size(), 100u);
    Timeline live(app);
    app.addListener(&live);
    recordLive(replies);
    ASSERT_GT(live.events.size(), replies.size());  // the replies and the match's lines

    struct Pace {
        double step;
        std::int64_t gapMs;
    };
    for (const Pace pace : {Pace{0.01, 1000}, Pace{0.1, 100}}) {
        // A program started afresh, its socket aimed where the live run polled.
        FakePlatform later;
        later.files = platform.files;
        WiredApp replaying(later);
        replaying.view.IRCLineCTF = view().IRCLineCTF;
        replaying.view.ReportDM = view().ReportDM;
        replaying.QuakeStatus->setRemote("127.0.0.1", 27974);
        Timeline replayed(replaying);
        replaying.addListener(&replayed);
        OnServerEntryEdited(replaying, kFile);
        WisselConnectie(replaying);
        replaying.view.playbackStep = pace.step;
        while (!replaying.view.Q2ServerlistEnabled) later.advance(10);
        EXPECT_EQ(replayed.events, live.events);
        for (std::int64_t gap : Gaps(replayed.times)) EXPECT_NEAR(gap, pace.gapMs, 10);
        EXPECT_EQ(replaying.view.progValue, 100);
        EXPECT_EQ(replaying.view.progMax, 100);
    }
}

TEST_F(RecordingTest, RecordingIntoAnExistingFileAppendsAndPlaysOldRecordsFirst) {
    const auto replies = realReplies(4);
    recordLive({replies[0], replies[1]});
    recordLive({replies[2], replies[3]});
    Timeline replayed(app);
    app.addListener(&replayed);
    play(0.01);
    ASSERT_EQ(replayed.times.size(), 4u);
    EXPECT_EQ(Gaps(replayed.times), (std::vector<std::int64_t>{1000, 1000, 1000}));
}

TEST_F(RecordingTest, RecordsPastMidnightFollowOnePerTick) {
    platform.wallClockStart.secondsSinceMidnight = 86400 - 3.5;
    const auto replies = realReplies(6);
    recordLive(replies);
    EXPECT_EQ(platform.files[kFile].substr(0, 12), " 86397.5\r\n\xFF\xFF");
    Timeline replayed(app);
    app.addListener(&replayed);
    play(0.01);
    EXPECT_EQ(Gaps(replayed.times), (std::vector<std::int64_t>{1000, 1000, 10, 10, 10}));
}

TEST_F(RecordingTest, UnrealAnswersAreRecordedJoinedAndReplayedWhole) {
    Timeline live(app);
    app.addListener(&live);
    switchOn("127.0.0.1:7778");
    view().RecordIt = true;
    view().RecordItDir = "demos/";
    view().RecordItWhere = "match.rec";
    firstTick();
    for (int query = 1; query <= 3; ++query) {
        const UnrealAnswer a{"CTFGame", "0", {{"Alpha", query - 1, "0"}, {"Bravo", 0, "1"}}};
        for (const std::string& d : UnrealDatagrams(a, query)) reply(d, "127.0.0.1", 7778);
        platform.advance(2000);
    }
    WisselConnectie(app);
    app.removeListener(&live);
    ASSERT_EQ(live.times.size(), 3u);
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
    app.addListener(&replayed);
    play(0.01);
    EXPECT_EQ(replayed.events, live.events);
    for (std::int64_t gap : Gaps(replayed.times)) EXPECT_NEAR(gap, 2000, 10);
}

struct DamageCase {
    const char* name;
    std::string bytes;  // after two good records
    int replayed;
    std::string message;  // "" for a whole recording
};

const std::string kGood = " 10\r\n\\mapname\\q3dm1\r\n 11\r\n\\mapname\\q3dm2\r\n";

class DamagedRecording : public RecordingTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedRecording, PlaysEveryWholeRecordThenNamesWhereItStopped) {
    const DamageCase& c = GetParam();
    if (std::string(c.name) != "missing_file") platform.files[kFile] = kGood + c.bytes;
    Timeline replayed(app);
    app.addListener(&replayed);
    play(0.5);
    EXPECT_EQ(static_cast<int>(replayed.times.size()), c.replayed);
    EXPECT_TRUE(view().Q2ServerlistEnabled);
    const std::string shown = c.message.empty() ? "" : "Playback of " + kFile + c.message + "\r\n";
    EXPECT_EQ(view().Text1, shown);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedRecording,
    ::testing::Values(DamageCase{"whole", "", 2, ""},
                      DamageCase{"empty_reply_skipped", " 12\r\n\r\n", 2, ""},
                      DamageCase{"odd_number_of_lines", " 12\r\n", 2,
                                 " stopped at record 3: its reply line is missing."},
                      DamageCase{"time_not_a_number", "12:00\r\n\\mapname\\x\r\n", 2,
                                 " stopped at record 3: its time line is not a time of day."},
                      DamageCase{"time_past_a_day", " 8.6e61\r\n\\mapname\\x\r\n", 2,
                                 " stopped at record 3: its time line is not a time of day."},
                      DamageCase{"binary_junk", std::string("\x00\x9F\xFF\x01junk", 8), 2,
                                 " stopped at record 3: its time line has no line end."},
                      DamageCase{"reply_over_64_KB", " 12\r\n" + std::string(70000, 'x') + "\r\n",
                                 2, " stopped at record 3: its reply is longer than 64 KB."},
                      DamageCase{"cut_reply", " 12\r\n\\mapname", 2,
                                 " stopped at record 3: its reply line has no line end."},
                      DamageCase{"missing_file", "", 0,
                                 " stopped at record 1: the file cannot be read."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordingFormat, TimeLinesHoldSevenSignificantDigits) {
    const std::pair<double, const char*> times[] = {
        {45678.125, " 45678.12"}, {0, " 0"}, {86399.99, " 86399.99"}, {7.5, " 7.5"}};
    for (const auto& [seconds, text] : times) EXPECT_EQ(RecordTimeText(seconds), text);
}

TEST(RecordTab, ProposedFolderAndFileName) {
    const LocalTime at{2026, 3, 7, 21 * 3600 + 5 * 60 + 9.7};
    const std::pair<const char*, const char*> names[] = {
        {"10.0.0.5:27910", "2026-03-07_10-0-0-5.27910210509.rec"},
        {"10.0.0.5:27910 Clan (EU) server", "2026-03-07_Clan__EU__server210509.rec"},
        {"demos/old.rec", "2026-03-07_demos_old-rec210509.rec"},
    };
    for (const auto& [entry, name] : names) EXPECT_EQ(RecordingName(entry, at), name);
    const std::pair<const char*, const char*> folders[] = {{"", "demos/"},
                                                           {"/opt/fc", "/opt/fc/demos/"},
                                                           {"/opt/fc/", "/opt/fc/demos/"},
                                                           {"/opt/Demos", "/opt/Demos/"}};
    for (const auto& [current, folder] : folders) EXPECT_EQ(RecordingsFolder(current), folder);
}

TEST_F(RecordingTest, PlaySelectedPutsTheRecordingInTheEntryAndShowsTheGameTab) {
    platform.files["demos/a.rec"] = kGood;
    platform.files["demos/b.rec"] = kGood;
    RecordItAutoSet(app);
    RefreshRecordItList(app);
    ASSERT_EQ(view().RecordItList, (std::vector<std::string>{"a.rec", "b.rec"}));
    switchOn("127.0.0.1:27960");
    view().RecordItListSelected = 1;
    PlaySelected(app);
    EXPECT_TRUE(view().Q2ServerlistEnabled);
    EXPECT_EQ(view().Q2Serverlist, "demos/b.rec");
    EXPECT_TRUE(view().showGameTab);
}

}  // namespace
}  // namespace fc::test
