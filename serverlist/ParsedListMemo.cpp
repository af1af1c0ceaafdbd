#include "serverlist/ParsedListMemo.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>

namespace {

struct tagKeptList
{
    std::mutex mutex;
    std::u16string strPath;
    std::optional<CProfileDocument> document;
    CEntrySections entries;
};

tagKeptList& Kept()
{
    static tagKeptList kept;
    return kept;
}

constexpr size_t kNoSection = static_cast<size_t>(-1);

// Compared as memory: the standard comparison of 16-bit texts goes unit by unit.
bool SameUnits(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

} // namespace

CEntrySections::CEntrySections(const CArray<tagServer>& servers,
                               const std::vector<std::optional<size_t>>& sections)
{
    const size_t count = std::min(servers.size(), sections.size());
    size_t units = 0;
    for (size_t i = 0; i < count; ++i)
        units += servers[i].strServerName.size();
    m_names.reserve(units);
    m_ends.reserve(count);
    m_sections.reserve(count);
    for (size_t i = 0; i < count; ++i)
        Add(servers[i].strServerName, sections[i]);
}

void CEntrySections::Reserve(size_t count)
{
    constexpr size_t kLongestName = 63;
    m_names.reserve(count * kLongestName);
    m_ends.reserve(count);
    m_sections.reserve(count);
}

void CEntrySections::SetSections(const std::vector<std::optional<size_t>>& sections)
{
    for (size_t i = 0; i < m_sections.size() && i < sections.size(); ++i)
        m_sections[i] = sections[i].value_or(kNoSection);
}

void CEntrySections::Add(std::u16string_view name, std::optional<size_t> section)
{
    m_names += name;
    m_ends.push_back(m_names.size());
    m_sections.push_back(section.value_or(kNoSection));
}

std::u16string_view CEntrySections::Name(size_t index) const
{
    const size_t start = index == 0 ? 0 : m_ends[index - 1];
    return std::u16string_view(m_names).substr(start, m_ends[index] - start);
}

std::optional<size_t> CEntrySections::Section(size_t index) const
{
    return m_sections[index] == kNoSection ? std::nullopt : std::optional<size_t>(m_sections[index]);
}

void KeepParsedList(const std::u16string& path, CProfileDocument document, CEntrySections entries)
{
    tagKeptList& kept = Kept();
    std::lock_guard<std::mutex> lock(kept.mutex);
    kept.strPath = path;
    kept.document = std::move(document);
    kept.entries = std::move(entries);
}

std::string ForgetParsedList()
{
    std::optional<CProfileDocument> document;
    CEntrySections entries;
    {
        tagKeptList& kept = Kept();
        std::lock_guard<std::mutex> lock(kept.mutex);
        document.swap(kept.document);
        std::swap(entries, kept.entries);
        kept.strPath.clear();
    }
    return document ? document->ReleaseBytes() : std::string();
}

tagKeptEntries TakeKeptEntries(const std::u16string& path, const CArray<tagServer>& servers)
{
    tagKeptEntries taken;
    {
        tagKeptList& kept = Kept();
        std::lock_guard<std::mutex> lock(kept.mutex);
        if (kept.document && kept.strPath == path)
            taken.names = std::move(kept.entries);
        kept.entries = CEntrySections();
    }
    const CEntrySections& names = taken.names;
    taken.sections.resize(std::min(names.Size(), servers.size()));
    taken.bSameNames = names.Size() == servers.size();
    for (size_t i = 0; i < taken.sections.size(); ++i) {
        if (SameUnits(names.Name(i), servers[i].strServerName))
            taken.sections[i] = names.Section(i);
        else
            taken.bSameNames = false;
    }
    return taken;
}

std::optional<CProfileDocument> TakeUnchangedList(const std::u16string& path, CFileStore& files)
{
    std::optional<CProfileDocument> document;
    {
        tagKeptList& memo = Kept();
        std::lock_guard<std::mutex> lock(memo.mutex);
        if (memo.document && memo.strPath == path && memo.document->BytesAsRead())
            document.swap(memo.document);
    }
    if (!document)
        return std::nullopt;
    const tagFileMatch match = files.Compare(path, *document->BytesAsRead());
    if (match.error.Failed() || !match.bSame)
        return std::nullopt;
    return document;
}

CProfileDocument TakeParsedList(const std::u16string& path, std::string bytes, bool& kept)
{
    std::optional<CProfileDocument> document;
    {
        tagKeptList& memo = Kept();
        std::lock_guard<std::mutex> lock(memo.mutex);
        if (memo.document && memo.strPath == path)
            document = std::move(memo.document);
        memo.document.reset();
        memo.entries = CEntrySections();
    }
    kept = document && document->HoldsBytes(bytes);
    if (kept)
        return std::move(*document);
    document.reset(); // before the new one, so that two documents of the file are never held at once
    CProfileDocument parsed;
    parsed.TakeBytes(std::move(bytes));
    return parsed;
}
