#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "qt/account/statement_import_view.h"
#include "qt/widgets/hover_button.h"
#include "qt/widgets/qt_messages.h"
#include "qt_test_registry.h"
#include "support/builders.h"
#include "tools/demo/modal_driver.h"

using fiscora::demo::onNextModal;

namespace {

const fiscora::Ledger& sampleLedger() {
    static const fiscora::Ledger ledger = {
        fiscora::test::cashRecord(fiscora::RecordType::CashIn, 20240101, 5000)};
    return ledger;
}

// A preview of three lines against a deposit of 5000: one booked, one refused, one skipped.
fiscora::ImportPreview samplePreview() {
    const auto reading = fiscora::readStatement(
        "成交日期,证券代码,证券名称,操作,成交数量,成交均价,手续费,发生金额\n"
        "20240105,600036,招商银行,证券买入,100,10.00,5.00,-1005.00\n"
        "20240106,600519,贵州茅台,证券卖出,100000,1612.00,1612.00,\"161,198,388.00\"\n"
        "20240107,,,利息归本,0,0,0,1.00\n",
        fiscora::StatementLayouts{}, {});
    return fiscora::previewImport(sampleLedger(), reading);
}

QTableView* tableOf(QDialog* dialog) {
    return dialog->findChild<QTableView*>();
}

}  // namespace

class StatementImportViewTest : public QObject {
    Q_OBJECT

private slots:
    void showsEveryLineUncutAndConfirms() {
        fiscora::qt::QtMessages messages;
        fiscora::ui::StatementImportDialog model(messages, "张三", "s.csv", samplePreview(),
                                                 sampleLedger());
        fiscora::qt::StatementImportView view(model, nullptr);
        onNextModal(
            [&view](QDialog* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("导入交割单 -[张三]"));
                QTableView* table = tableOf(dialog);
                QVERIFY(table != nullptr);
                QCOMPARE(table->model()->rowCount(), 3);
                QCOMPARE(table->model()->index(1, 1).data().toString(), QStringLiteral("拒绝"));
                QCOMPARE(table->model()->index(1, 10).data().toString(),
                         QStringLiteral("161198388.000"));
                // Every column at least as wide as its widest cell and header: nothing cut.
                const QAbstractItemView* cells = table;
                for (int c = 0; c < table->model()->columnCount(); ++c) {
                    QVERIFY2(table->columnWidth(c) >= cells->sizeHintForColumn(c),
                             qPrintable(QString::number(c)));
                    QVERIFY(table->columnWidth(c) >= table->horizontalHeader()->sectionSizeHint(c));
                }
                // The whole list is visible side by side without scrolling.
                QVERIFY(!table->horizontalScrollBar()->isVisible());
                view.okButton()->click();
            },
            nullptr);
        QVERIFY(view.runModal());
    }

    // Ticking the switch books the interest line as a deposit: the list and the counts
    // above it show it at once.
    void theCashAdjustmentSwitchUpdatesTheList() {
        fiscora::qt::QtMessages messages;
        fiscora::ui::StatementImportDialog model(messages, "张三", "s.csv", samplePreview(),
                                                 sampleLedger());
        fiscora::qt::StatementImportView view(model, nullptr);
        onNextModal(
            [&view](QDialog* dialog) {
                auto* box = dialog->findChild<QCheckBox*>();
                QVERIFY(box != nullptr);
                QCOMPARE(box->text(), QStringLiteral("利息、税费和逆回购记为投入资金/划出资金"));
                QTableView* table = tableOf(dialog);
                QCOMPARE(table->model()->index(2, 1).data().toString(), QStringLiteral("跳过"));
                box->click();
                QCOMPARE(table->model()->index(2, 1).data().toString(), QStringLiteral("记入"));
                QCOMPARE(table->model()->index(2, 10).data().toString(), QStringLiteral("1.000"));
                bool countsShown = false;
                for (const QLabel* label : dialog->findChildren<QLabel*>())
                    countsShown |= label->text().startsWith(QStringLiteral("记入 2 条"));
                QVERIFY(countsShown);
                view.okButton()->click();
            },
            nullptr);
        QVERIFY(view.runModal());
        QCOMPARE(model.preview().bookingOrder.size(), std::size_t{2});
    }

    void escapeBooksNothing() {
        fiscora::qt::QtMessages messages;
        fiscora::ui::StatementImportDialog model(messages, "张三", "s.csv", samplePreview(),
                                                 sampleLedger());
        fiscora::qt::StatementImportView view(model, nullptr);
        onNextModal([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }, nullptr);
        QVERIFY(!view.runModal());
    }
};

FISCORA_QT_TEST(StatementImportViewTest)
#include "statement_import_view_test.moc"
