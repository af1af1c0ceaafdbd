#pragma once

#include "framework/DialogEx.h"
#include "encrypt/TextCodec.h"

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

    // One cell of the method table.
    using Operation = TextCodec;

protected:
    MessageMap GetMessageMap() override;

private:
    // The operation of the first selected method in the given column, or nothing when none is selected.
    Operation SelectedOperation(bool encode) const;
    void RunSelectedOperation(bool encode);
};
