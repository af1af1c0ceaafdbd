#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What went wrong with which file, as a value that results carry up to whoever reports it.
struct tagFileError
{
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
        tooLarge,    // larger than the program reads into memory
        badName,     // a name that Windows cannot give a folder or file; the file name is that name
    };

    int m_cause = none;
    std::u16string m_strFileName;
    int m_lOsError = 0;
    // For badCodePage, where it happened, when known: the first character without a form (0 for a
    // read, where bytes have no character) and its line, counting from 1.
    char32_t m_nCharacter = 0;
    size_t m_nLine = 0;

    // The error for a platform error number (none for 0).
    static tagFileError FromOsError(int osError, std::u16string fileName);

    // badCodePage for writing `text`: names the character that starts at `index` and its line.
    static tagFileError NoCodePageForm(std::u16string fileName, std::u16string_view text, size_t index);

    // badCodePage for reading: line `line` (from 1) is not code page 936.
    static tagFileError NotCodePage(std::u16string fileName, size_t line);

    // The cause that the platform's error number stands for.
    static int OsErrorToCause(int osError);

    bool Failed() const { return m_cause != none; }

    // The framework's message for the cause, with the full path in place of "%1".
    std::u16string GetErrorMessage() const;
};
