#include "cli/DryRunReport.h"

#include "cli/CliSupport.h"
#include "cli/UnifiedDiff.h"
#include "framework/Cp936.h"
#include "framework/FileSystem.h"
#include "framework/WideText.h"

#include <optional>

namespace {

// The generators' files are code page 936; a terminal wants UTF-8.
std::string ForDisplay(const std::string& bytes)
{
    return ToUtf8(Cp936Decode(bytes));
}

std::string ListingLine(const char* state, const tagFileWrite& write)
{
    return std::string(state) + "\t" + std::to_string(CountLines(write.bytes)) + "\t" + ToUtf8(write.path) +
           "\n";
}

} // namespace

std::string DryRunReport(const std::vector<tagFileWrite>& writes, bool diff)
{
    std::string report;
    for (const tagFileWrite& write : writes) {
        std::optional<std::string> disk = ReadFileBytes(write.path);
        const char* state = !disk ? "new" : *disk == write.bytes ? "unchanged" : "changed";
        report += ListingLine(state, write);
        if (diff && disk && *disk != write.bytes) {
            std::string path = ToUtf8(write.path);
            report += UnifiedDiff(ForDisplay(*disk), ForDisplay(write.bytes), path, path + " (dry run)");
        }
    }
    return report;
}

std::string WrittenReport(const std::vector<tagFileWrite>& writes)
{
    std::string report;
    for (const tagFileWrite& write : writes)
        report += ListingLine("written", write);
    return report;
}
