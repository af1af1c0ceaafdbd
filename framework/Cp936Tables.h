#pragma once

#include <cstdint>

// Lookup arrays generated at build time from Windows' code page 936 tables (framework/cp936/).
namespace cp936 {

// Code unit of each byte 80-FF that is a character by itself; 0 when it is none.
extern const std::uint16_t kSingleByte[128];
// 1 for each byte 80-FF that begins a two-byte character.
extern const std::uint8_t kLeadByte[128];
// Code unit of each two-byte sequence, indexed (lead - 0x80) * 256 + trail; 0 when it does not decode.
extern const std::uint16_t kDoubleByte[128 * 256];
// Bytes of each code unit 0080-FFFF under the default conversion: one byte when below 0x100,
// lead and trail otherwise, 0 for the default character "?".
extern const std::uint16_t kEncode[65536];
// One bit per code unit whose bytes decode back to it.
extern const std::uint32_t kExact[2048];

} // namespace cp936
