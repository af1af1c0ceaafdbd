#include "create/DatabaseScripts.h"

#include "create/GameNames.h"
#include "create/ScriptEditing.h"
#include "create/ScriptTemplate.h"
#include "create/TextFiles.h"
#include "framework/Format.h"
#include "framework/Path.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::u16string_view kPlaceholder = u"QPGameScoreDB";
constexpr std::u16string_view kCoinDatabase = u"QPTreasureDB";
constexpr std::u16string_view kFirstScoreMarker = u"osql -E -i \"%rootPath%2_1_用户库脚本.sql\"";
constexpr std::u16string_view kSecondScoreMarker = u"Rem 建连接服务和填充数据";
constexpr std::u16string_view kProcedureMarker = u"pause";

constexpr std::array<std::u16string_view, 11> kProcedures = {
    u"标识登录", u"道具管理", u"道具配置", u"加载机器", u"加载配置", u"加载消息",
    u"离开房间", u"列表描述", u"列表配置", u"游戏记录", u"游戏写分",
};

std::u16string ScoreCommand(int part, int number, const std::u16string& gameName)
{
    return FormatW(u"osql -E -i \"%%rootPath%%%d_%d_%s积分库脚本.sql\"\n", {part, number, gameName});
}

std::u16string ProcedureBlock(const std::u16string& gameName)
{
    std::u16string block = FormatW(u"set rootPath=存储过程\\%s积分数据库\\\n", {gameName});
    for (std::u16string_view procedure : kProcedures)
        block += FormatW(u"osql -E  -i \"%%rootPath%%%s.sql\"\n", {std::u16string(procedure)});
    return block + u"\n";
}

std::u16string DropStatement(const std::u16string& databaseName)
{
    return FormatW(u"IF EXISTS (SELECT name FROM master.dbo.sysdatabases WHERE name = N'%s')\n"
                   u"DROP DATABASE [%s]\nGO\n\n",
                   {databaseName, databaseName});
}

// Puts the game's database in place of the template's placeholder and writes the result. The scripts
// are made afresh by every run, so they reach the disk together at the end of the run.
bool CopyTemplate(const tagRunContext& context, CTemplateCache& templates, const std::u16string& templatePath,
                  const std::u16string& scriptPath, const std::u16string& databaseName)
{
    const CScriptTemplate* source = templates.Get(templatePath);
    if (!source)
        return false;
    std::optional<std::string> bytes = source->Fill(databaseName);
    tagFileError error = bytes ? context.files.Replace(scriptPath, *bytes, Durability::deferred)
                               : source->FillError(scriptPath, databaseName);
    if (error.Failed()) {
        context.reporter.FileError(error);
        return false;
    }
    return true;
}

std::u16string Decimal(int number)
{
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

// The paths are joined directly, with native separators: a run of 5,000 games makes 65,000 of them.
bool WriteGameScripts(const tagRunContext& context, CTemplateCache& templates,
                      const std::u16string& moduleDir, const tagServerInfo& game, int number)
{
    const std::u16string scores = JoinPath(moduleDir, u"脚本代码/数据库脚本/");
    for (int part = 1; part <= 2; ++part) {
        const std::u16string templatePath = scores + Decimal(part) + u"_5_积分库脚本.sql";
        const std::u16string scriptPath =
            scores + Decimal(part) + u"_" + Decimal(number) + u"_" + game.strGameName + u"积分库脚本.sql";
        if (!CopyTemplate(context, templates, templatePath, scriptPath, game.strDatabaseName))
            return false;
    }
    const std::u16string procedures = JoinPath(moduleDir, u"脚本代码/存储过程/");
    const std::u16string procedureTemplates = JoinPath(procedures, u"积分数据库/");
    const std::u16string folder = procedures + game.strGameName + u"积分数据库";
    // An existing folder is fine; a folder that cannot be made shows up as the first failing write.
    context.files.CreateFolder(folder);
    for (std::u16string_view procedure : kProcedures) {
        const std::u16string templatePath = procedureTemplates + std::u16string(procedure) + u".sql";
        const std::u16string scriptPath = folder + kPathSeparator + std::u16string(procedure) + u".sql";
        if (!CopyTemplate(context, templates, templatePath, scriptPath, game.strDatabaseName))
            return false;
    }
    return true;
}

// The batch file and the drop script change together or not at all: a run that extended one without the
// other would double the other's lines next time.
bool WriteBatchAndDrop(const tagRunContext& context, const std::u16string& batch,
                       const std::u16string& batchPath, const std::u16string& drop,
                       const std::u16string& dropPath)
{
    std::vector<tagFileWrite> writes(2);
    tagFileError error = TextFileWrite(batch, batchPath, writes[0]);
    if (!error.Failed())
        error = TextFileWrite(drop, dropPath, writes[1]);
    if (!error.Failed())
        error = context.files.ReplaceTogether(writes);
    if (error.Failed()) {
        context.reporter.FileError(error);
        return false;
    }
    return true;
}

} // namespace

bool MakeDatabaseScripts(const tagRunContext& context, const std::u16string& moduleDir,
                         const CArray<tagServerInfo>& gameList)
{
    const std::u16string caption = u"数据库脚本生成错误";
    if (!CheckGameNames(context.reporter, gameList, caption) ||
        !CheckDatabaseNames(context.reporter, gameList, caption))
        return false;
    const std::u16string batchPath = JoinPath(moduleDir, u"脚本代码/一键安装.bat");
    const std::u16string dropPath = JoinPath(moduleDir, u"脚本代码/数据库脚本/数据库删除.sql");
    std::optional<std::u16string> batch = ReadTextFile(context, batchPath);
    if (!batch)
        return false;
    std::optional<std::u16string> drop = ReadTextFile(context, dropPath);
    if (!drop)
        return false;
    CMarkedText batchText(std::move(*batch));
    CTemplateCache templates(context, kPlaceholder);
    int number = 8;
    const size_t count = gameList.size();
    for (size_t i = 0; i < count; ++i) {
        const tagServerInfo& game = gameList[i];
        if (game.strDatabaseName == kCoinDatabase)
            continue;
        batchText.InsertBefore(kFirstScoreMarker, ScoreCommand(1, number, game.strGameName));
        batchText.InsertBefore(kSecondScoreMarker, ScoreCommand(2, number, game.strGameName));
        batchText.InsertBefore(kProcedureMarker, ProcedureBlock(game.strGameName));
        *drop += DropStatement(game.strDatabaseName);
        if (!WriteGameScripts(context, templates, moduleDir, game, number))
            return false;
        ++number;
    }
    return WriteBatchAndDrop(context, batchText.Text(), batchPath, *drop, dropPath);
}
