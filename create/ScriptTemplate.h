#pragma once

#include "framework/RunContext.h"

#include <unordered_map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A script template as the generator writes it out: its text in the file form (code page 936, CR LF),
// cut at each placeholder, so that every copy costs only the joining of the parts and the replacement.
class CScriptTemplate
{
public:
    // Reads the template as ReadTextFile does (its messages included); nothing when it cannot be read.
    static std::optional<CScriptTemplate> Read(const tagRunContext& context, const std::u16string& path,
                                               std::u16string_view placeholder);

    // The bytes of the text with every placeholder, left to right without overlaps, replaced by
    // `replacement`: the bytes that writing the replaced text as a text file gives. Nothing when a
    // character of the result has no code page 936 form.
    std::optional<std::string> Fill(std::u16string_view replacement) const;

    // Why Fill gave nothing, for the script at `path`: the first character without a form and its line,
    // as writing the replaced text as a text file reports it. Only looked for after a failure.
    tagFileError FillError(const std::u16string& path, std::u16string_view replacement) const;

private:
    std::u16string m_strText; // as read, for FillError
    std::u16string m_strPlaceholder;
    std::vector<std::string> m_parts; // the text's bytes around its placeholders
    bool m_bEncodable = true;         // every character of the text has a code page 936 form
};

// The templates of one run of the generator, each read at its first use and kept for the rest of the
// run: one run copies every template once per game.
class CTemplateCache
{
public:
    CTemplateCache(const tagRunContext& context, std::u16string_view placeholder)
        : m_context(context), m_placeholder(placeholder)
    {
    }

    // The template, or nothing after its message when it cannot be read.
    const CScriptTemplate* Get(const std::u16string& path);

private:
    tagRunContext m_context;
    std::u16string m_placeholder;
    std::unordered_map<std::u16string, CScriptTemplate> m_templates;
};
