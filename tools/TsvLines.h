#pragma once

// Reading of the tab-separated tables (hex fields, "#" header lines) that the generators turn into C++.

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

inline bool ParseHex(const std::string& text, unsigned long& value)
{
    if (text.empty() || text.size() > 8)
        return false;
    size_t used = 0;
    try {
        value = std::stoul(text, &used, 16);
    } catch (...) {
        return false;
    }
    return used == text.size();
}

inline std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    return fields;
}

// Calls `onLine` with the fields of every data line; false when the file cannot be read or `onLine`
// refuses a line.
template <typename OnLine> bool ForEachLine(const char* path, OnLine onLine)
{
    std::ifstream in(path);
    if (!in) {
        std::cerr << "cannot open " << path << "\n";
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (!onLine(SplitTabs(line))) {
            std::cerr << path << ":" << number << ": malformed line\n";
            return false;
        }
    }
    return true;
}
