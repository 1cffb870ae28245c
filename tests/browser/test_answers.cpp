// What the browser reads from a server's answer and from the master server's list.
#include <gtest/gtest.h>

#include "browser/answers.h"
#include "support/cases.h"

namespace fc::test {
namespace {

TEST(BrowserAnswers, EachAnswerGivesItsRow) {
    for (const Case& c : loadCases("browser/cases/answers.txt")) {
        const ServerAnswer a = readServerAnswer(c.get("reply"));
        if (c.has("name")) EXPECT_EQ(a.name, c.get("name")) << c.name;
        if (c.has("map")) EXPECT_EQ(a.map, c.get("map")) << c.name;
        EXPECT_EQ(a.players, c.get("players")) << c.name;
        EXPECT_EQ(a.top, c.get("top")) << c.name;
    }
}

TEST(BrowserAnswers, MasterListsShortTruncatedAndHostile) {
    for (const Case& c : loadCases("browser/cases/master_answers.txt")) {
        const MasterAnswer a = readMasterAnswer(c.get("datagram"));
        std::string is, servers;
        for (const auto& [flag, name] :
             {std::pair{a.isList, " list"}, {a.ended, " ended"}, {a.damaged, " damaged"}})
            if (flag) is += name;
        for (const std::string& s : a.servers) servers += s + " ";
        EXPECT_EQ(is, c.get("is").empty() ? "" : " " + c.get("is")) << c.name;
        EXPECT_EQ(servers, c.get("servers")) << c.name;
    }
}

TEST(BrowserAnswers, DetailListInBothModes) {
    const std::string reply =
        "\xFF\xFF\xFF\xFFprint\n\\hostname\\A\\\\x\\mapname\n1 2 \"p\"\n3 4 \"q\"\n";
    EXPECT_EQ(detailLines(reply, false), (std::vector<std::string>{"1 2 \"p\"", "3 4 \"q\""}));
    EXPECT_EQ(detailLines(reply, true), (std::vector<std::string>{"hostname = A", "mapname = "}));
    EXPECT_TRUE(detailLines("", true).empty());
}

}  // namespace
}  // namespace fc::test
