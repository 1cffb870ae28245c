// What the browser reads from a server's answer and from the master server's list.
#include <gtest/gtest.h>

#include "browser/answers.h"
#include "support/cases.h"

namespace fc::test {
namespace {

TEST(BrowserAnswers, EachAnswerGivesItsRow) {
    for (const Case& c : LoadCases("browser/cases/answers.txt")) {
        const ServerAnswer a = ReadServerAnswer(c.get("reply"));
        if (c.has("name")) EXPECT_EQ(a.name, c.get("name")) << c.name;
        if (c.has("map")) EXPECT_EQ(a.map, c.get("map")) << c.name;
        EXPECT_EQ(a.players, c.get("players")) << c.name;
        EXPECT_EQ(a.top, c.get("top")) << c.name;
    }
}

TEST(BrowserAnswers, MasterListsShortTruncatedAndHostile) {
    const std::string head = "\xFF\xFF\xFF\xFFgetserversResponse";
    const std::string one = std::string("\\\x7F\x00\x00\x01\x6D\x38", 7);  // 127.0.0.1:27960
    const std::string zero =
        std::string("\\\x00\x00\x00\x00\x6D\x38", 7);  // 0.0.0.0 is passed over
    struct Row {
        std::string datagram;
        bool isList, ended, damaged;
        std::string servers;
    } rows[] = {
        {head + "\\EOT\0\0\0", true, true, false, ""},
        {head + one + zero + one + "\\EOT", true, true, false, "127.0.0.1:27960 127.0.0.1:27960 "},
        {head + one + one.substr(0, 4), true, false, true, "127.0.0.1:27960 "},
        {head + one + "garbage\\EOT", true, false, true, "127.0.0.1:27960 "},
        {head + one, true, false, true, "127.0.0.1:27960 "},
        {"\xFF\xFF\xFF\xFFstatusResponse\n\\EOT", false, false, false, ""},
        {"", false, false, false, ""},
    };
    for (const Row& r : rows) {
        const MasterAnswer a = ReadMasterAnswer(r.datagram);
        std::string servers;
        for (const std::string& s : a.servers) servers += s + " ";
        EXPECT_EQ(a.isList, r.isList) << r.datagram;
        EXPECT_EQ(a.ended, r.ended) << r.datagram;
        EXPECT_EQ(a.damaged, r.damaged) << r.datagram;
        EXPECT_EQ(servers, r.servers) << r.datagram;
    }
}

TEST(BrowserAnswers, DetailListInBothModes) {
    const std::string reply =
        "\xFF\xFF\xFF\xFFprint\n\\hostname\\A\\\\x\\mapname\n1 2 \"p\"\n3 4 \"q\"\n";
    EXPECT_EQ(DetailLines(reply, false), (std::vector<std::string>{"1 2 \"p\"", "3 4 \"q\""}));
    EXPECT_EQ(DetailLines(reply, true), (std::vector<std::string>{"hostname = A", "mapname = "}));
    EXPECT_TRUE(DetailLines("", true).empty());
}

}  // namespace
}  // namespace fc::test
