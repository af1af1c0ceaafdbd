#include "framework/ProfileFile.h"

#include "framework/AsciiRun.h"
#include "framework/ProfileNumber.h"
#include "framework/WideText.h"

#include <cerrno>
#include <cstring>
#include <type_traits>

namespace {

// A section with more keys than this has them in the index; fewer are found faster by going through
// the section's own lines, which the lookup reads anyway.
constexpr std::uint32_t kKeysWithoutIndex = 8;

constexpr size_t kLinesAtFirst = 4;

constexpr size_t kBytesPerName = 1024;

std::uint64_t KeyEntry(std::uint32_t section, std::uint32_t nameHash)
{
    return static_cast<std::uint64_t>(section) << 32 | nameHash;
}

bool IsByteEncoding(ProfileEncoding encoding)
{
    return encoding == ProfileEncoding::Ansi || encoding == ProfileEncoding::Utf8;
}

} // namespace

void CProfileDocument::Clear()
{
    m_encoding = ProfileEncoding::Ansi;
    m_bytes.clear();
    m_nMarkSize = 0;
    m_nTailSize = 0;
    m_added.clear();
    m_bFileOrder = true;
    m_sections.assign(1, Section());
    m_sectionIndex.Clear();
    m_keyIndex.Clear();
    m_nSectionHint = 0;
    m_nKeyHintSection = 0;
    m_nKeyHintLine = 0;
    m_nLinesRead = 0;
    m_unreadableLines.clear();
}

tagFileError CProfileDocument::Load(const std::u16string& path, CFileStore& files)
{
    return Load(path, files, std::string());
}

tagFileError CProfileDocument::Load(const std::u16string& path, CFileStore& files, std::string buffer)
{
    tagFileBytes read = files.ReadInto(path, std::move(buffer));
    TakeBytes(read.error.Failed() ? std::string() : std::move(read.bytes));
    if (read.error.m_lOsError == ENOENT)
        return {};
    return read.error;
}

std::string CProfileDocument::ReleaseBytes()
{
    std::string bytes = std::move(m_bytes);
    Clear();
    return bytes;
}

void CProfileDocument::LoadBytes(std::string_view bytes)
{
    TakeBytes(std::string(bytes));
}

void CProfileDocument::TakeBytes(std::string bytes)
{
    Clear();
    m_bytes = std::move(bytes);
    Parse();
}

void CProfileDocument::Parse()
{
    const tagProfileLayout layout = ProfileLayout(m_bytes);
    m_encoding = layout.encoding;
    m_nMarkSize = layout.markSize;
    m_nTailSize = layout.tailSize;
    // Room for a section a kilobyte at once: a long file is mostly sections of a few lines.
    if (const size_t names = m_bytes.size() / kBytesPerName; names > 0)
        m_sections.reserve(names + 1);
    CProfileLines lines(m_bytes, layout);
    for (tagLineSpan span; lines.Next(span);)
        AddLine(span);
    IndexParsedNames();
}

// The names go into the indexes once the whole file is read, in file order, so that the first of each
// name is the one found. Each entry's slot is fetched into the cache a few entries ahead of its turn:
// on a long file the slots are far apart, and the file's bytes have pushed the tables out of the cache.
void CProfileDocument::IndexParsedNames()
{
    constexpr std::uint32_t kAhead = 8;
    const auto sections = static_cast<std::uint32_t>(m_sections.size());
    if (sections > 1)
        m_sectionIndex.Reserve(sections - 1);
    for (std::uint32_t s = 1; s < sections; ++s) {
        if (s + kAhead < sections)
            m_sectionIndex.Prefetch(m_sections[s + kAhead].lines[0].nameHash);
        const Line& header = m_sections[s].lines[0];
        m_sections[s].bFirstOfName = m_sectionIndex.InsertUnlessFound(
            header.nameHash, s, 0, [&](const CProfileNameIndex::tagEntry& entry) {
                return NameMatches(m_sections[entry.section].lines[0], NotedName(header));
            });
    }
    size_t keys = 0;
    for (const Section& section : m_sections)
        keys += section.bIndexed ? section.lines.size() : 0;
    if (keys > 0)
        m_keyIndex.Reserve(keys);
    for (std::uint32_t s = 1; s < sections; ++s) {
        if (m_sections[s].bIndexed)
            IndexParsedKeys(s);
    }
}

