#include "framework/ProfileFile.h"

#include "framework/FileSystem.h"
#include "framework/ProfileNumber.h"
#include "framework/WideText.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace {

bool IsProfileBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

std::u16string_view Trim(std::u16string_view text)
{
    while (!text.empty() && IsProfileBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::u16string_view Unquote(std::u16string_view value)
{
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == u'"' || value.front() == u'\''))
        return value.substr(1, value.size() - 2);
    return value;
}

// A header starts with "[" and holds a "]"; a "[" line without one opens no section and is read like
// any other line.
bool IsSectionHeader(std::u16string_view trimmedLine)
{
    return !trimmedLine.empty() && trimmedLine.front() == u'[' &&
           trimmedLine.find(u']') != std::u16string_view::npos;
}

// "[ name ] rest": the name runs to the last "]" and is trimmed.
std::u16string_view SectionName(std::u16string_view header)
{
    std::u16string_view inner = header.substr(1);
    return Trim(inner.substr(0, inner.rfind(u']')));
}

} // namespace

void CProfileDocument::Clear()
{
    m_encoding = ProfileEncoding::Ansi;
    m_mark.clear();
    m_tail.clear();
    m_sections.assign(1, Section());
    m_sectionIndex.clear();
    m_nLinesRead = 0;
    m_unreadableLines.clear();
}

tagFileError CProfileDocument::Load(const std::u16string& path, CFileStore& files)
{
    tagFileBytes read = files.Read(path);
    LoadBytes(read.error.Failed() ? std::string_view() : read.bytes);
    if (read.error.m_lOsError == ENOENT)
        return {};
    return read.error;
}

void CProfileDocument::LoadBytes(std::string_view bytes)
{
    Clear();
    ProfileRawFile file = SplitProfileBytes(bytes);
    m_encoding = file.encoding;
    m_mark = std::move(file.mark);
    m_tail = std::move(file.tail);
    for (ProfileRawLine& line : file.lines)
        AddLine(std::move(line));
}

void CProfileDocument::AddLine(ProfileRawLine line)
{
    ++m_nLinesRead;
    std::optional<std::u16string> decoded = DecodeProfileLine(line.text, m_encoding);
    if (!decoded) {
        m_unreadableLines.push_back(m_nLinesRead);
        m_sections.back().lines.push_back(std::move(line));
        return;
    }
    std::u16string_view text = Trim(*decoded);
    if (IsSectionHeader(text)) {
        std::u16string folded = FoldAsciiCase(SectionName(text));
        m_sectionIndex.try_emplace(std::move(folded), m_sections.size());
        m_sections.emplace_back();
        m_sections.back().lines.push_back(std::move(line));
        return;
    }
    Section& section = m_sections.back();
    size_t equals = text.find(u'=');
    if (!text.empty() && text.front() != u';' && equals != std::u16string_view::npos) {
        std::u16string_view name = Trim(text.substr(0, equals));
        Key key{section.lines.size(), std::u16string(name), std::u16string(Trim(text.substr(equals + 1)))};
        section.keys.try_emplace(FoldAsciiCase(name), std::move(key));
        section.lastKeyLine = section.lines.size();
    }
    section.lines.push_back(std::move(line));
}

const CProfileDocument::Key* CProfileDocument::FindKey(std::u16string_view section,
                                                       std::u16string_view key) const
{
    auto s = m_sectionIndex.find(FoldAsciiCase(section));
    if (s == m_sectionIndex.end())
        return nullptr;
    const Section& found = m_sections[s->second];
    auto k = found.keys.find(FoldAsciiCase(key));
    return k == found.keys.end() ? nullptr : &k->second;
}

std::optional<std::u16string> CProfileDocument::GetString(std::u16string_view section,
                                                          std::u16string_view key) const
{
    const Key* found = FindKey(section, key);
    if (!found)
        return std::nullopt;
    return std::u16string(Unquote(found->value));
}

