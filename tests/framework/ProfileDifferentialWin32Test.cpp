// Our profile functions against Windows' own (or Wine's) on the same files: reading crafted files,
// reading numbers, and the bytes that the same writes leave.
#include "framework/Path.h"
#include "framework/PrivateProfile.h"
#include "framework/WideText.h"

#include "support/DiskText.h"
#include "support/TempDir.h"
#include "support/WindowsProfileWin32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string Show(const std::u16string& text)
{
    return "\"" + ToUtf8(text) + "\"";
}

struct tagLookup
{
    std::u16string section;
    std::u16string key;
};

// A file and the lookups to compare on it. `wineDiffers` names what Wine does otherwise than Windows;
// under Wine that file is left out.
struct tagReadCase
{
    const char* name;
    std::string bytes;
    std::vector<tagLookup> lookups;
    const char* wineDiffers = nullptr;
};

const std::u16string kDefault = u"(none)  ";

std::vector<tagReadCase> ReadCases()
{
    return {
        {"blanks around names and values",
         "  [ Server Info ]  tail\r\n \t Item Count \t=  12 34 \t\r\nk=\v\f v \v\r\n\r\n",
         {{u"Server Info", u"Item Count"},
          {u"Server Info", u"k"},
          {u"Server Info", u"Item"},
          {u"Server", u"k"}}},
        {"brackets in section names",
         "[a]b] tail\r\nk=2\r\n[[c]]\r\nk=3\r\n",
         {{u"a]b", u"k"}, {u"a", u"k"}, {u"[c]", u"k"}}},
        {"empty section name",
         "[]\r\nk=1\r\n",
         {{u"", u"k"}},
         // Wine finds no section by the empty name and gives the default.
         "empty section name"},
        {"comments and lines without equals",
         "[S]\r\n;a=hidden\r\n  ;b=hidden\r\nc=b ;c\r\n#d=1\r\nnoequals\r\n",
         {{u"S", u"a"}, {u"S", u"b"}, {u"S", u"c"}, {u"S", u"#d"}, {u"S", u"noequals"}}},
        {"key ends at the first equals", "[S]\r\nk = a=b \r\nk2==x\r\n", {{u"S", u"k"}, {u"S", u"k2"}}},
        {"names without regard to case",
         "[ServerInfo]\r\nItemCount=3\r\n",
         {{u"SERVERINFO", u"itemcount"}, {u"serverinfo", u"ITEMCOUNT"}, {u"ServerInf0", u"ItemCount"}}},
        {"first section and first key win",
         "[S]\r\nk=first\r\nk=second\r\n[s]\r\nk=third\r\nonly=x\r\n",
         {{u"S", u"K"}, {u"s", u"k"}, {u"S", u"only"}}},
        {"quotes",
         "[Q]\r\na=\" a b \"\r\nb='x'\r\nc=\"\"\r\nd=\"x'\r\ne=\"\r\nf=\"x\r\ng= \"in\" \r\nh='it''s'\r\n",
         {{u"Q", u"a"},
          {u"Q", u"b"},
          {u"Q", u"c"},
          {u"Q", u"d"},
          {u"Q", u"e"},
          {u"Q", u"f"},
          {u"Q", u"g"},
          {u"Q", u"h"}}},
        {"header without closing bracket",
         "[S]\r\na=1\r\n[B=x\r\n[C\r\nb=2\r\n[D]\r\nd=4\r\n",
         {{u"S", u"[B"}, {u"S", u"b"}, {u"B", u"b"}, {u"C", u"b"}, {u"D", u"d"}}},
        {"keys before the first section", "k=before\r\n[S]\r\nk=in\r\n", {{u"S", u"k"}}},
        {"missing section and key", "[S]\r\nk=v\r\n", {{u"T", u"k"}, {u"S", u"x"}}},
        {"LF line ends and no final break", "[A]\na=1\n[B]\nb=2", {{u"A", u"a"}, {u"B", u"b"}}},
        {"lone CR ends a line", "[A]\na=1\r[B]\r\nb=2\rc=3", {{u"A", u"a"}, {u"B", u"b"}, {u"B", u"c"}}},
        {"long value", "[S]\r\nk=" + std::string(600, 'A') + "\r\n", {{u"S", u"k"}}},
        {"UTF-16LE with Chinese names and values",
         "\xFF\xFE" + Utf16Le(u"; 服务器列表\r\n[服务器]\r\n 名称 = 星辰 网络 \r\n[S]\r\nk=\"值\"\r\n"),
         {{u"服务器", u"名称"}, {u"S", u"k"}, {u"服务器", u"k"}}},
    };
}

class ProfileAgainstWindows : public ::testing::Test
{
protected:
    // A fresh file name for every file: Wine keeps files it read and looks at their times only.
    std::u16string NewFile(const std::string& bytes)
    {
        const std::string name = "case" + std::to_string(m_nFiles++) + ".ini";
        m_dir.Write(name, bytes);
        return PathOf(name);
    }

