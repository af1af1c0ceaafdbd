#include "serverlist/ParsedListMemo.h"

#include <mutex>
#include <utility>

namespace {

struct tagKeptList
{
    std::mutex mutex;
    std::u16string strPath;
    std::optional<CProfileDocument> document;
    std::vector<tagEntrySection> entries;
};

tagKeptList& Kept()
{
    static tagKeptList kept;
    return kept;
}

} // namespace

void KeepParsedList(const std::u16string& path, CProfileDocument document,
                    std::vector<tagEntrySection> entries)
{
    tagKeptList& kept = Kept();
    std::lock_guard<std::mutex> lock(kept.mutex);
    kept.strPath = path;
    kept.document = std::move(document);
    kept.entries = std::move(entries);
}

std::vector<std::optional<size_t>> TakeKeptSections(const std::u16string& path,
                                                    const CArray<tagServer>& servers)
{
    std::vector<tagEntrySection> entries;
    {
        tagKeptList& kept = Kept();
        std::lock_guard<std::mutex> lock(kept.mutex);
        if (kept.document && kept.strPath == path)
            entries = std::move(kept.entries);
        kept.entries.clear();
    }
    std::vector<std::optional<size_t>> sections(std::min(entries.size(), servers.size()));
    for (size_t i = 0; i < sections.size(); ++i) {
        if (entries[i].strName == servers[i].strServerName)
            sections[i] = entries[i].section;
    }
    return sections;
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
        memo.entries.clear();
    }
    kept = document && document->HoldsBytes(bytes);
    if (kept)
        return std::move(*document);
    document.reset(); // before the new one, so that two documents of the file are never held at once
    CProfileDocument parsed;
    parsed.TakeBytes(std::move(bytes));
    return parsed;
}
