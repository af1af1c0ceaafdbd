// Turns the table of the units that the Windows C runtime's wcstol reads as digits or white space
// (tab-separated: unit, value in base 10, value in base 16, skipped as white space) into a sorted range
// table, so the program carries it without reading files at run time.
//
// Usage: WcstolTableGenerator wcstol.tsv output.cpp

#include "TsvLines.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Range
{
    unsigned long first = 0;
    unsigned long last = 0;
    int firstDigit = -1; // -1: white space
};

// "-" or one decimal number below 16.
bool ParseValue(const std::string& text, int& value)
{
    if (text == "-") {
        value = -1;
        return true;
    }
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return value < 16;
}

// The reader takes ASCII letters as digits by itself; the table must agree with it.
bool IsAsciiHexLetter(unsigned long unit, int hex)
{
    if (unit >= 'A' && unit <= 'F')
        return hex == static_cast<int>(unit - 'A') + 10;
    if (unit >= 'a' && unit <= 'f')
        return hex == static_cast<int>(unit - 'a') + 10;
    return false;
}

class RangeBuilder
{
public:
    bool Add(const std::vector<std::string>& fields)
    {
        unsigned long unit = 0;
        int decimal = -1;
        int hex = -1;
        if (fields.size() < 4 || !ParseHex(fields[0], unit) || unit > 0xFFFF ||
            !ParseValue(fields[1], decimal) || !ParseValue(fields[2], hex) ||
            (fields[3] != "0" && fields[3] != "1") || (m_seen && unit <= m_previous))
            return false;
        m_seen = true;
        m_previous = unit;
        if (fields[3] == "1")
            return decimal < 0 && hex < 0 && Append(unit, -1);
        if (decimal < 0)
            return IsAsciiHexLetter(unit, hex);
        return decimal < 10 && hex == decimal && Append(unit, decimal);
    }

    const std::vector<Range>& Ranges() const { return m_ranges; }

private:
    // Extends the last range when the unit continues it, else starts a new one.
    bool Append(unsigned long unit, int digit)
    {
        if (!m_ranges.empty()) {
            Range& last = m_ranges.back();
            const auto offset = static_cast<int>(unit - last.first);
            const bool sameKind = (digit < 0) == (last.firstDigit < 0);
            if (unit == last.last + 1 && sameKind && (digit < 0 || digit == last.firstDigit + offset)) {
                last.last = unit;
                return true;
            }
        }
        m_ranges.push_back({unit, unit, digit});
        return true;
    }

    std::vector<Range> m_ranges;
    unsigned long m_previous = 0;
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " wcstol.tsv output.cpp\n";
        return 2;
    }
    RangeBuilder builder;
    if (!ForEachLine(argv[1], [&](const auto& f) { return builder.Add(f); }))
        return 1;

    std::ofstream out(argv[2]);
    out << "// Generated from the C runtime's wcstol table by WcstolTableGenerator; do not edit.\n\n"
        << "#include \"framework/WcstolTable.h\"\n\nnamespace crt {\n\n"
        << "const tagWcstolRange kWcstolRanges[] = {\n";
    for (const Range& range : builder.Ranges())
        out << "    {0x" << std::hex << range.first << ", 0x" << range.last << std::dec << ", "
            << range.firstDigit << "},\n";
    out << "};\n\nconst std::size_t kWcstolRangeCount = " << builder.Ranges().size() << ";\n\n"
        << "} // namespace crt\n";
    out.close();
    if (!out) {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
