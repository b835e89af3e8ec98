#include "cli/cli_options.h"

#include <sstream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "cli/command.h"

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

TEST(CommandSkeleton, ArgumentsAreReadByTheNamesTheSynopsisGivesThem) {
    EXPECT_TRUE(Synopsis("").empty());
    EXPECT_EQ(Synopsis("ACCOUNT INDEX").names(), (std::vector<std::string>{"ACCOUNT", "INDEX"}));

    const ParseResult r = parseCommandLine({"edit-record", "张三", "7", "--date", "20260105"});
    ASSERT_EQ(r.error, "");
    std::ostringstream out;
    CliSession session(r.options, out);
    const CliServices none;
    const CommandContext c{r.options, session, out, out, none, findCommand("edit-record")};
    EXPECT_EQ(argument(c, "INDEX"), "7");
    EXPECT_EQ(argument(c, "ACCOUNT"), "张三");
    EXPECT_THROW(argument(c, "KIND"), std::logic_error);
    EXPECT_EQ(*optionValue(c, "--date"), "20260105");
    EXPECT_EQ(optionValue(c, "--code"), nullptr);
}

}  // namespace
}  // namespace fiscora::cli
