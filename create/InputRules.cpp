#include "create/InputRules.h"

namespace {

struct InputRule
{
    std::u16string tagCreateRequest::*member;
    const char16_t* missingMessage;
    bool neededByInstaller;
    bool neededByServerInfo;
};

constexpr InputRule kRules[inputCount] = {
    {&tagCreateRequest::strCompanyName, u"请输入\"公司名称\"信息", true, false},
    {&tagCreateRequest::strPlatformName, u"请输入\"平台名称\"信息", true, true},
    {&tagCreateRequest::strPlatformDomain, u"请输入\"平台域名\"信息", true, true},
    {&tagCreateRequest::strServerAddr, u"请输入\"服务器地址\"信息", false, true},
    {&tagCreateRequest::strRegistryInfo, u"请输入\"注册表信息\"", true, false},
};

} // namespace

std::array<bool, inputCount> RequiredInputs(bool installer, bool serverInfo)
{
    std::array<bool, inputCount> required{};
    for (size_t i = 0; i < required.size(); ++i)
        required[i] =
            (installer && kRules[i].neededByInstaller) || (serverInfo && kRules[i].neededByServerInfo);
    return required;
}

std::optional<CreateInput> CheckInputsFor(CReporter& reporter, const tagCreateRequest& request,
                                          bool installer, bool serverInfo)
{
    std::array<bool, inputCount> required = RequiredInputs(installer, serverInfo);
    for (size_t i = 0; i < required.size(); ++i) {
        if (required[i] && (request.*kRules[i].member).empty()) {
            reporter.Message(kRules[i].missingMessage);
            return CreateInput(i);
        }
    }
    return std::nullopt;
}

bool CheckInputs(CReporter& reporter, const tagCreateRequest& request, bool installer, bool serverInfo)
{
    return !CheckInputsFor(reporter, request, installer, serverInfo).has_value();
}
