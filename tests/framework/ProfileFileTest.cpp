#include "framework/PrivateProfile.h"
#include "framework/ProfileFile.h"

#include "support/DiskText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string Utf16Be(std::u16string_view text)
{
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c >> 8);
        bytes += static_cast<char>(c & 0xFF);
    }
    return bytes;
}

class ProfileTest : public ::testing::Test
{
protected:
    // Writes the file and returns the value that the platform function reads from it.
    std::u16string ReadFrom(const std::string& bytes, std::u16string_view section, std::u16string_view key,
                            std::u16string_view defaultValue = u"(none)")
    {
        m_dir.Write("t.ini", bytes);
        return GetPrivateProfileStringW(section, key, defaultValue, Path());
    }

    // Applies one write to a file of these bytes and returns the bytes afterwards.
    std::string AfterWrite(const std::string& bytes, std::u16string_view section, std::u16string_view key,
                           std::u16string_view value)
    {
        m_dir.Write("t.ini", bytes);
        EXPECT_TRUE(WritePrivateProfileStringW(section, key, value, Path()));
        return m_dir.Read("t.ini");
    }

    std::u16string Path() const { return m_dir.FileW(u"t.ini"); }

    TempDir m_dir;
};

} // namespace

// ---- reading ----

TEST_F(ProfileTest, LinesAndNamesAreTrimmed)
{
    std::string file = "  [ Server Info ]  tail\r\n \t Item Count \t=  12 34 \t\r\n";
    EXPECT_EQ(ReadFrom(file, u"Server Info", u"Item Count"), u"12 34");
    EXPECT_EQ(ReadFrom("[S]\r\nk=\v\f v \v\r\n", u"S", u"k"), u"v");
}

TEST_F(ProfileTest, EmptySectionNameIsASection)
{
    EXPECT_EQ(ReadFrom("[]\r\nk=1\r\n", u"", u"k"), u"1");
}

TEST_F(ProfileTest, SectionNameRunsToTheLastBracket)
{
    EXPECT_EQ(ReadFrom("[a]b]\r\nk=1\r\n", u"a]b", u"k"), u"1");
}

TEST_F(ProfileTest, CommentsAndLinesWithoutEquals)
{
    std::string file = "[S]\r\n;a=hidden\r\n  ;b=hidden\r\nc=b ;c\r\n#d=1\r\nnoequals\r\n";
    EXPECT_EQ(ReadFrom(file, u"S", u"a"), u"(none)");
    EXPECT_EQ(ReadFrom(file, u"S", u"b"), u"(none)");
    EXPECT_EQ(ReadFrom(file, u"S", u";a"), u"(none)");
    EXPECT_EQ(ReadFrom(file, u"S", u"c"), u"b ;c");
    EXPECT_EQ(ReadFrom(file, u"S", u"#d"), u"1");
    EXPECT_EQ(ReadFrom(file, u"S", u"noequals"), u"(none)");
}

TEST_F(ProfileTest, KeySplitsAtTheFirstEquals)
{
    EXPECT_EQ(ReadFrom("[S]\r\nk = a=b \r\n", u"S", u"k"), u"a=b");
    EXPECT_EQ(ReadFrom("[S]\r\n=empty\r\n", u"S", u""), u"empty");
}

TEST_F(ProfileTest, NamesMatchWithoutRegardToAsciiCase)
{
    std::string file = "[ServerInfo]\r\nItemCount=3\r\n";
    EXPECT_EQ(ReadFrom(file, u"SERVERINFO", u"itemcount"), u"3");
    EXPECT_EQ(ReadFrom(file, u"serverinfo", u"ITEMCOUNT"), u"3");
    EXPECT_EQ(ReadFrom(file, u"ServerInf0", u"ItemCount"), u"(none)");
}

TEST_F(ProfileTest, FirstSectionAndFirstKeyWin)
{
    std::string file = "[S]\r\nk=first\r\nk=second\r\n[s]\r\nk=third\r\nonly=x\r\n";
    EXPECT_EQ(ReadFrom(file, u"S", u"K"), u"first");
    EXPECT_EQ(ReadFrom(file, u"S", u"only"), u"(none)");
}

