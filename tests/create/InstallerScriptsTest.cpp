#include "create/InstallerScripts.h"

#include "create/InstallerTemplates.h"
#include "create/ScriptFixture.h"
#include "framework/Path.h"
#include "framework/WideText.h"
#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::u16string>;

Lines SplitLines(std::u16string_view text)
{
    Lines lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t lf = text.find(u'\n', pos);
        if (lf == std::u16string_view::npos)
            lf = text.size();
        lines.emplace_back(text.substr(pos, lf - pos));
        pos = lf + 1;
    }
    return lines;
}

Lines Slice(const Lines& lines, size_t from, size_t to)
{
    return Lines(lines.begin() + static_cast<long>(std::min(from, lines.size())),
                 lines.begin() + static_cast<long>(std::min(to, lines.size())));
}

size_t IndexOf(const Lines& lines, std::u16string_view line, size_t from = 0)
{
    auto it = std::find(lines.begin() + static_cast<long>(std::min(from, lines.size())), lines.end(), line);
    return static_cast<size_t>(it - lines.begin());
}

const std::u16string kHyphens = u";------------------------------------------------";

// The per-game script up to its [Code] header, for 斗地主 (module LandCrab, number 215).
const Lines kGameHead = SplitLines(uR"iss(;
;
;安装包脚本
;
;

[Setup]

;公司信息
AppName=斗地主
AppVerName=星河棋牌
AppPublisher=星河网络
AppCopyright=星河网络
AppPublisherURL=www.xinghe.example
AppId=www.xinghe.example

;版本信息
VersionInfoVersion=6.0.1.0
VersionInfoDescription="斗地主游戏安装包"

;输出配置
SourceDir=..\安装文件
OutputDir=..\安装程序
OutputBaseFilename=LandCrab

;编译选项
Compression=zip/9
SolidCompression=yes

;环境选项
DirExistsWarning=no
DisableFinishedPage=yes
AppendDefaultDirName=no
AppendDefaultGroupName=no
AlwaysUsePersonalGroup=yes

;界面选项
WizardImageFile=..\资源文件\WizardImage.bmp
WizardSmallImageFile=..\资源文件\WizardSmallImage.bmp

;卸载选项
Uninstallable=no
UninstallLogMode=append

;安装目录
UsePreviousAppDir=no

DisableDirPage=yes
DisableProgramGroupPage= yes
DefaultDirName={reg:HKCU\Software\XingHe\Veldra,Path}

[Languages]
Name: "chinese"; MessagesFile: "compiler:Default.isl"

[Files]
;斗地主
Source: "LandCrab.exe"; DestDir: "{app}"; Flags: igNoreversion
Source: "LandCrab\*"; DestDir: "{app}\LandCrab\"; Flags: igNoreversion recursesubdirs createallsubdirs

;------------------------------------------------
;需要在安装结束后运行的程序
;------------------------------------------------
[Run]
Filename: "{app}\GameVeldra.exe";     Flags: nowait postinstall skipifsilent runascurrentuser
;------------------------------------------------

[Code]
)iss");

// Lobby and full scripts from the comment block to [Files], with `title`, `blankAfterSetup`, `output`.
Lines ClientHead(const std::u16string& title, bool blankAfterSetup, const std::u16string& output)
{
    Lines lines = {u";", u";", u";", title, u";", u";", u"", u"[Setup]"};
    if (blankAfterSetup)
        lines.push_back(u"");
    Lines rest = SplitLines(uR"iss(;公司信息
AppName=星河棋牌
AppVerName=星河棋牌
AppPublisher=星河网络
AppCopyright=星河网络
AppPublisherURL=http://www.xinghe.example

;版本信息
VersionInfoVersion=6.6.0.3
VersionInfoDescription="星河棋牌"
;输出配置
OutputDir=..\安装程序
SourceDir=..\安装文件
OutputBaseFilename=)iss" + output +
                            uR"iss(

;编译选项
Compression=zip/9
SolidCompression=no

;环境选项
DirExistsWarning=no
DisableFinishedPage=yes
AppendDefaultDirName=no
AppendDefaultGroupName=no
AlwaysUsePersonalGroup=yes
;界面选项
WizardImageFile=..\资源文件\WizardImage.bmp
WizardSmallImageFile=..\资源文件\WizardSmallImage.bmp

;卸载选项
Uninstallable=yes
UninstallLogMode=append
UninstallDisplayName=星河棋牌

;安装目录
DefaultDirName={pf}\XingHe
DefaultGroupName=星河棋牌

[Languages]
Name: "chinese"; MessagesFile: "compiler:Default.isl"

[Files]
)iss");
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
}

