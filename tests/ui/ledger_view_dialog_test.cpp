#include "ui/records/ledger_view_dialog.h"

#include "engine/ledger_change_rules.h"
#include "output/list_text_export.h"
#include "recording_list_output.h"
#include "support/capital_series_data.h"
#include "support/fake_quotes.h"
#include "support/packed_field.h"
#include "support/recording_canvas.h"
#include "ui/analysis/capital_curve_dialog.h"
#include "ui/main/command_ids.h"
#include "ui/records/edit_record_dialog.h"
#include "ui/records/ledger_record_actions.h"
#include "ui/records/ledger_view_command.h"
#include "window_model_fixture.h"

namespace fiscora::ui {
namespace {

using test::cashRecord;
using test::stockRecord;

// The ledger view opened by OnViewLedger on a logged-in account, driven from inside the
// scripted showing; every change is read back from the ledger file.
class LedgerViewTest : public test::WindowTest {
protected:
    void start(const Ledger& ledger) {
        quotes.add("600036", 1, *utf8ToGbk("招商银行"), 10.5f, 10.2f);
        seed({test::account("张三", "1")}, {ledger});
        open();
        login(0, "1");
        messages.shown.clear();
    }
    // Opens the view on `filter`, runs `steps` in it and closes it.
    void view(std::function<void(LedgerViewDialog&)> steps, const LedgerFilter& filter = {}) {
        expectView(std::move(steps));
        ui::OnViewLedger(window.commands(), filter);
    }
    // The next showing is the view: `steps` run in it, then it closes.
    void expectView(std::function<void(LedgerViewDialog&)> steps) {
        runner.then<LedgerViewDialog>([steps](LedgerViewDialog& d) {
            steps(d);
            return false;
        });
    }
    Ledger onDisk() {
        Ledger ledger;
        EXPECT_EQ(loadLedger(store(), registryOnDisk().at(0), ledger), LedgerStatus::Ok);
        return ledger;
    }
    static std::vector<std::string> column(LedgerViewDialog& d, int c) {
        std::vector<std::string> cells;
        for (std::size_t r = 0; r < d.rowCount(); ++r) cells.push_back(d.cellText(r, c));
        return cells;
    }

