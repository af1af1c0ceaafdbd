#include "serverlist/SaveFailure.h"

#include "framework/Format.h"

#include <cerrno>
#include <cstdint>

namespace {

// Why a save did not reach the disk, in the operator's words.
std::u16string SaveFailureReason(const tagFileError& error)
{
    if (error.m_cause == tagFileError::badName)
        return u"这个名称在Windows上不能用作文件夹名";
    switch (error.m_lOsError) {
    case EACCES:
    case EPERM:
    case EROFS:
        return u"没有写入权限（文件只读或所在目录不允许写入）";
    case ENOENT:
    case ENOTDIR:
        return u"所在目录不存在";
    case EISDIR:
        return u"该路径是一个目录";
    case ENOSPC:
    case EDQUOT:
        return u"磁盘空间不足";
    case ENAMETOOLONG:
        return u"路径太长";
    case EBUSY:
        return u"另一个程序正在保存这个文件，请稍后再试";
    case EFBIG:
        return u"文件超过了允许的大小";
    default:
        return FormatW(u"系统错误代码 %d", {std::int64_t(error.m_lOsError)});
    }
}

} // namespace

void ReportSaveFailure(CReporter& reporter, const tagFileError& error)
{
    std::u16string text = FormatW(u"无法写入 %s\n原因：%s\n原来的文件没有改动，请检查后重新保存",
                                  {error.m_strFileName, SaveFailureReason(error)});
    reporter.Message(text, u"ServerInfo.ini保存失败", MB_OK | MB_ICONEXCLAMATION);
    reporter.Detail(error);
}
