#pragma once

#include <string>
#include <string_view>

// A unified diff (three lines of context) between two texts given as lines, each with its own line
// break; lines are compared with their breaks, so a change of line ends shows. The result's lines end
// with LF and show the texts without their CR. Empty when the texts are equal.
std::string UnifiedDiff(std::string_view oldText, std::string_view newText, const std::string& oldLabel,
                        const std::string& newLabel);
