#include "qt/main/command_menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "qt/widgets/artwork.h"
#include "ui/main/main_menus.h"

namespace fiscora::qt {

CommandMenus::CommandMenus(QWidget* owner, Run run, Available available)
    : QObject(owner), run_(std::move(run)), available_(std::move(available)),
      menuBar_(new QMenuBar(owner)), toolBar_(new QToolBar(owner)), treeMenu_(new QMenu(owner)),
      listMenu_(new QMenu(owner)), otherOperations_(new QMenu(owner)) {
    for (const auto& entry : ui::mainMenuBar()) {
        const QString title = QString::fromStdString(entry.title);
        if (entry.items.empty())
            menuBar_->addAction(commandAction(title, entry.command, menuBar_));
        else
            fill(menuBar_->addMenu(title), entry.items);
    }
    fill(otherOperations_, ui::otherOperationsMenu());
    fill(treeMenu_, ui::treePopupMenu());
    fill(listMenu_, ui::listPopupMenu());
    buildToolBar(owner);
    updateEnabled();
}

QAction* CommandMenus::commandAction(const QString& text, int id, QObject* parent) {
    auto* action = new QAction(text, parent);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { run_(id); });
    actions_.push_back(action);
    return action;
}

void CommandMenus::fill(QMenu* menu, const std::vector<ui::MenuItem>& items) {
    for (const auto& item : items) {
        const QString text = QString::fromStdString(item.text);
        if (item.isSeparator())
            menu->addSeparator();
        else if (!item.submenu.empty()) {
            QMenu* submenu = menu->addMenu(text);
            submenus_.push_back(submenu);
            fill(submenu, item.submenu);
        } else {
            QAction* action = commandAction(text, item.command, menu);
            if (const std::string keys = ui::shortcutOf(item.command); !keys.empty())
                action->setShortcut(QKeySequence(QString::fromStdString(keys)));
            menu->addAction(action);
        }
    }
}

void CommandMenus::buildToolBar(QWidget* owner) {
    const QSize iconSize(ui::kToolButtonSize, ui::kToolButtonSize);
    toolBar_->setIconSize(iconSize);
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const auto& button : ui::toolbarButtons()) {
        if (button.isSeparator()) {
            toolBar_->addSeparator();
            continue;
        }
        const QString tooltip = QString::fromStdString(button.tooltip);
        if (button.dropDown) {
            // The face of this button does nothing; its arrow opens the popup.
            auto* face = new QAction(toolbarIcon(button.image), tooltip, owner);
            otherOperationsButton_ = new QToolButton(toolBar_);
            otherOperationsButton_->setDefaultAction(face);
            otherOperationsButton_->setMenu(otherOperations_);
            otherOperationsButton_->setPopupMode(QToolButton::MenuButtonPopup);
            otherOperationsButton_->setIconSize(iconSize);
            otherOperationsButton_->setAutoRaise(true);
            toolBar_->addWidget(otherOperationsButton_);
            continue;
        }
        QAction* action = commandAction(tooltip, button.command, toolBar_);
        action->setIcon(toolbarIcon(button.image));
        action->setToolTip(tooltip);
        toolBar_->addAction(action);
    }
}

void CommandMenus::updateEnabled() {
    for (QAction* action : actions_) action->setEnabled(available_(action->data().toInt()));
    // A submenu is open to the user while any of its entries is.
    for (QMenu* submenu : submenus_) {
        const auto entries = submenu->actions();
        submenu->menuAction()->setEnabled(
            std::any_of(entries.begin(), entries.end(), [](QAction* a) { return a->isEnabled(); }));
    }
}

std::vector<QAction*> CommandMenus::actionsOf(int id) const {
    std::vector<QAction*> found;
    for (QAction* action : actions_)
        if (action->data().toInt() == id) found.push_back(action);
    return found;
}

}  // namespace fiscora::qt
