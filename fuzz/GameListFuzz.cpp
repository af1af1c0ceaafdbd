#include "create/GameList.h"

#include "framework/Cp936.h"

#include "FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool Contains(const std::u16string& text, const std::u16string& part)
{
    return text.find(part) != std::u16string::npos;
}

// Whatever the marks and counts, the result is a piece of the text.
void CheckAnyMarks(FuzzedDataProvider& input, const std::u16string& text)
{
    const int startCount = input.ConsumeIntegralInRange<int>(-1, 6);
    const int endCount = input.ConsumeIntegralInRange<int>(-1, 6);
    const std::u16string startMark = WidenBytes(input.ConsumeRandomLengthString(4));
    const std::u16string endMark = WidenBytes(input.ConsumeRandomLengthString(4));
    const std::u16string piece = ExtractBetween(text, startMark, startCount, endMark, endCount);
    FUZZ_CHECK(Contains(text, piece));
}

// before + start + middle + end + after, where the marks first stand there: the middle comes out.
void CheckFoundMarks(FuzzedDataProvider& input)
{
    const std::u16string before = WidenBytes(input.ConsumeRandomLengthString(16));
    const std::u16string start = WidenBytes(input.ConsumeRandomLengthString(4));
    const std::u16string middle = WidenBytes(input.ConsumeRandomLengthString(16));
    const std::u16string end = WidenBytes(input.ConsumeRandomLengthString(4));
    const std::u16string after = WidenBytes(input.ConsumeRandomLengthString(16));
    if (start.empty() || end.empty() || (before + start).find(start) != before.size() ||
        (middle + end).find(end) != middle.size())
        return;
    FUZZ_CHECK(ExtractBetween(before + start + middle + end + after, start, 1, end, 1) == middle);
}

// A row written as the game list writes it gives its four fields back.
void CheckWrittenRow(FuzzedDataProvider& input)
{
    tagServerInfo game;
    game.strGameID = WidenBytes(std::to_string(input.ConsumeIntegral<std::uint16_t>()));
    game.strGameName = Cp936Decode(input.ConsumeRandomLengthString(12));
    game.strDatabaseName = PlainName(input.ConsumeRandomLengthString(12));
    game.strModuleName = PlainName(input.ConsumeRandomLengthString(12));
    // The fields are found by counting "N'": a name ending in N would make one more before its quote.
    if (Contains(game.strGameName, u"'") || game.strGameName.ends_with(u'N') ||
        game.strDatabaseName.ends_with(u'N') || Contains(game.strModuleName, u"Server"))
        return;
    const std::u16string row = u"INSERT [GameGameItem] VALUES ( " + game.strGameID + u", N'" +
                               game.strGameName + u"', N'10.0.0.5', N'" + game.strDatabaseName + u"', N'" +
                               game.strModuleName + u"Server.dll')";
    const tagServerInfo parsed = ParseGameRow(row);
    FUZZ_CHECK(parsed.strGameID == game.strGameID);
    FUZZ_CHECK(parsed.strGameName == game.strGameName);
    FUZZ_CHECK(parsed.strDatabaseName == game.strDatabaseName);
    FUZZ_CHECK(parsed.strModuleName == game.strModuleName);
}

} // namespace

// Input: a line of the game list in code page 936; its last bytes also drive the marks and the rows.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::u16string line = Cp936Decode(AsBytes(data, size));
    const tagServerInfo game = ParseGameRow(line);
    for (const std::u16string* field :
         {&game.strGameID, &game.strGameName, &game.strModuleName, &game.strDatabaseName})
        FUZZ_CHECK(Contains(line, *field));
    FuzzedDataProvider input(data, size);
    CheckAnyMarks(input, line);
    CheckFoundMarks(input);
    CheckWrittenRow(input);
    return 0;
}