// Lobby and full scripts from [Icons] to [Code].
const Lines kClientSections = SplitLines(uR"iss([Icons]
Name: "{group}\星河棋牌"; Filename: "{app}\GameVeldra.exe"
Name: "{group}\卸载星河棋牌";     Filename: "{uninstallexe}"
Name: "{userdesktop}\星河棋牌"; Filename: "{app}\GameVeldra.exe"

[Run]
Filename: "{app}\GameVeldra.exe"; Description: "{cm:LaunchProgram,星河棋牌}"; Flags: nowait postinstall skipifsilent   runascurrentuser

[Registry]
;服务器项
Root: HKCU; Subkey: "Software\XingHe\GameVeldra"; ValueType: string; ValueName: "InstallPath"; ValueData: {app}; Flags: deletevalue createvalueifdoesntexist uninsdeletevalue

[Code]
)iss");

Lines GameBlock(const std::u16string& name, const std::u16string& module)
{
    return {u";" + name, u"Source: \"" + module + u".exe\"; DestDir: \"{app}\"; Flags: igNoreversion",
            u"Source: \"" + module + u"\\*\"; DestDir: \"{app}\\" + module +
                u"\\\"; Flags: igNoreversion recursesubdirs createallsubdirs",
            u""};
}

bool IsFileLine(const std::u16string& line)
{
    return line.starts_with(u"Source: \"") && line.ends_with(u"\"; DestDir: \"{app}\"; Flags: igNoreversion");
}

bool IsFolderLine(const std::u16string& line)
{
    size_t star = line.find(u"\\*\"; DestDir: \"{app}\\");
    if (!line.starts_with(u"Source: \"") || star == std::u16string::npos)
        return false;
    std::u16string folder = line.substr(9, star - 9);
    return line == u"Source: \"" + folder + u"\\*\"; DestDir: \"{app}\\" + folder +
                       u"\\\"; Flags: igNoreversion recursesubdirs createallsubdirs";
}

// The fixed file list of lobby and full script: its groups, sizes and the lines the layout fixes.
void ExpectClientFileList(const Lines& list)
{
    ASSERT_EQ(list.size(), 42u);
    EXPECT_EQ(list[0], u";系统文件");
    const Lines runtime = {u"MFC71u.dll", u"Msvcp71.dll", u"Msvcr71.dll", u"d3dx9_28.dll"};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(list[1 + i], u"Source: \"" + runtime[i] + u"\"; DestDir: \"{app}\"; Flags: igNoreversion");
    EXPECT_EQ(list[5], u"");
    EXPECT_TRUE(IsFileLine(list[6])) << ToUtf8(list[6]);
    const Lines runtime100 = {u"mfc100u.dll", u"msvcp100.dll", u"msvcr100.dll"};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(list[7 + i],
                  u"Source: \"" + runtime100[i] + u"\"; DestDir: \"{app}\"; Flags: igNoreversion");
    EXPECT_EQ(list[10], u"");
    EXPECT_EQ(list[11], u";游戏大厅");
    for (size_t i = 0; i < 19; ++i)
        EXPECT_TRUE(IsFileLine(list[12 + i])) << ToUtf8(list[12 + i]);
    EXPECT_EQ(list[12 + 4], u"Source: \"GameVeldra.exe\"; DestDir: \"{app}\"; Flags: igNoreversion");
    EXPECT_EQ(list[12 + 8], u"Source: \"ServerInfo.INI\"; DestDir: \"{app}\"; Flags: igNoreversion");
    EXPECT_EQ(list[31], u"");
    EXPECT_EQ(list[32], u";动态表情");
    EXPECT_TRUE(list[33].starts_with(u"Source: \""));
    EXPECT_TRUE(list[33].ends_with(
        u"\"; DestDir: \"{sys}\"; Flags:restartreplace sharedfile regserver igNoreversion"));
    EXPECT_TRUE(IsFolderLine(list[34])) << ToUtf8(list[34]);
    EXPECT_EQ(list[35], u"");
    EXPECT_EQ(list[36], u";动画");
    EXPECT_TRUE(IsFolderLine(list[37])) << ToUtf8(list[37]);
    EXPECT_EQ(list[38], u"");
    EXPECT_EQ(list[39], u";公共资源");
    EXPECT_TRUE(IsFolderLine(list[40])) << ToUtf8(list[40]);
    EXPECT_EQ(list[41], u"");
}

