#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// JSON for the --json outputs, written from UTF-16 text: a lone surrogate, which UTF-8 cannot carry,
// appears as its escape ("\uD801") rather than as U+FFFD.

// The text as a JSON string, quotes included.
std::string JsonString(std::u16string_view text);

// One object's members in order: name, text.
using JsonMembers = std::vector<std::pair<std::string, std::u16string>>;

// An array of objects whose members are texts, indented by two blanks a level; "[]" when empty.
std::string JsonObjectArray(const std::vector<JsonMembers>& objects);
