#include "serverlist/ServerListCheck.h"

#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "encrypt/XorText.h"
#include "framework/Format.h"
#include "framework/Reporter.h"
#include "framework/NumberReading.h"
#include "framework/WideText.h"
#include "serverlist/ServerList.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>

namespace {

constexpr std::u16string_view kServerInfo = u"ServerInfo";
constexpr std::u16string_view kItemPrefix = u"ItemDescribe";
constexpr size_t kClientValueLength = 259; // the client reads values into 260-character buffers
constexpr int kLongestSafeText = 32;       // 32 characters make 256 digits; 33 make 320
constexpr int kEncoderLimit = 64;          // XorEncrypt refuses 64 characters and more

// Keeps the decoder's messages, which become findings.
class CFindingReporter : public CReporter
{
public:
    void Report(const MessageBoxRequest& message) override { m_texts.push_back(message.text); }

    std::vector<std::u16string> Take() { return std::exchange(m_texts, {}); }

private:
    std::vector<std::u16string> m_texts;
};

std::u16string Number(std::int64_t value)
{
    return FormatW(u"%I64d", {value});
}

bool IsDottedQuad(std::u16string_view address)
{
    int parts = 0;
    size_t start = 0;
    while (parts < 4) {
        size_t end = address.find(u'.', start);
        std::u16string_view part =
            address.substr(start, end == std::u16string_view::npos ? end : end - start);
        if (part.empty() || part.size() > 3)
            return false;
        for (char16_t c : part) {
            if (c < u'0' || c > u'9')
                return false;
        }
        if (WcsToLong(part, 10) > 255)
            return false;
        ++parts;
        if (end == std::u16string_view::npos)
            break;
        start = end + 1;
    }
    return parts == 4 && address.find(u'.', start) == std::u16string_view::npos;
}

// k when `key` is exactly the key that the load builds for item k ("ItemDescribe%d", k ≥ 1), else 0.
std::int64_t ItemNumber(std::u16string_view key)
{
    if (key.size() <= kItemPrefix.size() ||
        !EqualsNoCaseAscii(key.substr(0, kItemPrefix.size()), kItemPrefix))
        return 0;
    std::u16string_view digits = key.substr(kItemPrefix.size());
    if (digits.size() > 10 || digits.front() == u'0')
        return 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
    }
    return WcsToLongLong(digits, 10);
}

// Whether the key starts with "ItemDescribe" in any case of its ASCII letters.
bool StartsWithItemPrefix(std::u16string_view key)
{
    if (key.size() < kItemPrefix.size())
        return false;
    for (size_t i = 0; i < kItemPrefix.size(); ++i) {
        char16_t c = key[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + (u'a' - u'A'));
        char16_t p = kItemPrefix[i];
        if (p >= u'A' && p <= u'Z')
            p = static_cast<char16_t>(p + (u'a' - u'A'));
        if (c != p)
            return false;
    }
    return true;
}

class ServerListChecker
{
public:
    explicit ServerListChecker(const CProfileDocument& document) : m_document(document) {}

    std::vector<tagFinding> Run();

private:
    void Add(std::u16string where, std::u16string problem) { m_findings.push_back({where, problem}); }
    std::optional<std::u16string> Decode(const std::u16string& raw, const std::u16string& where);
    void CheckLength(const std::u16string& raw, const std::u16string& text, const std::u16string& where);
    void CheckEntry(int number);
    void CheckServerSection(const std::u16string& section, const std::u16string& entry);
    void CheckCountBound();
    void CheckMissingItems();
    void CheckSharedSections();
    void CheckUnusedSections();
    void CheckUnusedItemKeys();
    bool HasSection(const std::u16string& section) const;
    void MarkUsed(std::u16string_view section);

    const CProfileDocument& m_document;
    CFindingReporter m_messages;
    std::int64_t m_count = 0;   // ItemCount as the load reads it
    std::int64_t m_loaded = 0;  // the entries the load makes of it
    std::int64_t m_highest = 0; // the highest item number that a key of the file has
    std::vector<tagFinding> m_findings;
    std::vector<int> m_missingItems;
    // By folded section name; hashed, as a list has up to 100,000 sections.
    std::unordered_map<std::u16string, std::vector<std::pair<int, std::u16string>>> m_entriesBySection;
    std::vector<bool> m_usedSections; // by section number
};

