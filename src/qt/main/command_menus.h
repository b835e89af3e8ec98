#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;
class QWidget;

namespace fiscora::ui {
struct MenuItem;
}

namespace fiscora::qt {

// The main window's menu bar, toolbar and popup menus, every entry carrying its command
// id. Choosing an entry runs the command; an entry whose command is not available is
// shown disabled.
class CommandMenus : public QObject {
public:
    using Run = std::function<void(int)>;
    using Available = std::function<bool(int)>;

    CommandMenus(QWidget* owner, Run run, Available available);

    QMenuBar* menuBar() const { return menuBar_; }
    QToolBar* toolBar() const { return toolBar_; }
    QMenu* treeMenu() const { return treeMenu_; }
    QMenu* listMenu() const { return listMenu_; }
    QMenu* otherOperationsMenu() const { return otherOperations_; }
    QToolButton* otherOperationsButton() const { return otherOperationsButton_; }

    // Enables each entry whose command is available.
    void updateEnabled();
    // Every entry of `id`, in menus, toolbar and popups.
    std::vector<QAction*> actionsOf(int id) const;

private:
    QAction* commandAction(const QString& text, int id, QObject* parent);
    void fill(QMenu* menu, const std::vector<ui::MenuItem>& items);
    void buildToolBar(QWidget* owner);

    Run run_;
    Available available_;
    std::vector<QAction*> actions_;
    std::vector<QMenu*> submenus_;
    QMenuBar* menuBar_;
    QToolBar* toolBar_;
    QMenu* treeMenu_;
    QMenu* listMenu_;
    QMenu* otherOperations_;
    QToolButton* otherOperationsButton_ = nullptr;
};

}  // namespace fiscora::qt
