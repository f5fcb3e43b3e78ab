#include <gtest/gtest.h>

#include "cli/options.h"

namespace tabwright::cli {
namespace {

ParsedOptions Parse(std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> v(args);
    return ParseOptions(v);
}

std::string ErrorOf(std::initializer_list<std::string_view> args) {
    const ParsedOptions p = Parse(args);
    EXPECT_FALSE(p.options.has_value());
    return p.error;
}

TEST(OptionsTest, DefaultsReindentWithSpacingFromStandardInput) {
    const Options o = *Parse({}).options;
    EXPECT_EQ(o.action, Action::Reindent);
    EXPECT_TRUE(o.sign);
    EXPECT_FALSE(o.trace || o.inPlace || o.check || o.objects || o.help || o.version);
    EXPECT_TRUE(o.inputs.empty());
}

TEST(OptionsTest, EachOptionSetsItsField) {
    const Options o = *Parse({"--no-sign", "--trace", "--check", "--objects", "a.txt", "-", "b"}).options;
    EXPECT_FALSE(o.sign);
    EXPECT_TRUE(o.trace && o.check && o.objects);
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"a.txt", "-", "b"}));
    EXPECT_TRUE(Parse({"-i", "x"}).options->inPlace);
    EXPECT_EQ(Parse({"--shift-left"}).options->action, Action::ShiftLeft);
    EXPECT_EQ(Parse({"--shift-right"}).options->action, Action::ShiftRight);
    EXPECT_TRUE(Parse({"--help"}).options->help);
    EXPECT_TRUE(Parse({"--version"}).options->version);
}

TEST(OptionsTest, TheLastOfSignAndNoSignWins) {
    EXPECT_TRUE(Parse({"--no-sign", "--sign"}).options->sign);
    EXPECT_FALSE(Parse({"--sign", "--no-sign"}).options->sign);
}

TEST(OptionsTest, DoubleDashEndsTheOptions) {
    const Options o = *Parse({"--", "--check", "-i"}).options;
    EXPECT_FALSE(o.check || o.inPlace);
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"--check", "-i"}));
}

TEST(OptionsTest, UnknownOptionsAreErrorsNamingTheOption) {
    for (std::string_view bad : {"--sing", "-x", "--check=yes", "-I", "---"})
        EXPECT_NE(ErrorOf({"a.txt", bad}).find(bad), std::string::npos) << bad;
}

TEST(OptionsTest, ContradictionsAreErrors) {
    EXPECT_NE(ErrorOf({"--shift-left", "--shift-right"}), "");
    EXPECT_NE(ErrorOf({"--objects", "--shift-right", "a"}), "");
    EXPECT_NE(ErrorOf({"-i", "--check", "a"}), "");
    // In place needs real files.
    EXPECT_NE(ErrorOf({"-i"}), "");
    EXPECT_NE(ErrorOf({"-i", "a", "-"}), "");
}

}  // namespace
}  // namespace tabwright::cli
