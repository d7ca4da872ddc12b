#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSettings>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "TempHome.h"
#include "app/AppDelegate.h"
#include "app/JuggleDocument.h"
#include "app/SiteSwapTableView.h"
#include "app/SiteSwapWindowController.h"
#include "platform/qt/QtPlatform.h"
#include "view/JuggleView.h"

// The Qt toolkit with real timers and cursors, recording the beeps and the cursor pushes.
class RecordingToolkit : public platform::Toolkit {
  public:
    RecordingToolkit() { platform::setToolkit(this); }
    ~RecordingToolkit() override { platform::setToolkit(nullptr); }

    std::unique_ptr<platform::Timer> scheduledTimer(
        double seconds, std::function<void(platform::Timer&)> action) override {
        return qt_.scheduledTimer(seconds, std::move(action));
    }
    void pushCursor(const platform::Cursor& cursor) override {
        pushes.push_back(cursor);
        qt_.pushCursor(cursor);
    }
    void popCursor() override {
        ++pops;
        qt_.popCursor();
    }
    void setArrowCursor() override { qt_.setArrowCursor(); }
    void beep() override { ++beeps; }

    int onStack() const { return qt_.pushedCursors(); }

    std::vector<platform::Cursor> pushes;
    int pops = 0;
    int beeps = 0;

  private:
    platform::qt::QtToolkit qt_;  // installs itself first; the recorder then takes over
};

// A whole application in a temporary home: the delegate (with its list panel) and, unless
// told otherwise, one document window that has become main.
class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override { setUpHome(); }

    void setUpHome() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QDir(home_.path()).filePath(".config"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QDir(home_.path()).filePath(".config"));
        SiteSwapWindowController::setWaitCount(0);
    }

    // Starts the application: the list panel, then a document window made main.
    void start(bool withDocument = true) {
        delegate_ = std::make_unique<AppDelegate>();
        delegate_->setQuitWhenLastDocumentCloses(false);
        delegate_->setConfirmQuit([this](const QString& message) {
            problems_.push_back(message);
            return true;
        });
        list().setProblemReporter([this](const QString& m) { problems_.push_back(m); });
        QApplication::processEvents();
        if (withDocument) {
            document_ = delegate_->newDocument();
            makeMain(document_);
        }
    }

    // Ends the run as quitting would, leaving the home directory for a restart.
    void stop() {
        if (delegate_) {
            delegate_->quit();
        }
        delegate_.reset();
        document_ = nullptr;
        QApplication::processEvents();
    }

    void TearDown() override { stop(); }

    // Runs what the event loop would: closed windows go, queued calls run.
    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    // Makes the window main as the window system would when the user brings it forward.
    void makeMain(JuggleDocument* document) {
        document->activateWindow();
        QApplication::processEvents();
        if (JuggleView::currentView() != &document->view()) {
            platform::setCurrentView(&document->view());
            document->view().windowDidBecomeMain();
        }
    }

    SiteSwapWindowController& list() { return delegate_->siteSwapController(); }
    SiteSwapTableView& table() { return *list().siteSwapTableView(); }
    JuggleView& view() { return document_->view(); }
    QStringList keys() { return list().siteSwapKeys(); }
    QString selectedKey() {
        const int row = table().selectedRow();
        return row < 0 ? QString() : keys().at(row);
    }
    std::string shownSequence() {
        const auto shown = view().siteSwap();
        return shown ? shown->sequence() : std::string();
    }

    void enter(const QString& text) {
        QLineEdit* field = list().siteSwapTextField();
        field->clear();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    // Steps the clock as the frame timer would, until `done` or a bound of steps.
    template <typename Done>
    bool stepUntil(Done done, int maxSteps = 5000) {
        for (int i = 0; i < maxSteps; ++i) {
            if (done()) {
                return true;
            }
            view().nextFrame(view().frameTimer());
        }
        return done();
    }

    // Mouse events sent straight to the table's viewport, the button held between them.
    QPoint rowCentre(int row) {
        return table().visualRect(table().model()->index(row, 0)).center();
    }
    QPoint belowLastRow() {
        const int last = table().model()->rowCount() - 1;
        return QPoint(rowCentre(0).x(),
                      table().visualRect(table().model()->index(last, 0)).bottom() + 10);
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QWidget* viewport = table().viewport();
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
    void drag(QPoint from, QPoint to) {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        const QPoint middle = (from + to) / 2;
        mouse(QEvent::MouseMove, middle, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    void writeList(const QStringList& strings) {
        ASSERT_EQ(SiteSwapListFile::save(home_.listPath(), strings), QString());
    }

    TempHome home_;
    RecordingToolkit toolkit_;
    std::unique_ptr<AppDelegate> delegate_;
    JuggleDocument* document_ = nullptr;
    std::vector<QString> problems_;
};
