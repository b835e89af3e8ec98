#include "qt/account/statement_import_view.h"

#include <QCheckBox>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

StatementImportView::StatementImportView(ui::StatementImportDialog& model, QWidget* parent)
    : DialogView(model, parent) {
    // Room for the lines up to 16; a short statement keeps room for 4.
    const int rows = std::clamp(static_cast<int>(model.lines.rowCount), 4, 16);
    auto* form = new QVBoxLayout;
    form->setSpacing(DialogUnits(font()).y(4));
    form->addWidget(text(model.file));
    form->addWidget(text(model.summary));
    form->addWidget(text(model.reconciliation));
    form->addWidget(checkBox(model.cashAdjustments));
    form->addWidget(table(model.lines, {}, rows));
    finishLayout(form);
}

}  // namespace fiscora::qt
