#include "qt/output/file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>

namespace fiscora::qt {
namespace {

// QFileSystemModel's columns.
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;
// Room for the name column and the places at the left, in average character widths.
constexpr int kNameChars = 40;
constexpr int kSideChars = 22;
constexpr int kPadding = 16;

// The widest texts the columns show in the default locale: a large size, a late date, and a
// long type name.
QStringList widestTexts() {
    const QLocale locale;
    return {locale.formattedDataSize(1023LL * 1024 * 1024 * 1000),
            locale.toString(QDateTime(QDate(2026, 12, 28), QTime(23, 59)), QLocale::ShortFormat),
            QStringLiteral("逗号分隔的值文档")};
}

QString chooseFile(QWidget* parent, const QString& title, const QString& start,
                   const QString& filters, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, title, start, filters);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    fitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

}  // namespace

QVariant LocalFileColumns::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr || index.column() == 0)
        return QIdentityProxyModel::data(index, role);
    const QFileInfo info = files->fileInfo(mapToSource(index));
    switch (index.column()) {
    case kSizeColumn: return info.isDir() ? QString() : QLocale().formattedDataSize(info.size());
    case kTypeColumn:
        if (info.isDir())
            return info.isRoot() ? QStringLiteral("驱动器") : QStringLiteral("文件夹");
        return QIdentityProxyModel::data(index, role);
    case kDateColumn: return QLocale().toString(info.lastModified(), QLocale::ShortFormat);
    default: return QIdentityProxyModel::data(index, role);
    }
}

QVariant LocalFileColumns::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == kSizeColumn && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringLiteral("大小");
    return QIdentityProxyModel::headerData(section, orientation, role);
}

void fitFileDialog(QFileDialog& dialog) {
    auto* details = dialog.findChild<QTreeView*>();
    if (details == nullptr) return;  // the desktop's own dialog, shown by a host's theme
    // Only this function gives a file dialog a proxy: one there is ours, from a showing before.
    if (dialog.proxyModel() == nullptr) dialog.setProxyModel(new LocalFileColumns(&dialog));
    const QFontMetrics metrics(details->font());
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    const QStringList texts = widestTexts();
    const int columns[] = {kSizeColumn, kDateColumn, kTypeColumn};
    int width = metrics.averageCharWidth() * (kNameChars + kSideChars);
    for (int i = 0; i < 3; ++i) {
        const int column = columns[i];
        const QString title = dialog.proxyModel()->headerData(column, Qt::Horizontal).toString();
        const int needed =
            std::max(metrics.horizontalAdvance(texts[i]), metrics.horizontalAdvance(title)) +
            kPadding;
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(column, needed);
        width += needed;
    }
    dialog.resize(std::max(dialog.width(), width), dialog.height());
}

QString chooseFileToOpen(QWidget* parent, const QString& title, const QString& start,
                         const QString& filters) {
    return chooseFile(parent, title, start, filters, QFileDialog::AcceptOpen);
}

QString chooseFileToSave(QWidget* parent, const QString& title, const QString& start,
                         const QString& filters) {
    return chooseFile(parent, title, start, filters, QFileDialog::AcceptSave);
}

ChineseFileDialogs::ChineseFileDialogs() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

ChineseFileDialogs::~ChineseFileDialogs() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool ChineseFileDialogs::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* dialog = qobject_cast<QFileDialog*>(watched)) fitFileDialog(*dialog);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace fiscora::qt
