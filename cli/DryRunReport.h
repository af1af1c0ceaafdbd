#pragma once

#include "framework/FileStore.h"

#include <string>
#include <vector>

// The listings of the files a run writes, one line per file: its state, its line count and its path,
// tab-separated, in the order of the first writes.

// For a dry run: the state is "new", "changed" or "unchanged" against the disk. With `diff`, each
// changed file is followed by a unified diff of its text, shown in UTF-8. Call it once the sandbox is
// gone, so that it sees the disk.
std::string DryRunReport(const std::vector<tagFileWrite>& writes, bool diff);

// For a real run: the state is "written".
std::string WrittenReport(const std::vector<tagFileWrite>& writes);
