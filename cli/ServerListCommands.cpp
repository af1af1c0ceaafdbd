#include "cli/ServerListCommands.h"

#include "cli/JsonText.h"
#include "framework/FileLock.h"
#include "framework/FileSystem.h"
#include "encrypt/Md5Text.h"
#include "framework/ProfileFile.h"
#include "framework/RunContext.h"
#include "framework/WideText.h"
#include "serverlist/ServerList.h"
#include "serverlist/ServerListCheck.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace {

struct ServerListArguments
{
    std::string file;
    int index = 0;
    std::string direction;
    std::string name;
    std::string addr;
    std::string domain;
    CLI::Option* nameOption = nullptr;
    CLI::Option* addrOption = nullptr;
    CLI::Option* domainOption = nullptr;
    bool json = false;

    std::u16string Path() const { return FromUtf8(file); }
};

using Arguments = std::shared_ptr<ServerListArguments>;

// One command's context: its messages on standard error, the disk.
struct CommandContext
{
    CCliReporter reporter;
    tagRunContext Context() { return tagRunContext{reporter, DiskStore()}; }
};

// A file that must be there to be read: show, export and check.
bool CheckReadable(CReporter& reporter, const std::u16string& path)
{
    tagFileError error = DiskStore().Read(path).error;
    if (error.Failed())
        reporter.FileError(error);
    return !error.Failed();
}

// A listing would leave out what a line it cannot read says, and a change would keep the line but not
// what it says: both refuse such a file, before anything read from it is shown. The load's messages
// are held until the file is known to hold no such line. A file that cannot be read at all is the
// load's to report.
enum class ELoaded { loaded, failed, refused };
ELoaded LoadIfReadable(const ServerListArguments& arguments, CReporter& reporter, CArray<tagServer>& servers)
{
    CHeldReporter held;
    const tagServerListLoad load =
        LoadServerList(tagRunContext{held, DiskStore()}, arguments.Path(), servers);
    if (!CheckProfileReadable(arguments.file, load.unreadableLines))
        return ELoaded::refused;
    held.PassOn(reporter);
    return load.error.Failed() ? ELoaded::failed : ELoaded::loaded;
}

bool Save(const tagRunContext& context, const std::u16string& path, const CArray<tagServer>& servers)
{
    tagFileError error = SaveServerList(context, path, servers);
    if (error.Failed())
        context.reporter.FileError(error);
    return !error.Failed();
}

// Names that give one section overwrite each other's address and domain when the client reads them.
void WarnSharedSections(const CArray<tagServer>& servers)
{
    for (const std::vector<size_t>& entries : EntriesSharingSections(servers)) {
        std::string list;
        for (size_t index : entries)
            list += (list.empty() ? "" : ", ") + std::to_string(index);
        PrintError("warning: entries " + list + " have names with one MD5 text (section [" +
                   ToUtf8(Md5Hex(servers[entries.front()].strServerName)) +
                   "]): they overwrite each other's address and domain");
    }
}

bool CheckIndex(const ServerListArguments& arguments, size_t count)
{
    if (arguments.index >= 0 && static_cast<size_t>(arguments.index) < count)
        return true;
    PrintError("no entry " + std::to_string(arguments.index) + " in " + arguments.file + ": it holds " +
               std::to_string(count) + " entries");
    return false;
}

// Entries as "name<TAB>address<TAB>domain" lines; none, after a diagnostic, when a field holds a
// text that UTF-8 cannot carry.
bool PrintTabSeparated(const CArray<tagServer>& servers, const std::string& json)
{
    const std::pair<const char*, std::u16string tagServer::*> fields[] = {
        {"name", &tagServer::strServerName},
        {"address", &tagServer::strServerAddr},
        {"domain", &tagServer::strServerDomain}};
    for (size_t i = 0; i < servers.size(); ++i) {
        for (const auto& [field, member] : fields) {
            if (!CheckPlainOutput(servers[i].*member, "entry " + std::to_string(i) + " " + field, json))
                return false;
        }
    }
    for (const tagServer& server : servers)
        PrintLine(server.strServerName + u"\t" + server.strServerAddr + u"\t" + server.strServerDomain);
    return true;
}

void PrintJson(const CArray<tagServer>& servers)
{
    std::vector<JsonMembers> list;
    for (const tagServer& server : servers) {
        list.push_back({{"name", server.strServerName},
                        {"address", server.strServerAddr},
                        {"domain", server.strServerDomain}});
    }
    PrintRawLine(JsonObjectArray(list));
}

