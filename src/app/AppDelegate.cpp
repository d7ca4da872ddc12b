#include "app/AppDelegate.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <cstdio>

#include "app/ControlsWindowController.h"
#include "app/ExportAnimation.h"
#include "app/JuggleDocument.h"
#include "app/PanelWindow.h"
#include "app/SettingsWindowController.h"
#include "app/SiteSwapWindowController.h"
#include "view/JuggleView.h"

// Both 25 characters: the menu shows "space" in one column whichever title it has.
const QString AppDelegate::kPlayTitle = QStringLiteral("Play                space");
const QString AppDelegate::kPauseTitle = QStringLiteral("Pause               space");

AppDelegate::AppDelegate() {
    auto action = [this](const QString& title, const QKeySequence& keys, auto handler) {
        auto* item = new QAction(title, this);
        item->setShortcut(keys);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    newItem_ = action(QStringLiteral("New"), QKeySequence::New, [this] { newDocument(); });
    openItem_ =
        action(QStringLiteral("Open..."), QKeySequence::Open, [this] { openDocumentWithDialog(); });
    closeItem_ = action(QStringLiteral("Close"), QKeySequence::Close, [this] {
        if (auto* document = qobject_cast<QMainWindow*>(QApplication::activeWindow())) {
            document->close();
        } else if (JuggleDocument* current = currentDocument()) {
            current->close();
        }
    });
    quitItem_ = action(QStringLiteral("Quit"), QKeySequence::Quit, [this] { quit(); });
    exportItem_ =
        action(QStringLiteral("Export Animation..."), QKeySequence(Qt::CTRL | Qt::Key_E),
               [] { exportAnimation(JuggleView::currentView(), QApplication::activeWindow()); });
    playPauseItem_ = action(kPlayTitle, QKeySequence(), [this] { playPause(playPauseItem_); });
    stepForwardItem_ = action(QStringLiteral("Step Forward"), QKeySequence(Qt::Key_Right),
                              [this] { stepForward(); });
    stepBackItem_ =
        action(QStringLiteral("Step Back"), QKeySequence(Qt::Key_Left), [this] { stepBack(); });
    zoomToFitItem_ = action(QStringLiteral("Zoom to Fit"), QKeySequence(Qt::CTRL | Qt::Key_0),
                            [this] { zoomToFit(); });
    showSiteSwapsItem_ = action(QStringLiteral("Siteswaps"), QKeySequence(Qt::CTRL | Qt::Key_1),
                                [this] { showSiteSwaps(); });
    showControlsItem_ = action(QStringLiteral("Controls"), QKeySequence(Qt::CTRL | Qt::Key_2),
                               [this] { showControls(); });
    showSettingsItem_ = action(QStringLiteral("Settings"), QKeySequence(Qt::CTRL | Qt::Key_3),
                               [this] { showSettings(); });

    siteSwapController_ = std::make_unique<SiteSwapWindowController>();
    siteSwapController_->showWindow();
    observer_ = platform::NotificationCenter::defaultCenter().addObserver(
        UpdateControlsNotification, nullptr, [this](const platform::Notification& n) {
            updatePlayPauseItem(dynamic_cast<JuggleView*>(n.object));
        });
    // The last word on the list when the run ends some other way than through quit().
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { saveAtExit(); });
}

AppDelegate::~AppDelegate() {
    observer_.reset();
    const QList<JuggleDocument*> open = documents_;
    qDeleteAll(open);
    ControlsWindowController::releaseSharedWindowController();
    SettingsWindowController::releaseSharedWindowController();
}

void AppDelegate::installMenus(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addActions({newItem_, openItem_});
    file->addSeparator();
    file->addAction(closeItem_);
    file->addAction(exportItem_);
    file->addSeparator();
    file->addAction(quitItem_);
    QMenu* animation = bar->addMenu(QStringLiteral("&Animation"));
    animation->addAction(playPauseItem_);
    animation->addActions({stepForwardItem_, stepBackItem_});
    animation->addSeparator();
    animation->addAction(zoomToFitItem_);
    QMenu* windows = bar->addMenu(QStringLiteral("&Window"));
    windows->addActions({showSiteSwapsItem_, showControlsItem_, showSettingsItem_});
    // Shortcuts reach the shared actions from every document window.
    window.addActions({newItem_, openItem_, closeItem_, exportItem_, quitItem_, playPauseItem_,
                       stepForwardItem_, stepBackItem_, zoomToFitItem_, showSiteSwapsItem_,
                       showControlsItem_, showSettingsItem_});
}

