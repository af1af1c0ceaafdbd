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

} // namespace

std::string DryRunReport(const std::vector<CFileSandbox::Write>& writes, bool diff)
{
    std::string report;
    for (const CFileSandbox::Write& write : writes) {
        std::optional<std::string> disk = ReadFileBytes(write.path);
        const char* state = !disk ? "new" : *disk == write.bytes ? "unchanged" : "changed";
        std::string path = ToUtf8(write.path);
        report += std::string(state) + "\t" + std::to_string(CountLines(write.bytes)) + "\t" + path + "\n";
        if (diff && disk && *disk != write.bytes)
            report += UnifiedDiff(ForDisplay(*disk), ForDisplay(write.bytes), path, path + " (dry run)");
    }
    return report;
}