// A section's keys that were read without looking for their names: each is the first of its name
// unless the index already holds the name.
void CProfileDocument::IndexParsedKeys(std::uint32_t section)
{
    constexpr size_t kAhead = 8;
    Section& found = m_sections[section];
    std::vector<Line>& lines = found.lines;
    found.keyCount = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i + kAhead < lines.size() && lines[i + kAhead].kind == ELineKind::key)
            m_keyIndex.Prefetch(KeyEntry(section, lines[i + kAhead].nameHash));
        Line& line = lines[i];
        if (line.kind != ELineKind::key)
            continue;
        const bool first = m_keyIndex.InsertUnlessFound(
            KeyEntry(section, line.nameHash), section, static_cast<std::uint32_t>(i),
            [&](const CProfileNameIndex::tagEntry& entry) {
                return NameMatches(lines[entry.line], NotedName(line));
            });
        line.kind = first ? ELineKind::key : ELineKind::repeatedKey;
        found.keyCount += first ? 1 : 0;
    }
}

void CProfileDocument::AddLine(const tagLineSpan& span)
{
    Line line;
    line.offset = span.start;
    line.length = static_cast<std::uint32_t>(span.length);
    line.end = span.end;
    ++m_nLinesRead;
    if (!IsReadableProfileLine(Text(line), m_encoding)) {
        m_unreadableLines.push_back(m_nLinesRead);
        m_sections.back().lines.push_back(line);
        return;
    }
    const tagLineName name = ReadLineName(Text(line), m_encoding);
    if (name.role == ELineRole::header) {
        // Whether it is the first of its name is known once the index is built (IndexParsedNames).
        line.kind = ELineKind::header;
        NoteName(line, name);
        m_sections.emplace_back();
        // Room for a header and a few keys at once: most sections are that small, and a file may have
        // 100,000 of them.
        m_sections.back().lines.reserve(kLinesAtFirst);
        m_sections.back().lines.push_back(line);
        return;
    }
    const auto section = static_cast<std::uint32_t>(m_sections.size() - 1);
    Section& current = m_sections.back();
    std::vector<Line>& lines = current.lines;
    if (name.role == ELineRole::key) {
        NoteName(line, name);
        current.lastKeyLine = static_cast<std::uint32_t>(lines.size());
        // A section with many keys has its repeated names found when they go into the index; a few are
        // compared with the section's lines, which are at hand.
        line.kind = !current.bIndexed && FindKeyBy(section, line.nameHash, name) ? ELineKind::repeatedKey
                                                                                 : ELineKind::key;
        if (line.kind == ELineKind::key && ++current.keyCount > kKeysWithoutIndex)
            current.bIndexed = true;
    }
    lines.push_back(line);
}

void CProfileDocument::AddKey(std::uint32_t section, std::uint32_t line)
{
    Section& found = m_sections[section];
    ++found.keyCount;
    if (found.bIndexed)
        m_keyIndex.Insert(KeyEntry(section, found.lines[line].nameHash), section, line);
    else if (found.keyCount > kKeysWithoutIndex)
        IndexKeys(section);
}

void CProfileDocument::IndexKeys(std::uint32_t section)
{
    Section& found = m_sections[section];
    found.bIndexed = true;
    for (std::uint32_t i = 0; i < found.lines.size(); ++i) {
        if (found.lines[i].kind == ELineKind::key)
            m_keyIndex.Insert(KeyEntry(section, found.lines[i].nameHash), section, i);
    }
}

std::string_view CProfileDocument::Text(const Line& line) const
{
    const std::string& store = line.bAdded ? m_added : m_bytes;
    return std::string_view(store).substr(line.offset, line.length);
}

tagLineName CProfileDocument::NameOf(std::uint32_t section, std::uint32_t line) const
{
    return ReadLineName(Text(m_sections[section].lines[line]), m_encoding);
}

// The name noted for a header or key line, without reading the line again when it is ASCII.
tagLineName CProfileDocument::NotedName(const Line& line) const
{
    if (!line.bAsciiName)
        return ReadLineName(Text(line), m_encoding);
    tagLineName name;
    name.role = line.kind == ELineKind::header ? ELineRole::header : ELineRole::key;
    name.bAscii = true;
    name.ascii = NotedAscii(line);
    return name;
}

