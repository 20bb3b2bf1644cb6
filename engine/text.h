// SPDX-License-Identifier: MIT
// Bounded text helpers: the only way the engine writes into a fixed-size text.
//
// Engine texts are NUL-terminated single-byte strings inside fixed arrays. Every
// write goes through these helpers, which either refuse a text that does not fit
// (the caller then reports "Expression is too long") or cut it at the field's end,
// and never write past the array.
#pragma once

#include <cstddef>
#include <cstring>
#include <span>
#include <string_view>

namespace molvane {

// The text held in a field: up to its first NUL, never past the field's end.
inline std::string_view textOf(std::span<const char> field) {
    const void* nul = std::memchr(field.data(), '\0', field.size());
    std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field.data()) : field.size();
    return {field.data(), length};
}

inline std::string_view textOf(const char* text) { return text ? std::string_view(text) : std::string_view(); }

// Replaces the field's text by `text`. Refuses (returns false, field unchanged) when
// the text and its terminator do not fit.
inline bool writeText(std::span<char> field, std::string_view text) {
    if (field.empty() || text.size() >= field.size()) return false;
    std::memmove(field.data(), text.data(), text.size());
    field[text.size()] = '\0';
    return true;
}

// Replaces the field's text by `text`, cut at the field's end when it is too long.
inline void writeTextCut(std::span<char> field, std::string_view text) {
    if (field.empty()) return;
    std::size_t length = text.size() < field.size() ? text.size() : field.size() - 1;
    std::memmove(field.data(), text.data(), length);
    field[length] = '\0';
}

// Appends `text` to the field's text. Refuses (returns false, field unchanged) when
// the result would not fit.
inline bool appendText(std::span<char> field, std::string_view text) {
    std::size_t length = textOf(field).size();
    if (length >= field.size() || text.size() >= field.size() - length) return false;
    std::memmove(field.data() + length, text.data(), text.size());
    field[length + text.size()] = '\0';
    return true;
}

// Replaces the `count` characters at `at` of the field's text, `length`
// characters long, by `with`, and cuts the result at the field's end. The caller
// keeps the length, so a run of replacements need not scan for the terminator.
// Returns the new length.
inline std::size_t replaceTextCut(std::span<char> field, std::size_t length, std::size_t at, std::size_t count,
                                  std::string_view with) {
    if (field.empty() || length >= field.size() || at > length) return length;
    if (count > length - at) count = length - at;
    std::size_t limit = field.size() - 1;
    std::size_t tailFrom = at + count;
    std::size_t tailTo = at + with.size();
    std::size_t newLength = tailTo + (length - tailFrom);
    if (newLength > limit) newLength = limit;
    if (tailTo < newLength) std::memmove(field.data() + tailTo, field.data() + tailFrom, newLength - tailTo);
    std::size_t kept = with.size() < newLength - at ? with.size() : newLength - at;
    if (kept > 0) std::memcpy(field.data() + at, with.data(), kept);
    field[newLength] = '\0';
    return newLength;
}

// A working text of at most Capacity characters, built piece by piece.
// Appends and inserts that would pass the capacity are dropped and remembered in
// `overflowed`, so a caller can build a whole text and check once at the end.
template <std::size_t Capacity>
struct FixedText {
    char data[Capacity + 1] = {};
    std::size_t length = 0;
    bool overflowed = false;

    std::string_view view() const { return {data, length}; }
    bool empty() const { return length == 0; }
    char back() const { return length ? data[length - 1] : '\0'; }
    char at(std::size_t i) const { return i < length ? data[i] : '\0'; }
    // Overwrites the character at `i`; a position past the text is ignored.
    void set(std::size_t i, char c) {
        if (i < length) data[i] = c;
    }

    void clear() {
        length = 0;
        data[0] = '\0';
        overflowed = false;
    }
    bool assign(std::string_view text) {
        clear();
        return append(text);
    }
    bool append(std::string_view text) {
        if (text.size() > Capacity - length) {
            overflowed = true;
            return false;
        }
        std::memmove(data + length, text.data(), text.size());
        length += text.size();
        data[length] = '\0';
        return true;
    }
    bool append(char c) { return append(std::string_view(&c, 1)); }
    bool insert(std::size_t position, std::string_view text) {
        if (position > length) position = length;
        if (text.size() > Capacity - length) {
            overflowed = true;
            return false;
        }
        std::memmove(data + position + text.size(), data + position, length - position);
        std::memcpy(data + position, text.data(), text.size());
        length += text.size();
        data[length] = '\0';
        return true;
    }
    void erase(std::size_t position, std::size_t count) {
        if (position >= length) return;
        if (count > length - position) count = length - position;
        std::memmove(data + position, data + position + count, length - position - count);
        length -= count;
        data[length] = '\0';
    }
    // Drops the characters from `newLength` on.
    void truncate(std::size_t newLength) {
        if (newLength < length) {
            length = newLength;
            data[length] = '\0';
        }
    }
};

}  // namespace molvane
