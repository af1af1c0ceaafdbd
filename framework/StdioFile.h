#pragma once

#include "framework/FileError.h"
#include "framework/FileStore.h"

#include <optional>
#include <string>
#include <string_view>

// The framework's file error, thrown only where its command dispatcher reports it.
class CFileException : public tagFileError
{
public:
    CFileException(int cause, std::u16string fileName, int osError = 0)
        : tagFileError{cause, std::move(fileName), osError}
    {
    }
    explicit CFileException(tagFileError error) : tagFileError(std::move(error)) {}
};

// Shows the file error the way the framework's command dispatcher does: stop icon, program title.
void ReportFileException(const tagFileError& error);

// A text's bytes in a text file: code page 936 with CR LF, converted as the C runtime converts it under
// "chs" (best-fit forms are written); nothing when a character has no form there at all, whose index
// then goes to *badIndex.
std::optional<std::string> EncodeTextFile(std::u16string_view text, size_t* badIndex = nullptr);

// Text file in code page 936: CR LF or LF on disk, LF in memory, no byte-order mark. Reading loads the
// whole file at Open; writing collects the text and replaces the file at Close, so a failed write
// leaves the old file whole. The file goes through a file store: the disk, or a dry run's sandbox.
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

    explicit CStdioFile(CFileStore& files = DiskStore()) : m_files(files) {}
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // False (and *error filled) when the file cannot be opened for reading.
    bool Open(const std::u16string& fileName, unsigned openFlags, tagFileError* error = nullptr);

    // The next line without its line break; false at the end of the file, and at a line that is not
    // code page 936, which GetError() then names.
    bool ReadString(std::u16string& line);

    void WriteString(std::u16string_view text);

    // Ends reading, or writes the collected text over the file. The error of a failed write, or of a
    // line that could not be read.
    tagFileError Close(Durability durability = Durability::flushed);

    const tagFileError& GetError() const { return m_error; }
    const std::u16string& GetFilePath() const { return m_strFileName; }

private:
    tagFileError Flush(Durability durability);

    CFileStore& m_files;
    std::u16string m_strFileName;
    bool m_bOpen = false;
    bool m_bWriting = false;
    std::string m_bytes; // file content while reading
    size_t m_nReadPos = 0;
    size_t m_nLinesRead = 0;
    std::u16string m_text; // collected text while writing
    tagFileError m_error;
};
