#include "encrypt/Md5Text.h"

#include "FuzzSupport.h"

#include <algorithm>
#include <array>

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

    // Four pieces of the text side by side give each piece's own digest.
    std::array<std::u16string_view, kMd5Lanes> pieces;
    const std::u16string_view whole(text);
    for (size_t lane = 0; lane < kMd5Lanes; ++lane)
        pieces[lane] = whole.substr(std::min(whole.size(), whole.size() * lane / kMd5Lanes),
                                    whole.size() / kMd5Lanes + lane);
    std::array<tagMd5Hex, kMd5Lanes> digests;
    Md5HexDigitsOf(pieces, digests);
    for (size_t lane = 0; lane < kMd5Lanes; ++lane)
        FUZZ_CHECK(digests[lane].View() == Md5Hex(pieces[lane]));
    return 0;
}
