#include "qt/account/statement_import_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {
namespace {

constexpr int kRowsShown = 16;

}  // namespace

StatementImportView::StatementImportView(ui::StatementImportDialog& model, QWidget* parent)
    : DialogView(model, parent) {
    const DialogUnits dlu(font());
    auto* form = new QVBoxLayout;
    form->setSpacing(dlu.y(4));
    form->addWidget(text(model.file));
    form->addWidget(text(model.summary));
    form->addWidget(text(model.reconciliation));
    QTableView* lines = table(model.lines);
    int width = 2 * lines->frameWidth() + lines->verticalScrollBar()->sizeHint().width();
    for (int i = 0; i < lines->model()->columnCount(); ++i) width += lines->columnWidth(i);
    const int rows = std::min(kRowsShown, std::max(lines->model()->rowCount(), 4));
    lines->setMinimumSize(width, lines->horizontalHeader()->sizeHint().height() +
                                     rows * lines->verticalHeader()->defaultSectionSize() +
                                     2 * lines->frameWidth());
    form->addWidget(lines);
    finishLayout(form);
}

}  // namespace fiscora::qt
