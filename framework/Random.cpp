#include "framework/Random.h"

#include <cstdint>

namespace {

std::uint32_t& State()
{
    static std::uint32_t state = 1;
    return state;
}

} // namespace

int CrtRand()
{
    State() = State() * 214013u + 2531011u;
    return static_cast<int>((State() >> 16) & 0x7FFFu);
}

void CrtResetRandom()
{
    State() = 1;
}
