#include "framework/Cp936.h"
#include "framework/Random.h"

#include "support/WindowsProfileWin32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>
#include <windows.h>

// Our own code page 936 and C runtime generator against Windows' (or Wine's) own, everywhere: every
// UTF-16 code unit, every byte and every pair of bytes, the generator's first 100,000 draws.

namespace {

constexpr UINT kCodePage936 = 936;

// Wine 8 counts U+F8F5 -> FF as exact under WC_NO_BEST_FIT_CHARS, though FF does not decode (there or
// on Windows); Windows gives the default character. Our tables are Windows'.
constexpr char16_t kWineExactOnly[] = {u'\uF8F5'};

bool IsKnownWineDifference(char16_t unit)
{
    return RunningUnderWine() &&
           std::find(std::begin(kWineExactOnly), std::end(kWineExactOnly), unit) != std::end(kWineExactOnly);
}

// Collects the first few differences, so that a failure shows where without flooding the log.
class CDifferences
{
public:
    void Add(const std::string& what)
    {
        if (m_nCount++ < 20)
            m_list << what << '\n';
    }
    size_t Count() const { return m_nCount; }
    std::string List() const { return m_list.str(); }

private:
    size_t m_nCount = 0;
    std::ostringstream m_list;
};

std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        out += digits[static_cast<unsigned char>(c) >> 4];
        out += digits[static_cast<unsigned char>(c) & 15];
        out += ' ';
    }
    return out.empty() ? "(none)" : out;
}

std::string Unit(unsigned value)
{
    char name[8];
    std::snprintf(name, sizeof name, "U+%04X", value);
    return name;
}

std::string WindowsEncode(wchar_t unit, DWORD flags, BOOL* usedDefault)
{
    char buffer[8];
    int n = ::WideCharToMultiByte(kCodePage936, flags, &unit, 1, buffer, sizeof buffer, nullptr, usedDefault);
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

// Nothing when the bytes are not valid code page 936.
std::optional<std::u16string> WindowsDecodeExact(const std::string& bytes)
{
    wchar_t buffer[8];
    int n = ::MultiByteToWideChar(kCodePage936, MB_ERR_INVALID_CHARS, bytes.data(),
                                  static_cast<int>(bytes.size()), buffer, 8);
    if (n <= 0)
        return std::nullopt;
    return std::u16string(buffer, buffer + n);
}

void CompareDecoding(const std::string& bytes, CDifferences& differences)
{
    std::optional<std::u16string> windows = WindowsDecodeExact(bytes);
    if (Cp936DecodeExact(bytes) != windows)
        differences.Add("decode " + Hex(bytes));
    // Where Windows refuses the bytes, the lenient decoder marks them; elsewhere it agrees.
    std::u16string lenient = Cp936Decode(bytes);
    if (windows ? lenient != *windows : lenient.find(u'\uFFFD') == std::u16string::npos)
        differences.Add("lenient decode " + Hex(bytes));
}

TEST(Cp936AgainstWindows, EveryCodeUnitEncodesAsWideCharToMultiByte)
{
    CDifferences bestFit;
    CDifferences exact;
    for (unsigned value = 0; value <= 0xFFFF; ++value) {
        const char16_t unit = static_cast<char16_t>(value);
        const std::u16string text(1, unit);
        std::string windows = WindowsEncode(static_cast<wchar_t>(value), 0, nullptr);
        if (Cp936EncodeBestFit(text) != windows)
            bestFit.Add(Unit(value) + " -> " + Hex(windows));
        BOOL usedDefault = FALSE;
        std::string noBestFit =
            WindowsEncode(static_cast<wchar_t>(value), WC_NO_BEST_FIT_CHARS, &usedDefault);
        std::optional<std::string> expected;
        if (!usedDefault)
            expected = noBestFit;
        if (Cp936EncodeExact(text) != expected && !IsKnownWineDifference(unit))
            exact.Add(Unit(value) + " -> " + Hex(noBestFit));
    }
    EXPECT_EQ(bestFit.Count(), 0u) << "best fit:\n" << bestFit.List();
    EXPECT_EQ(exact.Count(), 0u) << "exact:\n" << exact.List();
}

TEST(Cp936AgainstWindows, EveryByteAndPairOfBytesDecodesAsMultiByteToWideChar)
{
    CDifferences differences;
    for (unsigned first = 0; first <= 0xFF; ++first) {
        CompareDecoding(std::string(1, static_cast<char>(first)), differences);
        for (unsigned second = 0; second <= 0xFF; ++second)
            CompareDecoding({static_cast<char>(first), static_cast<char>(second)}, differences);
    }
    EXPECT_EQ(differences.Count(), 0u) << differences.List();
}

TEST(RandomAgainstRuntime, FirstHundredThousandDrawsAreRand)
{
    CrtResetRandom();
    std::srand(1); // the state of a fresh run, whatever drew before
    size_t first = 0;
    size_t mismatches = 0;
    for (size_t i = 0; i < 100000; ++i) {
        if (CrtRand() != std::rand() && mismatches++ == 0)
            first = i;
    }
    EXPECT_EQ(mismatches, 0u) << "first at draw " << first;
}

} // namespace