    test::FakeQuotes quotes;
    const Ledger sample{cashRecord(RecordType::CashIn, 20240102, 1000),
                        stockRecord(RecordType::Buy, 20240103, "600036", 50, 16, 0),
                        cashRecord(RecordType::CashIn, 20240104, 500)};
};

using Cells = std::vector<std::string>;

TEST_F(LedgerViewTest, OpensWithEveryRecordAndTheBalance) {
    start(sample);
    view([](LedgerViewDialog& d) {
        EXPECT_EQ(d.caption(), "个人流水帐 -[张三]");
        EXPECT_EQ(d.rowCount(), 3u);
        EXPECT_EQ(d.selectedRow(), 0);
        EXPECT_EQ(d.balance.text, "700.000人民币元");
        EXPECT_EQ(d.tradeType.text, "深沪A股");
        EXPECT_FALSE(d.fromDate.enabled || d.toDate.enabled || d.kind.enabled || d.code.enabled);
        EXPECT_EQ(d.kind.selectedText(), "投入资金");
        EXPECT_EQ(column(d, 2), (Cells{"投入资金", "买入股票", "投入资金"}));
        EXPECT_EQ(column(d, 5), (Cells{"", "招商银行", ""}));
        // The list field shows the same rows, with the focus and the first row selected.
        EXPECT_EQ(d.list.rowCount, 3u);
        EXPECT_EQ(d.list.columns.size(), 10u);
        EXPECT_EQ(d.list.cellText(1, 4), "600036");
        EXPECT_EQ(d.list.selected, 0);
        EXPECT_EQ(d.focused(), &d.list);
        EXPECT_EQ(d.list.widestRows(3), (std::vector<std::size_t>{0, 2}));
    });
}

TEST_F(LedgerViewTest, FiltersApplyOnlyWithShowLedger) {
    start(sample);
    view([](LedgerViewDialog& d) {
        d.setChecked(d.byCode, true);
        EXPECT_TRUE(d.code.enabled);
        d.setChecked(d.byKind, true);
        EXPECT_TRUE(d.kind.enabled);
        d.setChecked(d.byKind, false);
        EXPECT_FALSE(d.kind.enabled);
        d.code.text = "600036";
        EXPECT_EQ(d.rowCount(), 3u) << "ticking alone changes nothing";
        d.OnShowLedger();
        EXPECT_EQ(column(d, 4), (Cells{"600036"}));
        EXPECT_EQ(d.list.rowCount, 1u);
        EXPECT_EQ(d.list.selected, -1) << "new rows, none selected";
        d.setChecked(d.byCode, false);
        d.setChecked(d.byTime, true);
        EXPECT_TRUE(d.fromDate.enabled && d.toDate.enabled);
        d.fromDate.date = 20240104;
        d.toDate.date = 20240102;
        d.OnShowLedger();
        EXPECT_EQ(d.rowCount(), 0u) << "from later than to shows nothing";
        d.toDate.date = 20240104;
        d.OnShowLedger();
        EXPECT_EQ(column(d, 0), (Cells{"2024年 1月 4日"}));
    });
}

TEST_F(LedgerViewTest, TheCapitalCurvesDayMenuOpensTheViewOnThatDay) {
    start(sample);
    // The stock's first day, 3 January, has a bar (a point); the right click at the left end
    // of the plot picks it.
    DayBar bar{};
    bar.date = 20240103;
    for (auto& price : bar.prices) price = 1000;
    test::writeDayBarFile(dir.path(), {1, "600036"}, {bar});
    runner.then<CapitalCurveDialog>([](CapitalCurveDialog& curve) {
        test::RecordingCanvas canvas;
        curve.curve().draw(canvas, 20055, 200, {240, 240, 240});
        EXPECT_TRUE(curve.OnRightClick({56, 100}));
        EXPECT_TRUE(curve.runAction("显示当日相关流水帐"));
        return false;
    });
    expectView([](LedgerViewDialog& d) {
        EXPECT_TRUE(d.byTime.checked && d.byCode.checked);
        EXPECT_FALSE(d.byKind.checked);
        EXPECT_EQ(d.fromDate.date, 20240103);
        EXPECT_EQ(d.toDate.date, 20240103);
        EXPECT_EQ(d.code.text, "600036");
        EXPECT_EQ(column(d, 2), (Cells{"买入股票"}));
    });
    runner.captions.clear();
    window.OnCommand(command::kCapitalCurve);
    EXPECT_EQ(runner.captions,
              (std::vector<std::string>{"资金曲线 -[张三]", "个人流水帐 -[张三]"}));
}

// What the day's ledger view changed shows in the curve drawn after it.
TEST_F(LedgerViewTest, TheCurveFollowsAnEditMadeFromItsDayMenu) {
    start(sample);
    // 3 January has a point, so the right click at the plot's left end picks the purchase.
    DayBar bar{};
    bar.date = 20240103;
    for (auto& price : bar.prices) price = 1000;
    test::writeDayBarFile(dir.path(), {1, "600036"}, {bar});
    runner.then<CapitalCurveDialog>([this](CapitalCurveDialog& curve) {
        test::RecordingCanvas canvas;
        curve.curve().draw(canvas, 20055, 200, {240, 240, 240});
        EXPECT_DOUBLE_EQ(curve.curve().series().back().close, 50 * 10.5);  // today
        EXPECT_TRUE(curve.OnRightClick({56, 100}));
        expectView([this](LedgerViewDialog& d) {
            runner.then<EditRecordDialog>([](EditRecordDialog& e) {
                e.typeText(e.quantity, "20");
                return true;
            });
            d.pickRow(d.list, 0);
            d.OnModify();
        });
        EXPECT_TRUE(curve.runAction("显示当日相关流水帐"));
        EXPECT_FALSE(curve.curve().tooltipAt({56, 100}));  // nothing drawn from the new ledger yet
        curve.curve().draw(canvas, 20055, 200, {240, 240, 240});
        EXPECT_DOUBLE_EQ(curve.curve().series().back().close, 20 * 10.5);
        return false;
    });
    window.OnCommand(command::kCapitalCurve);
    EXPECT_EQ(test::unpacked(onDisk().at(1).quantity), 20);
}

TEST_F(LedgerViewTest, RemarkClickShowsTheRemarkOrNone) {
    Ledger ledger = sample;
    storeText(ledger[1].remark, "建仓");
    start(ledger);
    view([](LedgerViewDialog& d) {
        d.OnRemarkClick(1, 8);
        d.OnRemarkClick(1, kRemarkColumn);
        d.OnRemarkClick(0, kRemarkColumn);
    });
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "建仓");
    EXPECT_EQ(messages.shown[0].caption, "备注");
    EXPECT_EQ(messages.shown[1].text, "没有备注");
}

TEST_F(LedgerViewTest, DeletionAsksFollowsTheRuleAndSelectsTheRowAbove) {
    start(sample);
    messages.answer = false;
    view([this](LedgerViewDialog& d) {
        d.pickRow(d.list, -1);
        d.OnDelete();
        EXPECT_EQ(messages.texts(), (std::vector<std::string>{"请选中要删除的项"}));
        d.pickRow(d.list, 0);
        d.OnDelete();  // answered No
        EXPECT_EQ(d.rowCount(), 3u);
        messages.answer = true;
        d.OnDelete();  // the first cash-in pays for the purchase: refused
        EXPECT_EQ(messages.texts().back(), kRecordNeededMessage);
        EXPECT_EQ(d.rowCount(), 3u);
        d.pickRow(d.list, 2);
        d.OnDelete();
        EXPECT_EQ(d.rowCount(), 2u);
        EXPECT_EQ(d.selectedRow(), 1);
        EXPECT_EQ(d.list.scrollRow, 1);
        EXPECT_EQ(d.focused(), &d.list);
        EXPECT_EQ(d.balance.text, "200.000人民币元");
    });
    EXPECT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(messages.asked[0], std::string(kDeleteRecordQuestion) + "|Fiscora");
    EXPECT_EQ(onDisk().size(), 2u);
}

TEST_F(LedgerViewTest, DoubleClickEditsTheRecordInPlace) {
    start(sample);
    view([this](LedgerViewDialog& d) {
        runner.then<EditRecordDialog>([](EditRecordDialog& e) {
            e.typeText(e.total, "800");
            return true;
        });
        d.pickRow(d.list, 2);
        d.focusChangedTo(&d.fromDate);
        const auto scrolls = d.list.scrollRevision;
        d.activateRow(d.list, 2);
        EXPECT_EQ(d.selectedRow(), 2);
        EXPECT_EQ(d.list.scrollRevision, scrolls + 1);
        EXPECT_EQ(d.list.scrollRow, 2);
        EXPECT_EQ(d.focused(), &d.list);
        EXPECT_EQ(d.cellText(2, 3), "800.000");
        EXPECT_EQ(d.balance.text, "1000.000人民币元");
    });
    EXPECT_EQ(test::unpacked(onDisk().at(2).amount), 800);
}

// Enter runs 显示流水帐 from every filter (not 关闭, the default button), and 修改 on a row;
// Enter on the list without a row is left to the dialog.
TEST_F(LedgerViewTest, EnterShowsTheLedgerFromTheFiltersAndEditsARow) {
    start(sample);
    view([this](LedgerViewDialog& d) {
        d.setChecked(d.byKind, true);
        for (const Field* filter : std::vector<const Field*>{
                 &d.byTime, &d.fromDate, &d.toDate, &d.byKind, &d.kind, &d.byCode, &d.code}) {
            d.RefillList();
            d.focusChangedTo(filter);
            EXPECT_EQ(d.onKey(NavKey::Enter), KeyOutcome::Handled) << filter->name;
            EXPECT_EQ(d.rowCount(), 2u) << filter->name;  // the two deposits
        }
        EXPECT_EQ(d.onKey(NavKey::Down), KeyOutcome::NotHandled);
        d.focusChangedTo(&d.list);
        const std::size_t shown = runner.captions.size();
        EXPECT_EQ(d.onKey(NavKey::Enter), KeyOutcome::NotHandled);
        EXPECT_EQ(runner.captions.size(), shown);
        runner.thenCancel();
        d.pickRow(d.list, 1);
        EXPECT_EQ(d.onKey(NavKey::Enter), KeyOutcome::Handled);
        EXPECT_EQ(runner.captions.back(), "修改流水帐 -[张三]");
    });
}

TEST_F(LedgerViewTest, PrintsAndSavesTheListAsShownAndRebuildsTheHoldingsOnClose) {
    start(sample);
    test::RecordingListOutput output;
    window.setListOutput(output);
    const auto rebuilds = [this] {
        return window.holdingList().rowsRevision + window.holdingList().figuresRevision;
    };
    const std::uint32_t before = rebuilds();
    view([](LedgerViewDialog& d) {
        d.setChecked(d.byKind, true);
        d.kind.selected = d.kind.indexOf("投入资金");
        d.OnShowLedger();
        d.OnPrint();
        d.OnSave();
    });
    ASSERT_EQ(output.printed.size(), 1u);
    EXPECT_EQ(output.titles[0], "流水帐打印");
    EXPECT_EQ(output.printed[0].columns.size(), 10u);
    EXPECT_EQ(output.printed[0].rows.size(), 2u);
    const std::string path = dataDir() + "流水帐.txt";
    EXPECT_EQ(messages.asked, (std::vector<std::string>{"文件保存为当前路径下" + path +
                                                        ",是否用文本编辑器打开?|Fiscora"}));
    EXPECT_EQ(output.opened, (std::vector<std::string>{path}));
    const Bytes saved = test::readBytes(path);
    EXPECT_EQ(std::string(saved.begin(), saved.end()), listAsText(output.printed[0]));
    ASSERT_EQ(window.holdingRows().size(), 1u);
    EXPECT_GT(rebuilds(), before);
}

TEST_F(LedgerViewTest, ACancelledEditorOrNoSelectionChangesNothing) {
    start(sample);
    const Bytes before = test::readBytes(ledgerFile("张三"));
    view([this](LedgerViewDialog& d) {
        runner.thenCancel();
        d.pickRow(d.list, 1);
        d.OnModify();
        d.pickRow(d.list, -1);
        d.OnModify();
        d.activateRow(d.list, -1);
    });
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"请选中要修改的项"}));
    EXPECT_EQ(test::readBytes(ledgerFile("张三")), before);
}

}  // namespace
}  // namespace fiscora::ui
