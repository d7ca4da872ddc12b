#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/NotificationCenter.h"
#include "platform/Toolkit.h"

class JuggleView;
class PanelWindow;
class QKeyEvent;
class QLineEdit;
class SiteSwap;
class SiteSwapListModel;
class SiteSwapTableView;

// The list panel: an entry field and the list of siteswaps. It owns the list (read from the
// list file when created, written when the panel closes or the application quits), applies
// the selected row to the current view, and follows the view that becomes main.
class SiteSwapWindowController {
  public:
    SiteSwapWindowController();
    ~SiteSwapWindowController();
    SiteSwapWindowController(const SiteSwapWindowController&) = delete;
    SiteSwapWindowController& operator=(const SiteSwapWindowController&) = delete;

    // The class-wide controller; a controller given becomes it. A controller that goes
    // away stops being it.
    static SiteSwapWindowController* staticWindowController(
        SiteSwapWindowController* controller = nullptr);

    // The built-in list used when there is no list file.
    static const QStringList& defaultSiteSwapList();

    // The panel, built on first use.
    PanelWindow* window();
    void showWindow();

    const QStringList& siteSwapKeys() const { return siteSwapKeys_; }
    bool needsToSave() const { return needsToSave_; }
    std::shared_ptr<SiteSwap> siteSwapForKey(const QString& key) const;
    int previousRow() const { return previousRow_; }
    void setPreviousRow(int row) { previousRow_ = row; }
    bool needsToSwitchRows() const { return needsToSwitchRows_; }
    // Pending transitions started from the list since the last star cursor.
    static int waitCount();
    static void setWaitCount(int count);

    QLineEdit* siteSwapTextField();
    SiteSwapTableView* siteSwapTableView();

    // --- actions
    void siteSwapEntered();
    void siteSwapSelected();
    void siteSwapDoubleClicked();
    void removeSiteSwap();
    void controlTextDidChange();
    void keyDown(QKeyEvent* event);
    void tableViewSelectionIsChanging();
    void tableViewSelectionDidChange();
    // A press in the table, on `row` (-1 below the last row).
    void pressedRow(int row);
    void updateSiteSwapTableView(JuggleView* view);

    // --- the list file
    // Writes the list when it may differ from the file. Empty on success (or nothing to
    // write), else why it failed; the list then still needs saving.
    QString saveList();
    void windowWillClose();
    // What went wrong while reading the list file, for the user; empty when nothing did.
    const QString& readProblem() const { return readProblem_; }
    // How problems reach the user; a non-modal message box unless replaced (tests record).
    void setProblemReporter(std::function<void(const QString&)> reporter);

    static const platform::Cursor& waitCursor();
    static const platform::Cursor& moofCursor();

  private:
    void readList();
    bool addKey(const QString& key, std::shared_ptr<SiteSwap> pattern);
    void reloadData();
    void report(const QString& message);

    QHash<QString, std::shared_ptr<SiteSwap>> siteSwapDict_;
    QStringList siteSwapKeys_;
    bool needsToSave_ = false;
    int previousRow_ = 0;
    bool needsToSwitchRows_ = false;
    bool pressHitRow_ = false;  // the latest press in the table was on a row
    QString readProblem_;
    std::function<void(const QString&)> reporter_;

    PanelWindow* window_ = nullptr;  // owned; deleted with the controller
    QLineEdit* siteSwapTextField_ = nullptr;
    SiteSwapTableView* siteSwapTableView_ = nullptr;
    SiteSwapListModel* model_ = nullptr;
    bool firstShow_ = true;

    platform::ObserverToken observer_;
};
