#pragma once

#include <optional>
#include <string>

// Text files of the database script generator. In memory every line ends with LF.

// The whole text, each line followed by one LF (the last line too). When the file cannot be opened it
// shows "<path>读取失败!" with the caption "数据库脚本生成错误" and gives nothing. A line that is not
// code page 936 throws CFileException.
std::optional<std::u16string> ReadTextFile(const std::u16string& path);

// Replaces the file with `text`; throws CFileException when it cannot be created, converted or written.
void WriteTextFile(const std::u16string& text, const std::u16string& path);