int CProfileDocument::GetInt(std::u16string_view section, std::u16string_view key, int defaultValue) const
{
    std::optional<std::u16string> value = GetString(section, key);
    return value ? static_cast<std::int32_t>(ReadProfileNumber(*value)) : defaultValue;
}

std::vector<std::u16string> CProfileDocument::SectionNames() const
{
    std::vector<std::u16string> names;
    for (size_t i = 1; i < m_sections.size(); ++i) {
        // A header was read, so it decodes.
        std::u16string header = DecodeProfileLine(m_sections[i].lines.front().text, m_encoding).value_or(u"");
        names.emplace_back(SectionName(Trim(header)));
    }
    return names;
}

std::vector<std::u16string> CProfileDocument::KeyNames(std::u16string_view section) const
{
    std::vector<std::u16string> names;
    auto s = m_sectionIndex.find(FoldAsciiCase(section));
    if (s == m_sectionIndex.end())
        return names;
    std::vector<const Key*> keys;
    for (const auto& [folded, key] : m_sections[s->second].keys)
        keys.push_back(&key);
    std::sort(keys.begin(), keys.end(), [](const Key* a, const Key* b) { return a->line < b->line; });
    for (const Key* key : keys)
        names.push_back(key->name);
    return names;
}

ProfileRawLine CProfileDocument::MakeLine(std::u16string_view text) const
{
    return {EncodeProfileText(text, m_encoding), EncodeProfileText(u"\r\n", m_encoding)};
}

void CProfileDocument::SetString(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view value)
{
    auto s = m_sectionIndex.find(FoldAsciiCase(section));
    if (s == m_sectionIndex.end()) {
        AppendSection(section);
        s = m_sectionIndex.find(FoldAsciiCase(section));
    }
    Section& found = m_sections[s->second];
    auto k = found.keys.find(FoldAsciiCase(key));
    if (k == found.keys.end()) {
        InsertKey(found, key, value);
        return;
    }
    Key& existing = k->second;
    existing.value = Trim(value);
    std::u16string text = existing.name + u"=" + std::u16string(value);
    found.lines[existing.line].text = EncodeProfileText(text, m_encoding);
}

void CProfileDocument::AppendSection(std::u16string_view section)
{
    EndLastLine();
    m_sectionIndex.try_emplace(FoldAsciiCase(section), m_sections.size());
    m_sections.emplace_back();
    m_sections.back().lines.push_back(MakeLine(u"[" + std::u16string(section) + u"]"));
}

// The key goes directly after the last key line of its section, before any comment or blank that
// follows it.
void CProfileDocument::InsertKey(Section& section, std::u16string_view key, std::u16string_view value)
{
    ProfileRawLine& before = section.lines[section.lastKeyLine];
    if (before.end.empty())
        before.end = EncodeProfileText(u"\r\n", m_encoding);
    size_t at = section.lastKeyLine + 1;
    section.lines.insert(section.lines.begin() + static_cast<std::ptrdiff_t>(at),
                         MakeLine(std::u16string(key) + u"=" + std::u16string(value)));
    section.keys.try_emplace(FoldAsciiCase(key), Key{at, std::u16string(key), std::u16string(Trim(value))});
    section.lastKeyLine = at;
}

// A new section starts on a line of its own: a file without a final line break gets one first.
void CProfileDocument::EndLastLine()
{
    for (auto s = m_sections.rbegin(); s != m_sections.rend(); ++s) {
        if (s->lines.empty())
            continue;
        ProfileRawLine& last = s->lines.back();
        if (last.end.empty())
            last.end = EncodeProfileText(u"\r\n", m_encoding);
        return;
    }
}

std::string CProfileDocument::Bytes() const
{
    std::string bytes = m_mark;
    for (const Section& section : m_sections) {
        for (const ProfileRawLine& line : section.lines) {
            bytes += line.text;
            bytes += line.end;
        }
    }
    return bytes + m_tail;
}

tagFileError CProfileDocument::Save(const std::u16string& path, CFileStore& files) const
{
    return files.Replace(path, Bytes());
}
