#include "create/TextFiles.h"

#include "framework/StdioFile.h"

std::optional<std::u16string> ReadTextFile(const tagRunContext& context, const std::u16string& path)
{
    CStdioFile file(context.files);
    tagFileError opened;
    if (!file.Open(path, CStdioFile::modeRead | CStdioFile::shareExclusive | CStdioFile::typeText, &opened)) {
        context.reporter.Message(path + u"读取失败!", u"数据库脚本生成错误", MB_OK);
        context.reporter.Detail(opened);
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
    size_t bad = 0;
    std::optional<std::string> bytes = EncodeTextFile(text, &bad);
    if (!bytes)
        return tagFileError::NoCodePageForm(path, text, bad);
    write.bytes = std::move(*bytes);
    return {};
}
