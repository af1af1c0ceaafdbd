#pragma once

#include "framework/DialogEx.h"

// The server list page.
class CDLGEditServerInfo : public CPropertyPage
{
public:
    CDLGEditServerInfo();

protected:
    MessageMap GetMessageMap() override;
};
