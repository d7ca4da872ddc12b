// A monkey test of the whole application: a long fixed-seed sequence of random user actions
// against the real delegate, documents and panels, with the frame clock moving between them
// and the application's invariants checked after every action.
//
// MONKEY_ACTIONS (default 5000) and MONKEY_SEED (default 1) choose the run; a failure prints
// the seed, the action number and the actions that led to it.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/AppDelegate.h"
#include "app/ControlsWindowController.h"
#include "app/JuggleDocument.h"
#include "app/PanelWindow.h"
#include "app/SettingsWindowController.h"
#include "app/SiteSwapListFile.h"
#include "app/SiteSwapTableView.h"
#include "app/SiteSwapWindowController.h"
#include "app/ValueSlider.h"
#include "app/ZoomSlider.h"
#include "platform/qt/QtPlatform.h"
#include "view/JuggleView.h"

namespace {

long envNumber(const char* name, long fallback) {
    const QByteArray value = qgetenv(name);
    if (value.isEmpty()) {
        return fallback;
    }
    bool ok = false;
    const long number = value.toLong(&ok);
    return ok ? number : fallback;
}

// A frame timer that fires only when the monkey says so, so that a seed replays exactly.
class ManualTimer : public platform::Timer {
  public:
    void invalidate() override { valid_ = false; }
    bool isValid() const override { return valid_; }

  private:
    bool valid_ = true;
};

// The Qt toolkit's cursors, manual timers, and the beep kept quiet and counted.
class QuietToolkit : public platform::Toolkit {
  public:
    QuietToolkit() { platform::setToolkit(this); }
    ~QuietToolkit() override { platform::setToolkit(nullptr); }

    std::unique_ptr<platform::Timer> scheduledTimer(
        double, std::function<void(platform::Timer&)>) override {
        return std::make_unique<ManualTimer>();
    }
    void pushCursor(const platform::Cursor& cursor) override { qt_.pushCursor(cursor); }
    void popCursor() override { qt_.popCursor(); }
    void setArrowCursor() override { qt_.setArrowCursor(); }
    void beep() override { ++beeps; }

    int onStack() const { return qt_.pushedCursors(); }
    long beeps = 0;

  private:
    platform::qt::QtToolkit qt_;
};

enum class HandOver { Empty, Steady, Pending, Transitioning, Inconsistent };

HandOver handOverState(const JuggleView& view) {
    const bool will = view.willTransition();
    const bool during = view.isTransitioning();
    const JPattern* pattern = view.pattern().get();
    const Transition* transition = view.transition().get();
    if (!will && !during && pattern == nullptr && transition == nullptr) {
        return HandOver::Empty;
    }
    if (!will && !during && view.siteSwap() != nullptr && transition == nullptr) {
        return HandOver::Steady;
    }
    if (will && !during && view.siteSwap() != nullptr && transition != nullptr) {
        return HandOver::Pending;
    }
    if (!will && during && transition != nullptr &&
        pattern == static_cast<const JPattern*>(transition)) {
        return HandOver::Transitioning;
    }
    return HandOver::Inconsistent;
}

// One document as the monkey sees it: the speed it last gave the view, and the siteswap
// the view showed before a hand-over (the first half of the "A to B" title).
struct Document {
    QPointer<JuggleDocument> window;
    float speed = 2.0f;
    std::string before;
    bool sawTransition = false;
};

class Monkey {
  public:
    Monkey(unsigned seed, long actions) : random_(seed), seed_(seed), actions_(actions) {
        qputenv("HOME", home_.path().toLocal8Bit());
        const QString config = QDir(home_.path()).filePath(".config");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
        SiteSwapWindowController::setWaitCount(0);
    }

    ~Monkey() {
        delegate_.reset();
        QApplication::processEvents();
        qputenv("HOME", savedHome_);
    }

    void run() {
        delegate_ = std::make_unique<AppDelegate>();
        delegate_->setQuitWhenLastDocumentCloses(false);
        delegate_->setConfirmQuit([this](const QString& message) {
            problems_.push_back(message.toStdString());
            return true;
        });
        list().setProblemReporter(
            [this](const QString& message) { problems_.push_back(message.toStdString()); });
        QApplication::processEvents();
        newDocument();
        if (!check("start-up")) {
            return;
        }
        for (step_ = 0; step_ < actions_; ++step_) {
            act();
            advanceFrames();
            if (!check("")) {
                return;
            }
        }
        finish();
    }

    long beeps() const { return toolkit_.beeps; }
    long transitionsSeen() const { return transitionsSeen_; }

