#include "qt/main/main_window_view.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "qt/main/command_menus.h"
#include "qt/main/split_pane_area.h"
#include "qt/output/file_dialogs.h"
#include "qt/widgets/artwork.h"
#include "qt/widgets/dialog_font.h"
#include "qt/widgets/dialog_units.h"
#include "qt/widgets/list_field_model.h"

namespace fiscora::qt {

MainWindowView::MainWindowView(QWidget* parent)
    : QDialog(parent), messages_(this), dialogs_(this), listOutput_(this, messages_),
      model_(messages_, dialogs_), menus_(new CommandMenus(
                                       this, [this](int id) { runCommand(id); },
                                       [this](int id) { return model_.isAvailable(id); })),
      panes_(new SplitPaneArea(model_.splitter(), this)), tree_(new QTreeWidget),
      list_(new QTableView), rows_(nullptr),
      status_(new QLabel), accountIcons_{accountIcon(false), accountIcon(true)} {
    setFont(dialogFont());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowIcon(applicationIcon());
    // The status bar carries the size grip, clear of the list's scroll bar.
    setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus_->menuBar());
    layout->addWidget(menus_->toolBar());
    layout->addWidget(panes_, 1);
    layout->addWidget(buildStatusBar());
    buildTree();
    buildList();
    panes_->setPanes(tree_, list_);

    // Wide enough for every column of the list (its header texts), as far as the screen allows.
    const DialogUnits dlu(font());
    widestList_ = listWidthNeeded();
    resize(std::max(dlu.x(454), std::min(ui::Splitter::startWidthFor(widestList_), screenRoom())),
           dlu.y(307));
    layout->activate();
    panes_->startSplitter();

    model_.setListOutput(listOutput_);
    model_.setStatementChooser([this]() -> std::optional<std::string> {
        const QString path =
            chooseFileToOpen(this, QStringLiteral("导入交割单"), statementFolder_,
                             QStringLiteral("交割单 (*.csv *.txt *.xls *.tsv);;所有文件 (*)"));
        if (path.isEmpty()) return std::nullopt;
        statementFolder_ = QFileInfo(path).absolutePath();
        return path.toStdString();
    });
    model_.OnInitDialog();
    sync();
}

MainWindowView::~MainWindowView() {
    // The list model reads the window model's list field, which goes first.
    list_->setModel(nullptr);
}

QStatusBar* MainWindowView::buildStatusBar() {
    auto* bar = new QStatusBar;
    bar->setSizeGripEnabled(true);
    status_->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(status_, 1);
    return bar;
}

// The selection of the pane that has the keyboard focus shows in the highlight colour; in
// the other pane it turns light grey, so the focus is seen at a glance.
void MainWindowView::showFocusClearly(QWidget* pane) {
    QPalette palette = pane->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(218, 218, 218));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::Text));
    pane->setPalette(palette);
}

void MainWindowView::buildTree() {
    showFocusClearly(tree_);
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setColumnCount(1);
    tree_->setIconSize(QSize(16, 16));
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    tree_->installEventFilter(this);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        model_.selectTreeItem(treeIndexOf(item));
        sync();
    });
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        model_.OnTreeClick(treeIndexOf(item));
        sync();
    });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] {
        model_.OnTreeDoubleClick();
        sync();
    });
    connect(tree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        model_.OnTreeRightClick(treeIndexOf(tree_->itemAt(at)));
        sync();
        menus_->treeMenu()->exec(QCursor::pos());
    });
}

void MainWindowView::buildList() {
    const QIcon marketIcons[2] = {marketIcon(0), marketIcon(1)};
    rows_ = new ListFieldModel(
        model_.holdingList(),
        [marketIcons](int market) { return marketIcons[market == 1 ? 1 : 0]; }, this);
    rows_->showIn(list_, QFontMetrics(font()).height() + 6);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    // Tab leaves the list for the tree instead of stepping through its cells.
    list_->setTabKeyNavigation(false);
    list_->installEventFilter(this);
    showFocusClearly(list_);
    rows_->fitColumns(list_);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!syncingList_)
                    model_.holdingList().selected = current.isValid() ? current.row() : -1;
            });
    connect(list_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        model_.OnListDoubleClick(index.isValid() ? index.row() : -1);
        sync();
    });
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this] { menus_->listMenu()->exec(QCursor::pos()); });
}

