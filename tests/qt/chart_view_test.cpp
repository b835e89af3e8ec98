#include <QAbstractButton>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include "qt/analysis/chart_view.h"
#include "qt/analysis/legend_list.h"
#include "qt/analysis/profit_chart_area.h"
#include "qt/widgets/hover_button.h"
#include "qt_test_registry.h"
#include "support/builders.h"
#include "support/temp_dir.h"

using namespace fiscora;
using namespace fiscora::qt;

namespace {

std::vector<HoldingRow> stocks(int n) {
    return test::numberedStocks(n, [](int i) { return 10.0 * (i + 1); });
}

// The view as its modal run opens it: OnInitDialog, then shown.
struct OpenChart {
    OpenChart(int n, ui::ChartKind kind)
        : model(messages, "演示帐户", stocks(n), kind), view(model, nullptr) {
        model.OnInitDialog();
        view.show();
    }
    test::RecordingMessages messages;
    ui::ChartDialog model;
    ChartView view;
};

bool drawsSomething(const QImage& picture) {
    const QRgb face = picture.pixel(picture.width() - 1, picture.height() - 1);
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2)
            if (picture.pixel(x, y) != face) return true;
    return false;
}

}  // namespace

class ChartViewTest : public QObject {
    Q_OBJECT

private slots:
    void opensInTheRequestedKind() {
        OpenChart pie(3, ui::ChartKind::Invested);
        QVERIFY(QTest::qWaitForWindowExposed(&pie.view));
        QCOMPARE(pie.view.windowTitle(), QStringLiteral("图表分析-[演示帐户]"));
        QVERIFY(pie.view.widgetOf<QAbstractButton>("kind", 2)->isChecked());
        QVERIFY(pie.view.widgetOf<QAbstractButton>("scope", 0)->isChecked());
        QVERIFY(drawsSomething(pie.view.chartArea()->picture()));
        QCOMPARE(pie.view.legend()->count(), 3);
        QCOMPARE(pie.view.legend()->item(0)->text(), QStringLiteral("[600000]股票0:33.3%"));
        QCOMPARE(pie.view.actionButtons().size(), std::size_t(4));
        for (HoverButton* paging : pie.view.actionButtons()) QVERIFY(!paging->isEnabled());

        pie.view.widgetOf<QAbstractButton>("scope", 1)->click();
        QCOMPARE(pie.model.scope(), ui::ChartScope::Account);
        QCOMPARE(pie.view.legend()->count(), 0);
    }

    void aKeyPagesTheBars() {
        OpenChart bars(12, ui::ChartKind::Profit);
        QVERIFY(QTest::qWaitForWindowExposed(&bars.view));
        HoverButton* previousItem = bars.view.buttonOf(QStringLiteral("前移一项"));
        HoverButton* previousPage = bars.view.buttonOf(QStringLiteral("向前翻页"));
        HoverButton* nextPage = bars.view.buttonOf(QStringLiteral("向后翻页"));
        QVERIFY(nextPage->isEnabled());
        QVERIFY(!previousPage->isEnabled());
        const QImage first = bars.view.chartArea()->picture();
        QTest::keyClick(&bars.view, Qt::Key_PageDown);
        QVERIFY(previousPage->isEnabled());
        QVERIFY(!nextPage->isEnabled());
        QVERIFY(bars.view.chartArea()->picture() != first);
        QTest::keyClick(&bars.view, Qt::Key_Up);  // back to the first page
        QVERIFY(nextPage->isEnabled());
        QVERIFY(!previousItem->isEnabled());
    }

    void theMouseOverABarShowsItsFigures() {
        OpenChart bars(3, ui::ChartKind::Profit);
        QVERIFY(QTest::qWaitForWindowExposed(&bars.view));
        ProfitChartArea* area = bars.view.chartArea();
        const QPointF onFirstBar(5, area->height() / 2 - 3);
        QMouseEvent move(QEvent::MouseMove, onFirstBar, area->mapToGlobal(onFirstBar), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &move);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("600000\n股票0\n10.000"));
        const QPointF aside(area->width() - 5, 5);
        QMouseEvent away(QEvent::MouseMove, aside, area->mapToGlobal(aside), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &away);
        QTRY_VERIFY(!QToolTip::isVisible());
    }
};

FISCORA_QT_TEST(ChartViewTest)
#include "chart_view_test.moc"
