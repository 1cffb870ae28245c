// The server browser through the fake platform: its case file (the sweeps and their pace,
// answers keyed by their sender, the filters, the buttons, the snapshot file and the master
// server), and the fast sweep, whose twenty-five servers no case file writes well.
#include "browser/answers.h"
#include "browser/browser_fixture.h"
#include "support/scenario.h"

namespace fc::test {
namespace {

FC_SCENARIOS(Browser, "browser/cases/browser.txt");

TEST_F(BrowserTest, FastSweepKeepsTwentyAskedAndEndsOnTime) {
    app.view.FastSweep = true;
    for (int i = 10; i <= 25; ++i)
        app.view.qServers.push_back("10.0.1." + std::to_string(i) + ":27910");
    app.view.qServers.insert(app.view.qServers.begin(), 9, "");
    for (int i = 1; i <= 9; ++i) app.view.qServers[i - 1] = address(i);
    OpenBrowser(app);
    TotalRefresh(app);
    EXPECT_EQ(qsock().sent.size(), 60u);  // at once
    answer(1, BrowserAnswer("One", 1));
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
        if (d.bytes == kBrowserQueries[2]) qsock().deliver(BrowserAnswer("x", 1), d.host, d.port);
    }
    EXPECT_EQ(qsock().sent.size(), 75u);
    EXPECT_FALSE(b().sweeping);
}

}  // namespace
}  // namespace fc::test
