#pragma once

#include "framework/DialogEx.h"

#include <functional>
#include <string>

// The encryption page: the operator's tool to make and read the platform's encoded values by hand.
// All its state lives in its controls.
class CDLGEncrypt : public CPropertyPage
{
public:
    CDLGEncrypt();

    bool OnInitDialog() override;
    void OnPaste();
    void OnCopy();
    void OnEncrypt();
    void OnDecrypt();

protected:
    MessageMap GetMessageMap() override;

private:
    using Operation = std::function<std::u16string(const std::u16string&)>;
    // The operation of the first selected method in the given column, or nothing when none is selected.
    Operation SelectedOperation(bool encode) const;
    void RunSelectedOperation(bool encode);
};
