#include "app/SiteSwapWindowController.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "app/PanelWindow.h"
#include "app/SiteSwapListFile.h"
#include "app/SiteSwapTableView.h"
#include "notation/SiteSwap.h"
#include "view/JuggleView.h"

namespace {

SiteSwapWindowController* gController = nullptr;
int gWaitCount = 0;

// Pushed for each transition armed from the list; the view pops them as it goes.
constexpr int kWaitCursorPushes = 6;
// Every tenth pending transition shows the star instead.
constexpr int kWaitCountForMoof = 9;

bool transitionInProgress(const JuggleView* view) {
    return view != nullptr && (view->willTransition() || view->isTransitioning());
}

void setTextColor(QLineEdit* field, Qt::GlobalColor color) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, color);
    field->setPalette(palette);
}

}  // namespace

SiteSwapWindowController* SiteSwapWindowController::staticWindowController(
    SiteSwapWindowController* controller) {
    if (controller != nullptr) {
        gController = controller;
    }
    return gController;
}

const QStringList& SiteSwapWindowController::defaultSiteSwapList() {
    static const QStringList list{"5",    "5r",    "55rrq555", "40", "33355500333", "5r1",
                                  "8040", "95551", "7",        "7r", "9",           "9r"};
    return list;
}

int SiteSwapWindowController::waitCount() {
    return gWaitCount;
}
void SiteSwapWindowController::setWaitCount(int count) {
    gWaitCount = count;
}

const platform::Cursor& SiteSwapWindowController::waitCursor() {
    static const platform::Cursor cursor{":/images/Wait.png", 8, 8};
    return cursor;
}

const platform::Cursor& SiteSwapWindowController::moofCursor() {
    static const platform::Cursor cursor{":/images/Moof.png", 8, 8};
    return cursor;
}

SiteSwapWindowController::SiteSwapWindowController() {
    readList();
    // Registered at once, so that the table never reaches a controller that has gone.
    staticWindowController(this);
    observer_ = platform::NotificationCenter::defaultCenter().addObserver(
        UpdateSiteSwapNotification, nullptr, [this](const platform::Notification& n) {
            updateSiteSwapTableView(dynamic_cast<JuggleView*>(n.object));
        });
}

SiteSwapWindowController::~SiteSwapWindowController() {
    observer_.reset();
    if (gController == this) {
        gController = nullptr;
    }
    delete window_;
}

void SiteSwapWindowController::readList() {
    const SiteSwapListFile::Loaded loaded = SiteSwapListFile::load(SiteSwapListFile::path());
    const bool fromFile = loaded.source == SiteSwapListFile::Loaded::Source::File;
    const QStringList& strings = fromFile ? loaded.strings : defaultSiteSwapList();
    siteSwapKeys_.reserve(25);
    for (const QString& key : strings) {
        // A stored string that is no siteswap (or a second copy of one) is left out.
        if (!siteSwapDict_.contains(key)) {
            addKey(key, SiteSwap::initWithSequence(key.toStdString()));
        }
    }
    needsToSave_ = !fromFile;
    readProblem_ = loaded.message;
}

bool SiteSwapWindowController::addKey(const QString& key, std::shared_ptr<SiteSwap> pattern) {
    if (pattern == nullptr) {
        return false;
    }
    siteSwapDict_.insert(key, std::move(pattern));
    siteSwapKeys_.append(key);
    return true;
}

std::shared_ptr<SiteSwap> SiteSwapWindowController::siteSwapForKey(const QString& key) const {
    return siteSwapDict_.value(key);
}

