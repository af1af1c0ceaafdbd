#pragma once

#include "framework/RunContext.h"

#include <optional>
#include <string>

// Text files of the database script generator. In memory every line ends with LF.

// The whole text, each line followed by one LF (the last line too). When the file cannot be opened it
// reports "<path>读取失败!" with the caption "数据库脚本生成错误"; a line that is not code page 936 is
// reported as the file error. Nothing comes back then.
std::optional<std::u16string> ReadTextFile(const tagRunContext& context, const std::u16string& path);

// Replaces the file with `text`; the error when it cannot be created, converted or written.
tagFileError WriteTextFile(CFileStore& files, const std::u16string& text, const std::u16string& path,
                           Durability durability = Durability::flushed);

// The file as it would be written: `text` in code page 936 with CR LF, or the conversion's error.
tagFileError TextFileWrite(const std::u16string& text, const std::u16string& path, tagFileWrite& write);
