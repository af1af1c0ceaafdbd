#include "cli/UnifiedDiff.h"

#include <dtl/dtl.hpp>

#include <algorithm>
#include <vector>

namespace {

enum class Op { Same, Removed, Added };

// One line of the edit script. Each side's index is that line's index there, or for a line the side
// lacks, the number of its lines before this point.
struct Edit
{
    Op op;
    size_t oldLine;
    size_t newLine;
};

constexpr size_t kContext = 3;

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t lf = text.find('\n', start);
        size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

// A shortest edit script (Wu, Manber and Myers' O(NP) comparison), removals before additions in each
// change, as diff shows them. Its time grows with the lines changed, not with the product of the lengths.
std::vector<Edit> DiffLines(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b)
{
    dtl::Diff<std::string_view, std::vector<std::string_view>> diff(a, b, true);
    diff.compose();
    std::vector<Edit> edits;
    size_t i = 0;
    size_t j = 0;
    for (const auto& [line, info] : diff.getSes().getSequence()) {
        if (info.type == dtl::SES_COMMON)
            edits.push_back({Op::Same, i++, j++});
        else if (info.type == dtl::SES_DELETE)
            edits.push_back({Op::Removed, i++, j});
        else
            edits.push_back({Op::Added, i, j++});
    }
    return edits;
}

void AppendLine(std::string& out, char mark, std::string_view line)
{
    bool hasBreak = !line.empty() && line.back() == '\n';
    if (hasBreak)
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    out += mark;
    out += line;
    out += '\n';
    if (!hasBreak)
        out += "\\ No newline at end of file\n";
}

// "start,count": a range of no lines names the line before it, as diff does.
std::string Range(size_t first, size_t count)
{
    return std::to_string(count == 0 ? first : first + 1) + "," + std::to_string(count);
}

// The end of the hunk whose first change is edits[first]: changes are joined while at most 2 × context
// unchanged lines part them, and up to `context` unchanged lines follow the last.
size_t HunkEnd(const std::vector<Edit>& edits, size_t first)
{
    size_t end = first;
    for (;;) {
        while (end < edits.size() && edits[end].op != Op::Same)
            ++end;
        size_t same = 0;
        while (end + same < edits.size() && edits[end + same].op == Op::Same)
            ++same;
        if (end + same == edits.size() || same > 2 * kContext)
            return end + std::min(same, kContext);
        end += same;
    }
}

std::string Hunk(const std::vector<Edit>& edits, size_t start, size_t end,
                 const std::vector<std::string_view>& a, const std::vector<std::string_view>& b)
{
    size_t oldCount = 0;
    size_t newCount = 0;
    std::string body;
    for (size_t e = start; e < end; ++e) {
        const Edit& edit = edits[e];
        oldCount += edit.op != Op::Added;
        newCount += edit.op != Op::Removed;
        if (edit.op == Op::Added)
            AppendLine(body, '+', b[edit.newLine]);
        else
            AppendLine(body, edit.op == Op::Same ? ' ' : '-', a[edit.oldLine]);
    }
    return "@@ -" + Range(edits[start].oldLine, oldCount) + " +" + Range(edits[start].newLine, newCount) +
           " @@\n" + body;
}

} // namespace

std::string UnifiedDiff(std::string_view oldText, std::string_view newText, const std::string& oldLabel,
                        const std::string& newLabel)
{
    std::vector<std::string_view> a = SplitLines(oldText);
    std::vector<std::string_view> b = SplitLines(newText);
    std::vector<Edit> edits = DiffLines(a, b);
    std::string out;
    for (size_t k = 0; k < edits.size();) {
        if (edits[k].op == Op::Same) {
            ++k;
            continue;
        }
        size_t start = k >= kContext ? k - kContext : 0;
        size_t end = HunkEnd(edits, k);
        out += Hunk(edits, start, end, a, b);
        k = end;
    }
    if (out.empty())
        return out;
    return "--- " + oldLabel + "\n+++ " + newLabel + "\n" + out;
}
