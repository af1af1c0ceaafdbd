#pragma once

#include "framework/DialogEx.h"

// The script creation page.
class CDLGCreate : public CPropertyPage
{
public:
    CDLGCreate();

protected:
    MessageMap GetMessageMap() override;
};