// Literals that the [Code] section must hold, in this order.
void ExpectInOrder(const Lines& code, const Lines& needles)
{
    size_t at = 0;
    for (const auto& needle : needles) {
        auto it =
            std::find_if(code.begin() + static_cast<long>(at), code.end(), [&](const std::u16string& line) {
                return line.find(needle) != std::u16string::npos;
            });
        ASSERT_NE(it, code.end()) << "missing or out of order: " << ToUtf8(needle);
        at = static_cast<size_t>(it - code.begin()) + 1;
    }
}

const Lines kWizardLiterals = {u"//拉伸安装向导顶部图片",
                               u"PageName, PageDescription: TLabel;",
                               u"procedure InitializeWizard();",
                               u"WizardForm.MainPanel",
                               u"WizardForm.WizardSmallBitmapImage.Left := ScaleX(0);",
                               u"WizardForm.WizardSmallBitmapImage.Top := ScaleY(0);",
                               u"procedure CurPageChanged(CurPageID: Integer);"};

class InstallerScriptsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.Path());
        m_request.strCompanyName = u"星河网络";
        m_request.strPlatformName = u"星河棋牌";
        m_request.strPlatformDomain = u"www.xinghe.example";
        m_request.strServerAddr = u"10.0.0.1";
        m_request.strRegistryInfo = u"XingHe";
        m_request.strModuleDir = WithTrailingSeparator(m_dir.PathW());
        m_request.GameList = {{u"215", u"斗地主", u"LandCrab", u"LandDB"}};
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    Lines Script(const std::string& name, bool* endsWithBreak = nullptr)
    {
        return DiskLines(m_dir, "星河棋牌/" + name, endsWithBreak);
    }
    bool Exists(const std::string& name) const
    {
        return std::filesystem::exists(DiskPath(m_dir, "星河棋牌/" + name));
    }
    void Block(const std::string& name)
    {
        m_dir.Write("星河棋牌/" + name, "old\r\n");
        std::filesystem::permissions(DiskPath(m_dir, "星河棋牌/" + name), std::filesystem::perms::owner_read);
    }

    TempDir m_dir;
    tagRunContext Context() { return tagRunContext{m_boxes, DiskStore()}; }

    ReporterRecorder m_boxes;
    tagCreateRequest m_request;
    std::filesystem::path m_previous;
};

TEST_F(InstallerScriptsTest, GameScriptLineForLine)
{
    ASSERT_TRUE(MakeInstallerScripts(Context(), m_request));
    bool endsWithBreak = false;
    Lines lines = Script("QZ斗地主.iss", &endsWithBreak);
    EXPECT_TRUE(endsWithBreak);
    size_t code = IndexOf(lines, u"[Code]");
    EXPECT_EQ(Slice(lines, 0, code + 1), kGameHead);
    Lines codeLines = Slice(lines, code + 1, lines.size());
    Lines needles = kWizardLiterals;
    needles.insert(
        needles.end(),
        {u"//导入函数",
         u"function MessageBox(hWnd: Integer; lpText, lpCaption: String; uType: Cardinal): Integer;",
         u"external 'MessageBoxA@user32.dll stdcall';", u"//更新列表",
         u"procedure CurStepChanged(CurStep:TSetupStep);", u"VAR hWnd: HWND;", u"ssDone",
         u"FindWindowByClassName('XingHeVeldra')", u"PostMessage(hWnd, 1124,215, 0)"});
    ExpectInOrder(codeLines, needles);
    for (const auto& line : codeLines)
        EXPECT_EQ(line.find(u"MessageBox(0"), std::u16string::npos) << "the game script never shows a box";
}

