#include "encrypt/Md5Text.h"

#include "FuzzSupport.h"

#include <algorithm>

// Input: UTF-16LE code units, so that characters without a code page 936 form come up too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::u16string text = Utf16FromBytes(AsBytes(data, size));
    const std::u16string digest = Md5Hex(text);
    FUZZ_CHECK(digest.size() == 32);
    FUZZ_CHECK(std::all_of(digest.begin(), digest.end(),
                           [](char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'); }));
    // No character but U+0000 encodes to a zero byte, and the message ends at the first zero byte.
    FUZZ_CHECK(Md5Hex(text + u'\0' + u"tail") == digest);
    return 0;
}