// `json` names what shows the entries when UTF-8 cannot carry one of them.
int ListEntries(const ServerListArguments& arguments, const std::string& json)
{
    CommandContext command;
    CArray<tagServer> servers;
    if (!CheckReadable(command.reporter, arguments.Path()) ||
        LoadIfReadable(arguments, command.reporter, servers) == ELoaded::refused)
        return kExitRefused;
    if (arguments.json)
        PrintJson(servers);
    else if (!PrintTabSeparated(servers, json))
        return kExitRefused;
    return command.reporter.ExitStatus();
}

int RunShow(const ServerListArguments& arguments)
{
    return ListEntries(arguments, "--json");
}

int RunExport(const ServerListArguments& arguments)
{
    return ListEntries(arguments, "\"serverlist show --json\"");
}

// Loads, lets `change` work on the array, saves. A change that refuses saves nothing.
template <class Change> int RunChange(const ServerListArguments& arguments, Change change)
{
    CommandContext command;
    tagRunContext context = command.Context();
    // Another writer's load-change-save must not interleave with this one and lose its change.
    CFileLock lock;
    if (int error = lock.Lock(arguments.Path())) {
        context.reporter.FileError(tagFileError::FromOsError(error, arguments.Path()));
        return kExitRefused;
    }
    CArray<tagServer> servers;
    // A missing file loads as an empty list, which the save then creates.
    if (LoadIfReadable(arguments, context.reporter, servers) != ELoaded::loaded || !change(servers) ||
        !Save(context, arguments.Path(), servers))
        return kExitRefused;
    return command.reporter.ExitStatus();
}

std::u16string ValueOr(const CLI::Option* option, const std::string& value, const std::u16string& old)
{
    return option->count() > 0 ? FromUtf8(value) : old;
}

int RunAdd(const ServerListArguments& arguments)
{
    return RunChange(arguments, [&](CArray<tagServer>& servers) {
        servers.push_back({FromUtf8(arguments.name), FromUtf8(arguments.addr), FromUtf8(arguments.domain)});
        WarnSharedSections(servers);
        return true;
    });
}

int RunEdit(const ServerListArguments& arguments)
{
    return RunChange(arguments, [&](CArray<tagServer>& servers) {
        if (!CheckIndex(arguments, servers.size()))
            return false;
        tagServer& server = servers[static_cast<size_t>(arguments.index)];
        server = {ValueOr(arguments.nameOption, arguments.name, server.strServerName),
                  ValueOr(arguments.addrOption, arguments.addr, server.strServerAddr),
                  ValueOr(arguments.domainOption, arguments.domain, server.strServerDomain)};
        WarnSharedSections(servers);
        return true;
    });
}

int RunRemove(const ServerListArguments& arguments)
{
    return RunChange(arguments, [&](CArray<tagServer>& servers) {
        if (!CheckIndex(arguments, servers.size()))
            return false;
        servers.erase(servers.begin() + arguments.index);
        return true;
    });
}

// The page does nothing for a move off either end; here that is a refusal, so scripts notice it.
int RunMove(const ServerListArguments& arguments)
{
    return RunChange(arguments, [&](CArray<tagServer>& servers) {
        if (!CheckIndex(arguments, servers.size()))
            return false;
        size_t from = static_cast<size_t>(arguments.index);
        bool up = arguments.direction == "up";
        if (up ? from == 0 : from + 1 == servers.size()) {
            PrintError("entry " + std::to_string(from) + " cannot move " + arguments.direction +
                       ": it is the " + (up ? "first" : "last"));
            return false;
        }
        std::swap(servers[from], servers[up ? from - 1 : from + 1]);
        return true;
    });
}

// Lines of "name<TAB>address<TAB>domain"; empty lines are passed over.
bool ParseEntries(const std::vector<std::string>& lines, CArray<tagServer>& servers)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::u16string> text = DecodeInputLine(lines[i], i + 1);
        if (!text)
            return false;
        const std::u16string& line = *text;
        if (line.empty())
            continue;
        size_t first = line.find(u'\t');
        size_t second = first == std::u16string::npos ? first : line.find(u'\t', first + 1);
        if (second == std::u16string::npos || line.find(u'\t', second + 1) != std::u16string::npos) {
            PrintError("standard input, line " + std::to_string(i + 1) +
                       ": expected name, address and domain separated by two tabs");
            return false;
        }
        servers.push_back(
            {line.substr(0, first), line.substr(first + 1, second - first - 1), line.substr(second + 1)});
    }
    return true;
}

int RunImport(const ServerListArguments& arguments)
{
    CArray<tagServer> entries;
    if (!ParseEntries(ReadInputLines(), entries))
        return kExitRefused;
    return RunChange(arguments, [&](CArray<tagServer>& servers) {
        servers = entries;
        return true;
    });
}

