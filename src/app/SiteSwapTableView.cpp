#include "app/SiteSwapTableView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/SiteSwapWindowController.h"
#include "platform/Toolkit.h"
#include "view/JuggleView.h"

namespace {

bool transitionInProgress(const JuggleView* view) {
    return view != nullptr && (view->willTransition() || view->isTransitioning());
}

}  // namespace

int SiteSwapListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(controller_.siteSwapKeys().size());
}

int SiteSwapListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant SiteSwapListModel::data(const QModelIndex& index, int role) const {
    const QStringList& keys = controller_.siteSwapKeys();
    if (!index.isValid() || index.row() >= keys.size()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return keys[index.row()];
    }
    return {};
}

Qt::ItemFlags SiteSwapListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void SiteSwapListModel::reload() {
    beginResetModel();
    endResetModel();
}

SiteSwapTableView::SiteSwapTableView(QWidget* parent) : QTableView(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);  // a drag moves the selection; the release moves the row
    setShowGrid(false);
    setAlternatingRowColors(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);  // the last column sized to fit
    verticalHeader()->hide();
    // Compact rows: the built-in twelve fit the panel's first height.
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

int SiteSwapTableView::selectedRow() const {
    if (selectionModel() == nullptr) {
        return -1;
    }
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void SiteSwapTableView::selectRow(int row) {
    if (selectionModel() == nullptr || model() == nullptr) {
        return;
    }
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    selectionModel()->setCurrentIndex(
        model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void SiteSwapTableView::selectRowQuietly(int row) {
    ++quiet_;
    selectRow(row);
    --quiet_;
}

void SiteSwapTableView::selectionChanged(const QItemSelection& selected,
                                         const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    SiteSwapWindowController* controller = SiteSwapWindowController::staticWindowController();
    if (quiet_ > 0 || controller == nullptr) {
        return;
    }
    if (tracking_) {
        changedWhileTracking_ = true;
        controller->tableViewSelectionIsChanging();
    } else {
        controller->tableViewSelectionDidChange();
    }
}

void SiteSwapTableView::keyPressEvent(QKeyEvent* event) {
    JuggleView* view = JuggleView::currentView();
    const bool playing = view != nullptr && view->isPlaying();
    const int key = event->key();
    const bool isDelete = key == Qt::Key_Delete || key == Qt::Key_Backspace;
    if (key == Qt::Key_Space || event->text() == QStringLiteral(" ")) {
        if (view != nullptr) {
            view->setIsPlaying(!playing);
        }
        event->accept();
        return;
    }
    // Keys with no characters that are neither Delete nor a move (a modifier held alone,
    // say) mean nothing to the list.
    const bool moves = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                       key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End;
    if (event->text().isEmpty() && !isDelete && !moves) {
        event->ignore();
        return;
    }
    if (transitionInProgress(view)) {
        platform::toolkit().beep();
        event->accept();
        return;
    }
    if (isDelete) {
        if (SiteSwapWindowController* controller =
                SiteSwapWindowController::staticWindowController()) {
            controller->removeSiteSwap();
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool SiteSwapTableView::acceptPress(QMouseEvent* event) {
    if (transitionInProgress(JuggleView::currentView())) {
        platform::toolkit().beep();
        event->accept();
        return false;
    }
    const int row = rowAt(static_cast<int>(event->position().y()));
    SiteSwapWindowController* controller = SiteSwapWindowController::staticWindowController();
    if (controller != nullptr) {
        controller->pressedRow(row);
    }
    if (row != -1) {
        selectRow(row);
    }
    return true;
}

void SiteSwapTableView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    if (!acceptPress(event)) {
        return;
    }
    tracking_ = true;
    changedWhileTracking_ = false;
    QTableView::mousePressEvent(event);
}

// The second press of a double-click gets the same treatment as the first; a refused one
// sends no double action.
void SiteSwapTableView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QTableView::mouseDoubleClickEvent(event);
        return;
    }
    if (!acceptPress(event)) {
        return;
    }
    tracking_ = true;
    changedWhileTracking_ = false;
    QTableView::mouseDoubleClickEvent(event);
}

void SiteSwapTableView::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !tracking_) {
        return;
    }
    tracking_ = false;
    if (changedWhileTracking_) {
        changedWhileTracking_ = false;
        if (SiteSwapWindowController* controller =
                SiteSwapWindowController::staticWindowController()) {
            controller->tableViewSelectionDidChange();
        }
    }
}
