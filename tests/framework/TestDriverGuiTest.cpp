#include "framework/TestDriver.h"

#include "encrypt/DLGEncrypt.h"
#include "res/Resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace TestDriver;

namespace {

// A test that names a control wrongly must fail, not pass on an action that never happened.
class TestDriverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(page.Create(IDD_DLG_ENCRYPT, &host));
        SetFailureHandler([this](const std::string& message) { failures.push_back(message); });
    }
    void TearDown() override
    {
        SetFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    }

    CHostWnd host;
    CDLGEncrypt page;
    std::vector<std::string> failures;
};

TEST_F(TestDriverTest, AMissingControlIsReportedAndNothingHappens)
{
    Click(page, 4242);
    EXPECT_EQ(Text(page, 4243), u"");
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0], "no button 4242");
    EXPECT_EQ(failures[1], "no control 4243");
}

TEST_F(TestDriverTest, AControlOfAnotherKindIsReported)
{
    SetText(page, IDC_BTN_PASTE, u"typed");
    EXPECT_TRUE(ListLines(page, IDC_EDIT_INPUT).empty());
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0], "no edit box " + std::to_string(IDC_BTN_PASTE));
    EXPECT_EQ(failures[1], "no list box or tab control " + std::to_string(IDC_EDIT_INPUT));
    EXPECT_EQ(Text(page, IDC_BTN_PASTE), u"粘贴");
}

TEST_F(TestDriverTest, ClicksAndTypingReachTheControls)
{
    SetText(page, IDC_EDIT_INPUT, u"1.2.3.4");
    Click(page, IDC_RADIO_IP);
    Click(page, IDC_BTN_ENCRYPT);
    EXPECT_EQ(Text(page, IDC_EDIT_RESULT), u"67305985");
    EXPECT_TRUE(failures.empty());
}

} // namespace
