#include "framework/StdioFile.h"

#include "framework/Cp936.h"
#include "framework/FileSystem.h"
#include "framework/MessageBox.h"

#include <cerrno>
#include <optional>
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

// In memory every line ends with LF; on disk with CR LF. LF never occurs inside a double-byte
// character of code page 936, so the bytes can be widened after encoding.
std::string ToCrLf(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (char c : bytes) {
        if (c == '\n')
            out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

} // namespace

CFileException::CFileException(int cause, std::u16string fileName, int osError)
    : m_cause(cause), m_strFileName(std::move(fileName)), m_lOsError(osError)
{
}

int CFileException::OsErrorToCause(int osError)
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
        return sharingViolation;
    case EIO:
        return hardIO;
    default:
        return diskFull;
    }
}

std::u16string CFileException::GetErrorMessage() const
{
    switch (m_cause) {
    case fileNotFound:
    case badPath:
        return ReplacePathMark(u"%1 包含错误的路径。", m_strFileName);
    case accessDenied:
        return ReplacePathMark(u"拒绝访问 %1。", m_strFileName);
    case sharingViolation:
        return ReplacePathMark(u"访问 %1 时遇到了共享冲突。", m_strFileName);
    case badCodePage:
        return ReplacePathMark(u"%1 中有无法转换为代码页 936 的字符。", m_strFileName);
    default:
        return ReplacePathMark(u"访问 %1 时磁盘已满。", m_strFileName);
    }
}

void ReportFileException(const CFileException& error)
{
    AfxMessageBox(error.GetErrorMessage(), MB_ICONSTOP);
}

CStdioFile::CStdioFile(const std::u16string& fileName, unsigned openFlags)
{
    CFileException error(CFileException::none, fileName);
    if (!Open(fileName, openFlags, &error))
        throw error;
}

// Like the framework's Abort: text that was never closed is not written.
CStdioFile::~CStdioFile() = default;

bool CStdioFile::Open(const std::u16string& fileName, unsigned openFlags, CFileException* error)
{
    m_strFileName = fileName;
    m_bytes.clear();
    m_text.clear();
    m_nReadPos = 0;
    m_bWriting = (openFlags & (modeWrite | modeCreate)) != 0;
    if (!m_bWriting) {
        int osError = 0;
        std::optional<std::string> bytes = ReadFileBytes(fileName, &osError);
        if (!bytes) {
            if (error)
                *error = CFileException(CFileException::OsErrorToCause(osError), fileName, osError);
            m_bOpen = false;
            return false;
        }
        m_bytes = std::move(*bytes);
    }
    m_bOpen = true;
    return true;
}

bool CStdioFile::ReadString(std::u16string& line)
{
    if (!m_bOpen || m_bWriting || m_nReadPos >= m_bytes.size())
        return false;
    size_t end = m_bytes.find('\n', m_nReadPos);
    size_t next = end == std::string::npos ? m_bytes.size() : end + 1;
    if (end == std::string::npos)
        end = m_bytes.size();
    else if (end > m_nReadPos && m_bytes[end - 1] == '\r')
        --end;
    std::string_view bytes(m_bytes.data() + m_nReadPos, end - m_nReadPos);
    m_nReadPos = next;
    std::optional<std::u16string> text = Cp936DecodeExact(bytes);
    if (!text)
        throw CFileException(CFileException::badCodePage, m_strFileName);
    line = std::move(*text);
    return true;
}

void CStdioFile::WriteString(std::u16string_view text)
{
    if (m_bOpen && m_bWriting)
        m_text.append(text);
}

void CStdioFile::Close()
{
    if (!m_bOpen)
        return;
    m_bOpen = false;
    m_bytes.clear();
    if (m_bWriting)
        Flush();
}

void CStdioFile::Flush()
{
    std::u16string text = std::exchange(m_text, std::u16string());
    std::optional<std::string> bytes = Cp936EncodeForFile(text);
    if (!bytes)
        throw CFileException(CFileException::badCodePage, m_strFileName);
    int osError = ReplaceFileContents(m_strFileName, ToCrLf(*bytes));
    if (osError != 0)
        throw CFileException(CFileException::OsErrorToCause(osError), m_strFileName, osError);
}
