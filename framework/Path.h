#pragma once

#include <string>
#include <string_view>

// The platform's folder separator, for paths the program shows: "/" on Linux, "\" on Windows.
#if defined(_WIN32)
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

// "/" everywhere; "\" too on Windows, which takes both.
bool IsPathSeparator(char16_t c);

// A file or folder below a folder: one native separator between them, and the "/" of a relative path
// written in the source (u"脚本代码/数据库脚本/数据库删除.sql") turned native. An empty folder gives the
// relative path alone.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view relative);

// The folder with a native separator at its end (kept when there is one already), as GetModuleDirectory
// gives it; an empty folder stays empty.
std::u16string WithTrailingSeparator(std::u16string_view folder);
