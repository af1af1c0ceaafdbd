#include "framework/DeploymentDirectory.h"

#include "framework/FileSystem.h"
#include "framework/Path.h"

namespace {

std::u16string& ChosenDirectory()
{
    static std::u16string directory;
    return directory;
}

} // namespace

std::u16string GetDeploymentDirectory()
{
    return ChosenDirectory().empty() ? GetModuleDirectory() : ChosenDirectory();
}

void SetDeploymentDirectory(const std::u16string& directory)
{
    ChosenDirectory() = WithTrailingSeparator(directory);
}
