#include "framework/AsciiRun.h"

#include <type_traits>

namespace {

// Whether every unit of the whole blocks of 16 at the start is ASCII.
template <typename Unit> bool BlocksAreAscii(const Unit* units, size_t count)
{
    // The accumulator types that GCC vectorizes the loop with.
    using Any = std::conditional_t<sizeof(Unit) == 1, unsigned char, unsigned>;
    const size_t blocks = count & ~size_t{15};
    Any any = 0;
    for (size_t i = 0; i < blocks; ++i)
        any |= units[i];
    return any < 0x80;
}

template <typename Unit> size_t Prefix(const Unit* units, size_t count)
{
    size_t i = BlocksAreAscii(units, count) ? (count & ~size_t{15}) : 0;
    while (i < count && static_cast<unsigned>(units[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

size_t AsciiPrefix(std::string_view bytes)
{
    return Prefix(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

size_t AsciiPrefix(std::u16string_view text)
{
    return Prefix(text.data(), text.size());
}

void WidenAscii(const char* __restrict bytes, char16_t* __restrict units, size_t count)
{
    const size_t blocks = count & ~size_t{15};
    for (size_t i = 0; i < blocks; ++i)
        units[i] = static_cast<unsigned char>(bytes[i]);
    for (size_t i = blocks; i < count; ++i)
        units[i] = static_cast<unsigned char>(bytes[i]);
}

void NarrowAscii(const char16_t* __restrict units, char* __restrict bytes, size_t count)
{
    const size_t blocks = count & ~size_t{15};
    for (size_t i = 0; i < blocks; ++i)
        bytes[i] = static_cast<char>(units[i]);
    for (size_t i = blocks; i < count; ++i)
        bytes[i] = static_cast<char>(units[i]);
}