// The same name as its bytes when it is ASCII; nothing otherwise. A noted name makes no name object,
// which a lookup for every entry of a long list would pay for.
std::optional<std::string_view> CProfileDocument::AsciiNameOf(const Line& line) const
{
    if (line.bAsciiName)
        return NotedAscii(line);
    const tagLineName name = ReadLineName(Text(line), m_encoding);
    return name.bAscii ? std::optional<std::string_view>(name.ascii) : std::nullopt;
}

void CProfileDocument::NoteName(Line& line, const tagLineName& name) const
{
    line.nameHash = name.FoldedHash();
    const std::string_view text = Text(line);
    line.bAsciiName = name.bAscii && name.ascii.size() <= 0xFFFF &&
                      static_cast<size_t>(name.ascii.data() - text.data()) <= 0xFFFF;
    if (line.bAsciiName) {
        line.nameStart = static_cast<std::uint16_t>(name.ascii.data() - text.data());
        line.nameLength = static_cast<std::uint16_t>(name.ascii.size());
    }
}

template <typename Name> bool CProfileDocument::NameMatches(const Line& line, const Name& name) const
{
    if (!line.bAsciiName)
        return ReadLineName(Text(line), m_encoding).Matches(name);
    const std::string_view ascii = NotedAscii(line);
    if constexpr (std::is_same_v<Name, tagLineName>)
        return name.MatchesAscii(ascii);
    else
        return AsciiNameMatches(ascii, name);
}

template <typename Name>
std::optional<std::uint32_t> CProfileDocument::FindSectionBy(std::uint32_t hash, const Name& name) const
{
    const CProfileNameIndex::tagEntry* entry =
        m_sectionIndex.Find(hash, [&](const CProfileNameIndex::tagEntry& candidate) {
            return NameMatches(m_sections[candidate.section].lines[0], name);
        });
    return entry ? std::optional<std::uint32_t>(entry->section) : std::nullopt;
}

template <typename Name>
std::optional<std::uint32_t> CProfileDocument::FindKeyBy(std::uint32_t section, std::uint32_t hash,
                                                         const Name& name) const
{
    const Section& found = m_sections[section];
    if (found.bIndexed) {
        const CProfileNameIndex::tagEntry* entry =
            m_keyIndex.Find(KeyEntry(section, hash), [&](const CProfileNameIndex::tagEntry& candidate) {
                return NameMatches(found.lines[candidate.line], name);
            });
        return entry ? std::optional<std::uint32_t>(entry->line) : std::nullopt;
    }
    for (std::uint32_t i = 0; i < found.lines.size(); ++i) {
        const Line& line = found.lines[i];
        if (line.kind == ELineKind::key && line.nameHash == hash && NameMatches(line, name))
            return i;
    }
    return std::nullopt;
}

// The section after the last one found, when it is the one of this name that the index would give. The
// name is compared without its hash, which only a miss takes.
std::optional<std::uint32_t> CProfileDocument::FindSectionAfterHint(std::u16string_view name) const
{
    const size_t next = size_t{m_nSectionHint} + 1;
    if (next >= m_sections.size())
        return std::nullopt;
    const Section& candidate = m_sections[next];
    if (!candidate.bFirstOfName || !NameMatches(candidate.lines[0], name))
        return std::nullopt;
    return static_cast<std::uint32_t>(next);
}

std::optional<size_t> CProfileDocument::FindSection(std::u16string_view section) const
{
    std::optional<std::uint32_t> found = FindSectionAfterHint(section);
    if (!found)
        found = FindSectionBy(FoldedHash(section), section);
    if (!found)
        return std::nullopt;
    m_nSectionHint = *found;
    return *found;
}

// The line after the last key found in this section, when it is the key of this name that is read: only
// the first key of a name in a section is of kind key.
std::optional<std::uint32_t> CProfileDocument::FindKeyAfterHint(std::uint32_t section,
                                                                std::u16string_view name) const
{
    if (section != m_nKeyHintSection)
        return std::nullopt;
    const std::vector<Line>& lines = m_sections[section].lines;
    const size_t next = size_t{m_nKeyHintLine} + 1;
    if (next >= lines.size())
        return std::nullopt;
    const Line& candidate = lines[next];
    if (candidate.kind != ELineKind::key || !NameMatches(candidate, name))
        return std::nullopt;
    return static_cast<std::uint32_t>(next);
}

