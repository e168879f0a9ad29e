#pragma once
// Text from files and file names, made safe to show in a terminal or a message box: a stray
// binary file, a Shift-JIS designer line or an escape sequence must not garble what the player
// reads. Bytes that are not shown as they are become "\xNN".
#include <string>
#include <string_view>

namespace quorel {

// Text read from a file: every byte outside printable ASCII (0x20 to 0x7E) is escaped, a byte
// order mark and any byte of 0x80 and above included, whatever encoding the file was meant in.
std::string printableBytes(std::string_view text);

// A file name as the system gave it: UTF-8 characters stay readable, since a player's folders
// may be named in any script; control bytes, bytes that do not form UTF-8, and the invisible
// byte order mark are escaped.
std::string printableFileName(std::string_view name);

}  // namespace quorel
