#include "create/ServerInfoFile.h"

#include "create/GameNames.h"
#include "framework/FileLock.h"
#include "framework/Path.h"
#include "serverlist/SaveFailure.h"
#include "serverlist/ServerList.h"

namespace {

tagFileError SaveDeploymentServer(const tagRunContext& context, const tagCreateRequest& request)
{
    const std::u16string& folder = request.strPlatformName;
    // The same rule as for the installer scripts: an unusable P would put the file somewhere else.
    if (!IsUsableFolderName(folder))
        return tagFileError{tagFileError::badName, folder, 0};
    context.files.CreateFolder(folder); // an existing folder is fine; one that cannot be made fails below
    const std::u16string path = folder + kPathSeparator + u"ServerInfo.ini";
    // The window's server list page or korvane-cli may be saving the same file.
    CFileLock lock;
    if (tagFileError error = context.files.LockForChange(path, lock); error.Failed())
        return error;
    const CArray<tagServer> servers = {tagServer{folder, request.strServerAddr, request.strPlatformDomain}};
    return SaveServerList(context, path, servers);
}

} // namespace

bool MakeServerInfo(const tagRunContext& context, const tagCreateRequest& request)
{
    tagFileError error = SaveDeploymentServer(context, request);
    if (error.Failed())
        ReportSaveFailure(context.reporter, error);
    return !error.Failed();
}
