#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "cli/password_source.h"

namespace fiscora::cli {
namespace {

TEST(CliOptions, GlobalOptionsThenCommandAndArguments) {
    const ParseResult r = parseCommandLine({"--data", "/d", "--params=/p.dat", "--quotes", "q.txt",
                                            "--password-file", "pw", "--format", "json", "ledger", "张三"});
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
}

TEST(CliOptions, HelpInEveryPlace) {
    EXPECT_TRUE(parseCommandLine({"--help"}).options.help);
    const ParseResult helpCmd = parseCommandLine({"help", "summary"});
    EXPECT_TRUE(helpCmd.options.help);
    EXPECT_EQ(helpCmd.options.command, "summary");
    const ParseResult cmdHelp = parseCommandLine({"summary", "-h"});
    EXPECT_TRUE(cmdHelp.options.help);
    EXPECT_EQ(cmdHelp.options.command, "summary");
    EXPECT_TRUE(parseCommandLine({"help"}).options.command.empty());
}

TEST(CliOptions, AccountNamesThatLookLikeOptions) {
    const ParseResult r = parseCommandLine({"ledger", "--", "-x"});
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.arguments, std::vector<std::string>{"-x"});
    EXPECT_EQ(parseCommandLine({"ledger", "--", "--help"}).options.help, false);
    EXPECT_NE(parseCommandLine({"ledger", "-x"}).error, "");
}

TEST(CliOptions, MalformedCommandLines) {
    EXPECT_EQ(parseCommandLine({"--data"}).error, "option --data needs a value");
    EXPECT_EQ(parseCommandLine({"--bogus"}).error, "unknown option --bogus");
    EXPECT_EQ(parseCommandLine({"--format=csv", "accounts"}).error,
              "--format takes tsv or json, not \"csv\"");
    EXPECT_NE(parseCommandLine({"--params=", "accounts"}).error, "");
    EXPECT_NE(parseCommandLine({"help", "a", "b"}).error, "");
    EXPECT_NE(parseCommandLine({"accounts", "--data", "/d"}).error, "");
}

TEST(PasswordFile, FirstLineWithoutItsLineEnd) {
    EXPECT_EQ(firstLine("secret\n"), "secret");
    EXPECT_EQ(firstLine("secret\r\nsecond\n"), "secret");
    EXPECT_EQ(firstLine("secret"), "secret");
    EXPECT_EQ(firstLine("\nsecret"), "");
    EXPECT_EQ(firstLine(" a b \n"), " a b ");  // spaces belong to the password
}

}  // namespace
}  // namespace fiscora::cli
