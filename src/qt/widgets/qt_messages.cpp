#include "qt/widgets/qt_messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>

namespace fiscora::qt {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Room the title bar needs beside its caption: the window icon and the close button, with
// their margins.
constexpr int kTitleBarButtons = 150;

// A box is made at least as wide as its title bar needs to show the whole caption: a short
// text would otherwise leave "Fi…a" of "Fiscora".
void fitCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QWidget* QtMessages::parentForBox() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return owner_.data();
}

void QtMessages::show(const std::string& text, const std::string& caption, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, parentForBox());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    fitCaption(box);
    box.exec();
}

bool QtMessages::ask(const std::string& text, const std::string& caption) {
    return askWithIcon(text, caption, MessageIcon::Question);
}

bool QtMessages::askWithIcon(const std::string& text, const std::string& caption,
                             MessageIcon icon) {
    QMessageBox box(boxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parentForBox());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    box.setDefaultButton(QMessageBox::No);
    fitCaption(box);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace fiscora::qt