// The findings as a JSON array of {"where", "problem"}.
std::string FindingsJson(const std::vector<tagFinding>& findings)
{
    std::vector<JsonMembers> list;
    for (const tagFinding& finding : findings)
        list.push_back({{"where", finding.strWhere}, {"problem", finding.strProblem}});
    return JsonObjectArray(list);
}

// One line per finding; none, after a diagnostic, when a finding holds a text UTF-8 cannot carry.
bool PrintFindings(const std::vector<tagFinding>& findings)
{
    for (size_t i = 0; i < findings.size(); ++i) {
        if (!CheckPlainOutput(findings[i].strWhere + u": " + findings[i].strProblem,
                              "finding " + std::to_string(i + 1), "--json"))
            return false;
    }
    for (const tagFinding& finding : findings)
        PrintLine(finding.strWhere + u": " + finding.strProblem);
    return true;
}

int RunCheck(const ServerListArguments& arguments)
{
    CCliReporter reporter;
    CProfileDocument document;
    tagFileBytes read = DiskStore().Read(arguments.Path());
    if (read.error.Failed()) {
        reporter.FileError(read.error);
        return kExitRefused;
    }
    document.LoadBytes(read.bytes);
    std::vector<tagFinding> findings;
    for (size_t line : document.UnreadableLines()) {
        findings.push_back({u"line " + FromUtf8(std::to_string(line)),
                            FromUtf8(UnreadableLineProblem() + ": it is read as nothing")});
    }
    std::vector<tagFinding> fileFindings = CheckServerList(document);
    findings.insert(findings.end(), fileFindings.begin(), fileFindings.end());
    if (arguments.json)
        PrintRawLine(FindingsJson(findings));
    else if (!PrintFindings(findings))
        return kExitRefused;
    return findings.empty() ? kExitSuccess : kExitRefused;
}

// Every command has arguments of its own; the callback hands the parsed ones to its runner.
std::pair<CLI::App*, Arguments> AddCommand(CLI::App& group, CommandAction& action, const std::string& name,
                                           const std::string& description,
                                           int (*run)(const ServerListArguments&))
{
    auto arguments = std::make_shared<ServerListArguments>();
    CLI::App* command = group.add_subcommand(name, description);
    command->add_option("file", arguments->file, "The server list file (ServerInfo.ini)")->required();
    command->callback([&action, arguments, run] { action = [arguments, run] { return run(*arguments); }; });
    return {command, arguments};
}

void AddIndex(CLI::App* command, const Arguments& arguments)
{
    command->add_option("index", arguments->index, "The entry's index, counting from 0")->required();
}

void AddFields(CLI::App* command, const Arguments& arguments)
{
    arguments->nameOption = command->add_option("--name", arguments->name, "The server's name");
    arguments->addrOption = command->add_option("--addr", arguments->addr, "The server's address");
    arguments->domainOption = command->add_option("--domain", arguments->domain, "The server's domain");
}

} // namespace

void AddServerListCommands(CLI::App& app, CommandAction& action)
{
    CLI::App* group = app.add_subcommand("serverlist", "Show, change and check a server list file");
    group->require_subcommand(1, 1);

    auto [show, showArguments] =
        AddCommand(*group, action, "show", "One line per entry: name, address, domain", RunShow);
    show->add_flag("--json", showArguments->json, "A JSON array of {name, address, domain}");

    auto [add, addArguments] = AddCommand(*group, action, "add", "Append an entry", RunAdd);
    AddFields(add, addArguments);

    auto [edit, editArguments] = AddCommand(*group, action, "edit", "Change fields of an entry", RunEdit);
    AddIndex(edit, editArguments);
    AddFields(edit, editArguments);

    auto [remove, removeArguments] = AddCommand(*group, action, "remove", "Remove an entry", RunRemove);
    AddIndex(remove, removeArguments);

    auto [move, moveArguments] = AddCommand(*group, action, "move", "Move an entry up or down", RunMove);
    AddIndex(move, moveArguments);
    move->add_option("direction", moveArguments->direction, "up or down")
        ->required()
        ->check(CLI::IsMember({"up", "down"}));

    AddCommand(*group, action, "import", "Replace the entries by tab-separated lines from standard input",
               RunImport);
    AddCommand(*group, action, "export", "The entries as tab-separated lines, for import", RunExport);

    auto [check, checkArguments] = AddCommand(
        *group, action, "check", "Report what would surprise an operator; the file is not changed", RunCheck);
    check->add_flag("--json", checkArguments->json, "A JSON array of {where, problem}");
}
