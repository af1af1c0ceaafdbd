#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, NamesTheDeploymentFolderInEitherForm)
{
    for (const Arguments& arguments :
         {Arguments{"--deploy-dir", "/srv/部署"}, Arguments{"--deploy-dir=/srv/部署"}}) {
        tagCommandLine line = ParseCommandLine(arguments);
        EXPECT_EQ(line.action, ECommandLineAction::run) << arguments[0];
        EXPECT_EQ(line.strDeployDir, "/srv/部署") << arguments[0];
    }
    // Given twice, the last one counts, as in most programs.
    EXPECT_EQ(ParseCommandLine({"--deploy-dir", "a", "--deploy-dir=b"}).strDeployDir, "b");
    EXPECT_EQ(ParseCommandLine({}).action, ECommandLineAction::run);
}

TEST(CommandLine, HelpAndVersionWinOverWhatFollows)
{
    EXPECT_EQ(ParseCommandLine({"--help"}).action, ECommandLineAction::showHelp);
    EXPECT_EQ(ParseCommandLine({"-h", "--bogus"}).action, ECommandLineAction::showHelp);
    EXPECT_EQ(ParseCommandLine({"--deploy-dir", "x", "--version"}).action, ECommandLineAction::showVersion);
}

TEST(CommandLine, RefusesWhatItDoesNotKnowAndAFolderLeftOut)
{
    struct Case
    {
        Arguments arguments;
        std::string error;
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown argument: --bogus"},
        {{"ServerInfo.ini"}, "unknown argument: ServerInfo.ini"},
        // Qt's own options are not taken either: the program hands Qt no argument.
        {{"-platform", "offscreen"}, "unknown argument: -platform"},
        {{"--deploy-dir"}, "--deploy-dir needs a folder"},
        {{"--deploy-dir="}, "--deploy-dir needs a folder"},
        {{"--deploy-dir", ""}, "--deploy-dir needs a folder"},
        {{"--bogus", "--help"}, "unknown argument: --bogus"},
    };
    for (const Case& c : cases) {
        tagCommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.action, ECommandLineAction::refuse) << c.arguments[0];
        EXPECT_EQ(line.strError, c.error) << c.arguments[0];
    }
}

TEST(CommandLine, TheArgumentWinsOverTheEnvironment)
{
    EXPECT_EQ(ChosenDeployDir(ParseCommandLine({"--deploy-dir", "/a"}), "/b"), "/a");
    EXPECT_EQ(ChosenDeployDir(ParseCommandLine({}), "/b"), "/b");
    EXPECT_EQ(ChosenDeployDir(ParseCommandLine({}), nullptr), "");
    EXPECT_EQ(ChosenDeployDir(ParseCommandLine({}), ""), "");
}

} // namespace