TEST_F(ProfileTest, MatchingQuotesAreRemoved)
{
    EXPECT_EQ(ReadFrom("[S]\r\nk=\" a b \"\r\n", u"S", u"k"), u" a b ");
    EXPECT_EQ(ReadFrom("[S]\r\nk='x'\r\n", u"S", u"k"), u"x");
    EXPECT_EQ(ReadFrom("[S]\r\nk=\"\"\r\n", u"S", u"k"), u"");
    EXPECT_EQ(ReadFrom("[S]\r\nk=\"x'\r\n", u"S", u"k"), u"\"x'");
    EXPECT_EQ(ReadFrom("[S]\r\nk=\"\r\n", u"S", u"k"), u"\"");
    EXPECT_EQ(ReadFrom("[S]\r\nk=\"x\r\n", u"S", u"k"), u"\"x");
}

TEST_F(ProfileTest, AllThreeLineEndsSplitLines)
{
    std::string file = "[A]\na=1\r[B]\r\nb=2\rc=3";
    EXPECT_EQ(ReadFrom(file, u"A", u"a"), u"1");
    EXPECT_EQ(ReadFrom(file, u"B", u"b"), u"2");
    EXPECT_EQ(ReadFrom(file, u"B", u"c"), u"3");
}

TEST_F(ProfileTest, DefaultLosesTrailingBlanksOnly)
{
    EXPECT_EQ(ReadFrom("[S]\r\n", u"S", u"k", u" def \t "), u" def");
    EXPECT_EQ(GetPrivateProfileStringW(u"S", u"k", u"x  ", m_dir.FileW(u"missing.ini")), u"x");
}

TEST_F(ProfileTest, LongValuesAreReadWhole)
{
    std::string value(600, 'A');
    EXPECT_EQ(ReadFrom("[S]\r\nk=" + value + "\r\n", u"S", u"k"), std::u16string(600, u'A'));
}

TEST_F(ProfileTest, IntegerReadsTheLeadingDecimalNumber)
{
    m_dir.Write("t.ini", "[S]\r\na=42abc\r\nb=abc\r\nc= -7\r\nd=+5\r\ne=\"9\"\r\nf=\r\n");
    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"a", 99, Path()), 42u);
    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"b", 99, Path()), 0u);
    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"d", 99, Path()), 5u);
    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"e", 99, Path()), 9u);
    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"f", 99, Path()), 0u);
    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"missing", 99, Path()), 99u);
    EXPECT_EQ(GetPrivateProfileIntW(u"T", u"a", 98, Path()), 98u);
    EXPECT_EQ(GetPrivateProfileIntW(u"S", u"a", 97, m_dir.FileW(u"none.ini")), 97u);
    // A negative number comes back as its unsigned bits.
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntW(u"S", u"c", 99, Path())), -7);
}

TEST_F(ProfileTest, Cp936TextIsDecoded)
{
    // "中文" in code page 936.
    EXPECT_EQ(ReadFrom("[S]\r\nk=\xD6\xD0\xCE\xC4\r\n", u"S", u"k"), u"中文");
}

TEST_F(ProfileTest, Utf16LeFileIsRead)
{
    std::string file = "\xFF\xFE" + Utf16Le(u"; 服务器\r\n[S]\r\nk=中文\r\n");
    EXPECT_EQ(ReadFrom(file, u"S", u"k"), u"中文");
}

TEST_F(ProfileTest, Utf8MarkIsSkipped)
{
    EXPECT_EQ(ReadFrom("\xEF\xBB\xBF[S]\r\nk=\xE4\xB8\xAD\r\n", u"S", u"k"), u"中");
}

TEST_F(ProfileTest, Utf8LinesThatAreNotUtf8AreReadAsNothingAndKeptByteForByte)
{
    // An overlong "/", a stray byte in a key's name, an encoded surrogate in a header.
    const std::string file = "\xEF\xBB\xBF[S]\r\nk=\xC0\xAF\r\nbad\xFF=1\r\n[T\xED\xA0\x80]\r\nt=2\r\n";
    EXPECT_EQ(ReadFrom(file, u"S", u"k"), u"(none)");
    EXPECT_EQ(ReadFrom(file, u"S", u"t"), u"2") << "the unreadable header opens no section";
    EXPECT_EQ(AfterWrite(file, u"S", u"k", u"v"),
              "\xEF\xBB\xBF[S]\r\nk=\xC0\xAF\r\nbad\xFF=1\r\n[T\xED\xA0\x80]\r\nt=2\r\nk=v\r\n");
    CProfileDocument document;
    document.LoadBytes(file);
    EXPECT_EQ(document.UnreadableLines(), (std::vector<size_t>{2, 3, 4}));
    EXPECT_EQ(document.SectionNames(), std::vector<std::u16string>{u"S"});
    // Without the mark the bytes are code page 936, which reads every line.
    document.LoadBytes(file.substr(3));
    EXPECT_TRUE(document.UnreadableLines().empty());
    EXPECT_EQ(document.SectionNames().size(), 2u);
}

