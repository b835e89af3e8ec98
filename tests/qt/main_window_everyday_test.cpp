// What a user meets in the first minutes: Esc, 行情刷新 on a scrolled list, the cash in the
// status line, message boxes and Qt's own texts in Chinese.
#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QMessageBox>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "qt/account/password_view.h"
#include "qt/main/main_window_view.h"
#include "qt/widgets/chinese_ui.h"
#include "qt/widgets/hover_button.h"
#include "qt/widgets/qt_messages.h"
#include "qt_test_registry.h"
#include "tools/demo/demo_workspace.h"
#include "tools/demo/modal_driver.h"
#include "ui/main/command_ids.h"
#include "window_fixture.h"

using fiscora::demo::onNextModal;
using fiscora::qt::MainWindowView;
namespace command = fiscora::ui::command;

namespace {

// The regions painted on a widget.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

void logIn(MainWindowView& window) {
    onNextModal(
        [](QDialog* dialog) {
            auto* view = dynamic_cast<fiscora::qt::PasswordView*>(dialog);
            QVERIFY(view != nullptr);
            fiscora::test::retype(view->widgetOf<QLineEdit>("password"),
                                  QString::fromUtf8(fiscora::demo::kDemoPassword));
            view->okButton()->click();
        },
        &window);
    window.model().OnTreeClick(0);
    window.sync();
}

}  // namespace

class MainWindowEverydayTest : public QObject {
    Q_OBJECT

private slots:
    void escapeLeavesTheMainWindowOpen() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        logIn(window);
        QTest::keyClick(window.accountTree(), Qt::Key_Escape);
        QTest::keyClick(window.holdingList(), Qt::Key_Escape);
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QCOMPARE(window.result(), 0);
        QCOMPARE(window.model().tree()[0].image, fiscora::ui::kLoggedInImage);
    }

    void refreshShowsTheFirstRowSelectedAndInSight() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.resize(640, 230);  // a list shorter than its rows
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        logIn(window);
        QTableView* list = window.holdingList();
        const int last = list->model()->rowCount() - 1;
        QVERIFY(last > 2);
        list->setFocus();
        list->setCurrentIndex(list->model()->index(last, 0));
        list->scrollToBottom();
        QCOMPARE(window.model().holdingList().selected, last);
        QTest::qWait(50);
        QVERIFY(!list->viewport()->rect().intersects(list->visualRect(list->model()->index(0, 0))));

        PaintRecorder paints(list->viewport());
        window.runCommand(command::kRefreshQuotes);  // the sample prices do not move
        QTest::qWait(50);
        QCOMPARE(list->currentIndex().row(), 0);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
        const QRect first = list->visualRect(list->model()->index(0, 0));
        QVERIFY(list->viewport()->rect().intersects(first));
        QVERIFY(paints.painted.intersects(first));
    }

    void noColumnIsNarrowerThanItsWidestCell() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        logIn(window);
        QTableView* list = window.holdingList();
        QCOMPARE(list->columnWidth(5), 92);  // the list's own width where the figures fit
        workspace.quotes().quotes()[{"600036", 1}].latest = 99999.99f;
        window.runCommand(command::kRefreshQuotes);
        QAbstractItemModel* rows = list->model();
        for (int column : {4, 5, 9}) {
            const QString text = rows->data(rows->index(0, column)).toString();
            QVERIFY2(list->columnWidth(column) > list->fontMetrics().horizontalAdvance(text),
                     qPrintable(text));
        }
    }

    void statusLineShowsTheAccountsCash() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        QCOMPARE(window.accountStatus()->text(), QString());
        logIn(window);
        QVERIFY(window.accountStatus()->text().startsWith(QStringLiteral("资金余额: ")));
        QVERIFY(window.accountStatus()->text().contains(QStringLiteral("总资产: ")));
        window.runCommand(command::kCloseAccount);
        QCOMPARE(window.accountStatus()->text(), QString());
    }

    void aMessageBoxIsWideEnoughForItsCaption() {
        fiscora::qt::QtMessages messages;
        int width = 0;
        int needed = 0;
        onNextModal([&](QDialog* box) {
            width = box->width();
            needed = box->fontMetrics().horizontalAdvance(box->windowTitle()) + 100;
            box->accept();
        });
        messages.plain("保存失败");
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
    }

    void qtsOwnTextsAndDatesAreChineseWhileTheWindowIsOpen() {
        const QLocale before;
        {
            const fiscora::qt::ChineseUi chinese;
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                     QStringLiteral("取消"));
            QDateEdit picker;
            QCOMPARE(picker.locale().language(), QLocale::Chinese);
            QCOMPARE(picker.locale().territory(), QLocale::China);
        }
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
        QCOMPARE(QLocale(), before);
    }
};

FISCORA_QT_TEST(MainWindowEverydayTest)
#include "main_window_everyday_test.moc"
