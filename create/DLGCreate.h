#pragma once

#include "create/CreateRequest.h"
#include "create/GameList.h"
#include "framework/CArray.h"
#include "framework/DialogEx.h"

#include <string>

// The script creation page: five facts about one deployment and three options; OK reads the game list
// and runs the chosen generators.
class CDLGCreate : public CPropertyPage
{
public:
    CDLGCreate();

    void DoDataExchange(bool saveAndValidate) override;

    void OnClickedOption();
    void UpdateInputStates();
    bool CheckInputs();
    void OnClickedOk();

    std::u16string m_strCompanyName;
    std::u16string m_strPlatformName;
    std::u16string m_strPlatformDomain;
    std::u16string m_strServerAddr;
    std::u16string m_strRegistryInfo;
    CArray<tagServerInfo> m_GameList;
    std::u16string m_szModuleDir; // ends with a folder separator

protected:
    MessageMap GetMessageMap() override;

private:
    bool IsChecked(int id) const;
    void CopyInputs();
    // The five inputs and the program's folder; the game list stays with the page.
    tagCreateRequest MakeRequest() const;
};
