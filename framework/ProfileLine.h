#pragma once

#include "framework/ProfileEncoding.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One line of a profile file read as Windows reads it, from the line's bytes. In code page 936 and UTF-8
// every character that shapes a line (blanks, "=", ";", "[", quotes) is a single ASCII byte that is never
// part of another character, so lines are taken apart on their bytes; only names with other bytes, and
// headers of code page 936 lines with other bytes (whose trail bytes may look like "]"), are decoded
// first. UTF-16 lines are always decoded.

enum class ELineRole : std::uint8_t {
    other,  // blank, comment, or text without "="
    header, // "[" ... "]": opens a section
    key,    // name=value
};

// The role of a line and the name it gives: the section's or the key's, trimmed, as the file spells it.
struct tagLineName
{
    ELineRole role = ELineRole::other;
    bool bAscii = false;    // the name is `ascii`, ASCII bytes of the line; otherwise `decoded`
    std::string_view ascii; // points into the line's bytes
    std::u16string decoded;

    // The name as text.
    std::u16string Text() const;
    // Whether the name equals `other` without regard to the case of ASCII letters.
    bool Matches(std::u16string_view other) const;
    bool Matches(const tagLineName& other) const;
    bool MatchesAscii(std::string_view other) const;
    // A hash of the name with ASCII capitals made small, the same for every spelling that matches.
    std::uint32_t FoldedHash() const;
};

tagLineName ReadLineName(std::string_view bytes, ProfileEncoding encoding);

// The value of a key line: after the first "=", trimmed, enclosing matching quotes removed.
std::u16string ReadLineValue(std::string_view bytes, ProfileEncoding encoding);

// The same value as its bytes, when the encoding is a byte encoding, whatever characters they hold
// (when they are all ASCII, each byte is the character it reads as); nothing otherwise.
std::optional<std::string_view> ReadLineValueBytes(std::string_view bytes, ProfileEncoding encoding);

// FoldedHash() of a name given as text.
std::uint32_t FoldedHash(std::u16string_view name);

// A key's name with its hash taken once, for a name that a long list asks for again and again. The hash
// is taken at its first use: a walk through a list finds most keys right after the last one, by name.
class tagProfileKey
{
public:
    explicit tagProfileKey(std::u16string_view name) : text(name) {}

    // A key hashed at once, to be shared between threads: reading it never writes to it.
    static tagProfileKey Hashed(std::u16string_view name)
    {
        tagProfileKey key(name);
        key.Hash();
        return key;
    }

    std::uint32_t Hash() const
    {
        if (!m_bHashed) {
            m_nHash = FoldedHash(text);
            m_bHashed = true;
        }
        return m_nHash;
    }

    std::u16string_view text;

private:
    mutable std::uint32_t m_nHash = 0;
    mutable bool m_bHashed = false;
};

// Whether an ASCII name equals `name` without regard to the case of ASCII letters.
bool AsciiNameMatches(std::string_view ascii, std::u16string_view name);
