#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "engine/ledger_change_rules.h"
#include "qt/analysis/capital_curve_view.h"
#include "qt/main/main_window_view.h"
#include "qt/records/edit_record_view.h"
#include "qt/records/ledger_view.h"
#include "qt/widgets/chart_area.h"
#include "qt/widgets/hover_button.h"
#include "qt_test_registry.h"
#include "records/gbk_text.h"
#include "support/builders.h"
#include "support/temp_dir.h"
#include "tools/demo/modal_driver.h"
#include "ui/common/dialog_runner.h"
#include "ui/main/command_ids.h"
#include "window_fixture.h"

using fiscora::demo::onNextModal;
using fiscora::qt::LedgerView;
using fiscora::qt::MainWindowView;
namespace command = fiscora::ui::command;

namespace {

QString cell(QTableView* list, int row, int column) {
    return list->model()->data(list->model()->index(row, column)).toString();
}

QPoint cellCentre(QTableView* list, int row, int column) {
    list->scrollTo(list->model()->index(row, column));
    return list->visualRect(list->model()->index(row, column)).center();
}

// The next message box over `except`: its text and caption kept, answered with `button`.
struct MessageBoxSeen {
    QString text;
    QString caption;
};
void answerNextBox(MessageBoxSeen& seen, QMessageBox::StandardButton button, QWidget* except) {
    onNextModal(
        [&seen, button](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            QVERIFY(box != nullptr);
            seen = {box->text(), box->windowTitle()};
            QAbstractButton* answer = box->button(button);
            QVERIFY(answer != nullptr);
            answer->click();
        },
        except);
}

// Opens no dialog: a big ledger's view is shown by itself.
class NoDialogs : public fiscora::ui::DialogRunner {
public:
    bool run(fiscora::ui::DialogModel&) override { return false; }
};

}  // namespace

// 个人流水帐 on the demo account, driven through its widgets.
class LedgerViewTest : public QObject {
    Q_OBJECT

private slots:
    void filtersApplyWithTheShowButton() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        fiscora::test::logInToDemo(window);
        const fiscora::Ledger& ledger = window.model().workspace().ledger;
        fiscora::test::onNextView<LedgerView>(
            [&ledger](LedgerView* view) {
                QCOMPARE(view->windowTitle(), QStringLiteral("个人流水帐 -[演示帐户]"));
                QTableView* list = view->widgetOf<QTableView>("list");
                QCOMPARE(list->model()->rowCount(), static_cast<int>(ledger.size()));
                QCOMPARE(list->currentIndex().row(), 0);
                QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list));
                QVERIFY(
                    view->widgetOf<QLabel>("balance")->text().endsWith(QStringLiteral("人民币元")));
                QVERIFY(!view->widgetOf<QComboBox>("kind")->isEnabled() &&
                        !view->widgetOf<QLineEdit>("code")->isEnabled());
                QVERIFY(!view->widgetOf<QDateEdit>("from")->isEnabled() &&
                        !view->widgetOf<QDateEdit>("to")->isEnabled());

                // Ticking enables the inputs; the rows change with 显示流水帐 only.
                view->widgetOf<QCheckBox>("byKind")->click();
                QVERIFY(view->widgetOf<QComboBox>("kind")->isEnabled());
                fiscora::test::pickItem(
                    view->widgetOf<QComboBox>("kind"),
                    view->widgetOf<QComboBox>("kind")->findText(QStringLiteral("买入股票")));
                view->widgetOf<QCheckBox>("byCode")->click();
                fiscora::test::retype(view->widgetOf<QLineEdit>("code"), QStringLiteral("600036"));
                QCOMPARE(list->model()->rowCount(), static_cast<int>(ledger.size()));
                view->buttonOf(QStringLiteral("显示流水帐"))->click();
                const int purchases = list->model()->rowCount();
                QVERIFY(purchases > 0 && purchases < static_cast<int>(ledger.size()));
                for (int row = 0; row < purchases; ++row) {
                    QCOMPARE(cell(list, row, 2), QStringLiteral("买入股票"));
                    QCOMPARE(cell(list, row, 4), QStringLiteral("600036"));
                }
                QVERIFY(!list->currentIndex().isValid());

