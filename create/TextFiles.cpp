#include "create/TextFiles.h"

#include "framework/MessageBox.h"
#include "framework/StdioFile.h"

std::optional<std::u16string> ReadTextFile(const std::u16string& path)
{
    CStdioFile file;
    if (!file.Open(path, CStdioFile::modeRead | CStdioFile::shareExclusive | CStdioFile::typeText)) {
        ShowMessageBox(path + u"读取失败!", u"数据库脚本生成错误", MB_OK);
        return std::nullopt;
    }
    std::u16string text;
    std::u16string line;
    while (file.ReadString(line)) {
        text += line;
        text += u'\n';
    }
    file.Close();
    return text;
}

void WriteTextFile(const std::u16string& text, const std::u16string& path)
{
    CStdioFile file(path, CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::shareExclusive |
                              CStdioFile::typeText);
    file.WriteString(text);
    file.Close();
}
