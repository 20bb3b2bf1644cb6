// The edge between Unicode (terminals, files, JSON, the toolkit) and the
// engine's Windows-1252 texts.
#pragma once

#include <string>
#include <string_view>

namespace molvane {

// UTF-8 to Windows-1252: a character with no Windows-1252 byte, and every byte
// that is not valid UTF-8, becomes '?'; NUL bytes are dropped. So '2 × 3' becomes
// "2\xD7" "3", which the engine reads as a product.
std::string utf8ToCp1252(std::string_view utf8);

// Windows-1252 to UTF-8; the five bytes that Windows-1252 leaves undefined map
// to the C1 control characters of the same value, as the web's decoders do.
std::string cp1252ToUtf8(std::string_view cp1252);

// The Windows-1252 byte of one character, or '?' when it has none.
char cp1252ByteOf(char32_t codePoint);

// The character that one Windows-1252 byte stands for.
char32_t codePointOfCp1252(unsigned char byte);

// True when every byte belongs to a well-formed UTF-8 sequence (no overlong
// forms, no surrogates), so the text can be read as UTF-8 without loss.
bool isWellFormedUtf8(std::string_view bytes);

}  // namespace molvane