                // One day: the first record's.
                view->widgetOf<QCheckBox>("byKind")->click();
                view->widgetOf<QCheckBox>("byCode")->click();
                view->widgetOf<QCheckBox>("byTime")->click();
                QVERIFY(view->widgetOf<QDateEdit>("from")->isEnabled());
                const QDate first(ledger[0].date / 10000, ledger[0].date / 100 % 100,
                                  ledger[0].date % 100);
                view->widgetOf<QDateEdit>("from")->setDate(first);
                view->widgetOf<QDateEdit>("to")->setDate(first);
                view->buttonOf(QStringLiteral("显示流水帐"))->click();
                QVERIFY(list->model()->rowCount() >= 1);
                for (int row = 0; row < list->model()->rowCount(); ++row)
                    QCOMPARE(cell(list, row, 0),
                             QString::fromStdString(fiscora::ledgerDateText(ledger[0].date)));
                // From after to: nothing.
                view->widgetOf<QDateEdit>("from")->setDate(first.addDays(1));
                view->buttonOf(QStringLiteral("显示流水帐"))->click();
                QCOMPARE(list->model()->rowCount(), 0);
                view->okButton()->click();
            },
            &window);
        window.runCommand(command::kViewLedger);
        QVERIFY(window.holdingList()->model()->rowCount() > 0);
    }

    // Enter in a filter runs 显示流水帐 and leaves the view open; Enter on a row opens the
    // editor; Tab leaves the list; Alt+Down opens a drop-down instead of moving on.
    void keysInTheFiltersAndTheList() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        fiscora::test::logInToDemo(window);
        fiscora::test::onNextView<LedgerView>(
            [](LedgerView* view) {
                auto* list = view->widgetOf<QTableView>("list");
                const int all = list->model()->rowCount();
                auto* kind = view->widgetOf<QComboBox>("kind");
                view->widgetOf<QCheckBox>("byKind")->click();
                kind->setFocus();
                QTest::keyClick(kind, Qt::Key_Down, Qt::AltModifier);
                QTRY_VERIFY(kind->view()->isVisible());
                kind->hidePopup();
                QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(kind));
                view->widgetOf<QCheckBox>("byKind")->click();
                view->widgetOf<QCheckBox>("byCode")->click();
                auto* code = view->widgetOf<QLineEdit>("code");
                fiscora::test::retype(code, QStringLiteral("600036"));
                fiscora::test::pressEnter(code);
                QVERIFY(view->isVisible());
                const int shown = list->model()->rowCount();
                QVERIFY(shown > 0 && shown < all);

                list->setFocus();
                list->setCurrentIndex(list->model()->index(1, 0));
                QString editorTitle;
                fiscora::test::onNextView<fiscora::qt::EditRecordView>(
                    [&editorTitle](fiscora::qt::EditRecordView* editor) {
                        editorTitle = editor->windowTitle();
                        editor->reject();
                    },
                    view);
                fiscora::test::pressEnter(list);
                QCOMPARE(editorTitle, QStringLiteral("修改流水帐 -[演示帐户]"));
                QVERIFY(view->isVisible());
                list->setFocus();
                QTest::keyClick(list, Qt::Key_Tab);
                QVERIFY(QApplication::focusWidget() != list);
                QCOMPARE(list->currentIndex().row(), 1);
                view->okButton()->click();
            },
            &window);
        window.runCommand(command::kViewLedger);
    }

    void remarkDoubleClickContextMenuAndDeletion() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        fiscora::test::logInToDemo(window);
        const fiscora::Ledger& ledger = window.model().workspace().ledger;
        const std::size_t before = ledger.size();
        // A record the rule lets go, and one with a remark, one without.
        std::size_t deletable = 1;
        while (deletable < ledger.size() && !fiscora::mayDeleteRecord(ledger, deletable))
            ++deletable;
        QVERIFY(deletable < ledger.size());
        int withRemark = -1;
        int withoutRemark = -1;
        for (std::size_t i = 0; i < ledger.size(); ++i)
            (ledger[i].remark[0] != 0 ? withRemark : withoutRemark) = static_cast<int>(i);
        QVERIFY(withRemark >= 0 && withoutRemark >= 0);

        fiscora::test::onNextView<LedgerView>(
            [&](LedgerView* view) {
                QTableView* list = view->widgetOf<QTableView>("list");
                MessageBoxSeen seen;
                // A click in 备注 shows the remark, or "没有备注"; elsewhere nothing.
                answerNextBox(seen, QMessageBox::Ok, view);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  cellCentre(list, withRemark, fiscora::kRemarkColumn));
                QCOMPARE(seen.caption, QStringLiteral("备注"));
                QCOMPARE(seen.text, QString::fromStdString(fiscora::fieldText(
                                        ledger[static_cast<std::size_t>(withRemark)].remark)));
                answerNextBox(seen, QMessageBox::Ok, view);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  cellCentre(list, withoutRemark, fiscora::kRemarkColumn));
                QCOMPARE(seen.text, QStringLiteral("没有备注"));
                QCOMPARE(cell(list, withoutRemark, fiscora::kRemarkColumn),
                         QStringLiteral("点击显示"));

                // A double-click opens the editor on the row; cancelled, nothing changes.
                QString editorTitle;
                fiscora::test::onNextView<fiscora::qt::EditRecordView>(
                    [&editorTitle](fiscora::qt::EditRecordView* editor) {
                        editorTitle = editor->windowTitle();
                        editor->reject();
                    },
                    view);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(list, 1, 3));
                emit list->doubleClicked(list->model()->index(1, 3));
                QCOMPARE(editorTitle, QStringLiteral("修改流水帐 -[演示帐户]"));
                QCOMPARE(list->currentIndex().row(), 1);

                // A right click on a row selects it and offers 删除 and 修改.
                QStringList entries;
                QTimer::singleShot(0, view, [view, &entries] {
                    for (QAction* action : view->contextMenu()->actions())
                        entries << action->text();
                    view->contextMenu()->close();
                });
                emit list->customContextMenuRequested(cellCentre(list, 2, 1));
                QCOMPARE(entries, (QStringList{QStringLiteral("删除"), QStringLiteral("修改")}));
                QCOMPARE(list->currentIndex().row(), 2);

                // 删除 asks first; No keeps the record, Yes removes it and selects the row above.
                list->setCurrentIndex(list->model()->index(static_cast<int>(deletable), 0));
                answerNextBox(seen, QMessageBox::No, view);
                view->buttonOf(QStringLiteral("删除"))->click();
                QCOMPARE(seen.text, QStringLiteral("此条记录将被删除，真的要删除吗?"));
                QCOMPARE(list->model()->rowCount(), static_cast<int>(before));
                answerNextBox(seen, QMessageBox::Yes, view);
                view->buttonOf(QStringLiteral("删除"))->click();
                QCOMPARE(list->model()->rowCount(), static_cast<int>(before) - 1);
                QCOMPARE(list->currentIndex().row(), static_cast<int>(deletable) - 1);
                view->okButton()->click();
            },
            &window);
        window.runCommand(command::kViewLedger);
        QCOMPARE(ledger.size(), before - 1);
    }

    void theCapitalCurvesDayMenuOpensTheDaysLedger() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        fiscora::test::logInToDemo(window);
        bool opened = false;
        fiscora::test::onNextView<fiscora::qt::CapitalCurveView>(
            [&opened](fiscora::qt::CapitalCurveView* curve) {
                fiscora::qt::ChartArea* chart = curve->chartArea();
                QVERIFY(!chart->render().isNull());
                fiscora::test::onNextView<LedgerView>(
                    [&opened](LedgerView* view) {
                        opened = true;
                        QVERIFY(view->widgetOf<QCheckBox>("byTime")->isChecked() &&
                                view->widgetOf<QCheckBox>("byCode")->isChecked());
                        QVERIFY(!view->widgetOf<QCheckBox>("byKind")->isChecked());
                        QCOMPARE(view->widgetOf<QDateEdit>("from")->date(),
                                 view->widgetOf<QDateEdit>("to")->date());
                        QCOMPARE(view->widgetOf<QLineEdit>("code")->text().size(), 6);
                        for (int row = 0;
                             row < view->widgetOf<QTableView>("list")->model()->rowCount(); ++row)
                            QCOMPARE(cell(view->widgetOf<QTableView>("list"), row, 4),
                                     view->widgetOf<QLineEdit>("code")->text());
                        view->okButton()->click();
                    },
                    curve);
                QTimer::singleShot(0, curve, [curve] {
                    curve->contextMenu()->close();
                    curve->contextMenu()->actions().first()->trigger();
                });
                // A day whose read-out counts records (a day without says so instead).
                QPoint day(chart->width() - 1, chart->height() / 2);
                while (day.x() > 0 &&
                       !chart->readOutAt(day).contains(QStringLiteral("当日流水帐:")))
                    day.rx() -= 1;
                QTest::mouseClick(chart, Qt::RightButton, {}, day);
                curve->okButton()->click();
            },
            &window);
        window.runCommand(command::kCapitalCurve);
        QVERIFY(opened);
    }

    void aLargeLedgerFormatsOnlyWhatItShows() {
        fiscora::test::RecordingMessages messages;
        NoDialogs dialogs;
        fiscora::ui::MainWindowModel window(messages, dialogs);
        fiscora::Ledger& ledger = window.workspace().ledger;
        ledger.reserve(100000);
        for (int i = 0; i < 100000; ++i)
            ledger.push_back(fiscora::test::cashRecord(fiscora::RecordType::CashIn,
                                                       20240101 + i % 28, 1000 + i));
        ledger[70000].amount = -123456789.5;  // far below the first screen
        fiscora::AccountInfo info{};
        fiscora::ui::LedgerViewDialog model(window.workspace(), dialogs, {"大帐户", info}, {},
                                            nullptr);
        std::size_t asked = 0;
        const auto format = model.list.cellText;
        model.list.cellText = [&asked, format](std::size_t row, std::size_t column) {
            ++asked;
            return format(row, column);
        };
        LedgerView view(model, nullptr);
        onNextModal(
            [&](QDialog*) {
                QTableView* list = view.widgetOf<QTableView>("list");
                QCOMPARE(list->model()->rowCount(), 100000);
                QVERIFY2(asked < 5000, qPrintable(QString::number(asked)));
                // The widest figure, far down, widened its column at opening.
                const QModelIndex far = list->model()->index(70000, 3);
                QVERIFY(list->columnWidth(3) >= list->sizeHintForIndex(far).width());
                list->scrollToBottom();
                QTest::qWait(10);
                QVERIFY2(asked < 10000, qPrintable(QString::number(asked)));
                view.okButton()->click();
            },
            nullptr);
        view.runModal();
    }
};

FISCORA_QT_TEST(LedgerViewTest)
#include "ledger_view_test.moc"
