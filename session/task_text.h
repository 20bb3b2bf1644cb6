// SPDX-License-Identifier: MIT
// The one way task text is read, whoever brings it: a task file opened in the
// window, molvane-cli's files and standard input, the Windows console.
#pragma once

#include <string>
#include <string_view>

namespace molvane {

// Bytes of task text as the engine's Windows-1252 text. A byte-order mark at
// the start is dropped. Well-formed UTF-8 is read as UTF-8; anything else is
// read as Windows-1252, as task files and saved histories from the Windows world
// are, so the byte D7 is the multiplication sign there and not a broken
// character. Either way the characters then read as utf8ToCp1252 reads them:
// '·' joins a hydrate, '²' raises to the square. A stream is decoded a line at
// a time, so no line waits for the rest of the input to decide its encoding.
std::string decodeTaskText(std::string_view bytes);

// As above, without copying text that no decoding changes: ASCII without NUL
// is its own Windows-1252 text and comes back as it is; anything else is
// decoded into `scratch`, and the view is of that.
std::string_view decodeTaskText(std::string_view bytes, std::string& scratch);

}  // namespace molvane
