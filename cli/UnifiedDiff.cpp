#include "cli/UnifiedDiff.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

enum class Op { Same, Removed, Added };

struct Edit
{
    Op op;
    size_t oldLine; // index in the old lines (for Same and Removed)
    size_t newLine; // index in the new lines (for Same and Added)
};

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

// Beyond this many cells of the table the middle part counts as replaced whole.
constexpr size_t kMaxTableCells = 4'000'000;

// Longest common subsequence of the middle parts, after the common head and tail are taken off.
void DiffMiddle(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b, size_t head,
                size_t aEnd, size_t bEnd, std::vector<Edit>& edits)
{
    const size_t n = aEnd - head;
    const size_t m = bEnd - head;
    if (n == 0 || m == 0 || n * m > kMaxTableCells) {
        for (size_t i = 0; i < n; ++i)
            edits.push_back({Op::Removed, head + i, 0});
        for (size_t j = 0; j < m; ++j)
            edits.push_back({Op::Added, 0, head + j});
        return;
    }
    // length[i][j]: common lines of a[head+i..] and b[head+j..].
    std::vector<std::uint32_t> length((n + 1) * (m + 1), 0);
    auto at = [m](size_t i, size_t j) { return i * (m + 1) + j; };
    for (size_t i = n; i-- > 0;) {
        for (size_t j = m; j-- > 0;) {
            length[at(i, j)] = a[head + i] == b[head + j]
                                   ? length[at(i + 1, j + 1)] + 1
                                   : std::max(length[at(i + 1, j)], length[at(i, j + 1)]);
        }
    }
    size_t i = 0;
    size_t j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[head + i] == b[head + j]) {
            edits.push_back({Op::Same, head + i++, head + j++});
        } else if (i < n && (j == m || length[at(i + 1, j)] >= length[at(i, j + 1)])) {
            edits.push_back({Op::Removed, head + i++, 0}); // removals first, as diff shows them
        } else {
            edits.push_back({Op::Added, 0, head + j++});
        }
    }
}

std::vector<Edit> DiffLines(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b)
{
    size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    size_t aEnd = a.size();
    size_t bEnd = b.size();
    while (aEnd > head && bEnd > head && a[aEnd - 1] == b[bEnd - 1]) {
        --aEnd;
        --bEnd;
    }
    std::vector<Edit> edits;
    for (size_t i = 0; i < head; ++i)
        edits.push_back({Op::Same, i, i});
    DiffMiddle(a, b, head, aEnd, bEnd, edits);
    for (size_t k = 0; aEnd + k < a.size(); ++k)
        edits.push_back({Op::Same, aEnd + k, bEnd + k});
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

// "-start,count": a range of no lines names the line before it, as diff does.
std::string Range(size_t first, size_t count)
{
    return std::to_string(count == 0 ? first : first + 1) + "," + std::to_string(count);
}

} // namespace

std::string UnifiedDiff(std::string_view oldText, std::string_view newText, const std::string& oldLabel,
                        const std::string& newLabel)
{
    constexpr size_t kContext = 3;
    std::vector<std::string_view> a = SplitLines(oldText);
    std::vector<std::string_view> b = SplitLines(newText);
    std::vector<Edit> edits = DiffLines(a, b);
    std::string out;
    size_t k = 0;
    while (k < edits.size()) {
        while (k < edits.size() && edits[k].op == Op::Same)
            ++k;
        if (k == edits.size())
            break;
        // A hunk: context before, then changes joined while fewer than 2 × context same lines part them.
        size_t start = k >= kContext ? k - kContext : 0;
        size_t end = k;
        while (end < edits.size()) {
            size_t same = 0;
            while (end + same < edits.size() && edits[end + same].op == Op::Same)
                ++same;
            if (end + same == edits.size() || same > 2 * kContext) {
                end = std::min(edits.size(), end + std::min(same, kContext));
                break;
            }
            end += same;
            while (end < edits.size() && edits[end].op != Op::Same)
                ++end;
        }
        size_t oldFirst = 0, oldCount = 0, newFirst = 0, newCount = 0;
        bool oldSet = false, newSet = false;
        std::string body;
        for (size_t e = start; e < end; ++e) {
            const Edit& edit = edits[e];
            if (edit.op != Op::Added) {
                if (!oldSet)
                    oldFirst = edit.oldLine, oldSet = true;
                ++oldCount;
            }
            if (edit.op != Op::Removed) {
                if (!newSet)
                    newFirst = edit.newLine, newSet = true;
                ++newCount;
            }
            if (edit.op == Op::Same)
                AppendLine(body, ' ', a[edit.oldLine]);
            else if (edit.op == Op::Removed)
                AppendLine(body, '-', a[edit.oldLine]);
            else
                AppendLine(body, '+', b[edit.newLine]);
        }
        // A side without lines in the hunk sits after that side's lines before the hunk.
        auto before = edits.begin() + static_cast<std::ptrdiff_t>(start);
        if (!oldSet)
            oldFirst = static_cast<size_t>(
                std::count_if(edits.begin(), before, [](const Edit& x) { return x.op != Op::Added; }));
        if (!newSet)
            newFirst = static_cast<size_t>(
                std::count_if(edits.begin(), before, [](const Edit& x) { return x.op != Op::Removed; }));
        out += "@@ -" + Range(oldFirst, oldCount) + " +" + Range(newFirst, newCount) + " @@\n" + body;
        k = end;
    }
    if (out.empty())
        return out;
    return "--- " + oldLabel + "\n+++ " + newLabel + "\n" + out;
}
