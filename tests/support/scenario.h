// Scenarios of the monitor and the match, written as case files: a program on the fake
// platform is switched on, fed replies on the virtual clock and worked by the operator's
// controls, and what each case expects is compared with what the program shows and says.
//
//   on ENTRY            types the server entry, switches the monitor on and waits for the
//                       first tick (replies then come from the entry's host and port)
//   switch / entry TEXT switches the monitor on or off; types the entry only
//   file PATH BYTES     a file of these bytes on the fake platform
//   from HOST PORT      where the next replies come from
//   wait MS / every MS  lets time pass; lets MS pass before each reply from now on
//   player S P NAME     adds a player line (score, ping, name) to every reply from now on
//   roster              no player lines from now on
//   vars K=V; K=V       variables every reply carries after its own
//   q2 K=V; .. | S S .. a Quake 2 (q3: Quake 3) status reply with these variables, the
//                       players' scores first set to the numbers after " | ", in order
//   ut GAMETYPE LIMIT | an Unreal Tournament answer in its three datagrams, the players'
//                       frags set as for q2; the second column of a player is its team here
//   raw BYTES           a datagram of exactly these bytes
//   rows NAME,NAME      the player list itself: these names, score and ping "0", no team
//   set FIELD VALUE     puts a value into the window (the names are the view model's; see
//                       view_fields.h for how values are written)
//   do ACTION [ARG]     an operator's control or a handler (see the table in scenario.cpp)
//   expect FIELD VALUE  the field shows exactly this text; besides the view model's fields
//                       (bools as true/false, the match state as its number) there are
//                       rowN (name|score|ping|team|colour), rowN.name and its other columns,
//                       names, teams, colours (one per row, by commas), clock (the seconds
//                       played or "off"), utclock, poll (the tick's interval or "off"),
//                       replies (handled), lines (said), beeps, sent (the queries since
//                       the last look, as "Q2 to HOST:PORT at MS, ...")
//   said LINE / quiet   the lines said in the channel, all of them, in order; or none
//   shown LINE / unshown    the lines appended to the IRC output window, all of them, in
//                       order; or none
//   written LINE        the settings file as the case leaves it, line by line (CR LF each)
//   holds FILE TEXT     the file holds this text somewhere
//   folder NAME         a folder that exists
//   expect restores / ends / closes / requests / fileops   the main window restored, the
//                       program's ends, what the window's and the case's close requests gave
//                       ("true;" and "false;"), the file operations since the last look
//   expect dialled:N    where the Nth TCP socket (0 IRC, 1 Interp, 2 update) last connected to
//
// The server browser (servers are numbers N for 10.0.0.N:2790N, or HOST:PORT):
//   servers N           stores servers 1 to N
//   answer / detail SERVER NAME PLAYERS   a Quake 2 answer from SERVER to the sweep's socket /
//                       to the clicked server's socket, its players scoring 1, 2, ...
//   master SERVER BYTES a datagram to the master server's socket
//   host NAME ADDRESS   what a host name resolves to
//   expect b.FIELD      the browser's rows (name|players|map|top|server; each), List1, status,
//                       voortgang, voortgangMax, selected, redraws, stored (the working list's
//                       size) and its flags; qsent / itemsent / mastersent as sent; messages
//                       (the message boxes since the last look); file:NAME; lastfileop
//
// A case named "*" first in a file is played before every other case of that file.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "support/cases.h"

namespace fc::test {

// The cases of a file, each with the shared "*" case in front.
std::vector<Case> loadScenarios(const std::string& path);

void playScenario(const Case& scenario);

inline void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// A test name from a case name: letters and digits, the rest as underscores.
inline std::string scenarioName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (char c : info.param.name) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

class Scenario : public ::testing::TestWithParam<Case> {};

}  // namespace fc::test

// One test per case of the file.
#define FC_SCENARIOS(Suite, path)                                                       \
    INSTANTIATE_TEST_SUITE_P(Suite, Scenario, ::testing::ValuesIn(loadScenarios(path)), \
                             scenarioName)
