// Renders the windows and dialogs with the sample data to PNG files, without a screen:
//   gallery OUTPUT_FOLDER

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "engine/dates.h"
#include "host/module_state.h"
#include "qt/account/password_view.h"
#include "qt/main/command_menus.h"
#include "qt/main/main_window_view.h"
#include "qt/trade/buy_view.h"
#include "qt/trade/cash_view.h"
#include "qt/trade/sell_view.h"
#include "qt/widgets/hover_button.h"
#include "qt/widgets/qt_messages.h"
#include "store/quote_snapshot_file.h"
#include "tools/demo/demo_workspace.h"
#include "tools/demo/modal_driver.h"
#include "ui/main/command_ids.h"

namespace {

QString outputFolder;
int failures = 0;

// The widget's picture; a window gets a plain title bar with its caption above it, so the
// caption can be checked too (the offscreen platform draws no frames).
QImage picture(QWidget* widget) {
    const QPixmap content = widget->grab();
    if (!widget->isWindow() || qobject_cast<QMenu*>(widget) != nullptr) return content.toImage();
    const int barHeight = QFontMetrics(widget->font()).height() + 10;
    QImage image(content.width() + 2, content.height() + barHeight + 1, QImage::Format_RGB32);
    image.fill(QColor(96, 112, 140));
    QPainter painter(&image);
    painter.setFont(widget->font());
    painter.setPen(Qt::white);
    painter.drawPixmap(1, barHeight, content);
    painter.drawText(QRect(8, 0, image.width() - 16, barHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     widget->windowTitle());
    return image;
}

void save(QWidget* widget, const char* name) {
    QApplication::processEvents();
    const QString path = outputFolder + "/" + name + ".png";
    if (!picture(widget).save(path)) {
        std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(path));
        ++failures;
        return;
    }
    std::printf("%s\n", qPrintable(path));
}

// Opens the menu off-screen, pictures it and closes it.
void saveMenu(QMenu* menu, const char* name) {
    menu->popup(QPoint(0, 0));
    save(menu, name);
    menu->close();
}

// Shows a dialog of the main window, pictures it and closes it unconfirmed.
void saveDialog(fiscora::qt::MainWindowView& window, int command, const char* name) {
    fiscora::demo::onNextModal(
        [name](QDialog* dialog) {
            save(dialog, name);
            dialog->reject();
        },
        &window);
    window.runCommand(command);
}

// Shows the dialog of `command`, lets `fill` enter realistic values through its widgets,
// pictures it and closes it unconfirmed.
template <typename View>
void saveFilledDialog(fiscora::qt::MainWindowView& window, int command, const char* name,
                      std::function<void(View*)> fill) {
    fiscora::demo::onNextModal(
        [name, fill](QDialog* dialog) {
            if (auto* view = dynamic_cast<View*>(dialog)) fill(view);
            save(dialog, name);
            dialog->reject();
        },
        &window);
    window.runCommand(command);
}

// Types key by key, Chinese included (QTest::keyClicks takes ASCII only).
void typeInto(QWidget* box, const char* utf8) {
    box->setFocus();
    for (const QChar ch : QString::fromUtf8(utf8)) {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// Types into a box and leaves it with Enter, as the user does.
void enter(QWidget* box, const char* text) {
    typeInto(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gallery OUTPUT_FOLDER\n");
        return 2;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    outputFolder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(outputFolder);

    // A fresh sample workspace, made the current directory as the host does.
    const QString workspace =
        QDir::temp().filePath(QStringLiteral("fiscora-gallery-%1").arg(getpid()));
    QDir(workspace).removeRecursively();
    const std::string folder = workspace.toStdString() + "/";
    fiscora::qt::QtMessages messages;
    if (!fiscora::demo::writeDemoWorkspace(folder, fiscora::today(), messages)) return 1;
    QDir::setCurrent(workspace);
    fiscora::setPrivateInvestDir((folder + "invest/").c_str());
    fiscora::QuoteSnapshot quotes;
    std::string error;
    if (!fiscora::loadQuoteSnapshot(quotes, folder + fiscora::demo::kQuotesFileName, error)) {
        std::fprintf(stderr, "gallery: %s\n", error.c_str());
        return 1;
    }
    quotes.install();

    {
        fiscora::qt::MainWindowView window;
        window.show();
        save(&window, "main-window-start");

        // Log in to the demo account through its password dialog.
        fiscora::demo::onNextModal(
            [](QDialog* dialog) {
                auto* view = static_cast<fiscora::qt::PasswordView*>(dialog);
                QTest::keyClicks(view->passwordEdit(),
                                 QString::fromUtf8(fiscora::demo::kDemoPassword));
                save(dialog, "password-dialog");
                view->loginButton()->click();
            },
            &window);
        window.model().OnTreeClick(0);
        window.sync();
        save(&window, "main-window");

        saveDialog(window, fiscora::ui::command::kAbout, "about-box");
        saveDialog(window, fiscora::ui::command::kNewAccount, "new-account-dialog");
        saveFilledDialog<fiscora::qt::BuyView>(window, fiscora::ui::command::kBuy, "buy-dialog",
                                               [](auto* view) {
                                                   enter(view->codeEdit(), "000858");
                                                   enter(view->priceEdit(), "142.60");
                                                   enter(view->quantityEdit(), "200");
                                                   typeInto(view->remarkEdit(), "逢低加仓");
                                               });
        saveFilledDialog<fiscora::qt::SellView>(
            window, fiscora::ui::command::kSell, "sell-dialog", [](auto* view) {
                view->codeBox()->setCurrentIndex(
                    view->codeBox()->findText(QStringLiteral("600036")));
                enter(view->quantityEdit(), "500");
                enter(view->priceEdit(), "36.20");
                typeInto(view->remarkEdit(), "止盈一半");
            });
        saveFilledDialog<fiscora::qt::CashView>(window, fiscora::ui::command::kCashIn,
                                                "cash-in-dialog", [](auto* view) {
                                                    view->amountEdit()->setFocus();
                                                    view->amountEdit()->selectAll();
                                                    typeInto(view->amountEdit(), "20000");
                                                    typeInto(view->remarkEdit(), "年终奖转入");
                                                });
        saveMenu(window.menus().menuBar()->actions().first()->menu(), "menu-account");
        saveMenu(window.menus().listMenu(), "menu-holdings-popup");
        saveMenu(window.menus().treeMenu(), "menu-tree-popup");
        saveMenu(window.menus().otherOperationsMenu(), "menu-other-operations");
    }
    fiscora::QuoteSnapshot::uninstall();
    QDir(workspace).removeRecursively();
    return failures == 0 ? 0 : 1;
}
