// Sessions of the IRC bot and the Interp feed written as case files: a program on the fake
// platform, the test playing the IRC server and the Interp service at the far ends.
//
//   set FIELD VALUE     puts a value into the window (bools true/false, lists by commas,
//                       the match state as its number)
//   player N|S|P|T|C    adds a row to the player list (name, score, ping, team, colour number)
//   players N           fills the player list with N rows "p", all Red
//   connect / accept    the connect button; the IRC server accepts
//   registered / join   connected and accepted; also welcomed and in the channel (what these
//                       sent and showed is passed over)
//   recv BYTES / line L bytes from the IRC server; one line, CR LF added
//   ask NICK TEXT       a private message to the bot from NICK (its chat line "<NICK> TEXT"
//                       is expected first among the lines shown)
//   say TARGET TEXT     a line handed to the channel's exit
//   type TEXT           the operator's input line, Enter pressed
//   wait MS             lets time pass
//   do ACTION [ARG]     quit, join-channel CHANNEL, close (the server hangs up), fail, failtls
//                       TEXT, interp (connect the feed), remote HOST:PORT (the game server's
//                       answering address),
//                       interp-accept, interp-close, interp-off, interp-clear, timer NAME on|off
//   feed BYTES          bytes from the Interp service
//   expect FIELD VALUE  the field shows exactly this text (see get() in session.cpp)
//   sent LINE / shown LINE / said LINE / asked TEXT
//                       after each step, the lines the bot sent, the output lines shown, the lines
//                       said in the channel and the requests to the Interp service are all compared
//                       with those listed behind the step: none listed means none may appear
#pragma once

#include "support/scenario.h"

namespace fc::test {

void playSession(const Case& session);

}  // namespace fc::test

// Plays every case of a file, under tests/, each after the file's "*" case when it has one.
#define FC_SESSIONS(Suite, path)                    \
    TEST(Suite, PlaysAsWritten) {                   \
        for (const Case& c : loadScenarios(path)) { \
            SCOPED_TRACE(c.name);                   \
            playSession(c);                         \
        }                                           \
    }
