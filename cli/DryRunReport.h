#pragma once

#include "framework/FileSandbox.h"

#include <string>
#include <vector>

// One line per file a dry run would have written, "new", "changed" or "unchanged" against the disk,
// then its line count and its path, tab-separated. With `diff`, each changed file is followed by a
// unified diff of its text, shown in UTF-8. Call it once the sandbox is gone, so that it sees the disk.
std::string DryRunReport(const std::vector<CFileSandbox::Write>& writes, bool diff);
