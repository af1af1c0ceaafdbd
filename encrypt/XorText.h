#pragma once

#include "framework/Reporter.h"

#include <string>
#include <string_view>

// The XOR text cipher of the platform's client files: every key that decoding needs travels inside the
// XOR text, as groups of four hexadecimal digits. Refusals go to the reporter and give "".

// Encodes a text of at most 63 characters; draws fresh keys from the program's random generator.
std::u16string XorEncrypt(std::u16string_view text, CReporter& reporter);

// Decodes an XOR text of 64 to 512 characters.
std::u16string XorDecrypt(std::u16string_view text, CReporter& reporter);
