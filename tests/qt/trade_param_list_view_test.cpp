#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QTest>

#include "engine/workspace.h"
#include "qt/main/qt_dialog_runner.h"
#include "qt/records/trade_param_list_view.h"
#include "qt/records/trade_param_view.h"
#include "qt/widgets/hover_button.h"
#include "qt_test_registry.h"
#include "store/trade_param_file.h"
#include "support/builders.h"
#include "support/temp_dir.h"
#include "tools/demo/modal_driver.h"
#include "window_fixture.h"

using fiscora::demo::onNextModal;
using fiscora::qt::TradeParamListView;
using fiscora::test::feeRow;

namespace {

// A fee file of two rows, one per market, in a temporary folder.
struct FeeFolder {
    FeeFolder() {
        fiscora::test::RecordingMessages quiet;
        fiscora::saveTradeParams(file(), {feeRow(0, "000", "深A"), feeRow(1, "600", "沪A")}, quiet);
        workspace.open(dir.path(), file());
    }
    std::string file() const { return dir.file(fiscora::kTradeParamFileName); }

    fiscora::test::TempDir dir;
    fiscora::test::RecordingMessages messages;
    fiscora::Workspace workspace{messages};
};

QModelIndex cell(QTableView* list, int row, int column = 0) {
    return list->model()->index(row, column);
}

}  // namespace

class TradeParamListViewTest : public QObject {
    Q_OBJECT

private slots:
    void theListShowsTheTableWithIconsAndWholeColumns() {
        FeeFolder folder;
        fiscora::qt::QtDialogRunner runner(nullptr);
        fiscora::ui::TradeParamListDialog model(folder.workspace, runner);
        TradeParamListView view(model, nullptr);
        onNextModal([&view](QDialog*) {
            QCOMPARE(view.windowTitle(), QString::fromUtf8("参数设置"));
            auto* list = view.widgetOf<QTableView>("params");
            QCOMPARE(list->model()->rowCount(), 2);
            QCOMPARE(list->model()->columnCount(), 7);
            QCOMPARE(list->model()->headerData(4, Qt::Horizontal).toString(),
                     QString::fromUtf8("过户费/千股"));
            QCOMPARE(cell(list, 1, 1).data().toString(), QString("0.300%"));
            // Each row starts with its market's icon, and the two icons differ.
            const QIcon shenzhen = cell(list, 0).data(Qt::DecorationRole).value<QIcon>();
            const QIcon shanghai = cell(list, 1).data(Qt::DecorationRole).value<QIcon>();
            QVERIFY(!shenzhen.isNull());
            QVERIFY(shenzhen.pixmap(16).toImage() != shanghai.pixmap(16).toImage());
            // No column is narrower than its header, and all of them are in sight.
            int total = 0;
            for (int i = 0; i < 7; ++i) {
                QVERIFY(list->columnWidth(i) >= list->horizontalHeader()->sectionSizeHint(i));
                total += list->columnWidth(i);
            }
            QVERIFY(list->viewport()->width() >= total);
            // The window takes the focus once it is active, which a slow run may not be yet.
            QVERIFY(QTest::qWaitForWindowActive(&view));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list));
            QCOMPARE(view.actionButtons()[0]->text(), QString::fromUtf8("增加"));
            QCOMPARE(view.okButton()->text(), QString::fromUtf8("关闭"));
            QCOMPARE(view.contextMenu()->actions().size(), 3);
            QCOMPARE(view.contextMenu()->actions()[2]->text(), QString::fromUtf8("删除参数"));
            view.okButton()->click();
        });
        QVERIFY(view.runModal());
    }

    void addingThroughTheRowDialogShowsTheNewRowLast() {
        FeeFolder folder;
        TradeParamListView* shown = nullptr;
        fiscora::qt::QtDialogRunner runner(nullptr);
        fiscora::ui::TradeParamListDialog model(folder.workspace, runner);
        TradeParamListView view(model, nullptr);
        shown = &view;
        onNextModal([shown](QDialog*) {
            onNextModal(
                [](QDialog* dialog) {
                    auto* row = static_cast<fiscora::qt::TradeParamView*>(dialog);
                    QTest::keyClicks(row->widgetOf<QLineEdit>("prefix"), "900");
                    fiscora::test::typeText(row->widgetOf<QLineEdit>("name"),
                                            QString::fromUtf8("沪B"));
                    row->okButton()->click();
                },
                shown);
            shown->actionButtons()[0]->click();
            QCOMPARE(shown->widgetOf<QTableView>("params")->model()->rowCount(), 3);
            QCOMPARE(cell(shown->widgetOf<QTableView>("params"), 2).data().toString(),
                     QString::fromUtf8("沪B"));

            // A double click on that row opens it for modifying; cancelled, the row is
            // selected again.
            onNextModal(
                [](QDialog* dialog) {
                    QCOMPARE(dialog->windowTitle(), QString::fromUtf8("修改参数"));
                    dialog->reject();
                },
                shown);
            auto* list = shown->widgetOf<QTableView>("params");
            const QRect rect = list->visualRect(cell(list, 2, 1));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
            QCOMPARE(list->currentIndex().row(), 2);
            QVERIFY(list->selectionModel()->isRowSelected(2, {}));
            shown->reject();
        });
        QVERIFY(!view.runModal());
        QCOMPARE(folder.workspace.tradeParams.size(), std::size_t(3));
    }

    void deletingSelectsTheRowAbove() {
        FeeFolder folder;
        fiscora::qt::QtDialogRunner runner(nullptr);
        fiscora::ui::TradeParamListDialog model(folder.workspace, runner);
        TradeParamListView view(model, nullptr);
        onNextModal([&view, &folder](QDialog*) {
            auto* list = view.widgetOf<QTableView>("params");
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(cell(list, 1)).center());
            view.actionButtons()[1]->click();  // 删除, answered Yes by the recording messages
            QCOMPARE(folder.messages.asked.size(), std::size_t(1));
            QCOMPARE(list->model()->rowCount(), 1);
            QCOMPARE(list->currentIndex().row(), 0);
            view.okButton()->click();
        });
        QVERIFY(view.runModal());
    }
};

FISCORA_QT_TEST(TradeParamListViewTest)
#include "trade_param_list_view_test.moc"
