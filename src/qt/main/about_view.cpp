#include "qt/main/about_view.h"

#include <QGridLayout>
#include <QLabel>

#include "qt/widgets/artwork.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/hover_button.h"

namespace fiscora::qt {

AboutView::AboutView(ui::AboutBox& model, QWidget* parent) : DialogView(model, parent) {
    const DialogUnits dlu(font());
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    auto* text = new QLabel(QString::fromUtf8(ui::AboutBox::kText), this);
    HoverButton* ok = okButton();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(dlu.x(11), dlu.y(12), dlu.x(8), dlu.y(8));
    layout->setHorizontalSpacing(dlu.x(12));
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(text, 0, 1, Qt::AlignVCenter);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(dlu.x(200));
    setFixedSize(sizeHint());
    ok->setFocus();
}

}  // namespace fiscora::qt
