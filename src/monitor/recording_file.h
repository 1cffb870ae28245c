// The recording file: records in arrival order, each of a time line and the reply, each ended
// by CR LF. The time line is the receive time in seconds since local midnight (one leading
// blank, at most seven significant digits). A reply without a CR follows as a line of its own
// (an LF inside it belongs to it), as every recording before the second form held; a reply
// holding a CR has its length in bytes after the time (" 45678.12 57"), and exactly that many
// bytes follow, then CR LF, so that any byte survives.
//
// Before the first reply a run appends, a server record names the server the replies come
// from: its reply is a Quake "disconnect" notice, which every reader, this form's and the older
// ones, passes over without reading anything from it, followed by the address. Recordings made
// before it have none.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace fc {

// Replies longer than this are taken for damage, not for a reply.
inline constexpr std::size_t kLongestRecordedReply = 64 * 1024;

// The time line's text: " 45678.12".
std::string recordTimeText(double secondsSinceMidnight);

// One whole record, CR LF included.
std::string formatRecord(double secondsSinceMidnight, const std::string& reply);

// The server record naming `address` ("203.0.113.7:27960").
std::string formatServerRecord(double secondsSinceMidnight, const std::string& address);

// The address a record's reply names where it is a server record (up to its first control
// character, at most 255 bytes); nothing for a reply.
std::optional<std::string> recordedServer(const std::string& reply);

struct RecordRead {
    enum class Kind { Record, End, Damaged } kind = Kind::End;
    double time = 0;
    std::string reply;
    std::string damage;  // what is wrong, for Damaged
};

// Reads the record starting at `offset` and moves `offset` behind it. At the end of the bytes
// gives End; a record that is not whole or not readable gives Damaged and leaves `offset`.
RecordRead readRecord(const std::string& bytes, std::size_t& offset);

}  // namespace fc
