#include "framework/TestDriver.h"

#include "encrypt/DLGEncrypt.h"
#include "res/Resource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
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

TEST_F(TestDriverTest, AnAnswerThatNoDialogTakesFailsAndIsDropped)
{
    bool acted = false;
    WhenModal([&](CDialogEx&) { acted = true; });
    // The answer waits a few turns of the message loop, or a few seconds, for its dialog.
    auto start = std::chrono::steady_clock::now();
    while (failures.empty() && std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        ProcessPending();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "no modal dialog appeared");
    EXPECT_FALSE(acted);
}

} // namespace
