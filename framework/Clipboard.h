#pragma once

#include <optional>
#include <string>

// The system clipboard with Unicode text.
bool IsClipboardUnicodeTextAvailable();

// The clipboard's Unicode text up to its first zero character; nothing when it holds no text.
std::optional<std::u16string> GetClipboardUnicodeText();

// Empties the clipboard and puts the text on it, also an empty text.
void SetClipboardUnicodeText(const std::u16string& text);
