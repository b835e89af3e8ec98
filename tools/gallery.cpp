// Renders the windows and dialogs with the sample data to PNG files, without a screen:
//   gallery OUTPUT_FOLDER

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

#include "engine/account_summary.h"
#include "engine/dates.h"
#include "host/module_state.h"
#include "qt/account/password_view.h"
#include "qt/analysis/capital_curve_view.h"
#include "qt/analysis/chart_view.h"
#include "qt/analysis/returns_view.h"
#include "qt/analysis/trade_details_view.h"
#include "qt/main/command_menus.h"
#include "qt/main/dialog_views.h"
#include "qt/main/main_window_view.h"
#include "qt/records/ledger_view.h"
#include "qt/records/trade_param_list_view.h"
#include "qt/trade/bonus_shares_view.h"
#include "qt/trade/buy_view.h"
#include "qt/trade/cash_view.h"
#include "qt/trade/dividend_view.h"
#include "qt/trade/rights_issue_view.h"
#include "qt/trade/sell_view.h"
#include "qt/widgets/chinese_ui.h"
#include "qt/widgets/hover_button.h"
#include "qt/widgets/qt_messages.h"
#include "records/gbk_text.h"
#include "records/trading_terms.h"
#include "store/quote_snapshot_file.h"
#include "store/trade_param_file.h"
#include "tools/demo/demo_workspace.h"
#include "tools/demo/modal_driver.h"
#include "tools/output_folder_argument.h"
#include "ui/account/account_properties_dialog.h"
#include "ui/account/change_password_dialog.h"
#include "ui/account/program_settings_dialog.h"
#include "ui/account/rename_account_dialog.h"
#include "ui/account/statement_import_command.h"
#include "ui/main/command_ids.h"
#include "ui/records/edit_record_dialog.h"
#include "ui/records/trade_param_dialog.h"

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

// Shows a dialog model's window by itself, pictures it and closes it unconfirmed.
void saveModel(fiscora::ui::DialogModel& model, QWidget* owner, const char* name) {
    fiscora::demo::onNextModal(
        [name](QDialog* dialog) {
            save(dialog, name);
            dialog->reject();
        },
        owner);
    fiscora::qt::dialogViews().run(model, owner);
}

// The record editor on the first record of `kind` in the logged-in account's ledger,
// pictured and closed unconfirmed.
void saveRecordEditor(fiscora::qt::MainWindowView& window, fiscora::RecordType kind,
                      const char* name) {
    fiscora::ui::CommandContext& main = window.model().commands();
    const fiscora::Ledger& ledger = main.workspace().ledger;
    std::size_t index = 0;
    while (index < ledger.size() && ledger[index].kind() != kind) ++index;
    const auto account = main.AccountGuard();
    if (index == ledger.size() || !account) {
        std::fprintf(stderr, "gallery: no record for %s\n", name);
        ++failures;
        return;
    }
    fiscora::ui::EditRecordDialog model(
        main.messages(), account->name,
        fiscora::currencyUnitOfTradeType(fiscora::fieldText(account->info.tradeType)), ledger,
        index, main.workspace().tradeParams);
    saveModel(model, &window, name);
}

// The rename, new-password and properties dialogs of the logged-in account, and 设置.
void saveAccountDialogs(fiscora::qt::MainWindowView& window, fiscora::Messages& messages) {
    fiscora::ui::CommandContext& main = window.model().commands();
    const auto account = main.AccountGuard();
    if (!account) {
        std::fprintf(stderr, "gallery: no account for the account dialogs\n");
        ++failures;
        return;
    }
    const std::string& name = account->name;
    fiscora::ui::RenameAccountDialog rename(messages, name);
    saveModel(rename, &window, "rename-account-dialog");
    fiscora::ui::ChangePasswordDialog repassword(messages, name);
    saveModel(repassword, &window, "change-password-dialog");
    fiscora::ui::AccountPropertiesDialog properties(
        messages, fiscora::accountSummary(main.workspace(), account->info));
    saveModel(properties, &window, "account-properties-dialog");
    fiscora::ProgramSettings chosen;
    chosen.quoteFile = "/home/user/行情/quotes.csv";
    fiscora::ui::ProgramSettingsDialog settings(messages, chosen,
                                                "/home/user/.local/share/fiscora/invest/");
    saveModel(settings, &window, "program-settings-dialog");
}

