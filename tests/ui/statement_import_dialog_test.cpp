#include "ui/account/statement_import_dialog.h"

#include <filesystem>
#include <fstream>

#include "ui/account/statement_import_command.h"
#include "ui/main/command_ids.h"
#include "window_model_fixture.h"

namespace fiscora::test {
namespace {

const char* const kStatement = "成交日期,证券代码,证券名称,操作,成交数量,成交均价,手续费,发生金额\n"
                               "20240105,600036,招商银行,证券买入,100,10.00,5.00,\"-1,005.00\"\n"
                               "20240106,600036,招商银行,证券卖出,300,11.00,5.00,3295.00\n"
                               "20240107,,,利息归本,0,0,0,1.00\n";

// 张三 logged in with 5000 in cash; the window's file dialog answers `chosen`.
class StatementImportCommandTest : public WindowTest {
protected:
    StatementImportCommandTest() {
        seed({account("张三", "pw")}, {{cashRecord(RecordType::CashIn, 20240101, 5000)}});
        open();
        login(0, "pw");
        window.setStatementChooser([this] { return chosen; });
        std::ofstream(dir.file("s.csv"), std::ios::binary) << kStatement;
        chosen = dir.file("s.csv");
    }

    Ledger onDisk() {
        Ledger ledger;
        EXPECT_EQ(loadLedger(store(), registryOnDisk()[0], ledger), LedgerStatus::Ok);
        return ledger;
    }

    std::optional<std::string> chosen;
};

TEST_F(StatementImportCommandTest, ThePreviewListsEveryLineAndConfirmingBooks) {
    runner.then<ui::StatementImportDialog>([](ui::StatementImportDialog& d) {
        EXPECT_EQ(d.caption(), "导入交割单 -[张三]");
        EXPECT_EQ(d.file.text, "文件：s.csv（交割单）");
        EXPECT_EQ(d.summary.text, "记入 1 条    重复 0 条    跳过 1 条    拒绝 1 条");
        EXPECT_EQ(d.lines.rowCount, 3u);
        EXPECT_EQ(d.lines.columns.size(), 12u);
        EXPECT_EQ(d.cellText(0, 1), "记入");
        EXPECT_EQ(d.cellText(0, 2), "20240105");
        EXPECT_EQ(d.cellText(0, 6), "上海");
        EXPECT_EQ(d.cellText(0, 10), "1005.000");
        EXPECT_EQ(d.cellText(1, 11), "卖出数量超过持有量100股");
        // A skipped line has no record: its figures stay empty.
        EXPECT_EQ(d.cellText(2, 0), "4");
        EXPECT_EQ(d.cellText(2, 2), "");
        EXPECT_EQ(d.cellText(2, 11), "利息结算，不是交易，资金+1.000元");
        EXPECT_EQ(d.reconciliation.text, "");  // the statement gives no balance
        return true;
    });
    window.OnCommand(ui::command::kImportStatement);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(onDisk().size(), 2u);
    ASSERT_EQ(window.holdingRows().size(), 1u);
    EXPECT_EQ(window.holdingRows()[0].holding.heldQty(), 100);
    EXPECT_NE(window.accountStatus().find("3995.000"), std::string::npos) << window.accountStatus();
}

// The switch judges the lines again: the interest line is booked as a deposit, the counts
// and the reconciliation follow it, and confirming books what the switch shows.
TEST_F(StatementImportCommandTest, TheCashAdjustmentSwitchJudgesTheLinesAgain) {
    std::ofstream(dir.file("balances.csv"), std::ios::binary)
        << "成交日期,证券代码,证券名称,操作,成交数量,成交均价,手续费,发生金额,资金余额\n"
           "20240105,600036,招商银行,证券买入,100,10.00,5.00,-1005.00,3995.00\n"
           "20240107,,,利息归本,0,0,0,1.25,3996.25\n";
    chosen = dir.file("balances.csv");
    runner.then<ui::StatementImportDialog>([](ui::StatementImportDialog& d) {
        EXPECT_FALSE(d.cashAdjustments.checked);
        EXPECT_EQ(d.reconciliation.text, "对帐：资金差 -1.250 元");
        d.setChecked(d.cashAdjustments, true);
        EXPECT_EQ(d.summary.text, "记入 2 条    重复 0 条    跳过 0 条    拒绝 0 条");
        EXPECT_EQ(d.reconciliation.text, "对帐：资金相符");
        EXPECT_EQ(d.cellText(1, 1), "记入");
        EXPECT_EQ(d.cellText(1, 10), "1.250");
        EXPECT_EQ(d.cellText(1, 11), "按投入资金记入");
        EXPECT_EQ(d.lines.figuresRevision, 2u);
        d.setChecked(d.cashAdjustments, false);
        EXPECT_EQ(d.summary.text, "记入 1 条    重复 0 条    跳过 1 条    拒绝 0 条");
        EXPECT_EQ(d.cellText(1, 10), "");
        d.setChecked(d.cashAdjustments, true);
        return true;
    });
    window.OnCommand(ui::command::kImportStatement);
    const Ledger ledger = onDisk();
    ASSERT_EQ(ledger.size(), 3u);
    EXPECT_EQ(ledger[2].kind(), RecordType::CashIn);
    EXPECT_DOUBLE_EQ(ledger[2].amount, 1.25);
    EXPECT_EQ(fieldText(ledger[2].remark), "利息归本");
}

TEST_F(StatementImportCommandTest, CancellingTheDialogOrTheFileBooksNothing) {
    const Bytes before = readBytes(ledgerFile("张三"));
    runner.thenCancel();
    window.OnCommand(ui::command::kImportStatement);
    chosen.reset();
    window.OnCommand(ui::command::kImportStatement);
    EXPECT_EQ(runner.captions.size(), 2u);  // the password, then the one preview
    EXPECT_EQ(readBytes(ledgerFile("张三")), before);
    EXPECT_TRUE(window.workspace().holdings.empty());
}

TEST_F(StatementImportCommandTest, AnUnreadableFileOrMappingIsShownAsAnError) {
    chosen = dir.file("none.csv");
    window.OnCommand(ui::command::kImportStatement);
    // A mapping file in the data folder is used for every import.
    std::ofstream(dataDir() + ui::kStatementMappingFile, std::ios::binary) << "日期 交收日期\n";
    chosen = dir.file("s.csv");
    window.OnCommand(ui::command::kImportStatement);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"找不到文件" + dir.file("none.csv"),
                                        "交割单映射.txt：映射文件第1行：缺少“=”"}));
    EXPECT_EQ(messages.shown[0].caption, kErrorCaption);
    EXPECT_EQ(runner.captions.size(), 1u);  // only the password
}

