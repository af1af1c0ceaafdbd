#pragma once

#include "create/CreateRequest.h"
#include "framework/Reporter.h"

#include <array>
#include <optional>

// The five inputs of a creation run, in the order they are checked.
enum CreateInput {
    inputCompanyName,
    inputPlatformName,
    inputPlatformDomain,
    inputServerAddr,
    inputRegistryInfo,
    inputCount,
};

// Which inputs the chosen outputs need: the installer scripts need company, platform name, domain and
// registry; the server list option platform name, domain and server address; the database scripts none.
// The page makes exactly these editable.
std::array<bool, inputCount> RequiredInputs(bool installer, bool serverInfo);

// Reports the message of the first required input that is empty ("请输入\"公司名称\"信息" …) and returns
// false. A text of blanks counts as filled in.
bool CheckInputs(CReporter& reporter, const tagCreateRequest& request, bool installer, bool serverInfo);

// CheckInputs, telling which input it reported: nothing when every required input is filled in.
std::optional<CreateInput> CheckInputsFor(CReporter& reporter, const tagCreateRequest& request,
                                          bool installer, bool serverInfo);