  private:
    // ------------------------------------------------------------ the application's parts

    SiteSwapWindowController& list() { return delegate_->siteSwapController(); }
    SiteSwapTableView& table() { return *list().siteSwapTableView(); }
    ControlsWindowController& controls() {
        return ControlsWindowController::sharedWindowController();
    }
    SettingsWindowController& settings() {
        return SettingsWindowController::sharedWindowController();
    }

    // Drops the documents that have gone and returns those still open.
    std::vector<Document*> documents() {
        std::erase_if(documents_, [](const Document& d) { return d.window.isNull(); });
        std::vector<Document*> open;
        for (Document& d : documents_) {
            open.push_back(&d);
        }
        return open;
    }

    Document* currentDocument() {
        JuggleView* current = JuggleView::currentView();
        for (Document* d : documents()) {
            if (&d->window->view() == current) {
                return d;
            }
        }
        return nullptr;
    }

    // ------------------------------------------------------------ randomness

    int below(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
    }

    std::string randomSiteSwap() {
        static const std::string symbols = "0123456789rq";
        std::string s;
        if (chance(15)) {
            // Multi-digit: numbers with commas between them.
            const int terms = 1 + below(4);
            for (int i = 0; i < terms; ++i) {
                s += std::to_string(below(24)) + ",";
            }
            return s;
        }
        const int length = 1 + below(6);
        for (int i = 0; i < length; ++i) {
            s += symbols[static_cast<std::size_t>(below(static_cast<int>(symbols.size())))];
        }
        return s;
    }

    void note(const std::string& action) {
        if (trace_) {
            const JuggleView* view = JuggleView::currentView();
            std::fprintf(stderr, "%ld: %s [rows %d, beeps %ld, time %g]\n", step_, action.c_str(),
                         static_cast<int>(list().siteSwapKeys().size()), toolkit_.beeps,
                         view != nullptr ? static_cast<double>(view->time()) : -1.0);
        }
        trail_.push_back(std::to_string(step_) + ": " + action);
        if (trail_.size() > 40) {
            trail_.pop_front();
        }
    }

    // ------------------------------------------------------------ actions

    void act() {
        struct Action {
            int weight;
            void (Monkey::*run)();
        };
        const int rows = static_cast<int>(list().siteSwapKeys().size());
        const int docs = static_cast<int>(documents().size());
        const std::vector<Action> actions{
            {14, &Monkey::enterSiteSwap},
            {12, &Monkey::clickRow},
            {4, &Monkey::arrowKey},
            {4, &Monkey::doubleClickRow},
            {rows > 30 ? 12 : 4, &Monkey::deleteRow},
            {6, &Monkey::dragRow},
            {10, &Monkey::playPause},
            {6, &Monkey::step},
            {5, &Monkey::scrubTime},
            {3, &Monkey::changeSpeed},
            {3, &Monkey::dragZoom},
            {2, &Monkey::zoomToFit},
            {docs < 4 ? 2 : 0, &Monkey::newDocument},
            {docs > 0 ? 2 : 0, &Monkey::closeDocument},
            {5, &Monkey::switchDocument},
            {3, &Monkey::closeOrShowPanel},
            {1, &Monkey::resizeDocument},
            {4, &Monkey::runFrames},
        };
        int total = 0;
        for (const Action& a : actions) {
            total += a.weight;
        }
        int chosen = below(total);
        for (const Action& a : actions) {
            if (chosen < a.weight) {
                (this->*a.run)();
                return;
            }
            chosen -= a.weight;
        }
    }

    void enterSiteSwap() {
        static const std::vector<std::string> valid{
            "5",   "3",  "531", "441",      "51",    "97531", "744",  "633",
            "5r",  "40", "9r",  "55rrq555", "95551", "7",     "8040", "33355500333",
            "12,", "1",  "2",   "0",        "3q",    "4r4",   "11,9,"};
        static const std::vector<std::string> invalid{"54", "",  "abc", "5 3", "q",
                                                      "r5", ",", "-3",  "5x",  "1000,"};
        std::string text;
        const int kind = below(10);
        if (kind < 4) {
            text = pick(valid);
        } else if (kind < 8) {
            text = randomSiteSwap();
        } else {
            text = pick(invalid);
        }
        note("enter \"" + text + "\"");
        QLineEdit* field = list().siteSwapTextField();
        field->clear();
        QTest::keyClicks(field, QString::fromStdString(text));
        QTest::keyClick(field, Qt::Key_Return);
    }

