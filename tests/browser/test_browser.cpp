// The server browser through the fake platform: its case file (the sweeps and their pace,
// answers keyed by their sender, the filters, the buttons, the snapshot file and the master
// server), and the fast sweep, whose twenty-five servers no case file writes well.
#include "browser/answers.h"
#include "browser/browser_fixture.h"
#include "support/report_recorder.h"
#include "support/scenario.h"

namespace fc::test {
namespace {

FC_SCENARIOS(Browser, "browser/cases/browser.txt");

TEST_F(BrowserTest, FastSweepKeepsTwentyAskedAndEndsOnTime) {
    app.settings.fastSweepOn = true;
    for (int i = 10; i <= 25; ++i)
        app.settings.savedServers.push_back("10.0.1." + std::to_string(i) + ":27910");
    app.settings.savedServers.insert(app.settings.savedServers.begin(), 9, "");
    for (int i = 1; i <= 9; ++i) app.settings.savedServers[i - 1] = address(i);
    openBrowser(app);
    totalRefresh(app);
    EXPECT_EQ(sweepSocket().sent.size(), 60u);  // at once
    answer(1, browserAnswer("One", 1));
    EXPECT_EQ(sweepSocket().sent.size(), 63u);
    EXPECT_EQ(sweepSocket().sent.back().host, "10.0.1.21");
    platform.advance(1000);  // the other 19 had their time: the last four are asked
    EXPECT_EQ(sweepSocket().sent.size(), 75u);
    EXPECT_TRUE(b().sweeping);
    platform.advance(1000);
    EXPECT_FALSE(b().sweeping);
    EXPECT_EQ(b().status, "Ready... Visible: 25. Total 25.");

    // When every server answered the sweep ends at once.
    sweepSocket().sent.clear();
    refreshVisible(app);
    for (std::size_t i = 0; i < sweepSocket().sent.size(); ++i) {
        const SentDatagram d = sweepSocket().sent[i];
        if (d.bytes == kBrowserQueries[2])
            sweepSocket().deliver(browserAnswer("x", 1), d.host, d.port);
    }
    EXPECT_EQ(sweepSocket().sent.size(), 75u);
    EXPECT_FALSE(b().sweeping);
}

// Each server of a sweep is looked up without holding up the sweep: a name's queries go out
// when it is found (the fast sweep keeps its slot until then), its answer reaches the row it
// was asked by, and a name that cannot be found is asked nothing and said once.
TEST(BrowserLookUp, SweepsAskANameOnceItIsFound) {
    const struct {
        const char* name;
        bool fast;
        std::vector<std::string> asked;  // the Quake 3 queries, "host:port@ms"
    } cases[] = {
        {"the paced sweep", false, {"localhost:27960@250", "10.0.0.3:27903@300"}},
        {"the fast sweep", true, {"10.0.0.3:27903@0", "localhost:27960@150"}},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        WiredApp app{platform};
        OutputRecorder output;
        app.addListener(&output);
        platform.lookupDelayMs = 150;
        app.settings.fastSweepOn = c.fast;
        app.settings.savedServers = {"localhost:27960", "nowhere.invalid:27961", "10.0.0.3:27903"};
        openBrowser(app);
        totalRefresh(app);
        FakeUdpSocket& sweep = *platform.udpSockets.at(1);
        // Answered at once, the numeric server leaves the names still looked up.
        sweep.deliver(browserAnswer("Three", 1), "10.0.0.3", 27903);
        EXPECT_TRUE(app.browserView.sweeping) << c.name;
        platform.advance(2000);
        std::vector<std::string> asked;
        for (const SentDatagram& d : sweep.sent) {
            if (d.bytes == kBrowserQueries[2])
                asked.push_back(d.host + ":" + std::to_string(d.port) + "@" +
                                std::to_string(d.atMs));
        }
        EXPECT_EQ(asked, c.asked) << c.name;
        EXPECT_FALSE(app.browserView.sweeping) << c.name;
        EXPECT_EQ(output.lines, std::vector<std::string>{"*** The host nowhere.invalid cannot be "
                                                         "found; it will be looked up again."})
            << c.name;
        sweep.deliver(browserAnswer("Local", 1), "127.0.0.1", 27960);
        const auto row =
            std::find_if(app.browserView.serverRows.begin(), app.browserView.serverRows.end(),
                         [](const ServerRow& r) { return r.name == "Local"; });
        ASSERT_NE(row, app.browserView.serverRows.end()) << c.name;
        EXPECT_EQ(row->server, "localhost:27960") << c.name;
    }
}

// With no servers saved, the master server is asked once its name is found; a name that
// cannot be found leaves the list empty and says why.
TEST(BrowserLookUp, MasterServerIsAskedOnceItsNameIsFound) {
    const struct {
        const char* master;
        std::size_t queries;
        const char* status;
    } cases[] = {
        {"localhost:27950", std::size(kMasterQueries),
         "Asking the master server localhost:27950..."},
        {"nowhere.invalid:27950", 0,
         "The master server nowhere.invalid:27950 cannot be found; the list is empty."},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        WiredApp app{platform};
        platform.lookupDelayMs = 150;
        app.settings.masterServer = c.master;
        openBrowser(app);
        EXPECT_TRUE(app.browserView.askingMaster) << c.master;
        EXPECT_TRUE(platform.udpSockets.at(3)->sent.empty()) << c.master;
        platform.advance(150);
        EXPECT_EQ(platform.udpSockets.at(3)->sent.size(), c.queries) << c.master;
        EXPECT_EQ(app.browserView.status, c.status) << c.master;
    }
}

// A clicked server named by its host is asked once the name is found, and its answer then
// fills the detail list.
TEST(BrowserLookUp, ClickedServerIsAskedOnceItsNameIsFound) {
    FakePlatform platform;
    WiredApp app{platform};
    platform.lookupDelayMs = 150;
    platform.files[kSnapshotFile] = "Local\r\n1 / 8\r\nq2dm1\r\np1\r\nlocalhost:27960\r\n";
    app.settings.savedServers = {"localhost:27960"};
    openBrowser(app);
    onServerRowClicked(app, 0);
    FakeUdpSocket& item = *platform.udpSockets.at(2);
    EXPECT_TRUE(item.sent.empty());
    platform.advance(150);
    EXPECT_EQ(item.sent.size(), std::size(kBrowserQueries));
    item.deliver(browserAnswer("Local", 1), "127.0.0.1", 27960);
    EXPECT_FALSE(app.browserView.detailList.empty());
}

}  // namespace
}  // namespace fc::test
