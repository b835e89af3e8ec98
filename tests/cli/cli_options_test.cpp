#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace fiscora::cli {
namespace {

TEST(CliOptions, GlobalOptionsThenCommandAndArguments) {
    const ParseResult r =
        parseCommandLine({"--data", "/d", "--params=/p.dat", "--quotes", "q.txt", "--password-file",
                          "pw", "--format", "json", "ledger", "张三"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.dataDirectory, "/d/");
    EXPECT_EQ(r.options.paramsFile, "/p.dat");
    EXPECT_EQ(r.options.quotesFile, "q.txt");
    EXPECT_EQ(r.options.passwordFile, "pw");
    EXPECT_EQ(r.options.format, OutputFormat::Json);
    EXPECT_EQ(r.options.command, "ledger");
    EXPECT_EQ(r.options.arguments, std::vector<std::string>{"张三"});
    EXPECT_FALSE(r.options.help);

    const ParseResult defaults = parseCommandLine({"accounts"});
    EXPECT_FALSE(defaults.options.dataDirectory);
    EXPECT_EQ(defaults.options.format, OutputFormat::Tsv);
    EXPECT_EQ(parseCommandLine({"--data", "/d/", "verify"}).options.dataDirectory, "/d/");
    EXPECT_EQ(parseCommandLine({"--host-dir", "/t", "curve", "A"}).options.hostDirectory, "/t/");
    EXPECT_EQ(parseCommandLine({"--host-dir=/t/", "curve", "A"}).options.hostDirectory, "/t/");
    EXPECT_FALSE(defaults.options.hostDirectory);
}

TEST(CliOptions, SwitchesTakeNoValue) {
    const ParseResult r = parseCommandLine({"curve", "A", "--total", "B"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.commandOptions, (std::map<std::string, std::string>{{"--total", ""}}));
    EXPECT_EQ(r.options.arguments, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(parseCommandLine({"curve", "A", "--total=1"}).error, "--total takes no value");
    EXPECT_EQ(parseCommandLine({"delete-record", "A", "--yes=1"}).error, "--yes takes no value");
}

TEST(CliOptions, AccountNamesThatLookLikeOptions) {
    const ParseResult r = parseCommandLine({"ledger", "--", "-x"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.arguments, std::vector<std::string>{"-x"});
    EXPECT_EQ(parseCommandLine({"ledger", "--", "--help"}).options.help, false);
    EXPECT_NE(parseCommandLine({"ledger", "-x"}).error, "");
}

}  // namespace
}  // namespace fiscora::cli
