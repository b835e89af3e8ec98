#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "qt/main/command_menus.h"
#include "qt/main/main_window_view.h"
#include "qt_test_registry.h"
#include "tools/demo/demo_workspace.h"
#include "tools/demo/modal_driver.h"
#include "ui/main/command_ids.h"
#include "window_fixture.h"

using fiscora::demo::onNextModal;
using fiscora::qt::MainWindowView;
namespace command = fiscora::ui::command;

// 删除记录 driven through the window: a row clicked in the holdings list, the entry of the
// list's popup menu, and the question answered with its buttons.
class StockRecordsDeletionTest : public QObject {
    Q_OBJECT

private slots:
    void theQuestionNamesTheStockAndYesRemovesItsRow() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        fiscora::test::loginWith(QString::fromUtf8(fiscora::demo::kDemoPassword), &window);
        window.model().OnTreeClick(0);
        window.sync();
        QTableView* list = window.holdingList();
        QAbstractItemModel* rows = list->model();
        const int count = rows->rowCount();
        QVERIFY(count > 1);
        const QString code = rows->data(rows->index(1, 1)).toString();
        const QString name = rows->data(rows->index(1, 2)).toString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(rows->index(1, 3)).center());
        QCOMPARE(window.model().holdingList().selected, 1);

        // No: nothing changes.
        QString question;
        QMessageBox::Icon icon = QMessageBox::Critical;
        const auto answer = [&](QMessageBox::StandardButton button) {
            onNextModal(
                [&, button](QDialog* dialog) {
                    auto* box = qobject_cast<QMessageBox*>(dialog);
                    QVERIFY(box != nullptr);
                    question = box->text();
                    icon = box->icon();
                    box->button(button)->click();
                },
                &window);
        };
        const std::vector<QAction*> entries =
            window.menus().actionsOf(command::kDeleteStockRecords);
        QVERIFY(entries.size() >= 2);  // the 股票 menu and the list's popup
        for (QAction* entry : entries) QVERIFY(entry->isEnabled());
        answer(QMessageBox::No);
        entries.back()->trigger();
        QCOMPARE(question, name + QStringLiteral("的全部记录都将被删除，真的要删除吗？"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(rows->rowCount(), count);

        answer(QMessageBox::Yes);
        entries.back()->trigger();
        QCOMPARE(rows->rowCount(), count - 1);
        for (int row = 0; row < rows->rowCount(); ++row)
            QVERIFY(rows->data(rows->index(row, 1)).toString() != code);
    }
};

FISCORA_QT_TEST(StockRecordsDeletionTest)
#include "stock_records_deletion_test.moc"