TEST_F(InstallerScriptsTest, LobbyScriptLineForLine)
{
    ASSERT_TRUE(MakeInstallerScripts(Context(), m_request));
    Lines lines = Script("星河棋牌.iss");
    size_t files = IndexOf(lines, u"[Files]");
    size_t icons = IndexOf(lines, u"[Icons]");
    size_t code = IndexOf(lines, u"[Code]");
    EXPECT_EQ(Slice(lines, 0, files + 1), ClientHead(u";简装大厅安装包脚本", true, u"Veldra"));
    Lines list = Slice(lines, files + 1, icons);
    ExpectClientFileList(list);
    EXPECT_EQ(lines[icons - 1], u"");
    EXPECT_NE(lines[icons - 2], u"") << "one blank line before [Icons]";
    EXPECT_EQ(Slice(lines, icons, code + 1), kClientSections);
    Lines needles = kWizardLiterals;
    needles.insert(
        needles.end(),
        {u"//寻找大厅，存在就关闭大厅",
         u"function MessageBox(hWnd: Integer; lpText, lpCaption: String; uType: Cardinal): Integer;",
         u"external 'MessageBoxA@user32.dll stdcall';", u"//配置函数",
         u"FUNCTION InitializeSetup(): Boolean;", u"//变量声明", u"VAR hWnd: HWND;", u"//寻找大厅",
         u"FindWindowByClassName('XingHeVeldra')",
         u"MessageBox(0, '安装程序发现您的游戏大厅程序正在使用，点击 [ 确定 ] "
         u"按钮，安装程序将自动关闭你的游戏大厅！', "
         u"'星河棋牌安装程序：', 33)",
         u"PostMessage(hWnd, 18, 0, 0)", u"Sleep(50)", u"//设置结果", u"Result := True", u"//设置结果",
         u"Result := False"});
    ExpectInOrder(Slice(lines, code + 1, lines.size()), needles);
}

TEST_F(InstallerScriptsTest, FullScriptHoldsEveryGameBlockInListOrder)
{
    m_request.GameList.push_back({u"216", u"中国象棋", u"ChessCrab", u"ChessDB"});
    ASSERT_TRUE(MakeInstallerScripts(Context(), m_request));
    Lines lines = Script("星河棋牌-all.iss");
    size_t files = IndexOf(lines, u"[Files]");
    size_t icons = IndexOf(lines, u"[Icons]");
    size_t code = IndexOf(lines, u"[Code]");
    EXPECT_EQ(Slice(lines, 0, files + 1), ClientHead(u";完整大厅安装包脚本", false, u"QZGameFull"));
    Lines list = Slice(lines, files + 1, files + 1 + 42);
    ExpectClientFileList(list);
    Lines blocks = GameBlock(u"斗地主", u"LandCrab");
    Lines second = GameBlock(u"中国象棋", u"ChessCrab");
    blocks.insert(blocks.end(), second.begin(), second.end());
    blocks.push_back(u"");
    EXPECT_EQ(Slice(lines, files + 1 + 42, icons), blocks)
        << "game blocks, then two blank lines before [Icons]";
    EXPECT_EQ(Slice(lines, icons, code + 1), kClientSections);
    EXPECT_EQ(Slice(lines, code, lines.size()),
              Slice(Script("星河棋牌.iss"), IndexOf(Script("星河棋牌.iss"), u"[Code]"), lines.size()))
        << "lobby and full script share their [Code]";
}

TEST_F(InstallerScriptsTest, OneGameGivesThreeFiles)
{
    ASSERT_TRUE(MakeInstallerScripts(Context(), m_request));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DiskPath(m_dir, "星河棋牌")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"QZ斗地主.iss", "星河棋牌-all.iss", "星河棋牌.iss"}));
    EXPECT_TRUE(m_boxes.Shown().empty());
}

TEST_F(InstallerScriptsTest, SameGameNameTwiceKeepsTheSecondScriptAndBothBlocks)
{
    m_request.GameList.push_back({u"300", u"斗地主", u"OtherCrab", u"X"});
    ASSERT_TRUE(MakeInstallerScripts(Context(), m_request));
    Lines game = Script("QZ斗地主.iss");
    EXPECT_NE(std::find(game.begin(), game.end(), u"OutputBaseFilename=OtherCrab"), game.end());
    Lines full = Script("星河棋牌-all.iss");
    size_t first = IndexOf(full, u";斗地主");
    size_t second = IndexOf(full, u";斗地主", first + 1);
    ASSERT_LT(second, full.size());
    EXPECT_EQ(full[first + 1], u"Source: \"LandCrab.exe\"; DestDir: \"{app}\"; Flags: igNoreversion");
    EXPECT_EQ(full[second + 1], u"Source: \"OtherCrab.exe\"; DestDir: \"{app}\"; Flags: igNoreversion");
}

