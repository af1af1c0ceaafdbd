#pragma once

#include "create/CreateRequest.h"
#include "framework/RunContext.h"

// The creation page's three options.
struct tagCreateOptions
{
    bool bDatabase = true;   // "生成数据库脚本"
    bool bInstaller = true;  // "生成安装包脚本"
    bool bServerInfo = true; // "生成ServerInfo.ini"
};

// The OK command once the inputs are in `request` (strModuleDir included): checks the inputs, reads the
// game list into request.GameList when an output needs it ("游戏列表读取失败!",
// "游戏列表读取成功,但是内容为空"), then runs the database step, the installer step and the server list
// step. False when a step stopped after its message.
bool RunCreation(const tagRunContext& context, tagCreateRequest& request, const tagCreateOptions& options);