    int randomRow() {
        const int rows = static_cast<int>(list().siteSwapKeys().size());
        return rows == 0 ? -1 : below(rows);
    }

    QPoint rowCentre(int row) {
        return table().visualRect(table().model()->index(row, 0)).center();
    }

    QPoint belowLastRow() {
        const int last = table().model()->rowCount() - 1;
        const int bottom =
            last < 0 ? 0 : table().visualRect(table().model()->index(last, 0)).bottom();
        return QPoint(20, bottom + 10);
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QWidget* viewport = table().viewport();
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }

    // A row may lie outside the visible part of the table: scroll it in first, as a user
    // would before clicking it.
    QPoint reachRow(int row) {
        table().scrollTo(table().model()->index(row, 0));
        return rowCentre(row);
    }

    void clickRow() {
        const int row = randomRow();
        if (row < 0) {
            note("click below the rows of an empty list");
            mouse(QEvent::MouseButtonPress, QPoint(20, 10), Qt::LeftButton);
            mouse(QEvent::MouseButtonRelease, QPoint(20, 10), Qt::NoButton);
            return;
        }
        note("click row " + std::to_string(row));
        const QPoint at = reachRow(row);
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
    }

    void doubleClickRow() {
        const int row = randomRow();
        if (row < 0) {
            return;
        }
        note("double-click row " + std::to_string(row));
        const QPoint at = reachRow(row);
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
        mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
    }

    void arrowKey() {
        const bool up = chance(50);
        note(up ? "key Up in the table" : "key Down in the table");
        QTest::keyClick(&table(), up ? Qt::Key_Up : Qt::Key_Down);
    }

    void deleteRow() {
        note("key Delete in the table");
        QTest::keyClick(&table(), chance(80) ? Qt::Key_Delete : Qt::Key_Backspace);
    }

    void dragRow() {
        const int rows = static_cast<int>(list().siteSwapKeys().size());
        if (rows == 0) {
            return;
        }
        const bool fromBelow = chance(10);
        const int from = below(rows);
        const int to = below(rows);
        const bool toBelow = chance(10);
        note("drag " +
             (fromBelow ? std::string("from below the rows") : "row " + std::to_string(from)) +
             " to " + (toBelow ? std::string("below the rows") : "row " + std::to_string(to)));
        // Scrolling stays out of the drag: the rows must stay where the press found them.
        table().scrollToTop();
        const QPoint start = fromBelow ? belowLastRow() : rowCentre(from);
        const QPoint end = toBelow ? belowLastRow() : rowCentre(to);
        mouse(QEvent::MouseButtonPress, start, Qt::LeftButton);
        if (chance(30)) {
            tick(1 + below(3));  // the frame timer keeps going under a held button
        }
        mouse(QEvent::MouseMove, (start + end) / 2, Qt::LeftButton);
        mouse(QEvent::MouseMove, end, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, end, Qt::NoButton);
    }

    void playPause() {
        Document* current = currentDocument();
        switch (below(6)) {
            case 0:
                note("menu Play/Pause");
                delegate_->playPauseItem()->trigger();
                break;
            case 1:
                if (current != nullptr) {
                    note("space in the document window");
                    QTest::keyClick(&current->window->viewWidget(), Qt::Key_Space);
                }
                break;
            case 2:
                note("space in the list");
                QTest::keyClick(&table(), Qt::Key_Space);
                break;
            case 3:
                note("play/pause button");
                controls().playPauseButton()->click();
                break;
            case 4:
                note("space in the Controls panel");
                QTest::keyClick(controls().window(), Qt::Key_Space);
                break;
            default:
                note("space in the Settings panel");
                QTest::keyClick(settings().window(), Qt::Key_Space);
                break;
        }
    }

    void step() {
        const bool forward = chance(50);
        if (chance(50)) {
            note(forward ? "menu Step Forward" : "menu Step Back");
            (forward ? delegate_->stepForwardItem() : delegate_->stepBackItem())->trigger();
        } else {
            note(forward ? "step forward button" : "step back button");
            (forward ? controls().stepForwardButton() : controls().stepBackButton())->click();
        }
    }

    void scrubTime() {
        ValueSlider* slider = controls().slider();
        const int moves = 1 + below(5);
        note("scrub the time slider " + std::to_string(moves) + " times");
        for (int i = 0; i < moves; ++i) {
            slider->setValue(below(slider->maximum() + 1));
            if (chance(50)) {
                tick(1);
            }
        }
    }