TEST_F(InstallerScriptsTest, SecondRunWritesTheSameText)
{
    ASSERT_TRUE(MakeInstallerScripts(Context(), m_request));
    std::string game = m_dir.Read("星河棋牌/QZ斗地主.iss");
    std::string full = m_dir.Read("星河棋牌/星河棋牌-all.iss");
    ASSERT_TRUE(MakeInstallerScripts(Context(), m_request));
    EXPECT_EQ(m_dir.Read("星河棋牌/QZ斗地主.iss"), game);
    EXPECT_EQ(m_dir.Read("星河棋牌/星河棋牌-all.iss"), full);
}

TEST_F(InstallerScriptsTest, ValuesAreWrittenVerbatim)
{
    m_request.strCompanyName = u"A\"{b};%s%d";
    ASSERT_TRUE(MakeInstallerScripts(Context(), m_request));
    Lines lobby = Script("星河棋牌.iss");
    EXPECT_NE(std::find(lobby.begin(), lobby.end(), u"AppCopyright=A\"{b};%s%d"), lobby.end());
}

TEST_F(InstallerScriptsTest, UnusableGameNameIsRefusedBeforeAnythingIsWritten)
{
    m_request.GameList.push_back({u"9", u"a:b", u"M", u"D"});
    m_boxes.Expect();
    EXPECT_FALSE(MakeInstallerScripts(Context(), m_request));
    EXPECT_EQ(m_boxes.Texts(), Lines{u"游戏名称“a:b”(编号 9)不能用作文件名!"});
    EXPECT_EQ(m_boxes.Shown()[0].caption, u"脚本创建错误信息");
    EXPECT_FALSE(std::filesystem::exists(DiskPath(m_dir, "星河棋牌")));
}

TEST_F(InstallerScriptsTest, FailingGameScriptStopsTheRun)
{
    m_request.GameList.push_back({u"216", u"中国象棋", u"ChessCrab", u"ChessDB"});
    std::filesystem::create_directory(DiskPath(m_dir, "星河棋牌"));
    Block("QZ斗地主.iss");
    m_boxes.Expect();
    EXPECT_FALSE(MakeInstallerScripts(Context(), m_request));
    ASSERT_EQ(m_boxes.Texts(), Lines{u"斗地主脚本创建失败!"});
    EXPECT_EQ(m_boxes.Shown()[0].caption, u"脚本创建错误信息");
    EXPECT_EQ(m_boxes.Shown()[0].type, MB_OK);
    // The message names neither the file nor the cause; its detail does.
    ASSERT_EQ(m_boxes.Details().size(), 1u);
    EXPECT_EQ(m_boxes.Details()[0].nAfterMessages, 1u);
    EXPECT_EQ(m_boxes.Details()[0].error.m_cause, tagFileError::accessDenied);
    EXPECT_EQ(m_boxes.Details()[0].error.m_strFileName, JoinPath(u"星河棋牌", u"QZ斗地主.iss"));
    EXPECT_EQ(m_dir.Read("星河棋牌/QZ斗地主.iss"), "old\r\n");
    EXPECT_FALSE(Exists("QZ中国象棋.iss"));
    EXPECT_FALSE(Exists("星河棋牌.iss"));
    EXPECT_FALSE(Exists("星河棋牌-all.iss"));
}

TEST_F(InstallerScriptsTest, FailingLobbyScriptSkipsTheFullScript)
{
    std::filesystem::create_directory(DiskPath(m_dir, "星河棋牌"));
    Block("星河棋牌.iss");
    m_boxes.Expect();
    EXPECT_FALSE(MakeInstallerScripts(Context(), m_request));
    EXPECT_EQ(m_boxes.Texts(), Lines{u"大厅脚本创建失败!"});
    ASSERT_EQ(m_boxes.Details().size(), 1u);
    EXPECT_EQ(m_boxes.Details()[0].error.m_strFileName, JoinPath(u"星河棋牌", u"星河棋牌.iss"));
    EXPECT_TRUE(Exists("QZ斗地主.iss"));
    EXPECT_FALSE(Exists("星河棋牌-all.iss"));
}

