#pragma once

#include <QAbstractTableModel>
#include <QTableView>

class SiteSwapWindowController;

// One column: row i shows the controller's siteSwapKeys()[i]. Not editable.
class SiteSwapListModel : public QAbstractTableModel {
  public:
    explicit SiteSwapListModel(const SiteSwapWindowController& controller, QObject* parent)
        : QAbstractTableModel(parent), controller_(controller) {}
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Tells the table that the list changed.
    void reload();

  private:
    const SiteSwapWindowController& controller_;
};

// The list panel's table. Presses and keys are refused with a beep while a transition is
// in progress; a press on a row selects and applies it at once and remembers it for a drag.
// The selection changes reach the list panel controller as "is changing" while the mouse is
// held down in the table and as "did change" otherwise (once more at the release).
class SiteSwapTableView : public QTableView {
  public:
    explicit SiteSwapTableView(QWidget* parent = nullptr);

    int selectedRow() const;
    // Selects one row, or none for -1; the controller hears of it as of any change.
    void selectRow(int row);
    // The same without telling the controller.
    void selectRowQuietly(int row);
    bool isTracking() const { return tracking_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

  private:
    // The shared part of a press: false when the press was refused.
    bool acceptPress(QMouseEvent* event);

    bool tracking_ = false;  // the left button went down in the table and is still down
    bool changedWhileTracking_ = false;
    int quiet_ = 0;
};