// FindKeyBy for a lookup by the caller: a section with many keys is tried after the last hit first.
std::optional<std::uint32_t> CProfileDocument::FindKeyHinted(std::uint32_t section,
                                                             const tagProfileKey& key) const
{
    if (!m_sections[section].bIndexed)
        return FindKeyBy(section, key.Hash(), key.text);
    std::optional<std::uint32_t> line = FindKeyAfterHint(section, key.text);
    if (!line)
        line = FindKeyBy(section, key.Hash(), key.text);
    if (line) {
        m_nKeyHintSection = section;
        m_nKeyHintLine = *line;
    }
    return line;
}

std::optional<std::u16string> CProfileDocument::GetString(size_t section, std::u16string_view key) const
{
    return GetString(section, tagProfileKey(key));
}

std::optional<std::u16string> CProfileDocument::GetString(size_t section, const tagProfileKey& key) const
{
    const auto index = static_cast<std::uint32_t>(section);
    std::optional<std::uint32_t> line = FindKeyHinted(index, key);
    if (!line)
        return std::nullopt;
    return ReadLineValue(Text(m_sections[index].lines[*line]), m_encoding);
}

std::optional<std::string_view> CProfileDocument::GetAsciiString(size_t section,
                                                                 std::u16string_view key) const
{
    return GetAsciiString(section, tagProfileKey(key));
}

std::optional<std::string_view> CProfileDocument::GetAsciiString(size_t section,
                                                                 const tagProfileKey& key) const
{
    const std::optional<std::string_view> value = GetValueBytes(section, key);
    if (value && AsciiPrefix(*value) != value->size())
        return std::nullopt;
    return value;
}

std::optional<std::string_view> CProfileDocument::GetValueBytes(size_t section,
                                                                const tagProfileKey& key) const
{
    const auto index = static_cast<std::uint32_t>(section);
    std::optional<std::uint32_t> line = FindKeyHinted(index, key);
    if (!line)
        return std::nullopt;
    return ReadLineValueBytes(Text(m_sections[index].lines[*line]), m_encoding);
}

std::optional<std::u16string> CProfileDocument::GetString(std::u16string_view section,
                                                          std::u16string_view key) const
{
    std::optional<size_t> found = FindSection(section);
    return found ? GetString(*found, key) : std::nullopt;
}

int CProfileDocument::GetInt(std::u16string_view section, std::u16string_view key, int defaultValue) const
{
    std::optional<std::u16string> value = GetString(section, key);
    return value ? static_cast<std::int32_t>(ReadProfileNumber(*value)) : defaultValue;
}

std::vector<std::u16string> CProfileDocument::SectionNames() const
{
    std::vector<std::u16string> names;
    names.reserve(m_sections.size() - 1);
    for (std::uint32_t i = 1; i < m_sections.size(); ++i)
        names.push_back(NameOf(i, 0).Text());
    return names;
}

std::vector<std::u16string> CProfileDocument::KeyNames(std::u16string_view section) const
{
    std::vector<std::u16string> names;
    std::optional<size_t> found = FindSection(section);
    if (!found)
        return names;
    const auto index = static_cast<std::uint32_t>(*found);
    const std::vector<Line>& lines = m_sections[index].lines;
    names.reserve(m_sections[index].keyCount);
    for (std::uint32_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == ELineKind::key)
            names.push_back(NameOf(index, i).Text());
    }
    return names;
}

size_t CProfileDocument::CountKeyNames(std::u16string_view section, std::u16string_view prefix) const
{
    std::optional<size_t> found = FindSection(section);
    if (!found)
        return 0;
    const auto index = static_cast<std::uint32_t>(*found);
    const std::vector<Line>& lines = m_sections[index].lines;
    size_t count = 0;
    for (std::uint32_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.kind != ELineKind::key)
            continue;
        if (line.bAsciiName) {
            const std::string_view name = NotedAscii(line);
            count += name.size() >= prefix.size() && AsciiNameMatches(name.substr(0, prefix.size()), prefix);
        } else {
            count += StartsWithNoCaseAscii(NameOf(index, i).Text(), prefix);
        }
    }
    return count;
}

