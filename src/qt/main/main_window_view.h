#pragma once

#include <QDialog>
#include <QIcon>

#include "qt/main/qt_dialog_runner.h"
#include "qt/output/list_print.h"
#include "qt/widgets/qt_messages.h"
#include "ui/main/main_window_model.h"

class QLabel;
class QStatusBar;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

namespace fiscora::qt {

class CommandMenus;
class ListFieldModel;
class SplitPaneArea;

// The main window: menu bar, toolbar, the account tree and the holdings list over the
// MainWindowModel. Every user action goes to the model; afterwards the window shows what
// the model holds (caption, tree, list, focus, enabled commands).
class MainWindowView : public QDialog {
public:
    explicit MainWindowView(QWidget* parent = nullptr);
    ~MainWindowView() override;

    ui::MainWindowModel& model() { return model_; }
    QTreeWidget* accountTree() const { return tree_; }
    QTableView* holdingList() const { return list_; }
    QLabel* accountStatus() const { return status_; }
    CommandMenus& menus() const { return *menus_; }
    SplitPaneArea& panes() const { return *panes_; }

    // Runs a command as a menu choice would.
    void runCommand(int commandId);
    // Model -> widgets.
    void sync();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildTree();
    void buildList();
    QStatusBar* buildStatusBar();
    void showFocusClearly(QWidget* pane);
    void syncTree();
    void syncList();
    void applyFocusRequest();
    // The width the list needs to show every column beside room for its scroll bar.
    int listWidthNeeded() const;
    // The widest the window may be on its screen.
    int screenRoom() const;
    void widenForColumns();
    int treeIndexOf(QTreeWidgetItem* item) const;

    QtMessages messages_;
    QtDialogRunner dialogs_;
    QtListOutput listOutput_;
    ui::MainWindowModel model_;
    CommandMenus* menus_;
    SplitPaneArea* panes_;
    QTreeWidget* tree_;
    QTableView* list_;
    ListFieldModel* rows_;
    QLabel* status_;
    bool syncingList_ = false;  // the list's selection is being set from the model
    // Tree images: 0 logged out, 1 logged in.
    QIcon accountIcons_[2];
    std::uint32_t appliedFocusRequest_ = 0;
    int widestList_ = 0;  // the largest listWidthNeeded() so far
    // Where 导入交割单 opens: the folder of the statement chosen last (at first Qt's choice).
    QString statementFolder_;
};

}  // namespace fiscora::qt
