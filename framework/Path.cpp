#include "framework/Path.h"

namespace {

std::u16string Native(std::u16string_view path)
{
    std::u16string out(path);
    for (char16_t& c : out) {
        if (IsPathSeparator(c))
            c = kPathSeparator;
    }
    return out;
}

} // namespace

bool IsPathSeparator(char16_t c)
{
    return c == u'/' || (kPathSeparator == u'\\' && c == u'\\');
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view relative)
{
    if (folder.empty())
        return Native(relative);
    while (!relative.empty() && IsPathSeparator(relative.front()))
        relative.remove_prefix(1);
    return WithTrailingSeparator(folder) + Native(relative);
}

std::u16string WithTrailingSeparator(std::u16string_view folder)
{
    std::u16string out(folder);
    if (!out.empty() && !IsPathSeparator(out.back()))
        out += kPathSeparator;
    return out;
}
