#include "create/ScriptTemplate.h"

#include "create/ScriptEditing.h"
#include "create/TextFiles.h"
#include "framework/StdioFile.h"

std::optional<CScriptTemplate> CScriptTemplate::Read(const tagRunContext& context, const std::u16string& path,
                                                     std::u16string_view placeholder)
{
    std::optional<std::u16string> text = ReadTextFile(context, path);
    if (!text)
        return std::nullopt;
    // A character's bytes depend on that character alone and an LF never ends up inside another
    // character's bytes, so the parts can be converted one by one.
    CScriptTemplate result;
    result.m_strPlaceholder = placeholder;
    std::u16string_view rest(*text);
    for (;;) {
        size_t at = placeholder.empty() ? std::u16string_view::npos : rest.find(placeholder);
        std::optional<std::string> part = EncodeTextFile(rest.substr(0, at));
        result.m_bEncodable = result.m_bEncodable && part.has_value();
        result.m_parts.push_back(part.value_or(std::string()));
        if (at == std::u16string_view::npos)
            break;
        rest.remove_prefix(at + placeholder.size());
    }
    result.m_strText = std::move(*text);
    return result;
}

std::optional<std::string> CScriptTemplate::Fill(std::u16string_view replacement) const
{
    if (!m_bEncodable)
        return std::nullopt;
    if (m_parts.size() == 1)
        return m_parts.front();
    std::optional<std::string> inserted = EncodeTextFile(replacement);
    if (!inserted)
        return std::nullopt;
    size_t size = inserted->size() * (m_parts.size() - 1);
    for (const std::string& part : m_parts)
        size += part.size();
    std::string bytes;
    bytes.reserve(size);
    bytes += m_parts.front();
    for (size_t i = 1; i < m_parts.size(); ++i) {
        bytes += *inserted;
        bytes += m_parts[i];
    }
    return bytes;
}

tagFileError CScriptTemplate::FillError(const std::u16string& path, std::u16string_view replacement) const
{
    const std::u16string text = ReplaceAll(m_strText, m_strPlaceholder, replacement);
    size_t bad = text.size(); // past the end names no character, should the text convert after all
    (void)EncodeTextFile(text, &bad);
    return tagFileError::NoCodePageForm(path, text, bad);
}

const CScriptTemplate* CTemplateCache::Get(const std::u16string& path)
{
    auto found = m_templates.find(path);
    if (found != m_templates.end())
        return &found->second;
    std::optional<CScriptTemplate> read = CScriptTemplate::Read(m_context, path, m_placeholder);
    if (!read)
        return nullptr;
    return &m_templates.emplace(path, std::move(*read)).first->second;
}
