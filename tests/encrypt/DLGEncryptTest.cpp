#include "encrypt/DLGEncrypt.h"

#include "framework/Clipboard.h"
#include "framework/Random.h"
#include "framework/WideText.h"
#include "res/Resource.h"
#include "framework/TestDriver.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

using namespace TestDriver;

namespace {

class EncryptPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(page.Create(IDD_DLG_ENCRYPT, &host));
        CrtResetRandom();
    }

    std::u16string Run(int radioId, int buttonId, const std::u16string& input)
    {
        Click(page, radioId);
        SetText(page, IDC_EDIT_INPUT, input);
        Click(page, buttonId);
        return page.GetDlgItemText(IDC_EDIT_RESULT);
    }

    CHostWnd host;
    CDLGEncrypt page;
    MessageBoxRecorder boxes;
};

TEST_F(EncryptPageTest, StartsWithXorSelectedAndEmptyBoxes)
{
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RADIO_XOR), BST_CHECKED);
    for (int id : {IDC_RADIO_MD5, IDC_RADIO_IP, IDC_RADIO_VERSION})
        EXPECT_EQ(page.IsDlgButtonChecked(id), BST_UNCHECKED);
    EXPECT_EQ(page.GetDlgItemText(IDC_EDIT_INPUT), u"");
    EXPECT_EQ(page.GetDlgItemText(IDC_EDIT_RESULT), u"");
    EXPECT_TRUE(page.IsEditReadOnly(IDC_EDIT_RESULT));
    EXPECT_FALSE(page.IsEditReadOnly(IDC_EDIT_INPUT));
}

TEST_F(EncryptPageTest, RadioButtonsFormOneGroup)
{
    Click(page, IDC_RADIO_IP);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RADIO_IP), BST_CHECKED);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RADIO_XOR), BST_UNCHECKED);
    Click(page, IDC_RADIO_IP); // clicking the selected one keeps it selected
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RADIO_IP), BST_CHECKED);
}

TEST_F(EncryptPageTest, XorOfAbcInAFreshRunAndBack)
{
    std::u16string encoded = Run(IDC_RADIO_XOR, IDC_BTN_ENCRYPT, u"abc");
    EXPECT_EQ(encoded, u"00030062002900"
                       u"4B4823484018BE6A1067840ED64AE115713D6C2B252CD64127");
    EXPECT_EQ(Run(IDC_RADIO_XOR, IDC_BTN_DECRYPT, encoded), u"abc");
    // A second encoding draws new keys: another text, the same first group.
    std::u16string again = Run(IDC_RADIO_XOR, IDC_BTN_ENCRYPT, u"abc");
    EXPECT_NE(again, encoded);
    EXPECT_EQ(again.substr(0, 8), u"00030062");
}

TEST_F(EncryptPageTest, XorRefusalShowsItsMessageAndEmptiesTheResult)
{
    page.SetDlgItemText(IDC_EDIT_RESULT, u"old");
    boxes.Expect();
    EXPECT_EQ(Run(IDC_RADIO_XOR, IDC_BTN_ENCRYPT, std::u16string(64, u'x')), u"");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"加密字符不能超过64个字符哦~亲");
    EXPECT_EQ(boxes.Shown()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
}