PanelWindow* SiteSwapWindowController::window() {
    if (window_ != nullptr) {
        return window_;
    }
    window_ = new PanelWindow(QStringLiteral("SiteSwap"));
    window_->setWindowTitle(QStringLiteral("Siteswaps"));
    window_->onKeyDown = [this](QKeyEvent* event) { keyDown(event); };
    window_->onClose = [this] { windowWillClose(); };

    siteSwapTextField_ = new QLineEdit(window_);
    siteSwapTextField_->setPlaceholderText(QStringLiteral("Siteswap"));
    siteSwapTextField_->setClearButtonEnabled(false);
    QObject::connect(siteSwapTextField_, &QLineEdit::returnPressed, siteSwapTextField_,
                     [this] { siteSwapEntered(); });
    QObject::connect(siteSwapTextField_, &QLineEdit::textEdited, siteSwapTextField_,
                     [this] { controlTextDidChange(); });

    siteSwapTableView_ = new SiteSwapTableView(window_);
    model_ = new SiteSwapListModel(*this, siteSwapTableView_);
    siteSwapTableView_->setModel(model_);
    QObject::connect(siteSwapTableView_, &QAbstractItemView::doubleClicked, siteSwapTableView_,
                     [this] { siteSwapDoubleClicked(); });

    auto* layout = new QVBoxLayout(window_);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(siteSwapTextField_);
    layout->addWidget(siteSwapTableView_, 1);

    // Grows in height only.
    window_->resize(161, 233);
    window_->setMinimumSize(161, 233);
    window_->setMaximumSize(161, 539);
    return window_;
}

QLineEdit* SiteSwapWindowController::siteSwapTextField() {
    window();
    return siteSwapTextField_;
}

SiteSwapTableView* SiteSwapWindowController::siteSwapTableView() {
    window();
    return siteSwapTableView_;
}

void SiteSwapWindowController::showWindow() {
    PanelWindow* panel = window();
    if (firstShow_) {
        firstShow_ = false;
        if (!panel->restoreFrame()) {
            const QSizeF screen = mainScreenSize();
            panel->setFrameTopLeftPoint(
                QPointF(static_cast<float>(screen.width() * 575.0 / 800.0),
                        static_cast<float>(screen.height() * 551.0 / 600.0)));
        }
        if (!readProblem_.isEmpty()) {
            // Once the windows are up, so that the message is seen over them.
            QMetaObject::invokeMethod(
                panel, [this] { report(readProblem_); }, Qt::QueuedConnection);
        }
    }
    panel->show();
    panel->raise();
}

void SiteSwapWindowController::reloadData() {
    SiteSwapTableView* table = siteSwapTableView();
    const int row = table->selectedRow();
    model_->reload();
    // A reload keeps the selected index, as long as the list still has it.
    table->selectRowQuietly(row < siteSwapKeys_.size() ? row : -1);
}

void SiteSwapWindowController::siteSwapEntered() {
    QLineEdit* field = siteSwapTextField();
    const QString key = field->text().trimmed();
    if (transitionInProgress(JuggleView::currentView())) {
        platform::toolkit().beep();
        return;
    }
    if (!siteSwapDict_.contains(key)) {
        std::string why;
        std::shared_ptr<SiteSwap> pattern = SiteSwap::initWithSequence(key.toStdString(), &why);
        if (pattern == nullptr) {
            setTextColor(field, Qt::red);
            field->setToolTip(QString::fromStdString(
                why.empty() ? SiteSwap::refusalReason(key.toStdString()) : why));
            return;
        }
        addKey(key, std::move(pattern));
        reloadData();
        needsToSave_ = true;
    }
    siteSwapTableView()->selectRow(static_cast<int>(siteSwapKeys_.indexOf(key)));
}

void SiteSwapWindowController::controlTextDidChange() {
    setTextColor(siteSwapTextField(), Qt::black);
    siteSwapTextField_->setToolTip(QString());
}

void SiteSwapWindowController::siteSwapSelected() {
    SiteSwapTableView* table = siteSwapTableView();
    JuggleView* view = JuggleView::currentView();
    const int row = table->selectedRow();
    if (row < 0 || row >= siteSwapKeys_.size()) {
        if (view != nullptr) {
            view->setPattern(nullptr);
        }
    } else {
        const QString& key = siteSwapKeys_[row];
        if (view != nullptr && !view->isTransitioning()) {
            const std::shared_ptr<SiteSwap> shown = view->siteSwap();
            if (shown == nullptr || QString::fromStdString(shown->sequence()) != key) {
                view->setPattern(siteSwapDict_.value(key));
                if (view->willTransition()) {
                    ++gWaitCount;
                    const bool moof = gWaitCount > kWaitCountForMoof;
                    if (moof) {
                        gWaitCount = 0;
                    }
                    view->armWaitCursors(moof ? moofCursor() : waitCursor(), kWaitCursorPushes);
                }
            }
        }
        table->scrollTo(model_->index(row, 0));
    }
    staticWindowController(this);
}

