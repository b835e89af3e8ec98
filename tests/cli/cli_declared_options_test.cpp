#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_runner.h"
#include "cli/dialog_options.h"
#include "cli/sample_data.h"
#include "support/temp_dir.h"

namespace fiscora::test {
namespace {

// One field of each sort a command line meets, in tab order, and one it never shows.
class SampleForm : public ui::DialogModel {
public:
    explicit SampleForm(Messages& messages) : DialogModel(messages) {
        declare(day, "date", "交易日期：");
        declare(kind, "kind", "类型");
        kind.items = {"甲", "乙"};
        declare(code, "code", "股票  代码");
        code.maxChars = 6;
        code.digitsOnly = true;
        code.required = true;
        declare(remark, "remark", "备 注");
        remark.maxGbkBytes = 99;
        declare(price, "price");
        price.alignRight = true;
        declare(total, "total", "合计");
        total.kind = ui::FieldKind::Figure;
        declare(secret, "secret", "密码");
        secret.masked = true;
        declare(owner, "owner", "名称");
        declare(unlisted, "unlisted", "不在次序中");
        setTabOrder({&day, &kind, &code, &remark, &price, &total, &secret, &owner});
    }

    ui::DateField day;
    ui::ChoiceField kind;
    ui::TextField code, remark, price, total, secret, owner, unlisted;
};

TEST(FieldOptions, AreTheEnteredFieldsWithPlaceholderLabelAndLimit) {
    std::ostringstream unshown;
    cli::TerminalMessages messages(unshown);
    const SampleForm form(messages);
    // Not the figure, the password, the field given otherwise, nor one outside the tab order.
    const std::vector<cli::FieldOption> options = cli::fieldOptions(form, {"owner"});
    ASSERT_EQ(options.size(), 5u);
    const std::vector<std::vector<std::string>> expected = {
        {"--date", "YYYYMMDD", "交易日期", ""},
        {"--kind", "甲|乙", "类型", ""},
        {"--code", "CODE", "股票代码", "at most 6 digits"},
        {"--remark", "REMARK", "备注", "at most 99 GBK bytes"},
        {"--price", "X", "", "a number"}};
    for (std::size_t i = 0; i < options.size(); ++i) {
        EXPECT_EQ((std::vector{options[i].name, options[i].placeholder, options[i].label,
                               options[i].limit}),
                  expected[i]);
        EXPECT_EQ(options[i].required, options[i].name == "--code") << options[i].name;
    }
    const cli::CommandOption code = options[2].option();
    EXPECT_EQ(code.help, "股票代码, at most 6 digits");
    EXPECT_TRUE(code.required);
    EXPECT_EQ(options[0].option().help, "交易日期");
    EXPECT_EQ(options[4].option().help, "a number");
}

// The entries of an option list ("  --name VALUE  help", continued under the help), as one
// line each.
std::vector<std::string> optionEntries(const std::string& help) {
    std::vector<std::string> entries;
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  --", 0) == 0) {
            entries.push_back(line);
        } else if (!entries.empty() && line.rfind(std::string(24, ' '), 0) == 0) {
            entries.back() += " " + line.substr(line.find_first_not_of(' '));
        }
    }
    return entries;
}

TEST(CliDeclaredOptions, BookingNeedsWhatTheHelpSaysEachKindNeeds) {
    TempDir root;
    writeSampleData(root.path());
    const CliRun help = runCli(root.path(), {"help", "book"});
    ASSERT_EQ(help.exitCode, 0);
    int needs = 0;
    for (const std::string& entry : optionEntries(help.out)) {
        const std::string option = entry.substr(2, entry.find(' ', 2) - 2);
        const auto at = entry.find("needed by ");
        if (at == std::string::npos) continue;
        const std::string tail = entry.substr(at + 10, entry.find_first_of(";)", at) - at - 10);
        std::istringstream kinds(tail);
        for (std::string kind; std::getline(kinds >> std::ws, kind, ',');) {
            // Without it the kind is bad usage, said before any password is asked for.
            const CliRun r = runCli(root.path(), {"book", "张三", kind});
            EXPECT_EQ(r.exitCode, 2) << kind;
            EXPECT_NE(r.err.find(kind + " needs --"), std::string::npos) << r.err;
            ++needs;
        }
        EXPECT_EQ(option.rfind("--", 0), 0u);
    }
    EXPECT_GE(needs, 7) << help.out;  // every kind needs something
}

TEST(CliDeclaredOptions, BadUsageIsSaidBeforeAPasswordIsAskedOrAFolderLocked) {
    TempDir root;
    writeSampleData(root.path());
    const auto before = treeContents(root.path());
    // No password source at all: each is refused for its options, not for the password.
    const std::vector<std::pair<std::vector<std::string>, std::string>> runs = {
        {{"ledger", "张三", "--kind", "bogus"}, "--kind takes"},
        {{"details", "张三", "60003x"}, "CODE takes at most six digits"},
        {{"export", "张三", "--format", "xml"}, "--format takes"},
        {{"book", "张三", "cash-in", "--amount", "1", "--code", "600036"},
         "--code does not apply to cash-in"},
        {{"delete-stock", "张三", "--code", "600036", "--market", "北京"}, "--market takes"},
        {{"edit-record", "张三", "0"}, "INDEX is a record's position"},
        {{"import", "张三", "statement.csv", "--dry-run", "--yes"}, "exclude each other"},
        {{"params", "delete", "沪A", "--market", "上海"}, "params delete takes only --yes"},
    };
    for (const auto& [args, message] : runs) {
        const CliRun r = runCli(root.path(), args);
        EXPECT_EQ(r.exitCode, 2) << args[0] << ": " << r.err;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("password"), std::string::npos) << r.err;
    }
    EXPECT_EQ(treeContents(root.path()), before);
}

TEST(CliDeclaredOptions, EveryOptionEntryFitsAnEightyColumnTerminal) {
    TempDir root;
    const CliRun overview = runCli(root.path(), {"--help"});
    std::istringstream names(overview.out.substr(overview.out.find("Commands:\n") + 10));
    std::vector<std::string> helps = {overview.out};
    for (std::string line; std::getline(names, line) && !line.empty();) {
        if (line.rfind("  ", 0) == 0 && line[2] != ' ' && line.rfind("  help", 0) != 0)
            helps.push_back(
                runCli(root.path(), {"help", line.substr(2, line.find(' ', 2) - 2)}).out);
    }
    ASSERT_GT(helps.size(), 15u);
    for (const std::string& help : helps) {
        std::istringstream lines(help);
        bool inOptions = false;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("Options", 0) == 0) {
                inOptions = true;
                continue;
            }
            inOptions = inOptions && !line.empty();
            // A Chinese character takes two columns; an option too long for its column
            // stands alone on its line.
            std::size_t width = 0;
            for (const unsigned char ch : line) width += ch < 0x80 ? 1 : ch >= 0xC0 ? 2 : 0;
            const bool alone = line.rfind("  -", 0) == 0 && line.find("  ", 3) == std::string::npos;
            if (inOptions && !alone) {
                EXPECT_LE(width, 79u) << line;
            }
        }
    }
}

}  // namespace
}  // namespace fiscora::test