// A statement beyond the limit is refused with the advice to cut it between two days: a
// day cut in two would take its second identical fill for a duplicate of the first.
TEST_F(StatementImportCommandTest, ATooLargeStatementSaysHowToSplitIt) {
    chosen = dir.file("huge.csv");
    std::ofstream(*chosen).close();
    std::filesystem::resize_file(*chosen, kStatementFileLimit + 1);
    window.OnCommand(ui::command::kImportStatement);
    ASSERT_EQ(messages.texts().size(), 1u);
    EXPECT_EQ(messages.texts()[0],
              "文件太大，超过1024 MB（Excel工作簿256 MB）：" + *chosen +
                  "。请按日期把交割单分成几个文件，分别导入，并在两天之间分开：同一天的成交若"
                  "分在两个文件里，后一个文件中与前面相同的成交会被当作重复而不记入");
    EXPECT_EQ(std::filesystem::file_size(*chosen), kStatementFileLimit + 1);
}

// One mapping per broker in the folder beside the data folder: the one whose columns the
// header names reads the statement; the preview shows the reconciliation.
TEST_F(StatementImportCommandTest, TheMatchingMappingOfTheFolderIsUsed) {
    const std::string folder = ui::statementMappingFolder(dataDir());
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/a券商.txt", std::ios::binary)
        << "日期 = 委托日期\n代码 = 代码\n业务 = 方向\n数量 = 股数\n价格 = 价格\n";
    std::ofstream(folder + "/b券商.txt", std::ios::binary)
        << "格式 ＝ B券商\n日期 = 交收日期\n代码 = 代码\n业务 = 方向\n数量 = 股数\n价格 = 价格\n"
           "发生金额 = 清算金额\n资金余额 = 可用资金\n买入股票 = B\n";
    std::ofstream(dir.file("b.txt"), std::ios::binary)
        << "交收日期\t方向\t代码\t股数\t价格\t清算金额\t可用资金\n"
           "20240105\tB\t600036\t100\t10.00\t-1005.00\t3990.00\n";
    chosen = dir.file("b.txt");
    runner.then<ui::StatementImportDialog>([](ui::StatementImportDialog& d) {
        EXPECT_EQ(d.file.text, "文件：b.txt（B券商）");
        EXPECT_EQ(d.cellText(0, 1), "记入");
        EXPECT_EQ(d.reconciliation.text, "对帐：资金差 5.000 元");
        return false;
    });
    window.OnCommand(ui::command::kImportStatement);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts()[0];

    // A statement none of them names is read by the built-in recognition.
    runner.then<ui::StatementImportDialog>([](ui::StatementImportDialog& d) {
        EXPECT_EQ(d.file.text, "文件：s.csv（交割单）");
        return false;
    });
    chosen = dir.file("s.csv");
    window.OnCommand(ui::command::kImportStatement);
    EXPECT_TRUE(messages.shown.empty());
}

using StatementImportGuardTest = WindowTest;

// The guard comes before the file dialog.
TEST_F(StatementImportGuardTest, NoFileIsAskedForWithoutALoggedInAccount) {
    seed({account("张三", "pw")});
    open();
    bool asked = false;
    window.setStatementChooser([&asked] {
        asked = true;
        return std::optional<std::string>();
    });
    window.OnCommand(ui::command::kImportStatement);
    window.selectTreeItem(0);
    window.OnCommand(ui::command::kImportStatement);
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"请选中一个帐户", "帐户还未登录，不能进行操作"}));
    EXPECT_FALSE(asked);
}

}  // namespace
}  // namespace fiscora::test
