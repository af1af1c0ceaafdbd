#include "framework/PrivateProfile.h"

#include "framework/ProfileFile.h"

namespace {

std::u16string_view TrimTrailingBlanks(std::u16string_view text)
{
    while (!text.empty() && (text.back() == u' ' || (text.back() >= u'\t' && text.back() <= u'\r')))
        text.remove_suffix(1);
    return text;
}

} // namespace

unsigned GetPrivateProfileIntW(std::u16string_view section, std::u16string_view key, int defaultValue,
                               const std::u16string& path)
{
    CProfileDocument document;
    document.Load(path);
    return static_cast<unsigned>(document.GetInt(section, key, defaultValue));
}

std::u16string GetPrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                        std::u16string_view defaultValue, const std::u16string& path)
{
    CProfileDocument document;
    document.Load(path);
    std::optional<std::u16string> value = document.GetString(section, key);
    return value ? *value : std::u16string(TrimTrailingBlanks(defaultValue));
}

bool WritePrivateProfileStringW(std::u16string_view section, std::u16string_view key,
                                std::u16string_view value, const std::u16string& path)
{
    CProfileDocument document;
    if (document.Load(path).Failed())
        return false;
    document.SetString(section, key, value);
    return !document.Save(path).Failed();
}
