#include "encrypt/DLGEncrypt.h"

#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "encrypt/TextCodec.h"
#include "encrypt/XorText.h"
#include "framework/Clipboard.h"
#include "framework/MessageBox.h"
#include "framework/Reporter.h"
#include "res/Resource.h"

namespace {

struct Method
{
    int radioId;
    CDLGEncrypt::Operation encode;
    CDLGEncrypt::Operation decode;
};

std::u16string Md5CannotDecode(std::u16string_view, CReporter&)
{
    return u"MD5 加密暂时不知道怎么解密";
}

// The radio buttons in the order they are looked at, with their "加密" and "解密" operations.
const Method kMethods[] = {
    {IDC_RADIO_XOR, XorEncrypt, XorDecrypt},
    {IDC_RADIO_MD5, NeverRefuses<Md5Hex>, Md5CannotDecode},
    {IDC_RADIO_IP, NeverRefuses<IpToNumber>, NeverRefuses<NumberToIp>},
    {IDC_RADIO_VERSION, NeverRefuses<VersionToNumber>, NeverRefuses<NumberToVersion>},
};

} // namespace

CDLGEncrypt::CDLGEncrypt() : CPropertyPage(IDD_DLG_ENCRYPT) {}

MessageMap CDLGEncrypt::GetMessageMap()
{
    return {
        {IDC_BTN_PASTE, BN_CLICKED, [this] { OnPaste(); }},
        {IDC_BTN_COPY, BN_CLICKED, [this] { OnCopy(); }},
        {IDC_BTN_ENCRYPT, BN_CLICKED, [this] { OnEncrypt(); }},
        {IDC_BTN_DECRYPT, BN_CLICKED, [this] { OnDecrypt(); }},
    };
}

bool CDLGEncrypt::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CheckDlgButton(IDC_RADIO_XOR, BST_CHECKED);
    return true;
}

void CDLGEncrypt::OnPaste()
{
    std::optional<std::u16string> text = GetClipboardUnicodeText();
    if (text)
        SetDlgItemText(IDC_EDIT_INPUT, *text);
}

void CDLGEncrypt::OnCopy()
{
    SetClipboardUnicodeText(GetDlgItemText(IDC_EDIT_RESULT));
}

void CDLGEncrypt::OnEncrypt()
{
    RunSelectedOperation(true);
}

void CDLGEncrypt::OnDecrypt()
{
    RunSelectedOperation(false);
}

CDLGEncrypt::Operation CDLGEncrypt::SelectedOperation(bool encode) const
{
    for (const Method& method : kMethods) {
        if (IsDlgButtonChecked(method.radioId) == BST_CHECKED)
            return encode ? method.encode : method.decode;
    }
    return nullptr;
}

void CDLGEncrypt::RunSelectedOperation(bool encode)
{
    std::u16string input = GetDlgItemText(IDC_EDIT_INPUT);
    std::u16string result;
    if (Operation operation = SelectedOperation(encode)) {
        CMessageBoxReporter reporter;
        result = operation(input, reporter);
    } else
        AfxMessageBox(u"囧zn");
    SetDlgItemText(IDC_EDIT_RESULT, result);
}
