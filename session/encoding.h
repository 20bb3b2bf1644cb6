// SPDX-License-Identifier: MIT
// The edge between Unicode (terminals, files, JSON, the toolkit) and the
// engine's Windows-1252 texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace molvane {

// Text from anywhere (a terminal, a file, the clipboard, the input line) as the
// engine's Windows-1252 text, read as the user means it, before the engine's own
// character rules. The few characters other programs print for what the engine
// spells in ASCII take its spelling, as Windows's own "best fit" conversion does:
// - the minus sign U+2212 and the dashes U+2010 to U+2015 are '-';
// - subscript and superscript digits are digits, except that superscripts after
//   a letter, a digit or ')', spaces aside, raise to that power: "x²-1" is
//   "x^2-1", "2³" and "2 ³" are "2^3", "H₂O" is "H2O"; a superscript minus or
//   plus there starts the power ("10⁻³" is "10^-3");
// - 'π' is "pi" (the one departure from best fit, which gives 'p', phosphorus);
// - the middle dot U+00B7 and its look-alikes U+2219, U+22C5, U+2022 join a
//   hydrate ('+') between two formula terms and multiply ('*') otherwise. A dot
//   stands between two formula terms when, spaces aside, the run of letters,
//   digits and brackets before it ends in a letter, a digit or ')' and holds a
//   capital letter (not the 'E' of an exponent, as in "2E5"), and what follows
//   it begins with a digit or a capital:
//   "CuSO4·5H2O" is "CuSO4+5H2O", "2·3" is "2*3";
// - no-break, thin and other fixed-width spaces are spaces.
// Every other character becomes its Windows-1252 byte, or '?' (which the engine
// drops) when it has none; NUL is dropped. So '2 × 3' becomes "2\xD7" "3", which
// the engine reads as a product.
// `ends`, when given, receives for each code point the length of the text
// written up to and including it, so positions in the two texts can be matched.
std::string codePointsToCp1252(std::u32string_view text, std::vector<std::size_t>* ends = nullptr);

// UTF-8 read as codePointsToCp1252 reads code points; every byte that is not
// valid UTF-8 becomes '?'.
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

// The code points of UTF-8 text; each byte that is not well-formed UTF-8
// becomes U+FFFD.
std::u32string utf8ToCodePoints(std::string_view utf8);

}  // namespace molvane
