#pragma once

#include "framework/Cp936.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

// Text as the platform's deployment files hold it: code page 936 with CR LF.
inline std::string ToDiskText(std::u16string_view text)
{
    std::optional<std::string> bytes = Cp936EncodeExact(text);
    EXPECT_TRUE(bytes.has_value());
    std::string out;
    for (char c : bytes.value_or(std::string())) {
        if (c == '\n')
            out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

// Text as UTF-16LE bytes, without a byte order mark.
inline std::string Utf16Le(std::u16string_view text)
{
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}
