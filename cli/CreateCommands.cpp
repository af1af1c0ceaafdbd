#include "cli/CreateCommands.h"

#include "cli/DryRunReport.h"
#include "cli/RecordingStore.h"
#include "create/CreationRun.h"
#include "framework/FileSandbox.h"
#include "framework/FileSystem.h"
#include "framework/Path.h"
#include "framework/ProfileFile.h"
#include "framework/RunContext.h"
#include "framework/WideText.h"

#include <cstdio>
#include <memory>
#include <optional>

namespace {

// One of the five inputs: its option, the key in the profile's section "Deployment", its member.
struct InputSource
{
    const char* option;
    const char* description;
    const char16_t* profileKey;
    std::u16string tagCreateRequest::*member;
};

const InputSource kInputSources[] = {
    {"--company", "Company name (公司名称)", u"CompanyName", &tagCreateRequest::strCompanyName},
    {"--platform", "Platform name (平台名称)", u"PlatformName", &tagCreateRequest::strPlatformName},
    {"--domain", "Platform domain (平台域名)", u"PlatformDomain", &tagCreateRequest::strPlatformDomain},
    {"--server", "Server address (服务器地址)", u"ServerAddr", &tagCreateRequest::strServerAddr},
    {"--registry", "Registry name (注册表信息)", u"RegistryInfo", &tagCreateRequest::strRegistryInfo},
};
constexpr size_t kInputCount = std::size(kInputSources);

struct CreateArguments
{
    std::string inputs[kInputCount];
    CLI::Option* inputOptions[kInputCount] = {};
    bool database = false;
    bool installer = false;
    bool serverInfo = false;
    std::string deployDir;
    std::string profile;
    bool dryRun = false;
    bool diff = false;
    bool quiet = false;
};

// The five inputs from the profile's section "Deployment"; false after the file error when the file
// cannot be read, or after a diagnostic when a line of a file marked as UTF-8 is not UTF-8.
bool ReadProfile(CReporter& reporter, const std::string& file, tagCreateRequest& request)
{
    std::u16string path = FromUtf8(file);
    tagFileBytes read = DiskStore().Read(path);
    if (read.error.Failed()) {
        reporter.FileError(read.error);
        return false;
    }
    CProfileDocument document;
    document.LoadBytes(read.bytes);
    if (!CheckProfileReadable(file, document.UnreadableLines()))
        return false;
    for (const InputSource& source : kInputSources)
        request.*source.member = document.GetString(u"Deployment", source.profileKey).value_or(u"");
    return true;
}

// Without any of the three options the run has all three, as the page starts with all three checked.
tagCreateOptions ChosenOptions(const CreateArguments& arguments)
{
    if (!arguments.database && !arguments.installer && !arguments.serverInfo)
        return tagCreateOptions{};
    return tagCreateOptions{arguments.database, arguments.installer, arguments.serverInfo};
}

std::u16string DeploymentFolder(const CreateArguments& arguments)
{
    if (arguments.deployDir.empty())
        return GetModuleDirectory();
    return WithTrailingSeparator(FromUtf8(arguments.deployDir));
}

int RunCreate(const CreateArguments& arguments)
{
    CCliReporter reporter;
    tagCreateRequest request;
    if (!arguments.profile.empty() && !ReadProfile(reporter, arguments.profile, request))
        return kExitRefused;
    for (size_t i = 0; i < kInputCount; ++i) {
        if (arguments.inputOptions[i]->count() > 0)
            request.*kInputSources[i].member = FromUtf8(arguments.inputs[i]);
    }
    request.strModuleDir = DeploymentFolder(arguments);
    tagCreateOptions options = ChosenOptions(arguments);
    bool completed = false;
    std::string report;
    if (arguments.dryRun) {
        CFileSandbox sandbox;
        completed = RunCreation(tagRunContext{reporter, sandbox}, request, options);
        report = DryRunReport(sandbox.Writes(), arguments.diff);
    } else {
        // A run that stops early lists what it wrote up to then.
        CRecordingStore disk(DiskStore());
        completed = RunCreation(tagRunContext{reporter, disk}, request, options);
        report = arguments.quiet ? std::string() : WrittenReport(disk.Writes());
    }
    std::fwrite(report.data(), 1, report.size(), stdout);
    return completed ? reporter.ExitStatus() : kExitRefused;
}

} // namespace

void AddCreateCommand(CLI::App& app, CommandAction& action)
{
    auto arguments = std::make_shared<CreateArguments>();
    CLI::App* command = app.add_subcommand(
        "create", "Check the inputs, read the game list and write the database scripts, the installer "
                  "scripts and the client's server list");
    for (size_t i = 0; i < kInputCount; ++i) {
        arguments->inputOptions[i] =
            command->add_option(kInputSources[i].option, arguments->inputs[i], kInputSources[i].description);
    }
    command->add_flag("--database", arguments->database, "Write the database scripts (生成数据库脚本)");
    command->add_flag("--installer", arguments->installer, "Write the installer scripts (生成安装包脚本)");
    command->add_flag("--serverinfo", arguments->serverInfo,
                      "Write the client's server list PLATFORM/ServerInfo.ini with this deployment's server "
                      "(生成ServerInfo.ini)");
    command->add_option("--deploy-dir", arguments->deployDir,
                        "The folder that holds 脚本代码 (default: the program's folder)");
    command->add_option("--profile", arguments->profile,
                        "An INI file whose section Deployment gives CompanyName, PlatformName, "
                        "PlatformDomain, ServerAddr and RegistryInfo; options win");
    command->add_flag("--dry-run", arguments->dryRun, "Write nothing; list the files the run would write");
    command->add_flag("--diff", arguments->diff, "With the dry run: a unified diff of each changed file")
        ->needs("--dry-run");
    command->add_flag("--quiet", arguments->quiet, "Do not list the files written")->excludes("--dry-run");
    command->callback([&action, arguments] { action = [arguments] { return RunCreate(*arguments); }; });
}
