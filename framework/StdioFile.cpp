#include "framework/StdioFile.h"

#include "framework/Cp936.h"
#include "framework/MessageBox.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// In memory every line ends with LF; on disk with CR LF. LF never occurs inside a double-byte
// character of code page 936, so the bytes can be widened after encoding: the text between two LFs is
// copied whole.
std::string ToCrLf(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')));
    for (size_t start = 0; start < bytes.size();) {
        size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            out.append(bytes.substr(start));
            break;
        }
        out.append(bytes.substr(start, lf - start));
        out += "\r\n";
        start = lf + 1;
    }
    return out;
}

} // namespace

std::optional<std::string> EncodeTextFile(std::u16string_view text, size_t* badIndex)
{
    std::optional<std::string> bytes = Cp936EncodeForFile(text, badIndex);
    if (!bytes)
        return std::nullopt;
    return ToCrLf(*bytes);
}

void ReportFileException(const tagFileError& error)
{
    AfxMessageBox(error.GetErrorMessage(), MB_ICONSTOP);
}

bool CStdioFile::Open(const std::u16string& fileName, unsigned openFlags, tagFileError* error)
{
    m_strFileName = fileName;
    m_bytes.clear();
    m_text.clear();
    m_nReadPos = 0;
    m_nLinesRead = 0;
    m_error = {};
    m_bWriting = (openFlags & (modeWrite | modeCreate)) != 0;
    if (!m_bWriting) {
        tagFileBytes read = m_files.Read(fileName);
        if (read.error.Failed()) {
            if (error)
                *error = read.error;
            m_bOpen = false;
            return false;
        }
        m_bytes = std::move(read.bytes);
    }
    m_bOpen = true;
    return true;
}

bool CStdioFile::ReadString(std::u16string& line)
{
    if (!m_bOpen || m_bWriting || m_error.Failed() || m_nReadPos >= m_bytes.size())
        return false;
    size_t end = m_bytes.find('\n', m_nReadPos);
    size_t next = end == std::string::npos ? m_bytes.size() : end + 1;
    if (end == std::string::npos)
        end = m_bytes.size();
    else if (end > m_nReadPos && m_bytes[end - 1] == '\r')
        --end;
    std::string_view bytes(m_bytes.data() + m_nReadPos, end - m_nReadPos);
    m_nReadPos = next;
    ++m_nLinesRead;
    std::optional<std::u16string> text = Cp936DecodeExact(bytes);
    if (!text) {
        m_error = tagFileError::NotCodePage(m_strFileName, m_nLinesRead);
        return false;
    }
    line = std::move(*text);
    return true;
}

void CStdioFile::WriteString(std::u16string_view text)
{
    if (m_bOpen && m_bWriting)
        m_text.append(text);
}

tagFileError CStdioFile::Close(Durability durability)
{
    if (!m_bOpen)
        return m_error;
    m_bOpen = false;
    m_bytes.clear();
    if (m_bWriting)
        m_error = Flush(durability);
    return m_error;
}

tagFileError CStdioFile::Flush(Durability durability)
{
    std::u16string text = std::exchange(m_text, std::u16string());
    size_t bad = 0;
    std::optional<std::string> bytes = EncodeTextFile(text, &bad);
    if (!bytes)
        return tagFileError::NoCodePageForm(m_strFileName, text, bad);
    return m_files.Replace(m_strFileName, *bytes, durability);
}
