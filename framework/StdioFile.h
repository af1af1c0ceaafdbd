#pragma once

#include <string>
#include <string_view>

// The framework's file error: what went wrong and with which file.
class CFileException
{
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        accessDenied,
        sharingViolation,
        diskFull,
        hardIO,
        badCodePage, // a character without a code page 936 form, either way
    };

    CFileException(int cause, std::u16string fileName, int osError = 0);

    // The cause that the platform's error number stands for.
    static int OsErrorToCause(int osError);

    // The framework's message for the cause, with the full path in place of "%1".
    std::u16string GetErrorMessage() const;

    int m_cause = none;
    std::u16string m_strFileName;
    int m_lOsError = 0;
};

// Shows the file error the way the framework's command dispatcher does: stop icon, program title.
void ReportFileException(const CFileException& error);

// Text file in code page 936: CR LF or LF on disk, LF in memory, no byte-order mark.
// Reading loads the whole file at Open; writing collects the text and replaces the file at Close,
// so a failed write leaves the old file whole. Written text is converted as the C runtime converts
// it under "chs": best-fit forms are written, only a character without any form fails the write.
class CStdioFile
{
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        shareExclusive = 0x0010,
        modeCreate = 0x1000,
        typeText = 0x4000,
    };

    CStdioFile() = default;
    // Opens or throws CFileException.
    CStdioFile(const std::u16string& fileName, unsigned openFlags);
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // False (and *error filled) when the file cannot be opened for reading.
    bool Open(const std::u16string& fileName, unsigned openFlags, CFileException* error = nullptr);

    // The next line without its line break; false at the end of the file. A line that is not code page
    // 936 throws CFileException (badCodePage).
    bool ReadString(std::u16string& line);

    void WriteString(std::u16string_view text);

    // Ends reading, or writes the collected text over the file; a failed write throws CFileException,
    // badCodePage when a character has no code page 936 form at all.
    void Close();

    const std::u16string& GetFilePath() const { return m_strFileName; }

private:
    void Flush();

    std::u16string m_strFileName;
    bool m_bOpen = false;
    bool m_bWriting = false;
    std::string m_bytes; // file content while reading
    size_t m_nReadPos = 0;
    std::u16string m_text; // collected text while writing
};
