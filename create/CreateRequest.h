#pragma once

#include "create/GameList.h"

#include <string>

// What one run of the generators works from: the creation page's five texts, the program's folder and
// the game list. The page fills it from m_strCompanyName, m_strPlatformName, m_strPlatformDomain,
// m_strServerAddr, m_strRegistryInfo, m_szModuleDir and m_GameList.
struct tagCreateRequest
{
    std::u16string strCompanyName;
    std::u16string strPlatformName;
    std::u16string strPlatformDomain;
    std::u16string strServerAddr;
    std::u16string strRegistryInfo;
    std::u16string strModuleDir; // ends with a folder separator
    CArray<tagServerInfo> GameList;
};
