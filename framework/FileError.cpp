#include "framework/FileError.h"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

std::u16string ReplacePathMark(std::u16string_view pattern, const std::u16string& path)
{
    std::u16string text(pattern);
    size_t at = text.find(u"%1");
    if (at != std::u16string::npos)
        text.replace(at, 2, path);
    return text;
}

} // namespace

tagFileError tagFileError::FromOsError(int osError, std::u16string fileName)
{
    return tagFileError{OsErrorToCause(osError), std::move(fileName), osError};
}

tagFileError tagFileError::NoCodePageForm(std::u16string fileName, std::u16string_view text, size_t index)
{
    tagFileError error{badCodePage, std::move(fileName), 0};
    if (index >= text.size())
        return error;
    char32_t unit = text[index];
    bool pair = unit >= 0xD800 && unit < 0xDC00 && index + 1 < text.size() && text[index + 1] >= 0xDC00 &&
                text[index + 1] < 0xE000;
    error.m_nCharacter = pair ? 0x10000 + ((unit - 0xD800) << 10) + (text[index + 1] - 0xDC00) : unit;
    auto before = text.substr(0, index);
    error.m_nLine = 1 + static_cast<size_t>(std::count(before.begin(), before.end(), u'\n'));
    return error;
}

tagFileError tagFileError::NotCodePage(std::u16string fileName, size_t line)
{
    tagFileError error{badCodePage, std::move(fileName), 0};
    error.m_nLine = line;
    return error;
}

int tagFileError::OsErrorToCause(int osError)
{
    switch (osError) {
    case 0:
        return none;
    case ENOENT:
    case ENOTDIR:
    case EINVAL:
    case ENAMETOOLONG:
    case ELOOP:
        return badPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: // Windows refuses to open a folder as a file with "access denied"
        return accessDenied;
    case ETXTBSY:
    case EBUSY:
    case EWOULDBLOCK: // another writer holds the file's lock
        return sharingViolation;
    case EIO:
        return hardIO;
    default: // ENOSPC, EDQUOT, EFBIG (the file-size limit) and the rest: the write did not fit
        return diskFull;
    }
}

std::u16string tagFileError::GetErrorMessage() const
{
    switch (m_cause) {
    case fileNotFound:
    case badPath:
    case badName:
        return ReplacePathMark(u"%1 包含错误的路径。", m_strFileName);
    case accessDenied:
        return ReplacePathMark(u"拒绝访问 %1。", m_strFileName);
    case sharingViolation:
        return ReplacePathMark(u"访问 %1 时遇到了共享冲突。", m_strFileName);
    case badCodePage:
        return ReplacePathMark(u"%1 中有无法转换为代码页 936 的字符。", m_strFileName);
    case tooLarge:
        return ReplacePathMark(u"%1 太大，超过 1 GiB，无法读取。", m_strFileName);
    default:
        return ReplacePathMark(u"访问 %1 时磁盘已满。", m_strFileName);
    }
}
