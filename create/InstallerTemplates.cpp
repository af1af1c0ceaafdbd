#include "create/InstallerTemplates.h"

#include <string_view>

namespace {

// One game's files: its executable and its data folder.
constexpr std::u16string_view kGameBlock = uR"iss(;%s
Source: "%s.exe"; DestDir: "{app}"; Flags: igNoreversion
Source: "%s\*"; DestDir: "{app}\%s\"; Flags: igNoreversion recursesubdirs createallsubdirs

)iss";

constexpr std::u16string_view kGameSetup = uR"iss(;
;
;安装包脚本
;
;

[Setup]

;公司信息
AppName=%s
AppVerName=%s
AppPublisher=%s
AppCopyright=%s
AppPublisherURL=%s
AppId=%s

;版本信息
VersionInfoVersion=6.0.1.0
VersionInfoDescription="%s游戏安装包"

;输出配置
SourceDir=..\安装文件
OutputDir=..\安装程序
OutputBaseFilename=%s

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
DefaultDirName={reg:HKCU\Software\%s\Veldra,Path}

[Languages]
Name: "chinese"; MessagesFile: "compiler:Default.isl"

[Files]
)iss";

constexpr std::u16string_view kGameRun = uR"iss(;------------------------------------------------
;需要在安装结束后运行的程序
;------------------------------------------------
[Run]
Filename: "{app}\GameVeldra.exe";     Flags: nowait postinstall skipifsilent runascurrentuser
;------------------------------------------------

)iss";

// The small wizard image becomes the background of the whole top panel, with the page's title and
// description drawn over it by two transparent labels.
constexpr std::u16string_view kWizardCode = uR"iss([Code]
//拉伸安装向导顶部图片
var
  PageName, PageDescription: TLabel;

procedure InitializeWizard();
begin
  PageName := TLabel.Create(WizardForm.MainPanel);
  PageName.Parent := WizardForm.MainPanel;
  PageName.Top := WizardForm.PageNameLabel.Top;
  PageName.Left := WizardForm.PageNameLabel.Left;
  PageName.Width := WizardForm.PageNameLabel.Width;
  PageName.Height := WizardForm.PageNameLabel.Height;
  PageName.Font := WizardForm.PageNameLabel.Font;
  PageName.Transparent := True;

  PageDescription := TLabel.Create(WizardForm.MainPanel);
  PageDescription.Parent := WizardForm.MainPanel;
  PageDescription.Top := WizardForm.PageDescriptionLabel.Top;
  PageDescription.Left := WizardForm.PageDescriptionLabel.Left;
  PageDescription.Width := WizardForm.PageDescriptionLabel.Width;
  PageDescription.Height := WizardForm.PageDescriptionLabel.Height;
  PageDescription.Font := WizardForm.PageDescriptionLabel.Font;
  PageDescription.Transparent := True;

  WizardForm.WizardSmallBitmapImage.Left := ScaleX(0);
  WizardForm.WizardSmallBitmapImage.Top := ScaleY(0);
  WizardForm.WizardSmallBitmapImage.Width := WizardForm.MainPanel.Width;
  WizardForm.WizardSmallBitmapImage.Height := WizardForm.MainPanel.Height;
  WizardForm.WizardSmallBitmapImage.Stretch := True;
  WizardForm.PageNameLabel.Visible := False;
  WizardForm.PageDescriptionLabel.Visible := False;
end;

procedure CurPageChanged(CurPageID: Integer);
begin
  PageName.Caption := WizardForm.PageNameLabel.Caption;
  PageDescription.Caption := WizardForm.PageDescriptionLabel.Caption;
end;

)iss";

constexpr std::u16string_view kMessageBoxImport =
    uR"iss(function MessageBox(hWnd: Integer; lpText, lpCaption: String; uType: Cardinal): Integer;
external 'MessageBoxA@user32.dll stdcall';

)iss";

// A running lobby reloads its game list on message 1124 with the game's number.
constexpr std::u16string_view kGameCodeEnd = uR"iss(//更新列表
procedure CurStepChanged(CurStep:TSetupStep);
VAR hWnd: HWND;
begin
  if CurStep = ssDone then
  begin
    hWnd := FindWindowByClassName('%sVeldra');
    if hWnd <> 0 then
    begin
      PostMessage(hWnd, 1124,%s, 0);
    end;
  end;
end;
)iss";

constexpr std::u16string_view kLobbySetup = uR"iss(;
;
;
;简装大厅安装包脚本
;
;

[Setup]

;公司信息
)iss";

constexpr std::u16string_view kFullSetup = uR"iss(;
;
;
;完整大厅安装包脚本
;
;

[Setup]
;公司信息
)iss";

// The [Setup] settings of lobby and full script after ";公司信息", up to the output name.
constexpr std::u16string_view kClientSettings = uR"iss(AppName=%s
AppVerName=%s
AppPublisher=%s
AppCopyright=%s
AppPublisherURL=http://%s

;版本信息
VersionInfoVersion=6.6.0.3
VersionInfoDescription="%s"
;输出配置
OutputDir=..\安装程序
SourceDir=..\安装文件
)iss";

