#include "framework/FileDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::u16string>;

TEST(FileDialogFilter, ADescriptionThatShowsItsPatternsShowsThemOnce)
{
    // The server list page's filter: the trailing ";" of the pattern list is no pattern.
    EXPECT_EQ(NameFiltersOf(u"配置文件 (*.ini)|*.ini;|"), Names{u"配置文件 (*.ini)"});
    // Several patterns in the description, written with ";" as Windows shows them: Qt takes them
    // separated by blanks.
    EXPECT_EQ(NameFiltersOf(u"Text (*.txt;*.log)|*.txt;*.log|"), Names{u"Text (*.txt *.log)"});
    EXPECT_EQ(NameFiltersOf(u"Text (*.txt; *.log)|*.txt;*.log|"), Names{u"Text (*.txt *.log)"});
    EXPECT_EQ(NameFiltersOf(u"(*.ini)|*.ini|"), Names{u"(*.ini)"});
}

TEST(FileDialogFilter, PatternsTheDescriptionDoesNotShowAreAdded)
{
    EXPECT_EQ(NameFiltersOf(u"配置文件|*.ini;|"), Names{u"配置文件 (*.ini)"});
    EXPECT_EQ(NameFiltersOf(u"Scripts|*.sql;*.bat|"), Names{u"Scripts (*.sql *.bat)"});
    // Parentheses that hold other text, or other patterns, stay part of the name; Qt reads the last ones.
    EXPECT_EQ(NameFiltersOf(u"Settings (old)|*.ini|"), Names{u"Settings (old) (*.ini)"});
    EXPECT_EQ(NameFiltersOf(u"Settings (*.cfg)|*.ini|"), Names{u"Settings (*.cfg) (*.ini)"});
    EXPECT_EQ(NameFiltersOf(u"Both (*.ini)|*.ini;*.cfg|"), Names{u"Both (*.ini) (*.ini *.cfg)"});
    EXPECT_EQ(NameFiltersOf(u"|*.ini|"), Names{u"(*.ini)"});
}

TEST(FileDialogFilter, EveryPairIsOneEntryInOrder)
{
    EXPECT_EQ(NameFiltersOf(u"配置文件 (*.ini)|*.ini|所有文件 (*.*)|*.*|"),
              (Names{u"配置文件 (*.ini)", u"所有文件 (*.*)"}));
    // Without the closing "|" the last pair still counts; a description without patterns does not.
    EXPECT_EQ(NameFiltersOf(u"A|*.a|B|*.b"), (Names{u"A (*.a)", u"B (*.b)"}));
    EXPECT_EQ(NameFiltersOf(u"A|*.a|B"), Names{u"A (*.a)"});
    EXPECT_TRUE(NameFiltersOf(u"").empty());
}

} // namespace
