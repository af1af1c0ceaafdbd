#pragma once

#include "create/CreateRequest.h"
#include "framework/RunContext.h"

// The client's server list for this deployment, "P/ServerInfo.ini" beside the installer scripts (P the
// platform name, relative to the current working directory): one entry named P with the server address
// and the platform domain, saved as the server list page saves, so the rest of an existing file stays.
// Makes the folder P when missing and holds the lock of the store around the save; a P that cannot be
// a folder name is refused before anything is written. A failure gets the server list page's
// save-failure message, and false comes back.
bool MakeServerInfo(const tagRunContext& context, const tagCreateRequest& request);
