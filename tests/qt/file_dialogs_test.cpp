#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTest>
#include <QTreeView>

#include "qt/main/main_window_view.h"
#include "qt/output/file_dialogs.h"
#include "qt/widgets/chinese_ui.h"
#include "qt_test_registry.h"
#include "tools/demo/modal_driver.h"
#include "ui/main/command_ids.h"
#include "window_fixture.h"

using fiscora::qt::LocalFileColumns;

namespace {

// A folder holding a folder and a 12-byte file.
struct SampleFolder {
    SampleFolder() {
        QDir(folder).mkdir(QStringLiteral("子目录"));
        QFile file(statement);
        if (file.open(QIODevice::WriteOnly)) file.write("date,code\r\n\r\n");
    }
    fiscora::test::TempDir dir;
    QString folder = QDir(QString::fromStdString(dir.path())).absolutePath();
    QString statement = folder + QStringLiteral("/交割单.csv");
};

// The texts of the row named `name` in the dialog's detail view, once the folder has loaded
// (in the background: up to ten seconds on a busy machine).
QStringList rowOf(QFileDialog* dialog, const QString& name) {
    auto* view = dialog->findChild<QTreeView*>();
    const QAbstractItemModel* model = view->model();
    for (int wait = 0; wait < 500 && model->rowCount(view->rootIndex()) < 2; ++wait)
        QTest::qWait(20);
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        if (model->index(row, 0, view->rootIndex()).data().toString() != name) continue;
        QStringList cells;
        for (int column = 0; column < model->columnCount(view->rootIndex()); ++column)
            cells << model->index(row, column, view->rootIndex()).data().toString();
        return cells;
    }
    return {};
}

}  // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // The tests run under LANG=C.UTF-8, where Qt's list would say "Folder", "13 bytes" and
    // an English date, in columns that cut them.
    void filesAreListedInChineseInColumnsWideEnoughForTheirTexts() {
        SampleFolder sample;
        const fiscora::qt::ChineseUi chinese;  // as while the window is open
        QFileDialog dialog(nullptr, QStringLiteral("导入交割单"), sample.folder);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        fiscora::qt::fitFileDialog(dialog);
        dialog.show();
        QVERIFY(dynamic_cast<LocalFileColumns*>(dialog.proxyModel()) != nullptr);
        const QStringList folder = rowOf(&dialog, QStringLiteral("子目录"));
        const QStringList file = rowOf(&dialog, QStringLiteral("交割单.csv"));
        QCOMPARE(folder.value(2), QStringLiteral("文件夹"));
        QCOMPARE(file.value(1), QStringLiteral("13 字节"));
        QCOMPARE(dialog.proxyModel()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("大小"));
        const QRegularExpression chineseDate(
            QStringLiteral("^\\d{4}/\\d{1,2}/\\d{1,2} \\d\\d:\\d\\d$"));
        QVERIFY2(chineseDate.match(file.value(3)).hasMatch(), qPrintable(file.value(3)));
        auto* view = dialog.findChild<QTreeView*>();
        const QFontMetrics metrics(view->font());
        for (int column = 1; column <= 3; ++column) {
            const QString title = view->model()->headerData(column, Qt::Horizontal).toString();
            for (const QString& text : {folder.value(column), file.value(column), title})
                QVERIFY2(view->columnWidth(column) > metrics.horizontalAdvance(text),
                         qPrintable(text));
        }
        QVERIFY(view->columnWidth(0) >= 30 * metrics.averageCharWidth());
    }

    // Qt's own file dialogs (the print dialog's choice of a file) are fitted the same way as
    // they show while the window is open, and only then.
    void qtsOwnFileDialogsAreFittedWhileTheWindowIsOpen() {
        SampleFolder sample;
        const auto fitted = [&] {
            QFileDialog dialog(nullptr, QString(), sample.folder);
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.show();
            return dynamic_cast<LocalFileColumns*>(dialog.proxyModel()) != nullptr;
        };
        {
            const fiscora::qt::ChineseUi chinese;
            QVERIFY(fitted());
        }
        QVERIFY(!fitted());
    }

    // 导入交割单 returns the file chosen and opens next time in its folder.
    void importStartsInTheFolderOfTheStatementChosenLast() {
        fiscora::test::SampleWorkspace workspace;
        SampleFolder sample;
        fiscora::qt::MainWindowView window;
        window.show();
        fiscora::test::logInToDemo(window);
        fiscora::demo::onNextModal(
            [&](QDialog* shown) {
                auto* dialog = qobject_cast<QFileDialog*>(shown);
                QVERIFY(dialog != nullptr);
                // Whatever the import says of this file next is closed.
                fiscora::demo::onNextModal([](QDialog* next) { next->reject(); }, &window);
                dialog->selectFile(sample.statement);
                shown->accept();
            },
            &window);
        window.runCommand(fiscora::ui::command::kImportStatement);
        QString startedIn;
        fiscora::demo::onNextModal(
            [&](QDialog* shown) {
                if (auto* dialog = qobject_cast<QFileDialog*>(shown))
                    startedIn = dialog->directory().absolutePath();
                shown->reject();
            },
            &window);
        window.runCommand(fiscora::ui::command::kImportStatement);
        QCOMPARE(startedIn, sample.folder);
    }
};

FISCORA_QT_TEST(FileDialogsTest)
#include "file_dialogs_test.moc"
