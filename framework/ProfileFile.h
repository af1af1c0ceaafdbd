#pragma once

#include "framework/FileStore.h"
#include "framework/ProfileEncoding.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A profile (INI) file held in memory, so that many reads or writes cost one file read and one file
// write. Reading and writing behave as Windows' profile functions do on the file, and the bytes saved
// are exactly those that the same writes made one by one would leave: untouched lines keep their
// bytes, a set key changes only its own line, new keys and sections go where Windows puts them.
class CProfileDocument
{
public:
    CProfileDocument() { Clear(); }

    // Reads the file whole. A missing file gives an empty document that saves as a new file; a file
    // that exists but cannot be read gives an empty document and the error.
    tagFileError Load(const std::u16string& path, CFileStore& files = DiskStore());

    // The document of a file's bytes.
    void LoadBytes(std::string_view bytes);

    // The value of the first such key of the first such section, without enclosing quotes;
    // nothing when the section or key is missing.
    std::optional<std::u16string> GetString(std::u16string_view section, std::u16string_view key) const;

    // The value's number as GetPrivateProfileIntW reads it (ProfileNumber.h), seen as a signed 32-bit
    // count: "4294967295" is -1, "3000000000" is -1294967296. The default when the section or key is
    // missing.
    int GetInt(std::u16string_view section, std::u16string_view key, int defaultValue) const;

    // Sets "key=value", adding the key or the section when it is missing.
    void SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    // The names of the sections in file order, as the file spells them; one that stands twice is listed
    // twice. For tools that inspect a file rather than read values.
    std::vector<std::u16string> SectionNames() const;

    // The key names of the first such section in file order, as the file spells them; a key that
    // stands twice is listed once, as only its first occurrence is read.
    std::vector<std::u16string> KeyNames(std::u16string_view section) const;

    // The lines, counting from 1, that could not be read: in a file marked as UTF-8, those that are not.
    // Each is kept byte for byte and read as nothing, neither a section nor a key, so that no value
    // read from it can be written back changed.
    const std::vector<size_t>& UnreadableLines() const { return m_unreadableLines; }

    // The file's bytes as they would be saved.
    std::string Bytes() const;

    // Replaces the file with Bytes(); on failure the old file is untouched.
    tagFileError Save(const std::u16string& path, CFileStore& files = DiskStore()) const;

private:
    struct Key
    {
        size_t line = 0;      // index in its section's lines
        std::u16string name;  // as the file spells it
        std::u16string value; // trimmed, quotes still on
    };

    // Lines of one section, its header line first. Block 0 holds the lines before the first header;
    // it has no header and no name and is never found by name. A "[" line without "]" is no header:
    // it belongs to the section before it, as a key when it holds "=".
    struct Section
    {
        std::vector<ProfileRawLine> lines;
        std::unordered_map<std::u16string, Key> keys; // by folded name; the first occurrence only
        size_t lastKeyLine = 0;                       // the header when the section has no key
    };

    void Clear();
    void AddLine(ProfileRawLine line);
    void AppendSection(std::u16string_view section);
    void InsertKey(Section& section, std::u16string_view key, std::u16string_view value);
    void EndLastLine();
    ProfileRawLine MakeLine(std::u16string_view text) const;
    const Key* FindKey(std::u16string_view section, std::u16string_view key) const;

    ProfileEncoding m_encoding = ProfileEncoding::Ansi;
    std::string m_mark;
    std::string m_tail; // stays after everything, including what a write appends
    std::vector<Section> m_sections;
    std::unordered_map<std::u16string, size_t> m_sectionIndex; // by folded name; the first occurrence
    size_t m_nLinesRead = 0;
    std::vector<size_t> m_unreadableLines;
};
