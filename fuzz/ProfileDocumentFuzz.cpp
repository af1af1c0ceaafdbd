#include "framework/FileSandbox.h"
#include "framework/ProfileFile.h"
#include "framework/WideText.h"

#include "FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>

namespace {

// Every value the document reads, by section and key folded as lookups fold them.
using Values = std::map<std::pair<std::u16string, std::u16string>, std::u16string>;

// The profile lives in a file sandbox: Load and Save go through the real file functions, never to disk.
const std::u16string& ProfilePath()
{
    static const std::u16string path =
        FromUtf8((std::filesystem::temp_directory_path() / "korvane-fuzz-profile.ini").string());
    return path;
}

CProfileDocument LoadSandboxed(CFileSandbox& sandbox)
{
    CProfileDocument document;
    FUZZ_CHECK(!document.Load(ProfilePath(), sandbox).Failed());
    return document;
}

// Each key that KeyNames lists can be read.
Values ReadAll(const CProfileDocument& document)
{
    Values values;
    for (const std::u16string& section : document.SectionNames()) {
        for (const std::u16string& key : document.KeyNames(section)) {
            const std::optional<std::u16string> value = document.GetString(section, key);
            FUZZ_CHECK(value.has_value());
            values.try_emplace({FoldAsciiCase(section), FoldAsciiCase(key)}, value.value_or(u""));
        }
    }
    return values;
}

bool IsPlain(const std::u16string& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char16_t c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    });
}

// One of the names the file has, when the pick lands on a plain one; otherwise a new plain name.
std::u16string PickName(FuzzedDataProvider& input, const std::vector<std::u16string>& existing)
{
    const auto pick = input.ConsumeIntegral<std::uint8_t>();
    const auto made = input.ConsumeIntegral<std::uint32_t>();
    if (pick < existing.size() && IsPlain(existing[pick]))
        return existing[pick];
    const std::string seed(reinterpret_cast<const char*>(&made), 1 + made % 4);
    return PlainName(seed);
}

} // namespace

// Input: the profile's bytes; the last few bytes also choose the section, key and number written.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    CFileSandbox sandbox;
    FUZZ_CHECK(!sandbox.Replace(ProfilePath(), AsBytes(data, size)).Failed());
    CProfileDocument document = LoadSandboxed(sandbox);
    // Loading and saving without a write gives the file back byte for byte.
    FUZZ_CHECK(document.Bytes() == AsBytes(data, size));
    Values values = ReadAll(document);

    FuzzedDataProvider input(data, size);
    const std::u16string section = PickName(input, document.SectionNames());
    const std::u16string key = PickName(input, document.KeyNames(section));
    const auto number = input.ConsumeIntegral<std::int32_t>();
    const std::u16string value = WidenBytes(std::to_string(number));
    const int fallback = number == 0 ? 1 : 0;
    FUZZ_CHECK(document.GetInt(u"[", u"=", fallback) == fallback);

    document.SetString(section, key, value);
    FUZZ_CHECK(document.GetString(section, key) == value);
    FUZZ_CHECK(document.GetInt(section, key, fallback) == number);

    // Written out and read back, the new value stands and every other value is what it was.
    FUZZ_CHECK(!document.Save(ProfilePath(), sandbox).Failed());
    const CProfileDocument reloaded = LoadSandboxed(sandbox);
    FUZZ_CHECK(reloaded.Bytes() == document.Bytes());
    FUZZ_CHECK(reloaded.GetString(section, key) == value);
    values.insert_or_assign({FoldAsciiCase(section), FoldAsciiCase(key)}, value);
    FUZZ_CHECK(ReadAll(reloaded) == values);
    return 0;
}