TEST_F(ProfileTest, EachCallSeesTheFileAsItIsNow)
{
    ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"k", u"1", Path()));
    m_dir.Write("t.ini", "[S]\r\nk=2\r\n");
    EXPECT_EQ(GetPrivateProfileStringW(u"S", u"k", u"", Path()), u"2");
}

// ---- writing ----

TEST_F(ProfileTest, MissingFileIsCreatedAsAsciiWithCrLf)
{
    ASSERT_TRUE(WritePrivateProfileStringW(u"GlobalInfo", u"LastServerName", u"", Path()));
    ASSERT_TRUE(WritePrivateProfileStringW(u"ServerInfo", u"ItemCount", u"2", Path()));
    EXPECT_EQ(m_dir.Read("t.ini"), "[GlobalInfo]\r\nLastServerName=\r\n[ServerInfo]\r\nItemCount=2\r\n");
}

TEST_F(ProfileTest, ExistingKeyIsReplacedInPlaceKeepingItsSpelling)
{
    std::string file = "; head\n[Server Info]\n  itemCOUNT  =  5  \n other = x\r\n";
    EXPECT_EQ(AfterWrite(file, u"SERVER INFO", u"ItemCount", u"7"),
              "; head\n[Server Info]\nitemCOUNT=7\n other = x\r\n");
}

TEST_F(ProfileTest, ReplacedLastLineKeepsHavingNoBreak)
{
    EXPECT_EQ(AfterWrite("[S]\r\nk=1", u"S", u"k", u"22"), "[S]\r\nk=22");
}

TEST_F(ProfileTest, WriteToDuplicatedKeyChangesTheFirst)
{
    std::string file = "[S]\r\nk=1\r\nK=2\r\n[s]\r\nk=3\r\n";
    EXPECT_EQ(AfterWrite(file, u"s", u"k", u"9"), "[S]\r\nk=9\r\nK=2\r\n[s]\r\nk=3\r\n");
    EXPECT_EQ(AfterWrite(file, u"S", u"new", u"n"), "[S]\r\nk=1\r\nK=2\r\nnew=n\r\n[s]\r\nk=3\r\n");
}

TEST_F(ProfileTest, NewKeyGoesAfterTheLastKeyLineOfItsSection)
{
    std::string file = "[A]\r\na=1\r\n; note\r\nb=2\r\n\r\n; trailing comment\r\n[B]\r\nc=3\r\n";
    EXPECT_EQ(AfterWrite(file, u"a", u"New", u"x"),
              "[A]\r\na=1\r\n; note\r\nb=2\r\nNew=x\r\n\r\n; trailing comment\r\n[B]\r\nc=3\r\n");
}

TEST_F(ProfileTest, NewKeyInSectionWithoutKeysFollowsTheHeader)
{
    EXPECT_EQ(AfterWrite("[A]\n; only a note\n\n[B]\n", u"A", u"k", u"v"),
              "[A]\nk=v\r\n; only a note\n\n[B]\n");
}

TEST_F(ProfileTest, NewKeyAfterAFinalLineWithoutBreak)
{
    EXPECT_EQ(AfterWrite("[A]\r\na=1", u"A", u"b", u"2"), "[A]\r\na=1\r\nb=2\r\n");
}

TEST_F(ProfileTest, NewSectionGoesAtTheEndWithoutBlankLine)
{
    EXPECT_EQ(AfterWrite("[A]\r\na=1\r\n\r\n", u"B", u"b", u"2"), "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n");
    EXPECT_EQ(AfterWrite("[A]\na=1\n", u"B", u"b", u"2"), "[A]\na=1\n[B]\r\nb=2\r\n");
}

TEST_F(ProfileTest, FileWithoutFinalBreakGetsCrLfBeforeANewSection)
{
    EXPECT_EQ(AfterWrite("[A]\r\na=1", u"B", u"b", u"2"), "[A]\r\na=1\r\n[B]\r\nb=2\r\n");
    EXPECT_EQ(AfterWrite("; just a comment", u"B", u"b", u"2"), "; just a comment\r\n[B]\r\nb=2\r\n");
    EXPECT_EQ(AfterWrite("", u"B", u"b", u"2"), "[B]\r\nb=2\r\n");
}