void SiteSwapWindowController::siteSwapDoubleClicked() {
    if (JuggleView* view = JuggleView::currentView()) {
        view->setNormalizedTime(0.0f);
        view->zoomToFit();
        view->setIsPlaying(true);
    }
}

void SiteSwapWindowController::removeSiteSwap() {
    SiteSwapTableView* table = siteSwapTableView();
    const int row = table->selectedRow();
    if (row < 0 || row >= siteSwapKeys_.size()) {
        return;
    }
    siteSwapDict_.remove(siteSwapKeys_[row]);
    siteSwapKeys_.removeAt(row);
    reloadData();
    // The row that moves up takes the removed one's place; after the last, the new last.
    table->selectRowQuietly(row == siteSwapKeys_.size() ? row - 1 : row);
    siteSwapSelected();
    needsToSave_ = true;
}

void SiteSwapWindowController::keyDown(QKeyEvent* event) {
    JuggleView* view = JuggleView::currentView();
    if (view != nullptr && event->text() == QStringLiteral(" ")) {
        view->setIsPlaying(!view->isPlaying());
    }
}

void SiteSwapWindowController::pressedRow(int row) {
    pressHitRow_ = row >= 0 && row < siteSwapKeys_.size();
    if (pressHitRow_) {
        previousRow_ = row;
    }
    needsToSwitchRows_ = false;
}

void SiteSwapWindowController::tableViewSelectionIsChanging() {
    const int row = siteSwapTableView()->selectedRow();
    // A drag that began below the last row has no row to move.
    needsToSwitchRows_ = pressHitRow_ && row != previousRow_;
}

void SiteSwapWindowController::tableViewSelectionDidChange() {
    SiteSwapTableView* table = siteSwapTableView();
    const int row = table->selectedRow();
    if (!needsToSwitchRows_) {
        siteSwapSelected();
        return;
    }
    needsToSwitchRows_ = false;
    const auto size = siteSwapKeys_.size();
    if (row >= 0 && row < size && previousRow_ >= 0 && previousRow_ < size) {
        // The moved row is the one the press applied: the view already shows it.
        siteSwapKeys_.move(previousRow_, row);
        reloadData();
        needsToSave_ = true;
    } else {
        // Released over no row: the list stays as it was, and so does the row shown.
        table->selectRowQuietly(previousRow_ < size ? previousRow_ : -1);
    }
}

void SiteSwapWindowController::updateSiteSwapTableView(JuggleView* view) {
    if (view == nullptr) {
        return;
    }
    SiteSwapTableView* table = siteSwapTableView();
    std::shared_ptr<SiteSwap> shown;
    if (view->isTransitioning()) {
        shown = view->transition() != nullptr ? view->transition()->nextSiteSwap() : nullptr;
    } else {
        shown = view->siteSwap();
    }
    if (view->pattern() == nullptr || shown == nullptr) {
        table->selectRow(-1);
        return;
    }
    const QString key = QString::fromStdString(shown->sequence());
    if (!siteSwapDict_.contains(key)) {
        if (!addKey(key, SiteSwap::initWithSequence(key.toStdString()))) {
            return;
        }
        reloadData();
        needsToSave_ = true;
    }
    const int row = static_cast<int>(siteSwapKeys_.indexOf(key));
    table->selectRow(row);
    table->scrollTo(model_->index(row, 0));
}

QString SiteSwapWindowController::saveList() {
    if (!needsToSave_) {
        return {};
    }
    const QString why = SiteSwapListFile::save(SiteSwapListFile::path(), siteSwapKeys_);
    if (why.isEmpty()) {
        needsToSave_ = false;
    }
    return why;
}

void SiteSwapWindowController::windowWillClose() {
    const QString why = saveList();
    if (!why.isEmpty()) {
        report(QStringLiteral("The siteswap list could not be saved: %1.").arg(why));
    }
}

void SiteSwapWindowController::setProblemReporter(std::function<void(const QString&)> reporter) {
    reporter_ = std::move(reporter);
}

void SiteSwapWindowController::report(const QString& message) {
    if (reporter_) {
        reporter_(message);
        return;
    }
    auto* box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Juggle"), message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}
