#include "cli/FileErrorCause.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string CodePageCause(const tagFileError& error)
{
    const std::string line = " at line " + std::to_string(error.m_nLine);
    if (error.m_nCharacter != 0) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(error.m_nCharacter));
        return std::string("a character has no code page 936 form: ") + code + (error.m_nLine ? line : "");
    }
    if (error.m_nLine != 0)
        return "not code page 936 text" + line;
    return "holds text without a code page 936 form";
}

// Causes that carry no error number of the platform.
std::string CauseWithoutNumber(const tagFileError& error)
{
    switch (error.m_cause) {
    case tagFileError::badCodePage:
        return CodePageCause(error);
    case tagFileError::badName:
        return "not a name that Windows can give a folder or file";
    case tagFileError::tooLarge:
        return "larger than 1 GiB, the most the program reads";
    case tagFileError::accessDenied:
        return "access denied";
    case tagFileError::sharingViolation:
        return "in use by another program";
    default:
        return "could not be read or written";
    }
}

} // namespace

std::string FileErrorCause(const tagFileError& error)
{
    if (error.m_lOsError == 0 || error.m_cause == tagFileError::tooLarge)
        return CauseWithoutNumber(error);
    // The lock of the file's folder, which every writer of the server list takes, stayed taken.
    if (error.m_lOsError == EBUSY || error.m_lOsError == EWOULDBLOCK)
        return "in use: another program holds the lock of its folder, or the file itself";
    return std::strerror(error.m_lOsError);
}
