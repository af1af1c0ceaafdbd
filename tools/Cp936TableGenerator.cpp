// Turns Windows' code page 936 tables (tab-separated, hex) into C++ lookup arrays, so the program
// carries the tables without reading files at run time.
//
// Usage: Cp936TableGenerator decode.tsv encode-bestfit.tsv output.cpp

#include "TsvLines.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Tables
{
    std::array<std::uint16_t, 128> singleByte{}; // bytes 80-FF that decode alone
    std::vector<std::uint16_t> doubleByte = std::vector<std::uint16_t>(128 * 256); // (lead-80)*256+trail
    std::array<std::uint8_t, 128> leadByte{};
    std::vector<std::uint16_t> encode = std::vector<std::uint16_t>(65536); // 0: default character
    std::array<std::uint32_t, 2048> exact{};
};

bool AddDecodeLine(Tables& tables, const std::vector<std::string>& fields)
{
    unsigned long bytes = 0;
    unsigned long unit = 0;
    if (fields.size() < 2 || !ParseHex(fields[0], bytes) || !ParseHex(fields[1], unit) || unit > 0xFFFF ||
        unit == 0)
        return false;
    if (fields[0].size() == 2 && bytes >= 0x80) {
        tables.singleByte[bytes - 0x80] = static_cast<std::uint16_t>(unit);
        return true;
    }
    if (fields[0].size() != 4 || bytes < 0x8000)
        return false;
    tables.doubleByte[bytes - 0x8000] = static_cast<std::uint16_t>(unit);
    tables.leadByte[(bytes >> 8) - 0x80] = 1;
    return true;
}

bool AddEncodeLine(Tables& tables, const std::vector<std::string>& fields)
{
    unsigned long unit = 0;
    unsigned long bytes = 0;
    if (fields.size() < 3 || !ParseHex(fields[0], unit) || unit > 0xFFFF || !ParseHex(fields[1], bytes) ||
        (fields[1].size() != 2 && fields[1].size() != 4) || bytes == 0)
        return false;
    tables.encode[unit] = static_cast<std::uint16_t>(bytes);
    if (fields[2] == "exact")
        tables.exact[unit / 32] |= 1u << (unit % 32);
    else if (fields[2] != "bestfit")
        return false;
    return true;
}

template <typename Container>
void WriteArray(std::ostream& out, const char* type, const char* name, const Container& values)
{
    out << "extern const " << type << " " << name << "[" << values.size() << "];\n";
    out << "const " << type << " " << name << "[" << values.size() << "] = {";
    char buffer[16];
    for (size_t i = 0; i < values.size(); ++i) {
        if (i % 16 == 0)
            out << "\n   ";
        std::snprintf(buffer, sizeof buffer, " 0x%lX,", static_cast<unsigned long>(values[i]));
        out << buffer;
    }
    out << "\n};\n\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: " << argv[0] << " decode.tsv encode-bestfit.tsv output.cpp\n";
        return 2;
    }
    Tables tables;
    if (!ForEachLine(argv[1], [&](const auto& f) { return AddDecodeLine(tables, f); }) ||
        !ForEachLine(argv[2], [&](const auto& f) { return AddEncodeLine(tables, f); }))
        return 1;

    std::ofstream out(argv[3]);
    out << "// Generated from Windows' code page 936 tables by Cp936TableGenerator; do not edit.\n\n"
        << "#include <cstdint>\n\nnamespace cp936 {\n\n";
    WriteArray(out, "std::uint16_t", "kSingleByte", tables.singleByte);
    WriteArray(out, "std::uint8_t", "kLeadByte", tables.leadByte);
    WriteArray(out, "std::uint16_t", "kDoubleByte", tables.doubleByte);
    WriteArray(out, "std::uint16_t", "kEncode", tables.encode);
    WriteArray(out, "std::uint32_t", "kExact", tables.exact);
    out << "} // namespace cp936\n";
    out.close();
    if (!out) {
        std::cerr << "cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
