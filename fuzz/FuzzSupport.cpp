#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

std::string_view AsBytes(const std::uint8_t* data, size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

std::u16string WidenBytes(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text.push_back(static_cast<unsigned char>(byte));
    return text;
}

std::u16string Utf16FromBytes(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}

std::u16string PlainName(std::string_view bytes)
{
    static constexpr char16_t kAlphabet[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    constexpr size_t kLetters = sizeof(kAlphabet) / sizeof(kAlphabet[0]) - 1;
    std::u16string name;
    name.reserve(bytes.size());
    for (char byte : bytes)
        name.push_back(kAlphabet[static_cast<unsigned char>(byte) % kLetters]);
    return name;
}

void FuzzFail(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::abort();
}