TEST_F(ProfileTest, EmptyValueWritesKeyAndEquals)
{
    EXPECT_EQ(AfterWrite("[A]\r\nk=old\r\n", u"A", u"k", u""), "[A]\r\nk=\r\n");
}

TEST_F(ProfileTest, UntouchedBytesStayEvenWhenTheyDoNotDecode)
{
    // Code page 936 text, a byte pair that is not valid there, tabs and a lone CR all stay as they are.
    std::string file = "\x81\x20\xD6\xD0\r[S]\r\n\tname = \xD6\xD0\xCE\xC4 \r\nk=1\n\xFF\xFE\xFD";
    std::string after = AfterWrite(file, u"S", u"k", u"2");
    EXPECT_EQ(after, "\x81\x20\xD6\xD0\r[S]\r\n\tname = \xD6\xD0\xCE\xC4 \r\nk=2\n\xFF\xFE\xFD");
}

TEST_F(ProfileTest, Utf16LeFileIsWrittenBackAsUtf16Le)
{
    std::u16string text = u"; 服务器列表\r\n[S]\r\nk=1\r\n; 尾\r\n[T]\r\nt=中";
    std::string after = AfterWrite("\xFF\xFE" + Utf16Le(text), u"s", u"K", u"2");
    EXPECT_EQ(after, "\xFF\xFE" + Utf16Le(u"; 服务器列表\r\n[S]\r\nk=2\r\n; 尾\r\n[T]\r\nt=中"));
    m_dir.Write("t.ini", after);
    ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"n", u"new", Path()));
    ASSERT_TRUE(WritePrivateProfileStringW(u"U", u"u", u"v", Path()));
    EXPECT_EQ(m_dir.Read("t.ini"),
              "\xFF\xFE" +
                  Utf16Le(u"; 服务器列表\r\n[S]\r\nk=2\r\nn=new\r\n; 尾\r\n[T]\r\nt=中\r\n[U]\r\nu=v\r\n"));
}

// An odd last byte is no character: it ends no line, and what a write appends stays aligned before it.
TEST_F(ProfileTest, Utf16LeFileWithAnOddLastByte)
{
    const std::string start = "\xFF\xFE" + Utf16Le(u"[S]\r\nk=1") + "\x0D";
    EXPECT_EQ(ReadFrom(start, u"S", u"k"), u"1");

    m_dir.Write("t.ini", start);
    ASSERT_TRUE(WritePrivateProfileStringW(u"T", u"t", u"2", Path()));
    ASSERT_TRUE(WritePrivateProfileStringW(u"T", u"u", u"3", Path()));
    ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"k", u"4", Path()));
    std::string separate = m_dir.Read("t.ini");
    EXPECT_EQ(separate, "\xFF\xFE" + Utf16Le(u"[S]\r\nk=4\r\n[T]\r\nt=2\r\nu=3\r\n") + "\x0D");
    EXPECT_EQ(GetPrivateProfileStringW(u"T", u"u", u"", Path()), u"3");

    m_dir.Write("t.ini", start);
    CProfileDocument document;
    ASSERT_FALSE(document.Load(Path()).Failed());
    document.SetString(u"T", u"t", u"2");
    document.SetString(u"T", u"u", u"3");
    document.SetString(u"S", u"k", u"4");
    EXPECT_EQ(document.Bytes(), separate);
}

TEST_F(ProfileTest, Utf16BeFileIsReadAndWrittenAsUtf16Be)
{
    const std::u16string text = u"; 服务器列表\r\n[S]\r\nk=1\r\n; 尾\r\n[T]\r\nt=中";
    EXPECT_EQ(ReadFrom("\xFE\xFF" + Utf16Be(text), u"T", u"t"), u"中");
    std::string after = AfterWrite("\xFE\xFF" + Utf16Be(text), u"s", u"K", u"2");
    EXPECT_EQ(after, "\xFE\xFF" + Utf16Be(u"; 服务器列表\r\n[S]\r\nk=2\r\n; 尾\r\n[T]\r\nt=中"));
    m_dir.Write("t.ini", after);
    ASSERT_TRUE(WritePrivateProfileStringW(u"S", u"n", u"新", Path()));
    ASSERT_TRUE(WritePrivateProfileStringW(u"U", u"u", u"v", Path()));
    EXPECT_EQ(m_dir.Read("t.ini"),
              "\xFE\xFF" +
                  Utf16Be(u"; 服务器列表\r\n[S]\r\nk=2\r\nn=新\r\n; 尾\r\n[T]\r\nt=中\r\n[U]\r\nu=v\r\n"));
    EXPECT_EQ(GetPrivateProfileStringW(u"S", u"n", u"", Path()), u"新");
}

