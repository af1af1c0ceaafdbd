#pragma once

#include "framework/FileStore.h"
#include "framework/ProfileEncoding.h"
#include "framework/ProfileLine.h"
#include "framework/ProfileNameIndex.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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
    // The same, reading into the memory of `buffer` (see CFileStore::ReadInto).
    tagFileError Load(const std::u16string& path, CFileStore& files, std::string buffer);

    // Lets go of everything and gives the file's bytes as read, for a later read to reuse their memory.
    std::string ReleaseBytes();

    // The document of a file's bytes; TakeBytes keeps the very bytes given rather than a copy.
    void LoadBytes(std::string_view bytes);
    void TakeBytes(std::string bytes);

    // The value of the first such key of the first such section, without enclosing quotes;
    // nothing when the section or key is missing.
    std::optional<std::u16string> GetString(std::u16string_view section, std::u16string_view key) const;

    // The value's number as GetPrivateProfileIntW reads it (ProfileNumber.h), seen as a signed 32-bit
    // count: "4294967295" is -1, "3000000000" is -1294967296. The default when the section or key is
    // missing.
    int GetInt(std::u16string_view section, std::u16string_view key, int defaultValue) const;

    // Sets "key=value", adding the key or the section when it is missing.
    void SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    // The same, with the section found once for several keys. A section's number stays valid while the
    // document lives: writes only ever add sections after the others.
    std::optional<size_t> FindSection(std::u16string_view section) const;
    size_t FindOrAddSection(std::u16string_view section);
    std::optional<std::u16string> GetString(size_t section, std::u16string_view key) const;
    void SetString(size_t section, std::u16string_view key, std::u16string_view value);
    // The same with the key's hash taken once (ProfileLine.h).
    std::optional<std::u16string> GetString(size_t section, const tagProfileKey& key) const;
    void SetString(size_t section, const tagProfileKey& key, std::u16string_view value);

    // The same for values that are ASCII, as their bytes: a list of 100,000 entries reads and writes
    // 200,000 long ASCII values, and these make no text of them. GetAsciiString gives nothing when the
    // key is missing, or when the file is in UTF-16 or the value is not ASCII (GetString reads those);
    // SetAsciiString takes ASCII bytes only.
    std::optional<std::string_view> GetAsciiString(size_t section, std::u16string_view key) const;
    void SetAsciiString(size_t section, std::u16string_view key, std::string_view value);
    std::optional<std::string_view> GetAsciiString(size_t section, const tagProfileKey& key) const;
    // The value's bytes as the file holds them, ASCII or not, for a reader that checks them itself;
    // nothing when the key is missing or the file is in UTF-16.
    std::optional<std::string_view> GetValueBytes(size_t section, const tagProfileKey& key) const;
    void SetAsciiString(size_t section, const tagProfileKey& key, std::string_view value);
    // Where an ASCII value of `length` bytes for an existing key goes when it takes the old one's place,
    // as SetAsciiString would put it: the caller writes exactly `length` ASCII bytes there before any
    // other call. nullptr, with nothing changed, when it cannot go in place; SetAsciiString writes it then.
    char* PlaceAsciiValue(size_t section, const tagProfileKey& key, size_t length);

    // The names of the sections in file order, as the file spells them; one that stands twice is listed
    // twice. For tools that inspect a file rather than read values.
    std::vector<std::u16string> SectionNames() const;

    // The key names of the first such section in file order, as the file spells them; a key that
    // stands twice is listed once, as only its first occurrence is read.
    std::vector<std::u16string> KeyNames(std::u16string_view section) const;

    // How many of those names start with `prefix`, without regard to the case of ASCII letters.
    size_t CountKeyNames(std::u16string_view section, std::u16string_view prefix) const;

    // The lines, counting from 1, that could not be read: in a file marked as UTF-8, those that are not.
    // Each is kept byte for byte and read as nothing, neither a section nor a key, so that no value
    // read from it can be written back changed.
    const std::vector<size_t>& UnreadableLines() const { return m_unreadableLines; }

    // The file's bytes as they would be saved.
    std::string Bytes() const;

    // Whether Bytes() would be exactly these; compared piece by piece, without building them.
    bool HoldsBytes(std::string_view bytes) const;

    // Bytes() without a copy, when nothing was added, moved or given a new break since the file was read.
    std::optional<std::string_view> BytesAsRead() const;

    // Replaces the file with Bytes(); on failure the old file is untouched.
    tagFileError Save(const std::u16string& path, CFileStore& files = DiskStore()) const;

