#include <QColor>
#include <QTableView>
#include <QTest>

#include "qt/widgets/list_field_model.h"
#include "qt_test_registry.h"

using fiscora::ui::ListField;

namespace {

// A list whose cells count how often they are asked for.
struct CountedList {
    CountedList(std::size_t rows) {
        field.columns = {{"代码", 80, fiscora::ColumnAlign::Left},
                         {"数量", 60, fiscora::ColumnAlign::Right}};
        field.rowCount = rows;
        field.cellText = [this](std::size_t row, std::size_t column) {
            ++asked;
            return std::to_string(row * 10 + column + generation);
        };
    }
    ListField field;
    std::size_t asked = 0;
    std::size_t generation = 0;
};

}  // namespace

class ListFieldModelTest : public QObject {
    Q_OBJECT

private slots:
    void aLongListFormatsOnlyTheCellsShown() {
        CountedList list(100000);
        QTableView view;
        fiscora::qt::ListFieldModel model(list.field, {}, &view);
        model.showIn(&view, 20);
        view.resize(300, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(model.rowCount(), 100000);
        QVERIFY(list.asked > 0);
        QVERIFY2(list.asked < 2000, qPrintable(QString::number(list.asked)));
        view.scrollToBottom();
        QTest::qWait(10);
        QVERIFY2(list.asked < 4000, qPrintable(QString::number(list.asked)));
        QCOMPARE(model.data(model.index(99999, 1), Qt::DisplayRole).toString(),
                 QStringLiteral("999991"));
        QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("代码"));
        QCOMPARE(view.columnWidth(0), 80);
    }

    void gainsAreRedLossesGreenAndOtherCellsKeepTheViewsColour() {
        CountedList list(3);
        fiscora::qt::ListFieldModel model(list.field, {}, nullptr);
        QVERIFY(!model.data(model.index(0, 1), Qt::ForegroundRole).isValid());
        const fiscora::CellTone tones[] = {fiscora::CellTone::Gain, fiscora::CellTone::Loss,
                                           fiscora::CellTone::Plain};
        list.field.cellTone = [&tones](std::size_t row, std::size_t column) {
            return column == 1 ? tones[row] : fiscora::CellTone::Plain;
        };
        QCOMPARE(model.data(model.index(0, 1), Qt::ForegroundRole).value<QColor>(),
                 QColor(204, 0, 0));
        QCOMPARE(model.data(model.index(1, 1), Qt::ForegroundRole).value<QColor>(),
                 QColor(0, 128, 0));
        QVERIFY(!model.data(model.index(2, 1), Qt::ForegroundRole).isValid());
        QVERIFY(!model.data(model.index(0, 0), Qt::ForegroundRole).isValid());
    }

    void newFiguresKeepTheCurrentRowNewRowsDoNot() {
        CountedList list(50);
        QTableView view;
        fiscora::qt::ListFieldModel model(list.field, {}, &view);
        model.showIn(&view, 20);
        view.setCurrentIndex(model.index(7, 0));
        list.generation = 1;
        list.field.rowsReplaced(50, true);
        model.sync();
        QCOMPARE(view.currentIndex().row(), 7);
        QCOMPARE(model.data(model.index(7, 0), Qt::DisplayRole).toString(), QStringLiteral("71"));
        list.field.rowsReplaced(3, false);
        model.sync();
        QCOMPARE(model.rowCount(), 3);
        QVERIFY(!view.currentIndex().isValid());
    }
};

FISCORA_QT_TEST(ListFieldModelTest)
#include "list_field_model_test.moc"
