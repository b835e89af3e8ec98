#include "qt/analysis/legend_list.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "qt/output/canvas_picture.h"
#include "qt/output/painter_report_canvas.h"

namespace fiscora::qt {
namespace {

constexpr int kColourRole = Qt::UserRole;

class LegendDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const ui::LegendEntry entry{index.data(Qt::DisplayRole).toString().toStdString(),
                                    rgbOf(index.data(kColourRole).value<QColor>())};
        const QRect r = option.rect;
        painter->save();
        const ReportFonts noReportFonts;
        PainterReportCanvas canvas(*painter, noReportFonts);
        ui::drawLegendEntry(canvas, {r.left(), r.top(), r.right() + 1, r.bottom() + 1}, entry,
                            LegendList::kFont);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), LegendList::kRowHeight};
    }
};

}  // namespace

LegendList::LegendList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new LegendDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
    QPalette face = palette();
    face.setColor(QPalette::Base, face.color(QPalette::Window));
    setPalette(face);
}

void LegendList::setEntries(const std::vector<ui::LegendEntry>& entries) {
    clear();
    for (const ui::LegendEntry& entry : entries) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.text), this);
        item->setData(kColourRole, QColor(entry.colour.red, entry.colour.green, entry.colour.blue));
    }
}

}  // namespace fiscora::qt
