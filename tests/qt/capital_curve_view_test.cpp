#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "qt/analysis/capital_curve_view.h"
#include "qt/main/main_window_view.h"
#include "qt/widgets/chart_area.h"
#include "qt/widgets/hover_button.h"
#include "qt_test_registry.h"
#include "tools/demo/modal_driver.h"
#include "ui/main/command_ids.h"
#include "window_fixture.h"

using fiscora::qt::CapitalCurveView;
using fiscora::qt::MainWindowView;

class CapitalCurveViewTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheDemoAccountAndOffersTheDaysLedger() {
        fiscora::test::SampleWorkspace workspace;
        MainWindowView window;
        window.show();
        fiscora::test::logInToDemo(window);
        bool seen = false;
        fiscora::demo::onNextModal(
            [&seen](QDialog* dialog) {
                auto* view = dynamic_cast<CapitalCurveView*>(dialog);
                QVERIFY(view != nullptr);
                QCOMPARE(view->windowTitle(), QStringLiteral("资金曲线 -[演示帐户]"));
                auto* stocks = view->widgetOf<QListWidget>("stock");
                QVERIFY(stocks->count() > 0);
                QCOMPARE(stocks->currentRow(), 0);
                fiscora::qt::ChartArea* chart = view->chartArea();
                QCOMPARE(chart->width(), view->width() - 130);
                // Once the picture is drawn, the mouse over a day reads it out.
                QVERIFY(!chart->render().isNull());
                const QPoint inside(chart->width() / 4, chart->height() / 2);
                const QRegularExpression readOut(
                    QStringLiteral("^\\d{4}年\\d{1,2}月\\d{1,2}日\n市值:[0-9.]+\n当日"));
                QVERIFY2(readOut.match(chart->readOutAt(inside)).hasMatch(),
                         qPrintable(chart->readOutAt(inside)));
                QVERIFY(chart->readOutAt({10, 10}).isEmpty());
                // A right click on a day opens the menu with 显示当日相关流水帐.
                QTimer::singleShot(0, view, [view, &seen] {
                    QMenu* menu = view->contextMenu();
                    seen = menu->isVisible();
                    QCOMPARE(menu->actions().first()->text(), QStringLiteral("显示当日相关流水帐"));
                    menu->close();
                });
                QTest::mouseClick(chart, Qt::RightButton, {}, inside);
                // 总资金图表 disables the stock list.
                view->widgetOf<QCheckBox>("total")->click();
                QVERIFY(!stocks->isEnabled());
                view->okButton()->click();
            },
            &window);
        window.runCommand(fiscora::ui::command::kCapitalCurve);
        QVERIFY(seen);
    }
};

FISCORA_QT_TEST(CapitalCurveViewTest)
#include "capital_curve_view_test.moc"
