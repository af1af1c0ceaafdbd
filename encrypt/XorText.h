#pragma once

#include "framework/Reporter.h"

#include <string>
#include <string_view>

// The XOR text cipher of the platform's client files: every key that decoding needs travels inside the
// XOR text, as groups of four hexadecimal digits. Refusals go to the reporter and give "".

// Encodes a text of at most 63 characters; draws fresh keys from the program's random generator.
std::u16string XorEncrypt(std::u16string_view text, CReporter& reporter);

// The same, with the XOR text (hexadecimal digits only) put into `out` as ASCII bytes, ready for a file
// in a byte encoding; `out` is emptied on refusal.
void XorEncryptAscii(std::u16string_view text, CReporter& reporter, std::string& out);

// The length of the XOR text that encoding `text` gives; 0 when that text is empty or refused.
size_t XorTextLength(std::u16string_view text);

// The XOR text, with the same draws, written into `out`, which has room for XorTextLength(text) bytes:
// for a file's bytes that take the new value in place. Writes nothing when that length is 0.
void XorEncryptAsciiTo(std::u16string_view text, char* out);

// Decodes an XOR text of 64 to 512 characters.
std::u16string XorDecrypt(std::u16string_view text, CReporter& reporter);

// The same for an XOR text given as bytes that are all ASCII, each byte the character it encodes.
std::u16string XorDecryptAscii(std::string_view text, CReporter& reporter);

// Decodes the text into `out` when decoding reports nothing, so that it may be decoded ahead of its
// turn; false, with `out` untouched, when it would report something.
bool XorDecryptQuietly(std::u16string_view text, std::u16string& out);
bool XorDecryptAsciiQuietly(std::string_view text, std::u16string& out);

// Decodes bytes that hold an XOR text of plain hexadecimal digits, as every encoder writes it, when
// decoding reports nothing: the bytes are read once. False, with `out` untouched, for any other bytes,
// which the forms above decode.
bool XorDecryptPlainQuietly(std::string_view bytes, std::u16string& out);