// 交易明细 of the holdings row of `code`, as a double click on it opens it.
void saveTradeDetails(fiscora::qt::MainWindowView& window, const std::string& code) {
    const auto& rows = window.model().holdingRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].cells[1] != code) continue;
        window.model().holdingList().selected = static_cast<int>(i);
        // The last record selected, with its remark.
        saveFilledDialog<fiscora::qt::TradeDetailsView>(
            window, fiscora::ui::command::kTradeDetails, "trade-details", [](auto* view) {
                auto* table = view->template widgetOf<QTableView>("history");
                table->setFocus();
                table->selectRow(table->model()->rowCount() - 1);
            });
        return;
    }
    std::fprintf(stderr, "gallery: no holding of %s for the trade details\n", code.c_str());
    ++failures;
}

// 导入交割单's preview of a day's statement for the demo account: its first deposit again (a
// duplicate), two fills, a sale of more shares than it holds and two lines that are no trades;
// the broker's last balance counts the interest the import skips, so the reconciliation
// shows it as the difference.
void saveImportPreview(fiscora::qt::MainWindowView& window, const std::string& folder) {
    fiscora::ui::CommandContext& main = window.model().commands();
    const auto account = main.AccountGuard();
    if (!account || main.workspace().ledger.empty()) {
        std::fprintf(stderr, "gallery: no ledger for the import preview\n");
        ++failures;
        return;
    }
    const fiscora::LedgerRecord& opening = main.workspace().ledger.front();
    char deposit[160];
    std::snprintf(deposit, sizeof deposit, "%d,09:00:00,,,银证转入,0,0,0,0,0,0,0,%.2f,\r\n",
                  opening.date, opening.amount);
    const std::string day = std::to_string(fiscora::today());
    char balance[64];
    std::snprintf(balance, sizeof balance, "%.2f",
                  fiscora::cashBalance(main.workspace().ledger) - 28527.13 + 18076.72 + 12.35);
    const std::string text =
        "成交日期,成交时间,证券代码,证券名称,操作,成交数量,成交均价,成交金额,手续费,印花税,"
        "过户费,其他费用,发生金额,交易市场,资金余额\r\n" +
        std::string(deposit) + day +
        ",09:35:12,000858,五粮液,证券买入,200,142.60,\"28,520.00\",7.13,0.00,0.00,0.00,"
        "\"-28,527.13\",深圳A股\r\n" +
        day +
        ",10:02:40,600036,招商银行,证券卖出,500,36.20,\"18,100.00\",5.00,18.10,0.18,0.00,"
        "\"18,076.72\",上海A股\r\n" +
        day +
        ",13:15:03,601318,中国平安,证券卖出,90000,47.10,\"4,239,000.00\",1059.75,4239.00,"
        "42.39,0.00,\"4,233,658.86\",上海A股\r\n" +
        day + ",14:30:00,732318,某某申购,新股申购,1000,10.58,0,0,0,0,0,0,上海A股\r\n" + day +
        ",14:40:00,,,利息归本,0,0,0,0,0,0,0,12.35,," + balance + "\r\n";
    const std::string path = folder + "交割单.csv";
    QFile file(QString::fromStdString(path));
    const auto gbk = fiscora::utf8ToGbk(text);
    if (!gbk || !file.open(QIODevice::WriteOnly) ||
        file.write(gbk->data(), static_cast<qint64>(gbk->size())) < 0) {
        std::fprintf(stderr, "gallery: cannot write %s\n", path.c_str());
        ++failures;
        return;
    }
    file.close();
    fiscora::demo::onNextModal(
        [](QDialog* dialog) {
            save(dialog, "import-statement-dialog");
            dialog->reject();
        },
        &window);
    fiscora::ui::importStatementFile(main, *account, path);
}

