// The server browser through the fake platform: the sweeps and their pace, answers keyed by
// their sender, the filters, the buttons, the snapshot file and the master server.
#include "browser/answers.h"
#include "browser/browser_fixture.h"
#include "monitor/poller.h"

namespace fc::test {
namespace {

TEST_F(BrowserTest, PacedSweepAsksOneServerPerTickInThreeWays) {
    app.view.qServers = {"10.0.0.1:27901", "10.0.0.2 comment"};
    OpenBrowser(app);
    TotalRefresh(app);
    EXPECT_EQ(std::pair(b().voortgang, b().voortgangMax), std::pair(0, 2));
    EXPECT_FALSE(b().qServVisible);
    EXPECT_FALSE(b().buttonsEnabled);
    platform.advance(99);
    EXPECT_TRUE(qsock().sent.empty());
    platform.advance(1);
    EXPECT_EQ(b().status, "Pinging: 10.0.0.1:27901  (1/2)");
    platform.advance(100);
    ASSERT_EQ(qsock().sent.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(qsock().sent[i].bytes, kBrowserQueries[i % 3]);
        EXPECT_EQ(qsock().sent[i].atMs, i < 3 ? 100 : 200);
    }
    // An entry without a port is asked at the default port and keyed with it.
    EXPECT_EQ(qsock().sent[3].host, "10.0.0.2");
    EXPECT_EQ(qsock().sent[3].port, 27910);
    platform.advance(100);
    EXPECT_EQ(b().status, "Ready... Visible: 2. Total 2.");
    EXPECT_TRUE(b().qServVisible && b().buttonsEnabled);
    EXPECT_EQ(rows(), "-||||10.0.0.1:27901\n-||||10.0.0.2:27910\n");
}

TEST_F(BrowserTest, AnswersGoToTheRowOfTheirSender) {
    platform.hosts["q3.example.net"] = "10.0.0.3";
    app.view.qServers = {"10.0.0.1:27901", "10.0.0.2:27902", "q3.example.net:27903"};
    OpenBrowser(app);
    sweep([&] {
        answer(1, Answer("One", 2));  // long after its server was asked
        answer(3, Answer("Three", 0));
        qsock().deliver(Answer("Stranger", 1), "10.0.0.9", 27909);
        qsock().deliver(Answer("WrongPort", 1), "10.0.0.2", 1);
    });
    answer(2, Answer("Two", 1));  // after the sweep's end
    EXPECT_EQ(rows(),
              "One|2 / 8|q2dm1|p2|10.0.0.1:27901\n"
              "Three|0 / 8|q2dm1|-|q3.example.net:27903\n"
              "Two|1 / 8|q2dm1|p1|10.0.0.2:27902\n");
    EXPECT_EQ(b().browserServers.size(), 3u);
}

TEST_F(BrowserTest, FiltersForEmptyAndUnansweredServers) {
    open(5);
    sweep([&] { answer(2, Answer("Two", 3)); });
    OnFilterEmpty(app, true);
    answer(2, Answer("Two now empty", 0));
    answer(4, Answer("Four", 0));
    EXPECT_EQ(rows().find("empty"), std::string::npos);  // row left as it was
    answer(5, Answer("Five", 1));
    // Unanswered rows go at the end of a sweep, also several in a row.
    OnFilterNoRespond(app, false);
    b().filternorespond = true;
    RefreshVisible(app);
    platform.advance(600);
    EXPECT_EQ(rows(), "Five|1 / 8|q2dm1|p1|10.0.0.5:27905\nTwo|3 / 8|q2dm1|p3|10.0.0.2:27902\n");
    EXPECT_EQ(b().browserServers.size(), 5u);  // the stored list is not touched
}

TEST_F(BrowserTest, RemoveSelectedLetsTheLastEntryTakeItsSlot) {
    struct Messages : AppListener {
        std::vector<std::string> shown;
        void messageShown(const std::string& t, const std::string& m) override {
            shown.push_back(t + ": " + m);
        }
    } listener;
    app.addListener(&listener);
    open(5);
    RemoveSelected(app);
    EXPECT_EQ(platform.beeps, 1);
    sweep();
    OnServerRowClicked(app, 2);
    RemoveSelected(app);
    EXPECT_EQ(app.view.qServers,
              (std::vector<std::string>{address(1), address(2), address(5), address(4)}));
    EXPECT_EQ(
        listener.shown,
        (std::vector<std::string>{"Warning!: 10.0.0.3:27903 has been removed from the list!"}));
    SelectForOrvexa(app);  // nothing selected any more
    EXPECT_EQ(platform.beeps, 2);
    app.removeListener(&listener);
}

TEST_F(BrowserTest, SnapshotRoundTripAndRemovingWhatItDoesNotShow) {
    open(3);
    sweep([&] { answer(3, Answer("Three", 1)); });
    app.view.Q2Serverlist = "10.0.0.3:27903 (Three)";
    CloseThisWindow(app);
    const std::string snapshot =
        "-\r\n\r\n\r\n\r\n10.0.0.1:27901\r\n-\r\n\r\n\r\n\r\n10.0.0.2:27902\r\n"
        "Three\r\n1 / 8\r\nq2dm1\r\np1\r\n10.0.0.3:27903\r\n";
    EXPECT_EQ(platform.files[kSnapshotFile], snapshot);
    EXPECT_FALSE(b().Form3Visible);

    platform.files[kSnapshotFile] =
        "Three\r\n1 / 8\r\nq2dm1\r\np1\r\n10.0.0.3:27903\r\nCut\r\n3 / 8";
    app.view.qServers.push_back("10.0.0.4");
    OpenBrowser(app);
    EXPECT_EQ(rows(), "Three|1 / 8|q2dm1|p1|10.0.0.3:27903\nCut|3 / 8|||\n");
    EXPECT_EQ(b().selected, 0);
    platform.advance(200);
    EXPECT_EQ(b().redraws, 1);  // once, 50 ms after opening
    RemoveNonVisible(app);
    EXPECT_EQ(app.view.qServers, (std::vector<std::string>{address(3)}));
    // Closing in any way saves the stored list into the settings file.
    CloseBrowser(app);
    EXPECT_NE(platform.files["orvexa.ini"].find("\r\nQ2Server = 10.0.0.3:27903\r\nQ2Selected"),
              std::string::npos);
}

TEST_F(BrowserTest, SelectForOrvexaWhilePollingHandsOverAfter250ms) {
    OnServerEntryEdited(app, "10.0.0.9:27960");
    WisselConnectie(app);
    open(2);
    sweep([&] { answer(2, Answer("Two", 1)); });
    OnServerRowClicked(app, 1);  // sorted by name: "-" first
    SelectForOrvexa(app);
    EXPECT_TRUE(app.view.Q2ServerlistEnabled);  // the old server is no longer polled
    EXPECT_EQ(app.view.Q2Serverlist, "10.0.0.2:27902 (Two)");
    platform.advance(249);
    EXPECT_TRUE(b().Form3Visible);
    platform.advance(1);
    EXPECT_FALSE(app.view.Q2ServerlistEnabled);
    EXPECT_FALSE(b().Form3Visible);
    EXPECT_EQ(platform.fileLog.back(), "replace orvexa.ini");
}

TEST_F(BrowserTest, FastSweepKeepsTwentyAskedAndEndsOnTime) {
    app.view.FastSweep = true;
    for (int i = 10; i <= 25; ++i)
        app.view.qServers.push_back("10.0.1." + std::to_string(i) + ":27910");
    app.view.qServers.insert(app.view.qServers.begin(), 9, "");
    for (int i = 1; i <= 9; ++i) app.view.qServers[i - 1] = address(i);
    OpenBrowser(app);
    TotalRefresh(app);
    EXPECT_EQ(qsock().sent.size(), 60u);  // at once
    answer(1, Answer("One", 1));
    EXPECT_EQ(qsock().sent.size(), 63u);
    EXPECT_EQ(qsock().sent.back().host, "10.0.1.21");
    platform.advance(1000);  // the other 19 had their time: the last four are asked
    EXPECT_EQ(qsock().sent.size(), 75u);
    EXPECT_TRUE(b().sweeping);
    platform.advance(1000);
    EXPECT_FALSE(b().sweeping);
    EXPECT_EQ(b().status, "Ready... Visible: 25. Total 25.");

    // When every server answered the sweep ends at once.
    qsock().sent.clear();
    RefreshVisible(app);
    for (std::size_t i = 0; i < qsock().sent.size(); ++i) {
        const SentDatagram d = qsock().sent[i];
        if (d.bytes == kBrowserQueries[2]) qsock().deliver(Answer("x", 1), d.host, d.port);
    }
    EXPECT_EQ(qsock().sent.size(), 75u);
    EXPECT_FALSE(b().sweeping);
}

TEST_F(BrowserTest, DetailListOfTheClickedServer) {
    open(2);
    SwitchDetailMode(app);
    EXPECT_TRUE(b().List1.empty());
    sweep();
    OnServerRowClicked(app, 0);
    ASSERT_EQ(item().sent.size(), 3u);
    EXPECT_EQ(item().sent[0].host, "10.0.0.1");
    item().deliver(Answer("One", 1), "10.0.0.2", 27902);  // not the clicked server
    EXPECT_TRUE(b().List1.empty());
    item().deliver(Answer("One", 1), "10.0.0.1", 27901);
    EXPECT_EQ(b().List1,
              (std::vector<std::string>{"hostname = One", "mapname = q2dm1", "maxclients = 8"}));
    SwitchDetailMode(app);
    EXPECT_EQ(b().List1, (std::vector<std::string>{"1 9 \"p1\""}));
    EXPECT_EQ(b().qServ[1].name, "One");  // sorted by name, after "-"
    OnServerColumnClicked(app, 0);        // again: reversed
    EXPECT_EQ(b().qServ[0].name, "One");
    OnServerColumnClicked(app, 4);  // another column: ascending
    EXPECT_EQ(b().qServ[0].server, "10.0.0.1:27901");
}

TEST_F(BrowserTest, EmptyListAsksTheMasterServer) {
    OpenBrowser(app);
    ASSERT_EQ(master().sent.size(), 2u);
    EXPECT_EQ(master().sent[0].bytes, kMasterQueries[0]);
    EXPECT_EQ(master().sent[1].port, 27950);
    const std::string list =
        "\xFF\xFF\xFF\xFFgetserversResponse" + std::string("\\\x0A\x00\x00\x07\x6D\x38\\EOT", 11);
    master().deliver(list, "10.6.6.6", 27950);  // not the master
    EXPECT_TRUE(app.view.qServers.empty());
    master().deliver(list, "127.0.0.1", 27950);
    EXPECT_EQ(app.view.qServers, (std::vector<std::string>{"10.0.0.7:27960"}));
    EXPECT_TRUE(b().qServ.empty());
    platform.advance(3000);
    EXPECT_EQ(b().status, "The master server 127.0.0.1:27950 listed 1 servers.");

    CloseBrowser(app);
    app.view.qServers.clear();
    OpenBrowser(app);
    platform.advance(3000);
    EXPECT_EQ(b().status,
              "No answer from the master server 127.0.0.1:27950 within 3 s; the list is empty.");
}

}  // namespace
}  // namespace fc::test
