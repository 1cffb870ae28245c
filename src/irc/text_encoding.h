// The text the program holds is the game's single bytes: Latin-1, with the printable characters
// of Windows-1252 at 0x80 to 0x9F where Quake 3's high characters and old Windows names put
// them. Networks today speak UTF-8, so text is converted where it leaves and where it arrives.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fc {

class App;

// Whether lines leave in UTF-8: the setting IRCEncoding, or the server's UTF8ONLY whatever it says.
bool sendsUtf8(const App& app);

// The game's bytes as UTF-8.
std::string toUtf8(std::string_view bytes);
// A line as it arrived, back in the game's bytes: valid UTF-8 is converted (a character with no
// single byte becomes "?"); anything else is taken as Latin-1, byte for byte.
std::string fromWire(std::string_view line);

// How many bytes of `text` fit into `room` bytes once encoded; never ends inside a character.
std::size_t fittingBytes(std::string_view text, std::size_t room, bool utf8);

// A line body as it goes on the wire: encoded, and cut to `room` bytes without splitting a
// UTF-8 sequence.
std::string toWire(const App& app, std::string_view body, std::size_t room);

}  // namespace fc
