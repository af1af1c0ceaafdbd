#include "framework/Cp936.h"

#include "FuzzSupport.h"

#include <optional>

namespace {

// Bytes that decode exactly encode back to the same bytes, and the lenient decoder agrees on them.
void CheckBytes(std::string_view bytes)
{
    const std::u16string lenient = Cp936Decode(bytes);
    FUZZ_CHECK(lenient.size() <= bytes.size());
    const std::optional<std::u16string> exact = Cp936DecodeExact(bytes);
    if (!exact) {
        FUZZ_CHECK(lenient.find(u'\xFFFD') != std::u16string::npos);
        return;
    }
    FUZZ_CHECK(*exact == lenient);
    const std::optional<std::string> encoded = Cp936EncodeExact(*exact);
    FUZZ_CHECK(encoded.has_value());
    FUZZ_CHECK(*encoded == bytes);
}

// Text that encodes exactly decodes back to itself; otherwise the reported unit is the first that has
// no exact form, and everything before it encodes.
void CheckText(const std::u16string& text)
{
    size_t bad = text.size();
    const std::optional<std::string> encoded = Cp936EncodeExact(text, &bad);
    if (!encoded) {
        FUZZ_CHECK(bad < text.size());
        FUZZ_CHECK(Cp936EncodeExact(text.substr(0, bad)).has_value());
        FUZZ_CHECK(!Cp936EncodeExact(text.substr(bad, 1)).has_value());
        return;
    }
    FUZZ_CHECK(*encoded == Cp936EncodeBestFit(text));
    const std::optional<std::u16string> decoded = Cp936DecodeExact(*encoded);
    FUZZ_CHECK(decoded.has_value());
    FUZZ_CHECK(*decoded == text);
}

} // namespace

// Input: read both as code page 936 bytes and as UTF-16LE text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view bytes = AsBytes(data, size);
    CheckBytes(bytes);
    CheckText(Utf16FromBytes(bytes));
    return 0;
}