JuggleDocument* AppDelegate::newDocument() {
    auto* document = new JuggleDocument(*this);
    const int offset = 30 * static_cast<int>(documents_.size() % 8);
    document->move(60 + offset, 40 + offset);
    documents_.append(document);
    // Compared by address only: the window is half destroyed by then.
    connect(document, &QObject::destroyed, this, [this, document] { documentClosed(document); });
    document->show();
    document->raise();
    document->activateWindow();
    // A display without a window manager never activates the window: the new window is the
    // one the user works in all the same, so it becomes main by hand.
    QPointer<JuggleDocument> shown(document);
    QMetaObject::invokeMethod(
        this,
        [shown] {
            if (shown && !shown->isActiveWindow() && JuggleView::currentView() != &shown->view()) {
                platform::setCurrentView(&shown->view());
                shown->view().windowDidBecomeMain();
            }
        },
        Qt::QueuedConnection);
    return document;
}

JuggleDocument* AppDelegate::openDocument(const QString&) {
    JuggleDocument* document = newDocument();
    document->loadDataRepresentation(QByteArray(), QString());
    return document;
}

void AppDelegate::openDocumentWithDialog() {
    const QString path = QFileDialog::getOpenFileName(nullptr, QStringLiteral("Open"));
    if (!path.isEmpty()) {
        openDocument(path);
    }
}

JuggleDocument* AppDelegate::currentDocument() const {
    const JuggleView* view = JuggleView::currentView();
    for (JuggleDocument* document : documents_) {
        if (&document->view() == view) {
            return document;
        }
    }
    return nullptr;
}

void AppDelegate::documentClosed(JuggleDocument* document) {
    documents_.removeAll(document);
    if (documents_.isEmpty() && quitWhenLastDocumentCloses_ && !quitting_) {
        // Off the stack of the closing window's destruction.
        QMetaObject::invokeMethod(
            this, [this] { quit(); }, Qt::QueuedConnection);
    }
}

void AppDelegate::showControls() {
    ControlsWindowController::sharedWindowController().showWindow();
}

void AppDelegate::showSettings() {
    SettingsWindowController::sharedWindowController().showWindow();
}

void AppDelegate::showSiteSwaps() {
    siteSwapController_->showWindow();
}

void AppDelegate::playPause(const QAction* sender) {
    if (JuggleView* view = JuggleView::currentView()) {
        view->setIsPlaying(sender != nullptr && sender->text() == kPlayTitle);
    }
}

void AppDelegate::stepForward() {
    JuggleView* view = JuggleView::currentView();
    if (view == nullptr) {
        return;
    }
    view->setIsPlaying(false);
    view->incrementTime();
    view->nextFrame();
    if (JuggleDocument* document = currentDocument()) {
        document->activateWindow();
    }
}

void AppDelegate::stepBack() {
    if (JuggleView* view = JuggleView::currentView()) {
        view->setIsPlaying(false);
        view->decrementTime();
        view->nextFrame();
    }
}

void AppDelegate::zoomToFit() {
    if (JuggleView* view = JuggleView::currentView()) {
        view->zoomToFit();
    }
}

void AppDelegate::updatePlayPauseItem(JuggleView* view) {
    const bool playing = view != nullptr && view->isPlaying();
    playPauseItem_->setText(playing ? kPauseTitle : kPlayTitle);
    stepForwardItem_->setShortcut(QKeySequence(Qt::Key_Right));
    stepBackItem_->setShortcut(QKeySequence(Qt::Key_Left));
}

void AppDelegate::setConfirmQuit(std::function<bool(const QString&)> confirm) {
    confirmQuit_ = std::move(confirm);
}

bool AppDelegate::quit() {
    if (quitting_) {
        return true;
    }
    const QString why = siteSwapController_->saveList();
    if (!why.isEmpty()) {
        const QString message =
            QStringLiteral(
                "The siteswap list could not be saved: %1.\n\nQuit anyway and lose "
                "the changes to the list?")
                .arg(why);
        bool quitAnyway = false;
        if (confirmQuit_) {
            quitAnyway = confirmQuit_(message);
        } else {
            quitAnyway = QMessageBox::warning(nullptr, QStringLiteral("Juggle"), message,
                                              QMessageBox::Discard | QMessageBox::Cancel,
                                              QMessageBox::Cancel) == QMessageBox::Discard;
        }
        if (!quitAnyway) {
            if (documents_.isEmpty()) {
                newDocument();  // something to quit from later
            }
            return false;
        }
    }
    quitting_ = true;
    siteSwapController_->window()->saveFrame();
    QCoreApplication::quit();
    return true;
}

void AppDelegate::saveAtExit() {
    const QString why = siteSwapController_->saveList();
    if (!why.isEmpty() && !quitting_) {
        std::fprintf(stderr, "juggle: the siteswap list could not be saved: %s\n", qPrintable(why));
    }
}
