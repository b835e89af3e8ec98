#include "qt/account/restore_version_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "qt/widgets/dialog_units.h"

namespace fiscora::qt {
namespace {

constexpr int kVisibleRows = 12;

}  // namespace

RestoreVersionView::RestoreVersionView(ui::RestoreVersionDialog& model, QWidget* parent)
    : DialogView(model, parent) {
    const DialogUnits dlu(font());
    QTableView* list = table(model.versions, {}, kVisibleRows);
    QLineEdit* version = lineEdit(model.version);
    version->setMaximumWidth(dlu.x(50));
    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(captionOf(version));
    versionRow->addWidget(version);
    versionRow->addStretch();
    auto* form = new QVBoxLayout;
    form->addWidget(list);
    form->addLayout(versionRow);
    finishLayout(form);
}

}  // namespace fiscora::qt
