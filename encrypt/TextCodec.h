#pragma once

#include "framework/Reporter.h"

#include <string>
#include <utility>

// A text-to-text operation of the encryption tool that may refuse its text with a message.
using TextCodec = std::u16string (*)(std::u16string, CReporter&);

// A codec that never refuses, in that shape.
template <std::u16string (*Codec)(std::u16string)>
std::u16string NeverRefuses(std::u16string text, CReporter&)
{
    return Codec(std::move(text));
}