TEST_F(ProfileTest, Utf16BeFileWithAnOddLastByte)
{
    const std::string start = "\xFE\xFF" + Utf16Be(u"[S]\r\nk=1") + "\x0D";
    EXPECT_EQ(ReadFrom(start, u"S", u"k"), u"1");
    EXPECT_EQ(AfterWrite(start, u"T", u"t", u"2"),
              "\xFE\xFF" + Utf16Be(u"[S]\r\nk=1\r\n[T]\r\nt=2\r\n") + "\x0D");
}

TEST_F(ProfileTest, Utf8MarkIsKeptOnWrite)
{
    std::string file = "\xEF\xBB\xBF[S]\r\nk=1\r\n";
    EXPECT_EQ(AfterWrite(file, u"S", u"k", u"2"), "\xEF\xBB\xBF[S]\r\nk=2\r\n");
    EXPECT_EQ(AfterWrite(file, u"T", u"t", u"3"), "\xEF\xBB\xBF[S]\r\nk=1\r\n[T]\r\nt=3\r\n");
}

TEST_F(ProfileTest, WritesThatCannotBeMadeFailAndLeaveTheFile)
{
    EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"k", u"v", m_dir.FileW(u"no such folder/t.ini")));
    m_dir.Write("t.ini", "[S]\r\nk=1\r\n");
    std::filesystem::permissions(m_dir.File("t.ini"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_FALSE(WritePrivateProfileStringW(u"S", u"k", u"2", Path()));
    EXPECT_EQ(m_dir.Read("t.ini"), "[S]\r\nk=1\r\n");
}

// ---- the document ----

TEST_F(ProfileTest, DocumentSavesWhatSeparateCallsWouldWrite)
{
    const std::string start = "; keep\n[ServerInfo]\nItemCount=9\nItemDescribe1=old\n\n[Other]\nx=1";
    struct Write
    {
        std::u16string section, key, value;
    };
    const Write writes[] = {{u"GlobalInfo", u"LastServerName", u"AB"},
                            {u"serverinfo", u"itemcount", u"2"},
                            {u"ServerInfo", u"ItemDescribe1", u"CD"},
                            {u"ServerInfo", u"ItemDescribe2", u"EF"},
                            {u"ABCDEF", u"ServerAddr", u"16777226"},
                            {u"abcdef", u"ServerDomain", u""},
                            {u"Other", u"y", u"2"},
                            {u"GlobalInfo", u"LastServerName", u"GH"}};
    m_dir.Write("t.ini", start);
    for (const Write& w : writes)
        ASSERT_TRUE(WritePrivateProfileStringW(w.section, w.key, w.value, Path()));
    std::string separate = m_dir.Read("t.ini");
    EXPECT_EQ(separate, "; keep\n[ServerInfo]\nItemCount=2\nItemDescribe1=CD\nItemDescribe2=EF\r\n\n[Other]\n"
                        "x=1\r\ny=2\r\n[GlobalInfo]\r\nLastServerName=GH\r\n"
                        "[ABCDEF]\r\nServerAddr=16777226\r\nServerDomain=\r\n");

    m_dir.Write("t.ini", start);
    CProfileDocument document;
    ASSERT_FALSE(document.Load(Path()).Failed());
    for (const Write& w : writes)
        document.SetString(w.section, w.key, w.value);
    ASSERT_FALSE(document.Save(Path()).Failed());
    EXPECT_EQ(m_dir.Read("t.ini"), separate);
    EXPECT_EQ(document.GetString(u"GLOBALINFO", u"lastservername"), u"GH");
    EXPECT_EQ(document.GetInt(u"ServerInfo", u"ItemCount", -1), 2);
}

TEST_F(ProfileTest, DocumentOfAMissingFileIsEmpty)
{
    CProfileDocument document;
    EXPECT_FALSE(document.Load(m_dir.FileW(u"none.ini")).Failed());
    EXPECT_EQ(document.GetString(u"S", u"k"), std::nullopt);
    EXPECT_EQ(document.GetInt(u"S", u"k", 5), 5);
    EXPECT_EQ(document.Bytes(), "");
}

TEST_F(ProfileTest, DocumentReportsAFileThatCannotBeRead)
{
    CProfileDocument document;
    EXPECT_TRUE(document.Load(m_dir.PathW()).Failed()); // a folder
}