int MainWindowView::listWidthNeeded() const {
    const QHeaderView* rowHeader = list_->verticalHeader();
    return list_->horizontalHeader()->length() +
           (rowHeader->isHidden() ? 0 : rowHeader->sizeHint().width()) + 2 * list_->frameWidth() +
           list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list_);
}

int MainWindowView::screenRoom() const {
    const QScreen* shown = screen();
    const int frame = frameGeometry().width() - geometry().width();
    return shown == nullptr ? width() : shown->availableGeometry().width() - frame;
}

// Columns grown wider than ever before (new rows) widen the window by as much, within the
// screen; a window the user made narrower stays so until the columns grow again.
void MainWindowView::widenForColumns() {
    const int needed = listWidthNeeded();
    if (needed <= widestList_) return;
    widestList_ = needed;
    const int growth = needed - list_->width();
    if (growth <= 0 || isMaximized() || isFullScreen()) return;
    resize(std::max(width(), std::min(width() + growth, screenRoom())), height());
}

int MainWindowView::treeIndexOf(QTreeWidgetItem* item) const {
    return item == nullptr ? -1 : tree_->indexOfTopLevelItem(item);
}

void MainWindowView::runCommand(int commandId) {
    model_.OnCommand(commandId);
    sync();
}

void MainWindowView::sync() {
    setWindowTitle(QString::fromStdString(model_.caption()));
    status_->setText(QString::fromStdString(model_.accountStatus()));
    syncTree();
    syncList();
    menus_->updateEnabled();
    applyFocusRequest();
    if (model_.closeRequested()) accept();
}

void MainWindowView::syncTree() {
    const QSignalBlocker blocker(tree_);
    const auto& items = model_.tree();
    if (tree_->topLevelItemCount() != static_cast<int>(items.size())) tree_->clear();
    for (std::size_t i = 0; i < items.size(); ++i) {
        QTreeWidgetItem* item = tree_->topLevelItem(static_cast<int>(i));
        if (item == nullptr) item = new QTreeWidgetItem(tree_);
        const QString text = QString::fromStdString(items[i].text);
        const int image = items[i].image == ui::kLoggedInImage ? 1 : 0;
        if (item->text(0) != text) item->setText(0, text);
        if (item->data(0, Qt::UserRole).toInt() != image || item->icon(0).isNull()) {
            item->setIcon(0, accountIcons_[image]);
            item->setData(0, Qt::UserRole, image);
        }
    }
    const int selected = model_.selectedIndex();
    tree_->setCurrentItem(selected >= 0 ? tree_->topLevelItem(selected) : nullptr);
    if (selected < 0) tree_->clearSelection();
}

void MainWindowView::syncList() {
    // The view hears of the new selection (and repaints it); the model already knows it.
    syncingList_ = true;
    rows_->sync();
    rows_->fitColumns(list_);
    widenForColumns();
    // A rebuilt list (it asks for the focus) or a new selection brings the row into sight.
    rows_->showSelection(list_, model_.focusRequest() != appliedFocusRequest_);
    syncingList_ = false;
}

void MainWindowView::applyFocusRequest() {
    if (model_.focusRequest() == appliedFocusRequest_) return;
    appliedFocusRequest_ = model_.focusRequest();
    QWidget* target = model_.focusPane() == ui::MainPane::Tree   ? static_cast<QWidget*>(tree_)
                      : model_.focusPane() == ui::MainPane::List ? static_cast<QWidget*>(list_)
                                                                 : nullptr;
    // Posted, so that it happens after the event being handled.
    if (target != nullptr)
        QTimer::singleShot(0, target, [target] { target->setFocus(Qt::OtherFocusReason); });
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == tree_ || watched == list_) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == tree_) {
                model_.OnTreeEnter();
            } else {
                model_.OnListEnter();
            }
            sync();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MainWindowView::keyPressEvent(QKeyEvent* event) {
    // Esc does not close the main window (a stray one would log every account out); only
    // 退出程序 and the close box do. Dialogs keep cancelling on Esc.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    // The close box ends the window the same way as 退出程序.
    event->accept();
    accept();
}

}  // namespace fiscora::qt