// The four chart commands on the demo account, each in both scopes, and the second page of
// the profit bars (the demo account holds ten stocks, two of them at a loss).
void saveCharts(fiscora::qt::MainWindowView& window) {
    using fiscora::qt::ChartView;
    namespace command = fiscora::ui::command;
    const std::pair<int, std::string> kinds[] = {{command::kProfitAmount, "chart-profit"},
                                                 {command::kProfitRate, "chart-rate"},
                                                 {command::kNetAssetShare, "chart-invested"},
                                                 {command::kNetProfitShare, "chart-profit-share"}};
    for (const auto& [id, name] : kinds) {
        saveFilledDialog<ChartView>(window, id, (name + "-stocks").c_str(), [](auto*) {});
        saveFilledDialog<ChartView>(window, id, (name + "-account").c_str(), [](auto* view) {
            view->template widgetOf<QRadioButton>("scope", 1)->click();
        });
    }
    saveFilledDialog<ChartView>(
        window, command::kProfitAmount, "chart-profit-page-2",
        [](auto* view) { view->buttonOf(QStringLiteral("向后翻页"))->click(); });
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

// 个人流水帐 of the demo account: every record, then the purchases of one stock.
void saveLedgerViews(fiscora::qt::MainWindowView& window) {
    using fiscora::qt::LedgerView;
    saveFilledDialog<LedgerView>(window, fiscora::ui::command::kViewLedger, "ledger-view",
                                 [](auto*) {});
    saveFilledDialog<LedgerView>(
        window, fiscora::ui::command::kViewLedger, "ledger-view-filtered", [](auto* view) {
            view->template widgetOf<QCheckBox>("byKind")->click();
            auto* kind = view->template widgetOf<QComboBox>("kind");
            const int purchases = kind->findText(QStringLiteral("买入股票"));
            kind->setCurrentIndex(purchases);
            emit kind->activated(purchases);  // as the user's pick
            view->template widgetOf<QCheckBox>("byCode")->click();
            typeInto(view->template widgetOf<QLineEdit>("code"), "600036");
            view->buttonOf(QStringLiteral("显示流水帐"))->click();
        });
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto stop = checkOutputFolderArgument(argc, argv, "gallery")) return *stop;
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
                QTest::keyClicks(view->template widgetOf<QLineEdit>("password"),
                                 QString::fromUtf8(fiscora::demo::kDemoPassword));
                save(dialog, "password-dialog");
                view->okButton()->click();
            },
            &window);
        window.model().OnTreeClick(0);
        window.sync();
        save(&window, "main-window");

        // Wide figures widen their columns instead of being cut.
        float& price = quotes.quotes()[{"600036", 1}].latest;
        const float usual = price;
        price = 99999.99f;
        window.runCommand(fiscora::ui::command::kRefreshQuotes);
        save(&window, "main-window-wide-figures");
        price = usual;
        window.runCommand(fiscora::ui::command::kRefreshQuotes);

        saveDialog(window, fiscora::ui::command::kAbout, "about-box");
        saveDialog(window, fiscora::ui::command::kNewAccount, "new-account-dialog");
        saveFilledDialog<fiscora::qt::BuyView>(
            window, fiscora::ui::command::kBuy, "buy-dialog", [](auto* view) {
                enter(view->template widgetOf<QLineEdit>("code"), "000858");
                enter(view->template widgetOf<QLineEdit>("price"), "142.60");
                enter(view->template widgetOf<QLineEdit>("quantity"), "200");
                typeInto(view->template widgetOf<QLineEdit>("remark"), "逢低加仓");
            });
        saveFilledDialog<fiscora::qt::SellView>(
            window, fiscora::ui::command::kSell, "sell-dialog", [](auto* view) {
                const int held =
                    view->template widgetOf<QComboBox>("code")->findText(QStringLiteral("600036"));
                view->template widgetOf<QComboBox>("code")->setCurrentIndex(held);
                emit view->template widgetOf<QComboBox>("code")->activated(
                    held);  // as the user's pick
                enter(view->template widgetOf<QLineEdit>("quantity"), "500");
                enter(view->template widgetOf<QLineEdit>("price"), "36.20");
                typeInto(view->template widgetOf<QPlainTextEdit>("remark"), "止盈一半");
            });
        saveFilledDialog<fiscora::qt::CashView>(
            window, fiscora::ui::command::kCashIn, "cash-in-dialog", [](auto* view) {
                view->template widgetOf<QLineEdit>("amount")->setFocus();
                view->template widgetOf<QLineEdit>("amount")->selectAll();
                typeInto(view->template widgetOf<QLineEdit>("amount"), "20000");
                typeInto(view->template widgetOf<QLineEdit>("remark"), "年终奖转入");
            });
        saveFilledDialog<fiscora::qt::DividendView>(
            window, fiscora::ui::command::kDividend, "dividend-dialog", [](auto* view) {
                typeInto(view->template widgetOf<QComboBox>("code"), "600036");
                view->template widgetOf<QLineEdit>("rate")->selectAll();
                typeInto(view->template widgetOf<QLineEdit>("rate"), "1.972");
                typeInto(view->template widgetOf<QLineEdit>("remark"), "2024年度分红");
            });
        saveFilledDialog<fiscora::qt::BonusSharesView>(
            window, fiscora::ui::command::kBonusShares, "bonus-shares-dialog", [](auto* view) {
                typeInto(view->template widgetOf<QComboBox>("code"), "000001");
                view->template widgetOf<QLineEdit>("grant")->selectAll();
                typeInto(view->template widgetOf<QLineEdit>("grant"), "3");
                typeInto(view->template widgetOf<QLineEdit>("remark"), "10送3");
            });
        saveFilledDialog<fiscora::qt::RightsIssueView>(
            window, fiscora::ui::command::kRightsIssue, "rights-issue-dialog", [](auto* view) {
                typeInto(view->template widgetOf<QComboBox>("code"), "600036");
                view->template widgetOf<QLineEdit>("grant")->selectAll();
                typeInto(view->template widgetOf<QLineEdit>("grant"), "2");
                view->template widgetOf<QLineEdit>("quantity")->selectAll();
                typeInto(view->template widgetOf<QLineEdit>("quantity"), "300");
                view->template widgetOf<QLineEdit>("price")->selectAll();
                typeInto(view->template widgetOf<QLineEdit>("price"), "28.00");
                typeInto(view->template widgetOf<QLineEdit>("remark"), "10配2");
            });
        // 删除记录's question about the second row (closed with No).
        window.model().holdingList().selected = 1;
        saveDialog(window, fiscora::ui::command::kDeleteStockRecords, "delete-stock-question");
        saveLedgerViews(window);
        saveRecordEditor(window, fiscora::RecordType::Buy, "edit-record-purchase");
        saveRecordEditor(window, fiscora::RecordType::CashIn, "edit-record-cash");
        fiscora::ui::TradeParamDialog newRow(messages);
        saveModel(newRow, &window, "trade-param-add-dialog");
        fiscora::TradeParamTable table;
        if (fiscora::loadTradeParams(folder + fiscora::kTradeParamFileName, table, messages) &&
            !table.empty()) {
            fiscora::ui::TradeParamDialog existing(messages, table.back());
            saveModel(existing, &window, "trade-param-modify-dialog");
        } else {
            std::fprintf(stderr, "gallery: the sample fee table has no row to modify\n");
            ++failures;
        }
        // 参数设置 on the sample fee table, the second row selected, and its context menu.
        saveFilledDialog<fiscora::qt::TradeParamListView>(
            window, fiscora::ui::command::kTradeParams, "trade-params-list", [](auto* view) {
                view->template widgetOf<QTableView>("params")->selectRow(1);
                saveMenu(view->contextMenu(), "trade-params-menu");
            });
        saveAccountDialogs(window, messages);
        saveTradeDetails(window, "600036");
        saveImportPreview(window, folder);
        {
            // 导入交割单's file dialog as the window shows it, Qt's own texts in Chinese.
            const fiscora::qt::ChineseUi chinese;
            fiscora::demo::onNextModal(
                [](QDialog* dialog) {
                    QTest::qWait(500);  // the folder's files are listed in the background
                    save(dialog, "import-file-dialog");
                    dialog->reject();
                },
                &window);
            window.runCommand(fiscora::ui::command::kImportStatement);
        }
        // The capital curve: one stock and the whole account, each as a curve and as bars.
        for (const auto& [total, bars, name] : {std::tuple{false, false, "capital-curve-stock"},
                                                {false, true, "capital-bars-stock"},
                                                {true, false, "capital-curve-account"},
                                                {true, true, "capital-bars-account"}}) {
            saveFilledDialog<fiscora::qt::CapitalCurveView>(
                window, fiscora::ui::command::kCapitalCurve, name,
                [total = total, bars = bars](auto* view) {
                    if (bars) view->template widgetOf<QRadioButton>("style", 1)->click();
                    if (total) view->template widgetOf<QCheckBox>("total")->click();
                });
        }
        saveCharts(window);
        // 收益分析 of the demo account by year, 中国平安 as the benchmark.
        saveFilledDialog<fiscora::qt::ReturnsView>(
            window, fiscora::ui::command::kReturns, "returns-analysis", [](auto* view) {
                typeInto(view->template widgetOf<QLineEdit>("benchmark"), "601318");
            });
        // An account without holdings: the charts and the curve say so.
        fiscora::ui::ChartDialog noHoldings(messages, "新帐户", {}, fiscora::ui::ChartKind::Profit);
        saveModel(noHoldings, &window, "chart-no-holdings");
        const fiscora::Ledger cashOnly;
        fiscora::ui::CapitalCurveDialog noCurve(messages, "新帐户", cashOnly, {folder, {}, 0}, {});
        saveModel(noCurve, &window, "capital-curve-no-holdings");
        fiscora::ui::ReturnsDialog noReturns(messages, "新帐户", cashOnly,
                                             {folder, {}, fiscora::today()}, nullptr,
                                             std::time(nullptr));
        saveModel(noReturns, &window, "returns-no-records");
        saveMenu(window.menus().menuBar()->actions().first()->menu(), "menu-account");
        saveMenu(window.menus().listMenu(), "menu-holdings-popup");
        saveMenu(window.menus().treeMenu(), "menu-tree-popup");
        saveMenu(window.menus().otherOperationsMenu(), "menu-other-operations");
    }
    fiscora::QuoteSnapshot::uninstall();
    QDir(workspace).removeRecursively();
    return failures == 0 ? 0 : 1;
}
