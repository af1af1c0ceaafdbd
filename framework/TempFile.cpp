#include "framework/TempFile.h"

#include <utility>

namespace {

constexpr size_t kRandomPartLength = 6; // mkostemp's "XXXXXX"

bool IsAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

CTempFile::~CTempFile()
{
    Discard();
}

CTempFile::CTempFile(CTempFile&& other) noexcept
    : m_strPath(std::move(other.m_strPath)), m_hFile(std::exchange(other.m_hFile, kNoFile)),
      m_nOwner(other.m_nOwner), m_nGroup(other.m_nGroup), m_bRenamed(other.m_bRenamed)
{
    other.m_strPath.clear();
}

CTempFile& CTempFile::operator=(CTempFile&& other) noexcept
{
    if (this != &other) {
        Discard();
        m_strPath = std::exchange(other.m_strPath, std::string());
        m_hFile = std::exchange(other.m_hFile, kNoFile);
        m_nOwner = other.m_nOwner;
        m_nGroup = other.m_nGroup;
        m_bRenamed = other.m_bRenamed;
    }
    return *this;
}

bool IsTempFileName(std::string_view name)
{
    if (name.substr(0, kTempFilePrefix.size()) != kTempFilePrefix)
        return false;
    std::string_view rest = name.substr(kTempFilePrefix.size());
    size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
        ++digits;
    if (digits == 0 || digits >= rest.size() || rest[digits] != '-')
        return false;
    std::string_view random = rest.substr(digits + 1);
    if (random.size() != kRandomPartLength)
        return false;
    for (char c : random) {
        if (!IsAsciiAlnum(c))
            return false;
    }
    return true;
}
