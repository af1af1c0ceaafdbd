#pragma once

#include "framework/FileError.h"

#include <string>

// What made a file operation fail, in plain words: the platform's text for its error number ("No such
// file or directory"), or what the cause means where there is no number (a character without a code
// page 936 form, with the character and its line when known). The system's own messages keep the
// framework's texts, which name some causes loosely ("包含错误的路径" for a missing file).
std::string FileErrorCause(const tagFileError& error);