TEST_F(EncryptPageTest, XorOfEmptyInputIsEmptyWithoutMessage)
{
    page.SetDlgItemText(IDC_EDIT_RESULT, u"old");
    EXPECT_EQ(Run(IDC_RADIO_XOR, IDC_BTN_ENCRYPT, u""), u"");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(EncryptPageTest, AddressAndVersionBothWays)
{
    EXPECT_EQ(Run(IDC_RADIO_IP, IDC_BTN_ENCRYPT, u"1.2.3.4"), u"67305985");
    EXPECT_EQ(Run(IDC_RADIO_IP, IDC_BTN_DECRYPT, u"67305985"), u"1.2.3.4");
    EXPECT_EQ(Run(IDC_RADIO_VERSION, IDC_BTN_ENCRYPT, u"1.2.3.4"), u"16909060");
    EXPECT_EQ(Run(IDC_RADIO_VERSION, IDC_BTN_DECRYPT, u"16909060"), u"1.2.3.4");
}

TEST_F(EncryptPageTest, MinusOneDecodesToTheErrorTextWithoutMessage)
{
    EXPECT_EQ(Run(IDC_RADIO_IP, IDC_BTN_DECRYPT, u"-1"), u"你所输入的信息有误");
    EXPECT_EQ(Run(IDC_RADIO_VERSION, IDC_BTN_DECRYPT, u"-1"), u"你所输入的信息有误");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(EncryptPageTest, Md5EncodesAndRefusesToDecode)
{
    EXPECT_EQ(Run(IDC_RADIO_MD5, IDC_BTN_ENCRYPT, u"abc"), u"900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(Run(IDC_RADIO_MD5, IDC_BTN_DECRYPT, u"whatever"), u"MD5 加密暂时不知道怎么解密");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(EncryptPageTest, InputIsPassedAsTyped)
{
    // No trimming: the blank makes the first part read as 1, the dotted text keeps its blank.
    EXPECT_EQ(Run(IDC_RADIO_VERSION, IDC_BTN_ENCRYPT, u"1. 2.x3.4z"), u"16908292");
}

TEST_F(EncryptPageTest, NoMethodSelectedShowsTheBoxAndEmptiesTheResult)
{
    page.CheckRadioButton(IDC_RADIO_XOR, IDC_RADIO_VERSION, 0);
    page.SetDlgItemText(IDC_EDIT_INPUT, u"abc");
    page.SetDlgItemText(IDC_EDIT_RESULT, u"old");
    boxes.Expect(IDOK, 2);
    Click(page, IDC_BTN_ENCRYPT);
    EXPECT_EQ(page.GetDlgItemText(IDC_EDIT_RESULT), u"");
    page.SetDlgItemText(IDC_EDIT_RESULT, u"old");
    Click(page, IDC_BTN_DECRYPT);
    EXPECT_EQ(page.GetDlgItemText(IDC_EDIT_RESULT), u"");
    ASSERT_EQ(boxes.Shown().size(), 2u);
    for (const MessageBoxRequest& box : boxes.Shown()) {
        EXPECT_EQ(box.text, u"囧zn");
        EXPECT_EQ(box.caption, AfxGetAppName());
        EXPECT_EQ(box.type & MB_ICONMASK, 0u);
    }
}

TEST_F(EncryptPageTest, PasteReplacesTheWholeInput)
{
    page.SetDlgItemText(IDC_EDIT_INPUT, u"existing text");
    SetCaret(page, IDC_EDIT_INPUT, 4);
    SetClipboardUnicodeText(u"粘贴的文字");
    Click(page, IDC_BTN_PASTE);
    EXPECT_EQ(page.GetDlgItemText(IDC_EDIT_INPUT), u"粘贴的文字");
}

TEST_F(EncryptPageTest, PasteWithoutTextOnTheClipboardChangesNothing)
{
    page.SetDlgItemText(IDC_EDIT_INPUT, u"kept");
    PutNonTextOnClipboard();
    Click(page, IDC_BTN_PASTE);
    EXPECT_EQ(page.GetDlgItemText(IDC_EDIT_INPUT), u"kept");
}

TEST_F(EncryptPageTest, CopyPutsTheResultOnTheClipboardEvenWhenEmpty)
{
    SetClipboardUnicodeText(u"before");
    Click(page, IDC_BTN_COPY);
    ASSERT_TRUE(GetClipboardUnicodeText().has_value());
    EXPECT_EQ(*GetClipboardUnicodeText(), u"");

    Run(IDC_RADIO_IP, IDC_BTN_ENCRYPT, u"127.0.0.1");
    Click(page, IDC_BTN_COPY);
    EXPECT_EQ(GetClipboardUnicodeText(), u"16777343");
}

TEST_F(EncryptPageTest, XorResultCopiedAndPastedBackDecodesToThePlainText)
{
    Run(IDC_RADIO_XOR, IDC_BTN_ENCRYPT, u"服务器一区");
    Click(page, IDC_BTN_COPY);
    page.SetDlgItemText(IDC_EDIT_INPUT, u"");
    Click(page, IDC_BTN_PASTE);
    Click(page, IDC_BTN_DECRYPT);
    EXPECT_EQ(page.GetDlgItemText(IDC_EDIT_RESULT), u"服务器一区");
}

} // namespace
