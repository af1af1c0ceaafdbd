#include "create/TextFiles.h"

#include "framework/StdioFile.h"

std::optional<std::u16string> ReadTextFile(const tagRunContext& context, const std::u16string& path)
{
    CStdioFile file(context.files);
    if (!file.Open(path, CStdioFile::modeRead | CStdioFile::shareExclusive | CStdioFile::typeText)) {
        context.reporter.Message(path + u"读取失败!", u"数据库脚本生成错误", MB_OK);
        return std::nullopt;
    }
    std::u16string text;
    std::u16string line;
    while (file.ReadString(line)) {
        text += line;
        text += u'\n';
    }
    if (tagFileError error = file.Close(); error.Failed()) {
        context.reporter.FileError(error);
        return std::nullopt;
    }
    return text;
}

tagFileError WriteTextFile(CFileStore& files, const std::u16string& text, const std::u16string& path,
                           Durability durability)
{
    CStdioFile file(files);
    file.Open(path, CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::shareExclusive |
                        CStdioFile::typeText);
    file.WriteString(text);
    return file.Close(durability);
}

tagFileError TextFileWrite(const std::u16string& text, const std::u16string& path, tagFileWrite& write)
{
    write.path = path;
    std::optional<std::string> bytes = EncodeTextFile(text);
    if (!bytes)
        return tagFileError{tagFileError::badCodePage, path, 0};
    write.bytes = std::move(*bytes);
    return {};
}