constexpr std::u16string_view kClientSettingsEnd = uR"iss(
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
UninstallDisplayName=%s

;安装目录
DefaultDirName={pf}\%s
DefaultGroupName=%s

[Languages]
Name: "chinese"; MessagesFile: "compiler:Default.isl"

[Files]
)iss";

// The client's own files, in the groups the lobby installer has always packed them in.
constexpr std::u16string_view kClientFiles = uR"iss(;系统文件
Source: "MFC71u.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "Msvcp71.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "Msvcr71.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "d3dx9_28.dll"; DestDir: "{app}"; Flags: igNoreversion

Source: "ClientShare.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "mfc100u.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "msvcp100.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "msvcr100.dll"; DestDir: "{app}"; Flags: igNoreversion

;游戏大厅
Source: "ComService.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "SkinControl.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "SkinResource.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "ShareControl.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "GameVeldra.exe"; DestDir: "{app}"; Flags: igNoreversion
Source: "GameFrame.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "GameEngine.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "DownLoad.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "ServerInfo.INI"; DestDir: "{app}"; Flags: igNoreversion
Source: "ChannelModule.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "PropertyModule.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "UserFace.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "UserService.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "AvatarControl.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "PlatformData.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "GameRank.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "VideoService.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "NetworkKernel.dll"; DestDir: "{app}"; Flags: igNoreversion
Source: "PlatformConfig.ini"; DestDir: "{app}"; Flags: igNoreversion

;动态表情
Source: "FaceOle.dll"; DestDir: "{sys}"; Flags:restartreplace sharedfile regserver igNoreversion
Source: "Face\*"; DestDir: "{app}\Face\"; Flags: igNoreversion recursesubdirs createallsubdirs

;动画
Source: "Animation\*"; DestDir: "{app}\Animation\"; Flags: igNoreversion recursesubdirs createallsubdirs

;公共资源
Source: "PublicRes\*"; DestDir: "{app}\PublicRes\"; Flags: igNoreversion recursesubdirs createallsubdirs

)iss";

constexpr std::u16string_view kClientSections = uR"iss([Icons]
Name: "{group}\%s"; Filename: "{app}\GameVeldra.exe"
Name: "{group}\卸载%s";     Filename: "{uninstallexe}"
Name: "{userdesktop}\%s"; Filename: "{app}\GameVeldra.exe"

[Run]
Filename: "{app}\GameVeldra.exe"; Description: "{cm:LaunchProgram,%s}"; Flags: nowait postinstall skipifsilent   runascurrentuser

[Registry]
;服务器项
Root: HKCU; Subkey: "Software\%s\GameVeldra"; ValueType: string; ValueName: "InstallPath"; ValueData: {app}; Flags: deletevalue createvalueifdoesntexist uninsdeletevalue

)iss";

// Setup closes a running lobby first, after the operator agrees (33: OK and Cancel, question icon;
// 18: the quit message).
constexpr std::u16string_view kClientCodeEnd = uR"iss(//配置函数
FUNCTION InitializeSetup(): Boolean;
//变量声明
VAR hWnd: HWND;
begin
  //寻找大厅
  hWnd := FindWindowByClassName('%sVeldra');
  if hWnd = 0 then
  begin
    Result := True;
  end
  else
  begin
    if MessageBox(0, '安装程序发现您的游戏大厅程序正在使用，点击 [ 确定 ] 按钮，安装程序将自动关闭你的游戏大厅！', '%s安装程序：', 33) = IDOK then
    begin
      PostMessage(hWnd, 18, 0, 0);
      Sleep(50);
      //设置结果
      Result := True;
    end
    else
    begin
      //设置结果
      Result := False;
    end;
  end;
end;
)iss";

std::u16string Concat(std::initializer_list<std::u16string_view> parts)
{
    std::u16string text;
    for (std::u16string_view part : parts)
        text.append(part);
    return text;
}

std::u16string ClientCode()
{
    return Concat({kWizardCode, u"//寻找大厅，存在就关闭大厅\n", kMessageBoxImport, kClientCodeEnd});
}

} // namespace

const std::u16string& GameScriptTemplate()
{
    static const std::u16string text = Concat(
        {kGameSetup, kGameBlock, kGameRun, kWizardCode, u"//导入函数\n", kMessageBoxImport, kGameCodeEnd});
    return text;
}

const std::u16string& LobbyScriptTemplate()
{
    static const std::u16string text =
        Concat({kLobbySetup, kClientSettings, u"OutputBaseFilename=Veldra\n", kClientSettingsEnd,
                kClientFiles, kClientSections, ClientCode()});
    return text;
}

const std::u16string& FullScriptHead()
{
    static const std::u16string text = Concat(
        {kFullSetup, kClientSettings, u"OutputBaseFilename=QZGameFull\n", kClientSettingsEnd, kClientFiles});
    return text;
}

const std::u16string& FullScriptGameBlock()
{
    static const std::u16string text(kGameBlock);
    return text;
}

const std::u16string& FullScriptTail()
{
    static const std::u16string text = Concat({u"\n", kClientSections, ClientCode()});
    return text;
}