    void changeSpeed() {
        ValueSlider* slider = settings().speedSlider();
        const int position = below(slider->maximum() + 1);
        note("speed slider to position " + std::to_string(position));
        slider->setValue(position);
        if (Document* current = currentDocument()) {
            current->speed = slider->floatValue();
        }
    }

    void dragZoom() {
        ZoomSlider* slider = settings().zoomSlider();
        settings().showWindow();
        note("drag the zoom slider");
        const QPoint at(slider->width() / 2, slider->height() / 2);
        Document* zoomed = currentDocument();
        zoomed_ = zoomed != nullptr ? zoomed->window : nullptr;
        QMouseEvent press(QEvent::MouseButtonPress, at, slider->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(slider, &press);
        const int moves = 1 + below(6);
        for (int i = 0; i < moves; ++i) {
            slider->setValue(below(slider->maximum() + 1));
            tick(1 + below(3));
        }
        if (switchDuringZoomDrag_ && chance(15)) {
            note("bring another document window forward in the middle of the zoom drag");
            switchDocument();
        }
        if (chance(10)) {
            note("close the Settings panel in the middle of the zoom drag");
            settings().window()->close();
            zoomed_ = nullptr;
            return;
        }
        QMouseEvent release(QEvent::MouseButtonRelease, at, slider->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(slider, &release);
        zoomed_ = nullptr;
    }

    void zoomToFit() {
        note("menu Zoom to Fit");
        delegate_->zoomToFitItem()->trigger();
    }

    // Makes the window main as the window system would when the user brings it forward.
    void makeMain(JuggleDocument* document) {
        document->activateWindow();
        settle();
        if (JuggleView::currentView() != &document->view()) {
            platform::setCurrentView(&document->view());
            document->view().windowDidBecomeMain();
        }
    }

    void newDocument() {
        const bool open = chance(30);
        note(open ? "open a file" : "new document");
        JuggleDocument* document =
            open ? delegate_->openDocument(home_.path() + "/any.txt") : delegate_->newDocument();
        documents_.push_back(Document{document, document->view().deltaTime(), {}});
        makeMain(document);
    }

    void closeDocument() {
        std::vector<Document*> open = documents();
        if (open.empty()) {
            return;
        }
        if (chance(50) && currentDocument() != nullptr) {
            note("menu Close");
            delegate_->closeItem()->trigger();
        } else {
            Document* d = pick(open);
            note("close a document window");
            d->window->close();
        }
        // Deleted on close, later in the event loop; the monkey does not wait for it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        // The window system usually brings another window forward, not always.
        open = documents();
        if (!open.empty() && chance(70)) {
            makeMain(pick(open)->window);
        }
    }

    void switchDocument() {
        std::vector<Document*> open = documents();
        if (open.empty()) {
            return;
        }
        note("bring a document window forward");
        makeMain(pick(open)->window);
    }

    void closeOrShowPanel() {
        switch (below(6)) {
            case 0:
                note("close the list panel");
                list().window()->close();
                checkListFile("after the list panel closed");
                break;
            case 1:
                note("menu Siteswaps");
                delegate_->showSiteSwapsItem()->trigger();
                break;
            case 2:
                note("close the Controls panel");
                controls().window()->close();
                break;
            case 3:
                note("menu Controls");
                delegate_->showControlsItem()->trigger();
                break;
            case 4:
                note("close the Settings panel");
                settings().window()->close();
                break;
            default:
                note("menu Settings");
                delegate_->showSettingsItem()->trigger();
                break;
        }
    }

    void resizeDocument() {
        std::vector<Document*> open = documents();
        if (open.empty()) {
            return;
        }
        note("resize a document window");
        pick(open)->window->resize(200 + below(500), 200 + below(500));
    }

    void runFrames() {
        const int frames = 50 + below(250);
        note("let " + std::to_string(frames) + " frames pass");
        tick(frames);
    }

    // ------------------------------------------------------------ the clock

    // Fires every document's frame timer `frames` times, as the event loop would: the view
    // cannot tell a tick of its timer from this call.
    void tick(int frames) {
        for (int i = 0; i < frames; ++i) {
            for (Document* d : documents()) {
                JuggleView& view = d->window->view();
                view.nextFrame(view.frameTimer());
            }
            if (!checkViews("during a frame")) {
                return;
            }
        }
    }

    // Painting, window activation and queued calls; no waiting, so that nothing depends on
    // the wall clock.
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QApplication::processEvents();
        }
    }

    void advanceFrames() {
        tick(below(8));
        settle();
    }