std::vector<tagFinding> ServerListChecker::Run()
{
    m_count = StatedItemCount(m_document);
    m_loaded = LoadedItemCount(m_document, m_count);
    MarkUsed(u"GlobalInfo");
    MarkUsed(kServerInfo);
    m_entriesBySection.reserve(size_t(std::min<std::int64_t>(m_loaded, ServerListEntryBound(m_document))));
    // Items above the highest stored one are all missing; they need no look each.
    for (const std::u16string& key : m_document.KeyNames(kServerInfo))
        m_highest = std::max(m_highest, ItemNumber(key));
    for (std::int64_t number = 1; number <= m_loaded && number <= m_highest; ++number)
        CheckEntry(int(number));
    if (m_loaded > m_highest)
        MarkUsed(Md5Hex(u""));
    CheckCountBound();
    CheckMissingItems();
    CheckSharedSections();
    CheckUnusedSections();
    CheckUnusedItemKeys();
    return m_findings;
}

// The text that the load would get, or nothing when the decoder refused or complained.
std::optional<std::u16string> ServerListChecker::Decode(const std::u16string& raw,
                                                        const std::u16string& where)
{
    std::u16string text = XorDecrypt(raw, m_messages);
    std::vector<std::u16string> refusals = m_messages.Take();
    for (const std::u16string& refusal : refusals)
        Add(where, u"cannot be decoded: " + refusal);
    if (raw.size() >= 4) {
        std::int64_t declared = WcsToLong(std::u16string_view(raw).substr(0, 4), 16) & 0xFFFF;
        if (declared >= kEncoderLimit)
            Add(where, u"declares " + Number(declared) + u" characters: texts of " + Number(kEncoderLimit) +
                           u" characters and more are refused when saved");
    }
    if (!refusals.empty())
        return std::nullopt;
    CheckLength(raw, text, where);
    return text;
}

void ServerListChecker::CheckLength(const std::u16string& raw, const std::u16string& text,
                                    const std::u16string& where)
{
    if (raw.size() <= kClientValueLength && text.size() <= static_cast<size_t>(kLongestSafeText))
        return;
    Add(where, u"has " + Number(std::int64_t(text.size())) + u" characters (more than " +
                   Number(kLongestSafeText) + u"): its XOR text of " + Number(std::int64_t(raw.size())) +
                   u" characters is cut to " + Number(kClientValueLength) +
                   u" by a reader limited to that length and cannot be read back");
}

void ServerListChecker::CheckEntry(int number)
{
    std::u16string key = std::u16string(kItemPrefix) + Number(number);
    std::u16string entry = u"entry " + Number(number - 1) + u" (" + key + u")";
    std::optional<std::u16string> raw = m_document.GetString(kServerInfo, key);
    if (!raw) {
        m_missingItems.push_back(number);
        MarkUsed(Md5Hex(u""));
        return;
    }
    std::optional<std::u16string> name = Decode(*raw, entry + u" name");
    std::u16string section = Md5Hex(name.value_or(u""));
    MarkUsed(section);
    if (name)
        m_entriesBySection[FoldAsciiCase(section)].push_back({number - 1, *name});
    CheckServerSection(section, entry);
}

void ServerListChecker::CheckServerSection(const std::u16string& section, const std::u16string& entry)
{
    if (!HasSection(section)) {
        Add(entry, u"its section [" + section +
                       u"] is missing: it loads with the address 0.0.0.0 and an "
                       u"empty domain");
        return;
    }
    std::optional<std::u16string> address = m_document.GetString(section, u"ServerAddr");
    if (!address) {
        Add(entry + u" address", u"[" + section + u"] has no ServerAddr: it loads as 0.0.0.0");
    } else {
        std::u16string dotted = NumberToIp(*address);
        if (!IsDottedQuad(dotted))
            Add(entry + u" address", u"\"" + *address + u"\" loads as \"" + dotted +
                                         u"\", not a dotted quad of numbers from 0 to 255");
    }
    std::optional<std::u16string> domain = m_document.GetString(section, u"ServerDomain");
    if (!domain)
        Add(entry + u" domain", u"[" + section + u"] has no ServerDomain: it loads empty");
    else
        Decode(*domain, entry + u" domain");
}

void ServerListChecker::CheckMissingItems()
{
    std::int64_t missing = static_cast<std::int64_t>(m_missingItems.size());
    std::u16string keys;
    for (int number : m_missingItems)
        keys += (keys.empty() ? u"" : u", ") + std::u16string(kItemPrefix) + Number(number);
    if (m_loaded > m_highest) {
        std::u16string first = std::u16string(kItemPrefix) + Number(m_highest + 1);
        std::u16string last = std::u16string(kItemPrefix) + Number(m_loaded);
        keys += (keys.empty() ? u"" : u", ") + (m_loaded == m_highest + 1 ? first : first + u" to " + last);
        missing += m_loaded - m_highest;
    }
    if (missing == 0)
        return;
    Add(u"[ServerInfo] ItemCount",
        u"is " + Number(m_loaded) + u" but " + Number(missing) + u" of its items are missing (" + keys +
            u"): each loads as an entry with an empty name, the address 0.0.0.0 and an empty domain");
}

