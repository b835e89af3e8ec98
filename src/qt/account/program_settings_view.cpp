#include "qt/account/program_settings_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {

ProgramSettingsView::ProgramSettingsView(ui::ProgramSettingsDialog& model, QWidget* parent)
    : FormDialogView(model, parent) {
    const int pathWidth = DialogUnits(font()).x(220);
    QLabel* dataFolder = text(model.dataFolder);
    dataFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addRow(model.dataFolder, dataFolder);
    for (ui::TextField* path : {&model.homeFolder, &model.quoteFile}) {
        QLineEdit* box = lineEdit(*path);
        box->setMinimumWidth(pathWidth);
        auto* row = new QWidget(this);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        line->addWidget(box);
        line->addWidget(noteOf(box));
        line->addStretch();
        addRow(*path, row);
    }
    finish();
}

}  // namespace fiscora::qt
