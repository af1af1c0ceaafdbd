#pragma once

#include "framework/FileStore.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The files a run wrote: each path once, in the order of its first write, with the content it was
// last given.
class CWriteLog
{
public:
    void Add(const std::u16string& path, std::string_view bytes);

    // The last content written to `path`, or nothing when the run has not written it.
    const std::string* Find(const std::u16string& path) const;

    std::vector<tagFileWrite> Writes() const;

private:
    std::vector<std::u16string> m_order;
    std::map<std::u16string, std::string> m_files;
};