TEST_F(InstallerScriptsTest, FailingFullScriptIsReported)
{
    std::filesystem::create_directory(DiskPath(m_dir, "星河棋牌"));
    Block("星河棋牌-all.iss");
    m_boxes.Expect();
    EXPECT_FALSE(MakeInstallerScripts(Context(), m_request));
    EXPECT_EQ(m_boxes.Texts(), Lines{u"全部游戏安装包脚本创建失败!"});
    ASSERT_EQ(m_boxes.Details().size(), 1u);
    EXPECT_EQ(m_boxes.Details()[0].error.m_strFileName, JoinPath(u"星河棋牌", u"星河棋牌-all.iss"));
    EXPECT_EQ(m_dir.Read("星河棋牌/星河棋牌-all.iss"), "old\r\n");
}

TEST_F(InstallerScriptsTest, CharacterWithoutCodePage936FormFailsTheFirstScript)
{
    m_request.strCompanyName = u"\u0E01";
    m_boxes.Expect();
    EXPECT_FALSE(MakeInstallerScripts(Context(), m_request));
    EXPECT_EQ(m_boxes.Texts(), Lines{u"斗地主脚本创建失败!"});
    EXPECT_FALSE(Exists("QZ斗地主.iss"));
    // The company name first stands on the line "AppPublisher=", the twelfth.
    ASSERT_EQ(m_boxes.Details().size(), 1u);
    const tagFileError& error = m_boxes.Details()[0].error;
    EXPECT_EQ(error.m_cause, tagFileError::badCodePage);
    EXPECT_EQ(error.m_strFileName, JoinPath(u"星河棋牌", u"QZ斗地主.iss"));
    EXPECT_EQ(error.m_nCharacter, U'\u0E01');
    EXPECT_EQ(error.m_nLine, 12u);
}

TEST_F(InstallerScriptsTest, PlatformNameThatIsNoFolderNameWritesNothing)
{
    for (const std::u16string& name :
         {std::u16string(u""), std::u16string(u"."), std::u16string(u".."), std::u16string(u"a/b"),
          std::u16string(u"Stars "), std::u16string(u"Stars .")}) {
        m_request.strPlatformName = name;
        m_boxes.Clear();
        m_boxes.Expect();
        EXPECT_FALSE(MakeInstallerScripts(Context(), m_request));
        EXPECT_EQ(m_boxes.Texts(), Lines{u"斗地主脚本创建失败!"});
        ASSERT_EQ(m_boxes.Details().size(), 1u);
        EXPECT_EQ(m_boxes.Details()[0].error.m_cause, tagFileError::badName);
        EXPECT_EQ(m_boxes.Details()[0].error.m_strFileName, name);
    }
    EXPECT_TRUE(std::filesystem::is_empty(m_dir.Path()));
}

TEST_F(InstallerScriptsTest, NamesEndingWithADotAreWritten)
{
    m_request.strPlatformName = u"Stars Co.";
    m_request.GameList[0].strGameName = u"Poker.";
    ASSERT_TRUE(MakeInstallerScripts(Context(), m_request));
    EXPECT_TRUE(m_boxes.Shown().empty());
    Lines game = DiskLines(m_dir, "Stars Co./QZPoker..iss");
    EXPECT_NE(std::find(game.begin(), game.end(), u"AppName=Poker."), game.end());
    Lines lobby = DiskLines(m_dir, "Stars Co./Stars Co..iss");
    EXPECT_NE(std::find(lobby.begin(), lobby.end(), u"AppName=Stars Co."), lobby.end());
    Lines full = DiskLines(m_dir, "Stars Co./Stars Co.-all.iss");
    EXPECT_NE(std::find(full.begin(), full.end(), u";Poker."), full.end());
}

TEST(InstallerTemplates, HoldOnlyTheirPlaceholders)
{
    auto count = [](const std::u16string& text, std::u16string_view what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::u16string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    };
    const std::pair<const std::u16string*, size_t> templates[] = {{&GameScriptTemplate(), 15},
                                                                  {&LobbyScriptTemplate(), 16},
                                                                  {&FullScriptHead(), 9},
                                                                  {&FullScriptGameBlock(), 4},
                                                                  {&FullScriptTail(), 7}};
    for (const auto& [text, values] : templates) {
        EXPECT_EQ(count(*text, u"%s"), values);
        EXPECT_EQ(count(*text, u"%"), values) << "no other percent sign";
        EXPECT_EQ(text->back(), u'\n');
    }
}

} // namespace
