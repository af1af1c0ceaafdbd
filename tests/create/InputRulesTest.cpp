#include "create/InputRules.h"

#include "support/ReporterRecorder.h"

#include <gtest/gtest.h>

namespace {

using Required = std::array<bool, inputCount>;

TEST(InputRules, WhichInputsTheOptionsNeed)
{
    EXPECT_EQ(RequiredInputs(true, true), (Required{true, true, true, true, true}));
    EXPECT_EQ(RequiredInputs(true, false), (Required{true, true, true, false, true}));
    EXPECT_EQ(RequiredInputs(false, true), (Required{false, true, true, true, false}));
    EXPECT_EQ(RequiredInputs(false, false), (Required{false, false, false, false, false}));
}

TEST(InputRules, TheFirstEmptyRequiredInputIsReported)
{
    ReporterRecorder boxes;
    tagCreateRequest request;
    boxes.Expect();
    EXPECT_FALSE(CheckInputs(boxes, request, true, true));
    request.strCompanyName = u"C";
    request.strPlatformName = u" "; // blanks fill an input
    request.strPlatformDomain = u"D";
    boxes.Expect(IDOK, 2);
    EXPECT_FALSE(CheckInputs(boxes, request, true, true));
    EXPECT_FALSE(CheckInputs(boxes, request, true, false));
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::u16string>{u"请输入\"公司名称\"信息", u"请输入\"服务器地址\"信息",
                                           u"请输入\"注册表信息\""}));
    EXPECT_EQ(boxes.Shown()[0].caption, AfxGetAppName());
    EXPECT_EQ(boxes.Shown()[0].type, MB_OK);
    // Inputs that no option needs are not looked at.
    EXPECT_TRUE(CheckInputs(boxes, tagCreateRequest{}, false, false));
    request.strServerAddr = u"S";
    EXPECT_TRUE(CheckInputs(boxes, request, false, true));
}

TEST(InputRules, TheReportedInputIsNamedWithItsMessage)
{
    ReporterRecorder boxes;
    tagCreateRequest request;
    request.strPlatformName = u"P";
    boxes.Expect(IDOK, 2);
    EXPECT_EQ(CheckInputsFor(boxes, request, false, true), inputPlatformDomain);
    EXPECT_EQ(CheckInputsFor(boxes, request, true, false), inputCompanyName);
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::u16string>{u"请输入\"平台域名\"信息", u"请输入\"公司名称\"信息"}));
    request.strPlatformDomain = u"D";
    request.strServerAddr = u"S";
    EXPECT_EQ(CheckInputsFor(boxes, request, false, true), std::nullopt);
    EXPECT_EQ(boxes.Shown().size(), 2u);
}

} // namespace