    std::u16string PathOf(const std::string& name) const { return JoinPath(m_dir.PathW(), FromUtf8(name)); }

    TempDir m_dir;
    int m_nFiles = 0;
};

TEST_F(ProfileAgainstWindows, StringsReadFromCraftedFiles)
{
    for (const tagReadCase& c : ReadCases()) {
        if (c.wineDiffers && RunningUnderWine())
            continue;
        const std::u16string path = NewFile(c.bytes);
        for (const tagLookup& at : c.lookups) {
            EXPECT_EQ(GetPrivateProfileStringW(at.section, at.key, kDefault, path),
                      WindowsGetString(at.section, at.key, kDefault, path))
                << c.name << ": [" << ToUtf8(at.section) << "] " << ToUtf8(at.key);
        }
    }
}

TEST_F(ProfileAgainstWindows, DefaultOfAMissingFileLosesTrailingSpaces)
{
    const std::u16string missing = JoinPath(m_dir.PathW(), u"missing.ini");
    for (std::u16string defaultValue : {u"x  ", u" x ", u""})
        EXPECT_EQ(GetPrivateProfileStringW(u"S", u"k", defaultValue, missing),
                  WindowsGetString(u"S", u"k", defaultValue, missing))
            << Show(defaultValue);
    // Wine keeps the first character of a default of spaces only: "   " gives " ".
    if (!RunningUnderWine()) {
        EXPECT_EQ(GetPrivateProfileStringW(u"S", u"k", u"   ", missing),
                  WindowsGetString(u"S", u"k", u"   ", missing));
    }
}

TEST_F(ProfileAgainstWindows, Cp936FileIsReadInTheAnsiCodePage)
{
    // The run made for this case sets KORVANE_ANSI_CODE_PAGE=936: there a missing switch must not pass
    // unnoticed as a skip.
    if (!AnsiCodePageIs936() && std::getenv("KORVANE_ANSI_CODE_PAGE"))
        FAIL() << "the ANSI code page is " << ::GetACP() << ", not 936";
    if (!AnsiCodePageIs936())
        GTEST_SKIP() << "the ANSI code page is " << ::GetACP() << ", not 936";
    // "[服务器]", "名称=中文" and "k=\"值\"" in code page 936.
    const std::u16string path =
        NewFile("[\xB7\xFE\xCE\xF1\xC6\xF7]\r\n\xC3\xFB\xB3\xC6=\xD6\xD0\xCE\xC4\r\nk=\"\xD6\xB5\"\r\n");
    for (const tagLookup& at : std::vector<tagLookup>{{u"服务器", u"名称"}, {u"服务器", u"k"}}) {
        std::u16string ours = GetPrivateProfileStringW(at.section, at.key, kDefault, path);
        EXPECT_EQ(ours, WindowsGetString(at.section, at.key, kDefault, path)) << ToUtf8(at.key);
    }
    EXPECT_EQ(GetPrivateProfileStringW(u"服务器", u"名称", kDefault, path), u"中文");
}

// Values read as numbers, each under its own key. `wineDiffers` as for the read cases.
struct tagNumberCase
{
    std::u16string value;
    const char* wineDiffers = nullptr;
};

const tagNumberCase kNumbers[] = {
    {u"42"},
    {u" 12abc"},
    {u"-5"},
    {u"+5"},
    {u"+-5"},
    {u"- 5"},
    {u"0x10"},
    {u"0x1F"},
    {u"0X10"},
    {u"0x"},
    {u"0o17"},
    {u"0b101"},
    {u"017"},
    {u"12 34"},
    {u"\"9\""},
    {u"abc"},
    {u"4294967295"},
    {u"4294967297"},
    {u"3000000000"},
    {u"-2147483648"},
    {u"99999999999999999999"},
    // Wine reads an empty value as a missing one and gives the default; Windows reads it as 0.
    {u"", "empty value gives the default"},
};

std::string NumberFile(bool utf16)
{
    std::u16string text = u"[N]\r\n";
    for (size_t i = 0; i < std::size(kNumbers); ++i)
        text += u"v" + FromUtf8(std::to_string(i)) + u" = " + kNumbers[i].value + u"\r\n";
    if (!utf16)
        return std::string(text.begin(), text.end());
    return "\xFF\xFE" + Utf16Le(text + u"wide=１２\r\n");
}

TEST_F(ProfileAgainstWindows, NumbersReadAsGetPrivateProfileIntReadsThem)
{
    for (bool utf16 : {false, true}) {
        const std::u16string path = NewFile(NumberFile(utf16));
        for (size_t i = 0; i < std::size(kNumbers); ++i) {
            if (kNumbers[i].wineDiffers && RunningUnderWine())
                continue;
            const std::u16string key = u"v" + FromUtf8(std::to_string(i));
            EXPECT_EQ(GetPrivateProfileIntW(u"N", key, 99, path), WindowsGetInt(u"N", key, 99, path))
                << Show(kNumbers[i].value) << (utf16 ? " in UTF-16" : " in ANSI");
        }
        for (std::u16string key : {u"missing", u"wide"})
            EXPECT_EQ(GetPrivateProfileIntW(u"N", key, -7, path), WindowsGetInt(u"N", key, -7, path))
                << ToUtf8(key);
        EXPECT_EQ(GetPrivateProfileIntW(u"Other", u"v0", 3, path), WindowsGetInt(u"Other", u"v0", 3, path));
    }
}

