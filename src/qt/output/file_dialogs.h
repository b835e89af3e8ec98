#pragma once

#include <QIdentityProxyModel>
#include <QObject>

class QFileDialog;
class QWidget;

namespace fiscora::qt {

// A file dialog's columns as the program's locale shows them. Qt's file list formats sizes
// and dates in the system's locale (English under a desktop's default) and leaves "Folder"
// untranslated; this gives sizes and dates in the default locale, 文件夹 for folders, and
// calls the size column 大小 (Qt's catalogue says 体积, a volume).
class LocalFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

// Gives Qt's own file dialog LocalFileColumns and room for them: the columns as wide as their
// texts need, the dialog wide enough for them and a usable name column. The desktop's dialog
// (which a platform theme may bring) is left as it is.
void fitFileDialog(QFileDialog& dialog);

// A file to read, or to write (the dialog then asks before replacing one), chosen in Qt's own
// dialog, fitted, that starts at `start` (a folder, or a file's suggested path); empty when
// cancelled.
QString chooseFileToOpen(QWidget* parent, const QString& title, const QString& start,
                         const QString& filters);
QString chooseFileToSave(QWidget* parent, const QString& title, const QString& start,
                         const QString& filters);

// While it lives, every file dialog shown in the application is fitted before it appears,
// Qt's own ones as well (the print dialog's choice of an output file).
class ChineseFileDialogs : public QObject {
public:
    ChineseFileDialogs();
    ~ChineseFileDialogs() override;
    ChineseFileDialogs(const ChineseFileDialogs&) = delete;
    ChineseFileDialogs& operator=(const ChineseFileDialogs&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace fiscora::qt