    // ------------------------------------------------------------ checks

    bool fail(const std::string& where, const std::string& what) {
        if (failed_) {
            return false;
        }
        failed_ = true;
        std::ostringstream out;
        out << "MONKEY_SEED=" << seed_ << ", action " << step_ << (where.empty() ? "" : " ")
            << where << ": " << what << "\nLast actions:\n";
        for (const std::string& line : trail_) {
            out << "  " << line << '\n';
        }
        ADD_FAILURE() << out.str();
        return false;
    }

    bool check(const std::string& where) {
        return checkList(where) && checkViews(where) && checkCursors(where) && checkMenus(where);
    }

    // The Play/Pause item and the Controls panel's button say what the current view does.
    bool checkMenus(const std::string& where) {
        const JuggleView* view = JuggleView::currentView();
        if (view == nullptr) {
            return true;
        }
        const QString& title =
            view->isPlaying() ? AppDelegate::kPauseTitle : AppDelegate::kPlayTitle;
        if (delegate_->playPauseItem()->text() != title) {
            return fail(where, "the Play/Pause item reads \"" +
                                   delegate_->playPauseItem()->text().toStdString() +
                                   "\" for a view that is " +
                                   (view->isPlaying() ? "playing" : "paused"));
        }
        if (ControlsWindowController::exists() &&
            controls().showsPauseImage() != view->isPlaying()) {
            return fail(where, "the play/pause button does not show the view's play state");
        }
        return true;
    }

    bool checkList(const std::string& where) {
        const QStringList& keys = list().siteSwapKeys();
        if (QSet<QString>(keys.begin(), keys.end()).size() != keys.size()) {
            return fail(where, "the list holds a duplicate: " + keys.join(' ').toStdString());
        }
        for (const QString& key : keys) {
            const auto pattern = list().siteSwapForKey(key);
            if (pattern == nullptr || QString::fromStdString(pattern->sequence()) != key) {
                return fail(where, "row \"" + key.toStdString() + "\" has no pattern of its own");
            }
        }
        if (table().model()->rowCount() != keys.size()) {
            return fail(where, "the table shows " + std::to_string(table().model()->rowCount()) +
                                   " rows of a list of " + std::to_string(keys.size()));
        }
        const int selected = table().selectedRow();
        if (selected < -1 || selected >= keys.size()) {
            return fail(where, "selected row " + std::to_string(selected) + " is outside the list");
        }
        return true;
    }

    bool checkViews(const std::string& where) {
        if (failed_) {
            return false;
        }
        const ZoomSlider* zoom =
            SettingsWindowController::exists() ? settings().zoomSlider() : nullptr;
        const bool zoomDrag = zoom != nullptr && const_cast<ZoomSlider*>(zoom)->cell().isTracking();
        for (Document* d : documents()) {
            JuggleView& view = d->window->view();
            const std::string title = d->window->windowTitle().toStdString();
            const bool frozen = zoomDrag && !zoomed_.isNull() && d->window == zoomed_;
            if (!std::isfinite(view.time())) {
                return fail(where, "the clock is not finite");
            }
            switch (handOverState(view)) {
                case HandOver::Empty:
                    if (title != " ") {
                        return fail(where, "no pattern, title \"" + title + "\"");
                    }
                    d->before.clear();
                    break;
                case HandOver::Steady:
                    if (title != view.siteSwap()->sequence()) {
                        return fail(where, "steady in \"" + view.siteSwap()->sequence() +
                                               "\", title \"" + title + "\"");
                    }
                    d->before = view.siteSwap()->sequence();
                    break;
                case HandOver::Pending:
                    if (title != view.siteSwap()->sequence()) {
                        return fail(where, "pending from \"" + view.siteSwap()->sequence() +
                                               "\", title \"" + title + "\"");
                    }
                    d->before = view.siteSwap()->sequence();
                    break;
                case HandOver::Transitioning: {
                    const std::string expected =
                        d->before + " to " + view.transition()->nextSiteSwap()->sequence();
                    if (title != expected) {
                        return fail(where, "transitioning, title \"" + title + "\", expected \"" +
                                               expected + "\"");
                    }
                    if (!d->sawTransition) {
                        ++transitionsSeen_;
                    }
                    break;
                }
                case HandOver::Inconsistent:
                    return fail(where, "the view is in no hand-over state: willTransition " +
                                           std::to_string(view.willTransition()) +
                                           ", isTransitioning " +
                                           std::to_string(view.isTransitioning()) + ", pattern " +
                                           (view.pattern() ? "set" : "none") + ", transition " +
                                           (view.transition() ? "set" : "none"));
            }
            const bool handOver = view.willTransition() || view.isTransitioning();
            d->sawTransition = view.isTransitioning();
            if (!handOver && view.waitCursorsOnStack() != 0) {
                return fail(where, "steady with " + std::to_string(view.waitCursorsOnStack()) +
                                       " wait cursors still on the stack");
            }
            // Frozen only by a zoom drag, and only the view the drag began on.
            const float expected = frozen ? 0.0f : d->speed;
            if (view.deltaTime() != expected) {
                return fail(where, "speed " + std::to_string(view.deltaTime()) + ", expected " +
                                       std::to_string(expected) + " in the " +
                                       (&view == JuggleView::currentView() ? "current" : "other") +
                                       " view" + (frozen ? ", frozen by the zoom drag" : "") +
                                       (zoomDrag && !frozen
                                            ? ", during a zoom drag begun on " + describe(zoomed_)
                                            : ""));
            }
        }
        return true;
    }

