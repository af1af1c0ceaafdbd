#include "framework/WriteLog.h"

void CWriteLog::Add(const std::u16string& path, std::string_view bytes)
{
    auto [entry, added] = m_files.insert_or_assign(path, std::string(bytes));
    if (added)
        m_order.push_back(path);
}

const std::string* CWriteLog::Find(const std::u16string& path) const
{
    auto found = m_files.find(path);
    return found == m_files.end() ? nullptr : &found->second;
}

std::vector<tagFileWrite> CWriteLog::Writes() const
{
    std::vector<tagFileWrite> writes;
    writes.reserve(m_order.size());
    for (const std::u16string& path : m_order)
        writes.push_back({path, m_files.at(path)});
    return writes;
}
