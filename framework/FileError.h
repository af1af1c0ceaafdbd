#pragma once

#include <string>

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
    };

    int m_cause = none;
    std::u16string m_strFileName;
    int m_lOsError = 0;

    // The error for a platform error number (none for 0).
    static tagFileError FromOsError(int osError, std::u16string fileName);

    // The cause that the platform's error number stands for.
    static int OsErrorToCause(int osError);

    bool Failed() const { return m_cause != none; }

    // The framework's message for the cause, with the full path in place of "%1".
    std::u16string GetErrorMessage() const;
};
