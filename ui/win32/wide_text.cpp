// SPDX-License-Identifier: MIT
#include "ui/win32/wide_text.h"

#include "session/utf16_text.h"

namespace molvane {

namespace {

// wchar_t is a UTF-16 unit on Windows; the shared edge speaks char16_t.
std::u16string unitsOf(std::wstring_view text) { return {text.begin(), text.end()}; }
std::wstring wideOf(std::u16string_view text) { return {text.begin(), text.end()}; }

}  // namespace

std::string toEngineText(std::wstring_view text) { return engineTextOfUtf16(unitsOf(text)); }

std::string engineBytesOf(std::wstring_view text) { return engineBytesOfUtf16(unitsOf(text)); }

std::wstring fromEngineText(std::string_view text) { return wideOf(utf16OfEngineText(text)); }

std::wstring fromUtf8(std::string_view text) { return wideOf(utf16OfUtf8(text)); }

int enginePosition(std::wstring_view text, int widePosition) {
    return enginePositionOfUtf16(unitsOf(text), widePosition);
}

int widePosition(std::wstring_view text, int enginePosition) {
    return utf16PositionOfEngine(unitsOf(text), enginePosition);
}

}  // namespace molvane