struct tagWrite
{
    std::u16string section;
    std::u16string key;
    std::u16string value;
};

// Several sections, Chinese names and values, a key set three times, an empty value, a key added to a
// section that others follow, and a key set through other letter cases.
const tagWrite kWrites[] = {
    {u"服务器", u"名称", u"星辰"},
    {u"服务器", u"地址", u"10.0.0.1"},
    {u"GlobalInfo", u"LastServerName", u"甲服"},
    {u"服务器", u"名称", u"月影"},
    {u"服务器", u"名称", u"星辰网络"},
    {u"Empty", u"k", u""},
    {u"服务器", u"新键", u"值 a=b"},
    {u"globalinfo", u"LASTSERVERNAME", u"乙服"},
};

// What the writes leave to read.
const tagWrite kAfterWrites[] = {
    {u"服务器", u"名称", u"星辰网络"},
    {u"服务器", u"地址", u"10.0.0.1"},
    {u"GlobalInfo", u"LastServerName", u"乙服"},
    {u"Empty", u"k", u""},
    {u"服务器", u"新键", u"值 a=b"},
};

// Text beyond ASCII spelled in ASCII, for ANSI files where Windows' code page is not 936.
std::u16string AsciiOnly(std::u16string_view text)
{
    std::u16string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out += c;
            continue;
        }
        char units[8];
        std::snprintf(units, sizeof units, "u%04X", static_cast<unsigned>(c));
        out += FromUtf8(units);
    }
    return out;
}

// A file to start from. `wineDiffers` as for the read cases: under Wine only the values read after the
// writes are compared, not the bytes.
struct tagWriteStart
{
    const char* name;
    std::optional<std::string> bytes; // nothing: no file yet
    bool bUtf16;
    const char* wineDiffers = nullptr;
};

const tagWriteStart kWriteStarts[] = {
    {"no file", std::nullopt, false},
    {"ANSI file", "[GlobalInfo]\r\nLastServerName=old\r\n[Other]\r\nx=1\r\n", false},
    {"duplicated section and key",
     "[GlobalInfo]\r\nLastServerName=a\r\nLastServerName=b\r\n[globalinfo]\r\nLastServerName=c\r\n", false},
    // Wine writes the whole file anew from what it read: blank lines go and the blanks around "=" of the
    // lines it did not change too.
    {"ANSI file with comments, blank lines and blanks",
     "; list\r\n\r\n[GlobalInfo]\r\n LastServerName = old \r\n\r\n[Other]\r\nx = 1\r\n", false,
     "other lines rewritten"},
    {"UTF-16LE mark only", "\xFF\xFE", true},
    {"UTF-16LE file", "\xFF\xFE" + Utf16Le(u"[服务器]\r\n名称=旧\r\n[Other]\r\nx=1\r\n"), true},
};

TEST_F(ProfileAgainstWindows, TheSameWritesLeaveTheSameBytes)
{
    for (const tagWriteStart& start : kWriteStarts) {
        // Windows writes a new file or one without a mark in its ANSI code page, we in code page 936.
        const bool ascii = !start.bUtf16 && !AnsiCodePageIs936();
        auto text = [ascii](const std::u16string& s) { return ascii ? AsciiOnly(s) : s; };
        const std::string windowsName = "w" + std::to_string(m_nFiles) + ".ini";
        const std::string oursName = "o" + std::to_string(m_nFiles++) + ".ini";
        if (start.bytes) {
            m_dir.Write(windowsName, *start.bytes);
            m_dir.Write(oursName, *start.bytes);
        }
        const std::u16string windowsPath = PathOf(windowsName);
        const std::u16string oursPath = PathOf(oursName);
        for (const tagWrite& w : kWrites) {
            ASSERT_TRUE(WindowsWriteString(text(w.section), text(w.key), text(w.value), windowsPath));
            ASSERT_TRUE(WritePrivateProfileStringW(text(w.section), text(w.key), text(w.value), oursPath));
        }
        if (!start.wineDiffers || !RunningUnderWine()) {
            EXPECT_EQ(m_dir.Read(windowsName), m_dir.Read(oursName)) << start.name;
        }
        for (const tagWrite& w : kAfterWrites) {
            EXPECT_EQ(GetPrivateProfileStringW(text(w.section), text(w.key), kDefault, windowsPath),
                      text(w.value))
                << start.name << ": " << ToUtf8(w.key);
            EXPECT_EQ(WindowsGetString(text(w.section), text(w.key), kDefault, oursPath), text(w.value))
                << start.name << ": " << ToUtf8(w.key);
        }
    }
}

} // namespace