    std::string describe(const QPointer<JuggleDocument>& window) {
        if (window.isNull()) {
            return "no window";
        }
        const Document* current = currentDocument();
        return current != nullptr && window == current->window ? "the current window"
                                                               : "another window";
    }

    bool checkCursors(const std::string& where) {
        int owned = 0;
        bool handOver = false;
        for (Document* d : documents()) {
            const JuggleView& view = d->window->view();
            owned += view.waitCursorsOnStack();
            handOver = handOver || view.willTransition() || view.isTransitioning();
        }
        if (owned != toolkit_.onStack()) {
            return fail(where, std::to_string(toolkit_.onStack()) +
                                   " cursors on the stack, the views account for " +
                                   std::to_string(owned));
        }
        if (!handOver &&
            (toolkit_.onStack() != 0 || QGuiApplication::overrideCursor() != nullptr)) {
            return fail(where, "no hand-over under way, yet the cursor stack is not at its base");
        }
        return true;
    }

    bool checkListFile(const std::string& where) {
        if (list().needsToSave()) {
            return true;  // a save that failed was reported; nothing to compare
        }
        const SiteSwapListFile::Loaded loaded = SiteSwapListFile::load(SiteSwapListFile::path());
        if (loaded.source != SiteSwapListFile::Loaded::Source::File) {
            return fail(where,
                        "the list file cannot be read back: " + loaded.message.toStdString());
        }
        if (loaded.strings != list().siteSwapKeys()) {
            return fail(where, "the list file holds " + loaded.strings.join(' ').toStdString() +
                                   ", the list " + list().siteSwapKeys().join(' ').toStdString());
        }
        return true;
    }

    void finish() {
        note("close the list panel at the end");
        list().window()->close();
        if (!problems_.empty()) {
            fail("at the end", "problems were reported: " + problems_.front());
            return;
        }
        checkListFile("at the end");
    }

    QTemporaryDir home_;
    QByteArray savedHome_ = qgetenv("HOME");
    QuietToolkit toolkit_;
    std::unique_ptr<AppDelegate> delegate_;
    std::vector<Document> documents_;
    std::vector<std::string> problems_;
    std::deque<std::string> trail_;
    std::mt19937 random_;
    unsigned seed_;
    long actions_;
    long step_ = 0;
    long transitionsSeen_ = 0;
    bool trace_ = envNumber("MONKEY_TRACE", 0) != 0;  // every action to stderr
    QPointer<JuggleDocument> zoomed_;                 // the window whose view a zoom drag froze
    // A window switch under a held zoom slider; see the README's monkey test line.
    bool switchDuringZoomDrag_ = envNumber("MONKEY_ZOOM_SWITCH", 0) != 0;
    bool failed_ = false;
};

TEST(Monkey, RandomActionsKeepTheApplicationConsistent) {
    const auto seed = static_cast<unsigned>(envNumber("MONKEY_SEED", 1));
    const long actions = envNumber("MONKEY_ACTIONS", 5000);
    auto monkey = std::make_unique<Monkey>(seed, actions);
    monkey->run();
    std::printf("monkey: seed %u, %ld actions, %ld transitions shown, %ld beeps\n", seed, actions,
                monkey->transitionsSeen(), monkey->beeps());
    monkey.reset();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "cursors left when the app ended";
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The offscreen platform warns at every raise(); that is not news.
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QStringLiteral("This plugin does not support"))) {
                std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
            }
        });
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
