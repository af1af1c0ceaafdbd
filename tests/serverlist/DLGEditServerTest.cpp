#include "serverlist/DLGEditServer.h"

#include "app/KorvaneApp.h"
#include "res/Resource.h"
#include "framework/TestDriver.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

using namespace TestDriver;

namespace {

class EntryDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        theApp.m_ServerArray = {{u"一号服", u"1.2.3.4", u"a.example"},
                                {u"二号服", u"10.0.0.1", u"b.example"}};
        theApp.m_nEditIndex = 0;
    }
    void TearDown() override { theApp.m_ServerArray.clear(); }

    void ExpectArrayUnchanged() const
    {
        ASSERT_EQ(theApp.m_ServerArray.size(), 2u);
        EXPECT_EQ(theApp.m_ServerArray[0].strServerName, u"一号服");
        EXPECT_EQ(theApp.m_ServerArray[1].strServerName, u"二号服");
        EXPECT_EQ(theApp.m_ServerArray[1].strServerDomain, u"b.example");
    }

    MessageBoxRecorder m_boxes; // the dialog shows no message of its own
    CDLGEditServer m_dialog;
};

TEST_F(EntryDialogTest, AddModeStartsEmptyAndAppendsTheTypedEntry)
{
    theApp.m_nEditIndex = -1;
    std::u16string title;
    std::u16string startName = u"unset";
    WhenModal([&](CDialogEx& dialog) {
        title = dialog.GetWindowText();
        startName = Text(dialog, IDC_EDIT_SERVER_NAME);
        EXPECT_EQ(Text(dialog, IDC_EDIT_SERVER_ADDR), u"");
        EXPECT_EQ(Text(dialog, IDC_EDIT_SERVER_DOMAIN), u"");
        SetText(dialog, IDC_EDIT_SERVER_NAME, u" 三号服 ");
        SetText(dialog, IDC_EDIT_SERVER_ADDR, u"not an address");
        SetText(dialog, IDC_EDIT_SERVER_DOMAIN, u"c.example");
        Click(dialog, IDC_BTN_SERVER_OK);
    });
    EXPECT_EQ(m_dialog.DoModal(), IDOK);
    EXPECT_EQ(title, u"编辑服务器信息");
    EXPECT_EQ(startName, u"");
    ASSERT_EQ(theApp.m_ServerArray.size(), 3u);
    // Blanks and a malformed address are kept as typed.
    EXPECT_EQ(theApp.m_ServerArray[2].strServerName, u" 三号服 ");
    EXPECT_EQ(theApp.m_ServerArray[2].strServerAddr, u"not an address");
    EXPECT_EQ(theApp.m_ServerArray[2].strServerDomain, u"c.example");
    EXPECT_EQ(theApp.m_ServerArray[0].strServerName, u"一号服");
}

TEST_F(EntryDialogTest, AddModeAcceptsThreeEmptyFields)
{
    theApp.m_nEditIndex = -1;
    WhenModal([](CDialogEx& dialog) { Click(dialog, IDC_BTN_SERVER_OK); });
    EXPECT_EQ(m_dialog.DoModal(), IDOK);
    ASSERT_EQ(theApp.m_ServerArray.size(), 3u);
    EXPECT_EQ(theApp.m_ServerArray[2].strServerName, u"");
    EXPECT_EQ(theApp.m_ServerArray[2].strServerAddr, u"");
    EXPECT_EQ(theApp.m_ServerArray[2].strServerDomain, u"");
}