private:
    enum class ELineKind : std::uint8_t {
        other,
        header,
        key,         // the first key of its name in its section: the one that is read
        repeatedKey, // a later one of the same name, never read
    };

    // A line's text lies in the file's bytes as read, or, once set to a text of another length or added,
    // in the bytes added since.
    struct Line
    {
        std::uint64_t offset = 0;
        std::uint32_t length = 0;   // of the text, without the break
        std::uint32_t nameHash = 0; // of a header's or key's folded name (ProfileLine.h), to skip others
        // Where in the text a header's or key's name stands when it is ASCII in a byte encoding, so
        // that a lookup compares it without reading the line again.
        std::uint16_t nameStart = 0;
        std::uint16_t nameLength = 0;
        bool bAsciiName = false;
        ELineEnd end = ELineEnd::none;
        bool bAdded = false; // the text is in m_added
        ELineKind kind = ELineKind::other;
    };

    // Lines of one section, its header line first. Block 0 holds the lines before the first header;
    // it has no header and no name and is never found by name. A "[" line without "]" is no header:
    // it belongs to the section before it, as a key when it holds "=". A few keys are found by going
    // through the lines; a section with many has its keys in the index.
    struct Section
    {
        std::vector<Line> lines;
        std::uint32_t lastKeyLine = 0; // the header when the section has no key
        std::uint32_t keyCount = 0;    // lines of kind key
        bool bIndexed = false;
        bool bFirstOfName = false; // the one of its name that is found, as the index holds it
    };

    void Clear();
    void Parse();
    void AddLine(const tagLineSpan& span);
    void IndexParsedNames();
    void IndexParsedKeys(std::uint32_t section);
    void AddKey(std::uint32_t section, std::uint32_t line);
    void IndexKeys(std::uint32_t section);
    std::string_view Text(const Line& line) const;
    tagLineName NameOf(std::uint32_t section, std::uint32_t line) const;
    // The ASCII name noted for a line whose bAsciiName is set, where the line holds it.
    std::string_view NotedAscii(const Line& line) const
    {
        return Text(line).substr(line.nameStart, line.nameLength);
    }
    tagLineName NotedName(const Line& line) const;
    std::optional<std::string_view> AsciiNameOf(const Line& line) const;
    void NoteName(Line& line, const tagLineName& name) const;
    template <typename Name> bool NameMatches(const Line& line, const Name& name) const;
    template <typename Name>
    std::optional<std::uint32_t> FindSectionBy(std::uint32_t hash, const Name& name) const;
    template <typename Name>
    std::optional<std::uint32_t> FindKeyBy(std::uint32_t section, std::uint32_t hash, const Name& name) const;
    std::optional<std::uint32_t> FindSectionAfterHint(std::u16string_view name) const;
    std::optional<std::uint32_t> FindKeyAfterHint(std::uint32_t section, std::u16string_view name) const;
    std::optional<std::uint32_t> FindKeyHinted(std::uint32_t section, const tagProfileKey& key) const;
    void SetText(Line& line, std::string_view bytes);
    Line AddedLine(std::string_view bytes);
    char* InPlaceValue(Line& line, std::string_view asciiName, size_t valueLength);
    void NoteLeadingName(Line& line, std::optional<size_t> asciiLength) const;
    void SetKeyLine(Line& line, const tagLineName& name, std::u16string_view value);
    void InsertKey(std::uint32_t section, std::u16string_view key, std::u16string_view value);
    void EndLine(Line& line);
    void EndLastLine();

    ProfileEncoding m_encoding = ProfileEncoding::Ansi;
    std::string m_bytes; // the file as read: mark, lines, tail; a text set to one of its length stays here
    size_t m_nMarkSize = 0;
    size_t m_nTailSize = 0;
    std::string m_added;
    bool m_bFileOrder = true; // m_bytes alone is the document: nothing added, moved or given a new break
    std::vector<Section> m_sections;
    CProfileNameIndex m_sectionIndex; // the first section of each name
    CProfileNameIndex m_keyIndex;     // the first key of each name in each section with many keys
    // The last section and the last key of a section with many keys that a lookup by name found: a walk
    // through a list asks for the ones right after them next, which are then checked before the index
    // is asked. Lookups change them, so a document is not read by two threads at once.
    mutable std::uint32_t m_nSectionHint = 0;
    mutable std::uint32_t m_nKeyHintSection = 0;
    mutable std::uint32_t m_nKeyHintLine = 0;
    size_t m_nLinesRead = 0;
    std::vector<size_t> m_unreadableLines;
};
