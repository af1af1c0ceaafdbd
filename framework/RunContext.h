#pragma once

#include "framework/FileStore.h"
#include "framework/Reporter.h"

// What a domain operation needs from its caller: where its messages go and which files it sees.
struct tagRunContext
{
    CReporter& reporter;
    CFileStore& files;
};

// The window's context: message boxes and the disk.
inline tagRunContext WindowContext()
{
    return tagRunContext{MessageBoxReporter(), DiskStore()};
}