// A text of the same length takes the old one's place in its bytes; any other goes to the added bytes.
void CProfileDocument::SetText(Line& line, std::string_view bytes)
{
    if (bytes.size() == line.length) {
        std::string& store = line.bAdded ? m_added : m_bytes;
        std::memcpy(store.data() + line.offset, bytes.data(), bytes.size());
        return;
    }
    line.offset = m_added.size();
    line.length = static_cast<std::uint32_t>(bytes.size());
    line.bAdded = true;
    m_added += bytes;
    m_bFileOrder = false;
}

// A new line, read like every line of the file: its kind and name come from its text.
CProfileDocument::Line CProfileDocument::AddedLine(std::string_view bytes)
{
    Line line;
    line.offset = m_added.size();
    line.length = static_cast<std::uint32_t>(bytes.size());
    line.end = ELineEnd::crlf;
    line.bAdded = true;
    m_added += bytes;
    m_bFileOrder = false;
    const tagLineName name = ReadLineName(Text(line), m_encoding);
    NoteName(line, name);
    line.kind = name.role == ELineRole::header ? ELineKind::header
                : name.role == ELineRole::key  ? ELineKind::key
                                               : ELineKind::other;
    return line;
}

// An ASCII name and an ASCII value of `valueLength` bytes in a byte encoding, the common case, go
// straight into the line's place when the length stays: writes "name=" there and returns where the
// value goes; nullptr, with nothing written, otherwise.
char* CProfileDocument::InPlaceValue(Line& line, std::string_view asciiName, size_t valueLength)
{
    if (!IsByteEncoding(m_encoding) || asciiName.size() + 1 + valueLength != line.length)
        return nullptr;
    std::string& store = line.bAdded ? m_added : m_bytes;
    char* out = store.data() + line.offset;
    if (out != asciiName.data()) // the name may stand further in
        std::memmove(out, asciiName.data(), asciiName.size());
    out += asciiName.size();
    *out++ = '=';
    return out;
}

// A set key line starts with its name, noted when it is ASCII.
void CProfileDocument::NoteLeadingName(Line& line, std::optional<size_t> asciiLength) const
{
    line.bAsciiName = asciiLength && IsByteEncoding(m_encoding) && *asciiLength <= 0xFFFF;
    line.nameStart = 0;
    line.nameLength = line.bAsciiName ? static_cast<std::uint16_t>(*asciiLength) : 0;
}

// "name=value" with the name as the line spells it.
void CProfileDocument::SetKeyLine(Line& line, const tagLineName& name, std::u16string_view value)
{
    char* out = name.bAscii && AsciiPrefix(value) == value.size()
                    ? InPlaceValue(line, name.ascii, value.size())
                    : nullptr;
    if (out)
        NarrowAscii(value.data(), out, value.size());
    else
        SetText(line, EncodeProfileText(name.Text() + u"=" + std::u16string(value), m_encoding));
    NoteLeadingName(line, name.bAscii ? std::optional<size_t>(name.ascii.size()) : std::nullopt);
}

void CProfileDocument::SetString(size_t section, std::u16string_view key, std::u16string_view value)
{
    SetString(section, tagProfileKey(key), value);
}

void CProfileDocument::SetString(size_t section, const tagProfileKey& key, std::u16string_view value)
{
    const auto index = static_cast<std::uint32_t>(section);
    std::optional<std::uint32_t> line = FindKeyHinted(index, key);
    if (!line) {
        InsertKey(index, key.text, value);
        return;
    }
    Line& found = m_sections[index].lines[*line];
    SetKeyLine(found, NotedName(found), value);
}

void CProfileDocument::SetAsciiString(size_t section, std::u16string_view key, std::string_view value)
{
    SetAsciiString(section, tagProfileKey(key), value);
}

char* CProfileDocument::PlaceAsciiValue(size_t section, const tagProfileKey& key, size_t length)
{
    const auto index = static_cast<std::uint32_t>(section);
    std::optional<std::uint32_t> line = FindKeyHinted(index, key);
    if (!line)
        return nullptr;
    Line& found = m_sections[index].lines[*line];
    const std::optional<std::string_view> ascii = AsciiNameOf(found);
    char* out = ascii ? InPlaceValue(found, *ascii, length) : nullptr;
    if (out)
        NoteLeadingName(found, ascii->size());
    return out;
}

