#include "CliRunner.h"

#include "encrypt/Md5Text.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

namespace {

// Windows hands a program one UTF-16 command line, which CommandLineToArgvW splits: each argument
// must arrive as it was given, quotes and backslashes and Chinese included. The MD5 text of the
// argument, computed here in the test, shows what the program received.
TEST(ArgumentsOnWindows, ArriveUnchangedThroughTheCommandLine)
{
    const std::string texts[] = {
        "中文 名称", "say \"hi\"", "C:\\脚本代码\\", "a\\\\\"b", "\ttab\t", "￥１２", "-abc", "",
    };
    for (const std::string& text : texts) {
        CliResult result = RunCli({"encode", "md5", "--", text});
        EXPECT_EQ(result.status, 0) << text;
        EXPECT_EQ(result.out, ToUtf8(Md5Hex(FromUtf8(text))) + "\n") << "argument: " << text;
    }
}

} // namespace
