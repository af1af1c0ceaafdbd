#pragma once

#include <string>

// The folder that holds the deployment folder "脚本代码", ending with a folder separator: the program's own
// folder unless the operator named another one at start (an installed program's folder is not his to write).
std::u16string GetDeploymentDirectory();

// Names the folder; an empty one goes back to the program's folder.
void SetDeploymentDirectory(const std::u16string& directory);