void ServerListChecker::CheckCountBound()
{
    if (m_loaded < m_count)
        Add(u"[ServerInfo] ItemCount", u"is " + Number(m_count) +
                                           u", far more than the file stores: the load makes " +
                                           Number(m_loaded) + u" entries of it");
}

// Two entries with one section overwrite each other's address and domain: the same name, or names that
// differ only in characters code page 936 lacks, which the MD5 text turns into the same bytes.
void ServerListChecker::CheckSharedSections()
{
    // Reported in the order of the folded section names.
    std::vector<const std::u16string*> shared;
    for (const auto& [section, entries] : m_entriesBySection) {
        if (entries.size() >= 2)
            shared.push_back(&section);
    }
    std::sort(shared.begin(), shared.end(),
              [](const std::u16string* a, const std::u16string* b) { return *a < *b; });
    for (const std::u16string* section : shared) {
        const std::vector<std::pair<int, std::u16string>>& entries = m_entriesBySection.at(*section);
        std::u16string where = u"entries";
        bool sameName = true;
        for (const auto& [index, name] : entries) {
            where += (where == u"entries" ? u" " : u", ") + Number(index);
            sameName = sameName && name == entries.front().second;
        }
        std::u16string names = u"the name \"" + entries.front().second + u"\"";
        if (!sameName) {
            names = u"names";
            for (const auto& entry : entries)
                names += (names == u"names" ? u" \"" : u", \"") + entry.second + u"\"";
            names += u" with one MD5 text";
        }
        Add(where, u"share " + names + u" and so the section [" + Md5Hex(entries.front().second) +
                       u"]: after a save all of them have the last one's address and domain");
    }
}

// A section stands a second time when the first of its name is an earlier one.
void ServerListChecker::CheckUnusedSections()
{
    const std::vector<std::u16string> names = m_document.SectionNames();
    for (size_t i = 0; i < names.size(); ++i) {
        const size_t number = i + 1; // section 0 holds the lines before the first header
        if (m_document.FindSection(names[i]) != number)
            Add(u"[" + names[i] + u"]", u"stands a second time in the file: only the first is read");
        else if (number >= m_usedSections.size() || !m_usedSections[number])
            Add(u"[" + names[i] + u"]", u"is not the section of any entry");
    }
}

void ServerListChecker::CheckUnusedItemKeys()
{
    for (const std::u16string& key : m_document.KeyNames(kServerInfo)) {
        if (!StartsWithItemPrefix(key))
            continue;
        std::int64_t number = ItemNumber(key);
        if (number < 1 || number > m_loaded)
            Add(u"[ServerInfo] " + key, u"is not read by the load (ItemCount is " + Number(m_count) + u")");
    }
}

void ServerListChecker::MarkUsed(std::u16string_view section)
{
    std::optional<size_t> number = m_document.FindSection(section);
    if (!number)
        return;
    if (*number >= m_usedSections.size())
        m_usedSections.resize(*number + 1);
    m_usedSections[*number] = true;
}

bool ServerListChecker::HasSection(const std::u16string& section) const
{
    return m_document.FindSection(section).has_value();
}

} // namespace

std::vector<tagFinding> CheckServerList(const CProfileDocument& document)
{
    return ServerListChecker(document).Run();
}

std::vector<std::vector<size_t>> EntriesSharingSections(const CArray<tagServer>& servers)
{
    // Each entry's section name with its place, sorted: entries of one section then stand together, in
    // list order, and the sections come in the order of their names. An MD5 text has capital letters
    // only, so that order is the order of the names as they are compared, without regard to case.
    std::vector<std::pair<std::array<char16_t, 32>, size_t>> sections(servers.size());
    for (size_t first = 0; first < servers.size(); first += kMd5Lanes) {
        std::array<std::u16string_view, kMd5Lanes> names;
        const size_t count = std::min(kMd5Lanes, servers.size() - first);
        for (size_t lane = 0; lane < count; ++lane)
            names[lane] = servers[first + lane].strServerName;
        std::array<tagMd5Hex, kMd5Lanes> digests;
        Md5HexDigitsOf(names, digests);
        for (size_t lane = 0; lane < count; ++lane)
            sections[first + lane] = {digests[lane].digits, first + lane};
    }
    std::sort(sections.begin(), sections.end());
    std::vector<std::vector<size_t>> shared;
    for (size_t i = 0; i < sections.size();) {
        size_t end = i + 1;
        while (end < sections.size() && sections[end].first == sections[i].first)
            ++end;
        if (end - i > 1) {
            shared.emplace_back();
            for (size_t k = i; k < end; ++k)
                shared.back().push_back(sections[k].second);
        }
        i = end;
    }
    return shared;
}
