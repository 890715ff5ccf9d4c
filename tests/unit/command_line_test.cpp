#include <gtest/gtest.h>

#include "interp/command_line.hpp"

namespace korvan::kfl {
namespace {

TEST(CommandLine, SplitsAtBlanksOnly)
{
    EXPECT_EQ(split_command_line("  demo   a\tb  'c d' "),
              (std::vector<std::string>{"demo", "a\tb", "'c", "d'"}));
    EXPECT_TRUE(split_command_line("   ").empty());
}

TEST(CommandLine, ScriptNameAndArguments)
{
    StartupOptions o = parse_options({"demo", "a", "b"});
    EXPECT_TRUE(o.script_given);
    EXPECT_EQ(o.script_name, "demo.kfl");
    EXPECT_EQ(o.script_args, (std::vector<std::string>{"a", "b"}));
}

TEST(CommandLine, ExtensionRule)
{
    EXPECT_EQ(parse_options({"-F", "demo"}).script_name, "demo");
    EXPECT_EQ(parse_options({"demo", "-fxyz"}).script_name, "demo");
    EXPECT_EQ(parse_options({"demo.plot"}).script_name, "demo.plot");
    EXPECT_EQ(add_extension("dir.d/demo"), "dir.d/demo.kfl");
    EXPECT_EQ(add_extension("[dir.d]demo"), "[dir.d]demo.kfl");
    // A backslash is not a separator here, so a "." in a Windows directory counts.
    EXPECT_EQ(add_extension("c:\\dir.d\\demo"), "c:\\dir.d\\demo");
    EXPECT_EQ(add_extension("data", ".kdf"), "data.kdf");
}

TEST(CommandLine, OptionsAnywhereAndByPrefix)
{
    StartupOptions o = parse_options({"demo", "-O", "x", "-version", "-f=data", "-I=inc", "-D=POSTSCRIPT"});
    EXPECT_TRUE(o.output_window_wanted);
    EXPECT_TRUE(o.version_wanted);
    EXPECT_TRUE(o.data_file_given);
    EXPECT_EQ(o.data_file_name, "data");
    EXPECT_TRUE(o.include_given);
    EXPECT_EQ(o.include_file_name, "inc");
    EXPECT_TRUE(o.device_given);
    EXPECT_EQ(o.startup_device, "POSTSC");
    EXPECT_EQ(o.script_name, "demo.kfl");
    EXPECT_EQ(o.script_args, std::vector<std::string>{"x"});
}

TEST(CommandLine, OnlyOptions)
{
    StartupOptions o = parse_options({"-v"});
    EXPECT_TRUE(o.version_wanted);
    EXPECT_FALSE(o.script_given);
    EXPECT_EQ(o.script_name, "");
}

}  // namespace
}  // namespace korvan::kfl
