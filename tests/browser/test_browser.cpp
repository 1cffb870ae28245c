// The server browser on the fake platform: answers, master lists, sweeps, buttons, snapshot.
#include <gtest/gtest.h>

#include <algorithm>

#include "browser/answers.h"
#include "browser/browser_actions.h"
#include "browser/server_list.h"
#include "monitor/poller.h"
#include "support/program_fixture.h"
#include "support/replies.h"

namespace fc::test {
namespace {

using namespace std::string_literals;
using Rows = std::vector<ServerRow>;
const std::string kQ2 = "\xFF\xFF\xFF\xFFprint\n", kList = "\xFF\xFF\xFF\xFFgetserversResponse";

TEST(BrowserAnswers, EachAnswerGivesItsRow) {
    // clang-format off
    const struct { const char* what; std::string reply, name, players, map, top; std::size_t pairs; } rows[] = {
        {"trimmed; the later of two best wins",
         kQ2 + "\\hostname\\ A B \\mapname\\m1\\maxclients\\16\n5 4 \"a\"\n9 5 \"b\"\n9 6 \"c\"\n", "A B", "3 / 16", "m1", "c", 3},
        {"Quake 3: sv_maxclients, a top name without colours",
         "\xFF\xFF\xFF\xFFstatusResponse\n\\sv_hostname\\^1R\\sv_maxclients\\12\n3 2 \"^4B^7G\"\n", "R", "1 / 12", "", "BG", 2},
        {"Quake 3 by its version", kQ2 + "\\version\\Q3 1.32\\maxclients\\8\n7 1 \"^^3A^9b\"\n", "", "1 / 8", "", "3Ab", 2},
        {"Quake 2 keeps carets, and a name's end without its quote", kQ2 + "\\maxclients\\8\n7 1 \"^3A\n", "", "1 / 8", "", "^3A", 1},
        {"a zero wins, a negative never", kQ2 + "\\maxclients\\8\n-5 1 \"a\"\n0 1 \"b\"\n-9 1 \"c\"\n", "", "3 / 8", "", "b", 1},
        {"negatives alone: no top", kQ2 + "\\maxclients\\8\n-5 1 \"a\"\n", "", "1 / 8", "", "-", 1},
        {"no player in an empty or an unended line", kQ2 + "\\maxclients\\4\n\n2 1 \"A\"\n9 1 \"T\"", "", "2 / 4", "", "A", 1},
        {"variables alone, no line feed", kQ2 + "\\hostname\\V\\maxclients\\4\\", "V", "0 / 4", "", "-", 2},
        {"Unreal Tournament's counts",
         "\\hostname\\U\\mapname\\CTF-Face\\numplayers\\3\\maxplayers\\16\\final\\\\queryid\\7.1", "U", "3 / 16", "CTF-Face", "-", 0},
        {"junk", "junk", "", "0 / ", "", "-", 0}};
    // clang-format on
    for (const auto& r : rows) {
        const ServerAnswer a = readServerAnswer(r.reply);
        EXPECT_EQ(std::tuple(a.name, a.players, a.map, a.top, detailRows(r.reply, true).size()),
                  std::tuple(r.name, r.players, r.map, r.top, r.pairs))
            << r.what;
    }
}

// A list, ended at "EOT", stopped by damage, and the servers it gave (never 0.0.0.0).
TEST(BrowserAnswers, MasterListsShortTruncatedAndHostile) {
    const std::string at = "\\\x7F\x01\x02\x03\x6D\x38"s, zero = "\\\0\0\0\0\x6D\x38"s;
    const Lines none, one = {"127.1.2.3:27960"}, two = {one[0], "0.0.5.0:27960"};
    // clang-format off
    const struct { const char* what; std::string datagram; bool list, ended, damaged; Lines servers; } rows[] = {
        {"the end with bytes behind it", kList + "\\EOT\0\0\0"s, true, true, false, none},
        {"two servers and a zero", kList + at + zero + "\\\0\0\5\0\x6D\x38"s + "\\EOT", true, true, false, two},
        {"a cut entry", kList + at + "\\\x7F\0\0"s, true, false, true, one},
        {"garbage before the end", kList + at + "garbage\\EOT", true, false, true, one},
        {"no end", kList + at, true, false, true, one},
        {"a status answer", "\xFF\xFF\xFF\xFFstatusResponse\n\\EOT", false, false, false, none},
        {"nothing", "", false, false, false, none}};
    // clang-format on
    for (const auto& r : rows) {
        const MasterAnswer a = readMasterAnswer(r.datagram);
        EXPECT_EQ(std::tuple(a.isList, a.ended, a.damaged, a.servers),
                  std::tuple(r.list, r.ended, r.damaged, r.servers))
            << r.what;
    }
}

// Servers i are 10.0.0.i:2790i, 2 saved with a comment; socket 1 is the sweep's, 2 the clicked
// server's.
struct BrowserTest : ::testing::Test, Program {
    static std::string server(int i) {
        return "10.0.0." + std::to_string(i) + ":2790" + std::to_string(i);
    }
    void sweep(int servers, int waitMs) {
        for (int i = 1; i <= servers; ++i)
            app.settings.savedServers.push_back(server(i) + (i == 2 ? " Loopback CTF" : ""));
        openBrowser(app);
        totalRefresh(app);
        platform.advance(waitMs);
    }
    // An answer from HOST:PORT to a socket, its players scoring 1, 2, ..
    void answer(const std::string& from, const std::string& name, int players, int to = 1) {
        const std::size_t colon = from.find(':');
        platform.udpSockets.at(to)->deliver(browserAnswer(name, players), from.substr(0, colon),
                                            std::stoi(from.substr(colon + 1)));
    }
    // What socket `from` sent since the last look, as "QUERY to HOST:PORT@MS".
    Lines sent(int from) {
        Lines out;
        for (const SentDatagram& d : std::exchange(platform.udpSockets.at(from)->sent, {}))
            out.push_back(d.bytes + " to " + d.host + ":" + std::to_string(d.port) + "@" +
                          std::to_string(d.atMs));
        return out;
    }
    // The three queries to each server, "HOST:PORT@MS".
    static Lines asked(const Lines& servers) {
        Lines out;
        for (const std::string& s : servers)
            for (const char* query : kBrowserQueries) out.push_back(query + (" to " + s));
        return out;
    }
    // The row of server i: unanswered, or named with its players.
    static ServerRow row(int i, const std::string& name = "-", int n = -1) {
        if (n < 0) return {name, "", "", "", server(i)};
        return {name, std::to_string(n) + " / 8", "q2dm1", n ? "p" + std::to_string(n) : "-",
                server(i)};
    }
    BrowserView& b = app.browserView;
};

// One server per tick; no port means the default; a name is asked once found, one not found is
// said once; an answer goes to its sender's row, also after the sweep, and from strangers nowhere.
TEST_F(BrowserTest, APacedSweepAsksOneServerPerTickAndAnswersGoToTheirSendersRow) {
    platform.hosts["q3.example.net"] = "10.0.0.3";
    platform.lookupDelayMs = 150;
    app.settings.savedServers = {server(1), "10.0.0.2 comment", "q3.example.net:27903",
                                 "nowhere.invalid:27961"};
    sweep(0, 320), onServerRowClicked(app, 2);  // its name is being looked up: asked once found
    platform.advance(180);
    EXPECT_EQ(sent(1),
              asked({"10.0.0.1:27901@100", "10.0.0.2:27910@200", "q3.example.net:27903@450"}));
    answer(server(1), "One", 2);
    answer(server(3), "Three", 0);
    answer(server(9), "Stranger", 1);
    answer("10.0.0.2:1", "WrongPort", 1);
    platform.advance(100);
    EXPECT_EQ(std::tuple(b.status, output.lines.size()),
              std::tuple("Ready... Visible: 4. Total 4.", 1u));
    answer("10.0.0.2:27910", "Two", 1);
    EXPECT_EQ(b.serverRows, (Rows{row(1, "One", 2),
                                  {"Three", "0 / 8", "q2dm1", "-", "q3.example.net:27903"},
                                  {"Two", "1 / 8", "q2dm1", "p1", "10.0.0.2:27910"},
                                  {"-", "", "", "", "nowhere.invalid:27961"}}));
    EXPECT_EQ(std::tuple(b.browserServers.size(), sent(1), b.itemAddress),
              std::tuple(4u, Lines{}, "10.0.0.3:27903"));
}

// The fast sweep, by the setting or for this run alone, asks every server at once.
TEST_F(BrowserTest, AFastSweepAsksEveryServerAtOnce) {
    for (const auto& [setting, thisRun, askedAtOnce] :
         {std::tuple(false, false, 0u), {true, false, 9u}, {false, true, 9u}}) {
        app.settings.fastSweepOn = setting;
        b.fastThisRun = thisRun;
        sweep(b.browserServers.empty() ? 3 : 0, 0);
        EXPECT_EQ(sent(1).size(), askedAtOnce) << setting << thisRun;
        for (int i = 1; i <= 2; ++i) answer(server(i), "S", 0);
        platform.advance(999);
        const bool waiting = b.sweeping;
        platform.advance(1);  // a fast sweep gives the silent third a second
        EXPECT_EQ(std::tuple(waiting, b.sweeping), std::tuple(askedAtOnce > 0, false));
        platform.advance(20000);
        sent(1);
    }
}

TEST_F(BrowserTest, AMasterListComesFromTheMastersPortAndStopsAtTheListLimit) {
    app.settings.masterServer = "10.9.9.9";
    requestMasterList(app);  // an ended list for each query ends the asking at once
    for (int i = 0; i < 2; ++i)
        platform.udpSockets.at(3)->deliver(kList + "\\EOT", "10.9.9.9", 27950);
    EXPECT_FALSE(b.askingMaster);
    requestMasterList(app);
    std::string list = kList;
    for (int i = 0; i <= int(kBrowserListLimit); ++i)
        list += "\\\x0A\x01"s + char(i >> 8) + char(i) + "\x6D\x38";
    for (const auto& [from, port] : {std::pair{"10.9.9.9", 27951}, {"10.6.6.6", 27950}})  // others
        platform.udpSockets.at(3)->deliver(kList + "\\\x7F\x01\x02\x03\x6D\x38\\EOT"s, from, port);
    platform.udpSockets.at(3)->deliver(list + "\\EOT", "10.9.9.9", 27950);
    EXPECT_EQ(std::tuple(b.browserServers.size(), b.browserServers.at(0), b.askingMaster),
              std::tuple(kBrowserListLimit, "10.1.0.0:27960", false));
}

// With nothing selected both only beep. Remove selected asks, and at a yes lets the last entry
// take the slot.
// Select for Fragcaster while polling stops polling and hands the server over after 250 ms.
TEST_F(BrowserTest, RemoveSelectedAndSelectForWatchingWhilePolling) {
    onServerEntryEdited(app, "10.0.0.9:27960"), toggleConnection(app);
    sweep(5, 600);
    removeSelected(app);
    b.selected = 5;  // past the rows
    selectForWatching(app);
    EXPECT_EQ(platform.beeps, 2);
    onServerRowClicked(app, 2);
    removeSelected(app), answerBrowserQuestion(app, false);
    removeSelected(app);
    EXPECT_EQ(b.question, "Remove 10.0.0.3:27903 from the list?");
    answerBrowserQuestion(app, true);
    EXPECT_EQ(app.settings.savedServers,
              (Lines{server(1), server(2) + " Loopback CTF", server(5), server(4)}));
    EXPECT_EQ(b.status, "10.0.0.3:27903 has been removed from the list! Visible: 4. Total 4.");
    EXPECT_EQ(std::ranges::count(b.serverRows, server(3), &ServerRow::server), 0);
    answer(server(1), "One", 1);  // a bare address takes the server's name as its comment
    onServerRowClicked(app, 0), selectForWatching(app);
    EXPECT_EQ(app.settings.serverEntry, "10.0.0.1:27901 One");
    answer(server(2), "Two", 1);
    onServerRowClicked(app, 1), selectForWatching(app);
    EXPECT_EQ(std::tuple(app.settings.serverEntry, app.window.serverEntryEnabled),
              std::tuple("10.0.0.2:27902 Loopback CTF", true));
    platform.advance(249);
    EXPECT_TRUE(b.browserVisible);
    platform.advance(1);
    EXPECT_EQ(std::tuple(app.window.serverEntryEnabled, b.browserVisible, platform.fileLog.back()),
              std::tuple(false, false, "replace orvexa.ini"));
}

// Closing writes the rows into the snapshot, which the next opening shows at once (a cut record
// as far as it goes); removing what it does not show.
TEST_F(BrowserTest, TheSnapshotRoundTripAndRemovingWhatItDoesNotShow) {
    sweep(3, 300);
    answer(server(3), "Three", 1);
    EXPECT_EQ(b.serverRows.back().name, "Three");  // rows stay put while the sweep runs
    platform.advance(100);
    app.settings.serverEntry = "10.0.0.3:27903 (Three)";
    closeThisWindow(app);
    EXPECT_EQ(
        std::tuple(platform.files[kSnapshotFile], b.browserVisible),
        std::tuple("Three\r\n1 / 8\r\nq2dm1\r\np1\r\n10.0.0.3:27903\r\n-\r\n\r\n\r\n\r\n10.0.0.1:"
                   "27901\r\n-\r\n\r\n\r\n\r\n10.0.0.2:27902\r\n",
                   false));
    openBrowser(app), platform.advance(50);  // the three records, redrawn at the watched one
    EXPECT_EQ(std::tuple(b.serverRows.size(), b.selected, b.redraws), std::tuple(3u, 0, 1));
    closeThisWindow(app);
    platform.files[kSnapshotFile] =
        "Three\r\n1 / 8\r\nq2dm1\r\np1\r\n10.0.0.3:27903\r\nCut\r\n3 / 8";
    app.settings.savedServers.push_back("10.0.0.3");  // port 27910: not the row's
    openBrowser(app);
    EXPECT_EQ(std::tuple(b.serverRows, b.selected),
              std::tuple(Rows{row(3, "Three", 1), {"Cut", "3 / 8", "", "", ""}}, 0));
    removeNonVisible(app), answerBrowserQuestion(app, true);
    EXPECT_EQ(app.settings.savedServers, Lines{server(3)});
    std::string many;  // more records than the list holds
    for (std::size_t i = 0; i <= kBrowserListLimit; ++i) many += "n\r\n1 / 8\r\nm\r\nt\r\ns\r\n";
    closeThisWindow(app), platform.files[kSnapshotFile] = many, openBrowser(app);
    EXPECT_EQ(b.serverRows.size(), kBrowserListLimit);
}

// A click asks that server on its own socket, whose answer alone fills the detail list.
TEST_F(BrowserTest, TheDetailListAndTheSortOfTheClickedServer) {
    app.settings.savedServers = {server(1), server(2)};
    openBrowser(app), switchDetailMode(app);
    totalRefresh(app);
    platform.advance(300);
    onServerRowClicked(app, 0);
    onServerRowClicked(app, 2);  // past the rows: nothing
    EXPECT_EQ(std::tuple(b.selected, sent(2)), std::tuple(0, asked({server(1) + "@300"})));
    answer(server(2), "One", 1, 2);
    EXPECT_EQ(b.detailList, std::vector<Lines>{});
    answer(server(1), "One", 1, 2);
    platform.udpSockets.at(2)->deliver("", "10.0.0.1", 27901);  // an empty one changes nothing
    EXPECT_EQ(b.detailList,
              (std::vector<Lines>{{"hostname", "One"}, {"mapname", "q2dm1"}, {"maxclients", "8"}}));
    switchDetailMode(app);
    EXPECT_EQ(std::tuple(b.detailList, b.serverRows),
              std::tuple(std::vector<Lines>{{"p1", "1", "9"}}, Rows{row(1, "One", 1), row(2)}));
    // The unanswered row last in either order; a click on the sorted column turns it round.
    for (const auto [column, up] : {std::pair{0, false}, {4, true}, {4, false}, {5, false}}) {
        onServerColumnClicked(app, column);
        EXPECT_EQ(std::tie(b.serverRows, b.sortColumn, b.sortAscending),
                  std::tuple(Rows{row(1, "One", 1), row(2)}, column ? 4 : 0, up));
    }
    b.selected = 2, onFilterUnanswered(app, true);  // past the rows: then nothing is selected
    EXPECT_EQ(b.selected, -1);
    b.selected = 0, onFilterUnanswered(app, true);  // the selected row stays selected; counted
    EXPECT_EQ(std::tuple(b.serverRows, b.selected, b.status),
              std::tuple(Rows{row(1, "One", 1)}, 0, "Ready... Visible: 1. Total 2."));
    onServerColumnClicked(app, 0), onFilterUnanswered(app, false), quickChecking(app);
    answer(server(2), "Alpha", 1);  // after the sweep the list scrolls to where One went
    platform.advance(300);
    EXPECT_EQ(
        std::tuple(b.serverRows[1], b.scrollTo, sent(1).back()),
        std::tuple(row(1, "One", 1), 1, "\xFF\xFF\xFF\xFFgetstatus to " + server(1) + "@400"));
    onServerColumnClicked(app, 0), quickChecking(app), platform.advance(300);  // turned round
    EXPECT_EQ(std::tuple(b.serverRows[0].name, b.selected, b.scrollTo), std::tuple("One", 0, 0));
}

}  // namespace
}  // namespace fc::test
