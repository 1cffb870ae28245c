// The recording file: records of two lines in arrival order, each line ended by CR LF. The
// first line is the receive time in seconds since local midnight (one leading blank, at most
// seven significant digits), the second the reply exactly as received. A line ends at CR; an
// LF inside a reply belongs to it.
#pragma once

#include <cstddef>
#include <string>

namespace fc {

// Replies longer than this are taken for damage, not for a reply.
inline constexpr std::size_t kLongestRecordedReply = 64 * 1024;

// The time line's text: " 45678.12".
std::string RecordTimeText(double secondsSinceMidnight);

// One whole record, CR LF included.
std::string FormatRecord(double secondsSinceMidnight, const std::string& reply);

struct RecordRead {
    enum class Kind { Record, End, Damaged } kind = Kind::End;
    double time = 0;
    std::string reply;
    std::string damage;  // what is wrong, for Damaged
};

// Reads the record starting at `offset` and moves `offset` behind it. At the end of the bytes
// gives End; a record that is not whole or not readable gives Damaged and leaves `offset`.
RecordRead ReadRecord(const std::string& bytes, std::size_t& offset);

}  // namespace fc
