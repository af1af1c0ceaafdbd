#include "serverlist/ParsedListMemo.h"

#include <mutex>
#include <utility>

namespace {

struct tagKeptList
{
    std::mutex mutex;
    std::u16string strPath;
    std::optional<tagParsedList> list;
};

tagKeptList& Kept()
{
    static tagKeptList kept;
    return kept;
}

} // namespace

void KeepParsedList(const std::u16string& path, tagParsedList list)
{
    tagKeptList& kept = Kept();
    std::lock_guard<std::mutex> lock(kept.mutex);
    kept.strPath = path;
    kept.list = std::move(list);
}

tagParsedList TakeParsedList(const std::u16string& path, std::string bytes)
{
    std::optional<tagParsedList> list;
    {
        tagKeptList& kept = Kept();
        std::lock_guard<std::mutex> lock(kept.mutex);
        if (kept.list && kept.strPath == path)
            list = std::move(kept.list);
        kept.list.reset();
    }
    if (list && list->document.HoldsBytes(bytes))
        return std::move(*list);
    list.reset(); // before the new one, so that two documents of the file are never held at once
    tagParsedList parsed;
    parsed.document.TakeBytes(std::move(bytes));
    return parsed;
}
