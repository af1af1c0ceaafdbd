#pragma once

#include "framework/Reporter.h"

#include <string>
#include <string_view>

// A text-to-text operation of the encryption tool that may refuse its text with a message.
using TextCodec = std::u16string (*)(std::u16string_view, CReporter&);

// A codec that never refuses, in that shape.
template <std::u16string (*Codec)(std::u16string_view)>
std::u16string NeverRefuses(std::u16string_view text, CReporter&)
{
    return Codec(text);
}