void CProfileDocument::SetAsciiString(size_t section, const tagProfileKey& key, std::string_view value)
{
    if (char* out = PlaceAsciiValue(section, key, value.size())) {
        std::memcpy(out, value.data(), value.size());
        return;
    }
    std::u16string text(value.size(), u'\0');
    WidenAscii(value.data(), text.data(), value.size());
    SetString(section, key, text);
}

void CProfileDocument::SetString(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view value)
{
    SetString(FindOrAddSection(section), key, value);
}

size_t CProfileDocument::FindOrAddSection(std::u16string_view section)
{
    if (std::optional<size_t> found = FindSection(section))
        return *found;
    EndLastLine();
    const auto index = static_cast<std::uint32_t>(m_sections.size());
    const Line header = AddedLine(EncodeProfileText(u"[" + std::u16string(section) + u"]", m_encoding));
    m_sectionIndex.Insert(header.nameHash, index, 0);
    m_sections.emplace_back();
    m_sections.back().bFirstOfName = true;
    m_sections.back().lines.push_back(header);
    return index;
}

// The key goes directly after the last key line of its section, before any comment or blank that
// follows it.
void CProfileDocument::InsertKey(std::uint32_t section, std::u16string_view key, std::u16string_view value)
{
    Section& found = m_sections[section];
    EndLine(found.lines[found.lastKeyLine]);
    const std::uint32_t at = found.lastKeyLine + 1;
    Line line = AddedLine(EncodeProfileText(std::u16string(key) + u"=" + std::u16string(value), m_encoding));
    if (line.kind == ELineKind::key &&
        FindKeyBy(section, line.nameHash, ReadLineName(Text(line), m_encoding)))
        line.kind = ELineKind::repeatedKey;
    found.lines.insert(found.lines.begin() + at, line);
    if (line.kind != ELineKind::key && line.kind != ELineKind::repeatedKey)
        return;
    found.lastKeyLine = at;
    if (line.kind == ELineKind::key)
        AddKey(section, at);
}

void CProfileDocument::EndLine(Line& line)
{
    if (line.end != ELineEnd::none)
        return;
    line.end = ELineEnd::crlf;
    m_bFileOrder = false;
}

// A new section starts on a line of its own: a file without a final line break gets one first.
void CProfileDocument::EndLastLine()
{
    for (auto s = m_sections.rbegin(); s != m_sections.rend(); ++s) {
        if (!s->lines.empty()) {
            EndLine(s->lines.back());
            return;
        }
    }
}

std::string CProfileDocument::Bytes() const
{
    if (m_bFileOrder)
        return m_bytes;
    size_t size = m_nMarkSize + m_nTailSize;
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines)
            size += line.length + LineEndBytes(line.end, m_encoding).size();
    }
    std::string bytes;
    bytes.reserve(size);
    bytes.append(m_bytes, 0, m_nMarkSize);
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines) {
            bytes += Text(line);
            bytes += LineEndBytes(line.end, m_encoding);
        }
    }
    bytes.append(m_bytes, m_bytes.size() - m_nTailSize, m_nTailSize);
    return bytes;
}

bool CProfileDocument::HoldsBytes(std::string_view bytes) const
{
    if (m_bFileOrder)
        return bytes == m_bytes;
    std::string_view rest = bytes;
    auto take = [&rest](std::string_view piece) {
        if (!rest.starts_with(piece))
            return false;
        rest.remove_prefix(piece.size());
        return true;
    };
    if (!take(std::string_view(m_bytes).substr(0, m_nMarkSize)))
        return false;
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines) {
            if (!take(Text(line)) || !take(LineEndBytes(line.end, m_encoding)))
                return false;
        }
    }
    return rest == std::string_view(m_bytes).substr(m_bytes.size() - m_nTailSize);
}

std::optional<std::string_view> CProfileDocument::BytesAsRead() const
{
    if (!m_bFileOrder)
        return std::nullopt;
    return std::string_view(m_bytes);
}

tagFileError CProfileDocument::Save(const std::u16string& path, CFileStore& files) const
{
    if (m_bFileOrder)
        return files.Replace(path, m_bytes);
    return files.Replace(path, Bytes());
}
