#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "platform/NotificationCenter.h"

class JuggleDocument;
class JuggleView;
class QAction;
class QMainWindow;
class SiteSwapWindowController;

// The application: its menu actions, shared by the menu bars of all document windows, the
// document windows themselves, and the list panel shown at start-up.
class AppDelegate : public QObject {
  public:
    // The Play/Pause item's two titles: which one it shows says what choosing it does.
    static const QString kPlayTitle;
    static const QString kPauseTitle;

    AppDelegate();
    ~AppDelegate() override;

    // --- documents
    JuggleDocument* newDocument();
    // Opening any file succeeds and shows a fresh window; the file is not read.
    JuggleDocument* openDocument(const QString& path);
    void openDocumentWithDialog();
    const QList<JuggleDocument*>& documents() const { return documents_; }
    // The document window whose view the panels and menus act on.
    JuggleDocument* currentDocument() const;

    // --- menu actions
    void showControls();
    void showSettings();
    void showSiteSwaps();
    void playPause(const QAction* sender);
    void stepForward();
    void stepBack();
    void zoomToFit();
    void updatePlayPauseItem(JuggleView* view);

    // Saves the list (asking whether to quit anyway when that fails), then ends the run.
    // False when the user chose to stay.
    bool quit();

    QAction* playPauseItem() const { return playPauseItem_; }
    QAction* stepForwardItem() const { return stepForwardItem_; }
    QAction* stepBackItem() const { return stepBackItem_; }
    QAction* zoomToFitItem() const { return zoomToFitItem_; }
    QAction* showControlsItem() const { return showControlsItem_; }
    QAction* showSettingsItem() const { return showSettingsItem_; }
    QAction* showSiteSwapsItem() const { return showSiteSwapsItem_; }
    QAction* newItem() const { return newItem_; }
    QAction* openItem() const { return openItem_; }
    QAction* closeItem() const { return closeItem_; }
    QAction* quitItem() const { return quitItem_; }
    QAction* exportItem() const { return exportItem_; }

    SiteSwapWindowController& siteSwapController() const { return *siteSwapController_; }

    // Gives a document window its menu bar, built from the shared actions.
    void installMenus(QMainWindow& window);

    // Asked when the list could not be saved at quit: true quits anyway. A message box
    // unless replaced.
    void setConfirmQuit(std::function<bool(const QString&)> confirm);
    // Closing the last document window ends the run (there is no menu left to open one).
    void setQuitWhenLastDocumentCloses(bool quit) { quitWhenLastDocumentCloses_ = quit; }

  private:
    void documentClosed(JuggleDocument* document);
    void saveAtExit();

    std::unique_ptr<SiteSwapWindowController> siteSwapController_;
    QList<JuggleDocument*> documents_;  // removed as each is destroyed
    std::function<bool(const QString&)> confirmQuit_;
    bool quitWhenLastDocumentCloses_ = true;
    bool quitting_ = false;

    QAction* newItem_ = nullptr;
    QAction* openItem_ = nullptr;
    QAction* closeItem_ = nullptr;
    QAction* quitItem_ = nullptr;
    QAction* exportItem_ = nullptr;
    QAction* playPauseItem_ = nullptr;
    QAction* stepForwardItem_ = nullptr;
    QAction* stepBackItem_ = nullptr;
    QAction* zoomToFitItem_ = nullptr;
    QAction* showControlsItem_ = nullptr;
    QAction* showSettingsItem_ = nullptr;
    QAction* showSiteSwapsItem_ = nullptr;

    platform::ObserverToken observer_;
};