TEST_F(EntryDialogTest, EditModeShowsTheEntryAndReplacesItInPlace)
{
    theApp.m_nEditIndex = 1;
    std::vector<std::u16string> shown;
    WhenModal([&](CDialogEx& dialog) {
        for (int id : {IDC_EDIT_SERVER_NAME, IDC_EDIT_SERVER_ADDR, IDC_EDIT_SERVER_DOMAIN})
            shown.push_back(Text(dialog, id));
        SetText(dialog, IDC_EDIT_SERVER_ADDR, u"10.0.0.2");
        Click(dialog, IDC_BTN_SERVER_OK);
    });
    EXPECT_EQ(m_dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, (std::vector<std::u16string>{u"二号服", u"10.0.0.1", u"b.example"}));
    ASSERT_EQ(theApp.m_ServerArray.size(), 2u);
    EXPECT_EQ(theApp.m_ServerArray[1].strServerName, u"二号服");
    EXPECT_EQ(theApp.m_ServerArray[1].strServerAddr, u"10.0.0.2");
    EXPECT_EQ(theApp.m_ServerArray[1].strServerDomain, u"b.example");
    EXPECT_EQ(theApp.m_ServerArray[0].strServerAddr, u"1.2.3.4");
}

TEST_F(EntryDialogTest, EditModeConfirmedWithoutChangeStoresTheSameTexts)
{
    theApp.m_nEditIndex = 0;
    WhenModal([](CDialogEx& dialog) { Click(dialog, IDC_BTN_SERVER_OK); });
    EXPECT_EQ(m_dialog.DoModal(), IDOK);
    ASSERT_EQ(theApp.m_ServerArray.size(), 2u);
    EXPECT_EQ(theApp.m_ServerArray[0].strServerName, u"一号服");
    EXPECT_EQ(theApp.m_ServerArray[0].strServerAddr, u"1.2.3.4");
    EXPECT_EQ(theApp.m_ServerArray[0].strServerDomain, u"a.example");
}

TEST_F(EntryDialogTest, CancelButtonLeavesTheArrayInBothModes)
{
    for (int index : {-1, 1}) {
        theApp.m_nEditIndex = index;
        WhenModal([](CDialogEx& dialog) {
            SetText(dialog, IDC_EDIT_SERVER_NAME, u"丢弃");
            Click(dialog, IDC_BTN_SERVER_CANCEL);
        });
        EXPECT_EQ(m_dialog.DoModal(), IDCANCEL) << "index " << index;
        ExpectArrayUnchanged();
    }
}

TEST_F(EntryDialogTest, EscapeCancelsWithoutStoring)
{
    theApp.m_nEditIndex = 1;
    WhenModal([](CDialogEx& dialog) {
        SetText(dialog, IDC_EDIT_SERVER_NAME, u"丢弃");
        PressKey(dialog, IDC_EDIT_SERVER_NAME, EKey::escape);
    });
    EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
    ExpectArrayUnchanged();
}

TEST_F(EntryDialogTest, EnterConfirmsAndStoresTheFields)
{
    for (EKey key : {EKey::enter, EKey::keypadEnter}) {
        theApp.m_nEditIndex = 0;
        WhenModal([key](CDialogEx& dialog) {
            SetText(dialog, IDC_EDIT_SERVER_NAME, u"回车保存");
            PressKey(dialog, IDC_EDIT_SERVER_NAME, key);
        });
        EXPECT_EQ(m_dialog.DoModal(), IDOK) << "keypad " << (key == EKey::keypadEnter);
        ASSERT_EQ(theApp.m_ServerArray.size(), 2u);
        EXPECT_EQ(theApp.m_ServerArray[0].strServerName, u"回车保存");
        theApp.m_ServerArray[0].strServerName = u"一号服";
    }
}

TEST_F(EntryDialogTest, EachRunStartsFromTheCurrentEditIndex)
{
    theApp.m_nEditIndex = 0;
    WhenModal([](CDialogEx& dialog) { Click(dialog, IDC_BTN_SERVER_CANCEL); });
    m_dialog.DoModal();
    theApp.m_nEditIndex = -1;
    std::u16string name = u"unset";
    WhenModal([&](CDialogEx& dialog) {
        name = Text(dialog, IDC_EDIT_SERVER_NAME);
        Click(dialog, IDC_BTN_SERVER_CANCEL);
    });
    m_dialog.DoModal();
    EXPECT_EQ(name, u"");
}

} // namespace
