#include "app/ControlsWindowController.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

#include "app/PanelWindow.h"
#include "app/ValueSlider.h"
#include "view/JuggleView.h"

namespace {

std::unique_ptr<ControlsWindowController>& instance() {
    static std::unique_ptr<ControlsWindowController> controller;
    return controller;
}

QPushButton* makeButton(QWidget* parent, const QString& tip) {
    auto* button = new QPushButton(parent);
    button->setToolTip(tip);
    button->setIconSize(QSize(20, 20));
    button->setFixedSize(36, 30);
    button->setFocusPolicy(Qt::NoFocus);  // space belongs to the panel: play/pause
    return button;
}

}  // namespace

ControlsWindowController& ControlsWindowController::sharedWindowController() {
    if (!instance()) {
        instance().reset(new ControlsWindowController());
    }
    return *instance();
}

void ControlsWindowController::releaseSharedWindowController() {
    instance().reset();
}

bool ControlsWindowController::exists() {
    return instance() != nullptr;
}

ControlsWindowController::ControlsWindowController()
    : playImage_(QStringLiteral(":/images/Play.png")),
      pauseImage_(QStringLiteral(":/images/Pause.png")) {
    observer_ = platform::NotificationCenter::defaultCenter().addObserver(
        UpdateControlsNotification, nullptr, [this](const platform::Notification& n) {
            updatePlayPauseButton(dynamic_cast<JuggleView*>(n.object));
        });
}

ControlsWindowController::~ControlsWindowController() {
    observer_.reset();
    delete window_;
}

PanelWindow* ControlsWindowController::window() {
    if (window_ == nullptr) {
        window_ = new PanelWindow(QStringLiteral("Controls"));
        window_->setWindowTitle(QStringLiteral("Controls"));
        window_->onKeyDown = [this](QKeyEvent* event) { keyDown(event); };
        playPauseButton_ = makeButton(window_, QStringLiteral("Play or pause (space)"));
        stepBackButton_ = makeButton(window_, QStringLiteral("Step back"));
        stepForwardButton_ = makeButton(window_, QStringLiteral("Step forward"));
        slider_ = new ValueSlider(0.0, 100.0, 10000, window_);
        slider_->setFocusPolicy(Qt::NoFocus);
        slider_->setToolTip(QStringLiteral("Time"));
        auto* layout = new QHBoxLayout(window_);
        layout->setContentsMargins(10, 6, 10, 6);
        layout->setSpacing(6);
        layout->addWidget(playPauseButton_);
        layout->addWidget(stepBackButton_);
        layout->addWidget(stepForwardButton_);
        layout->addSpacing(6);
        layout->addWidget(slider_, 1);
        windowDidLoad();
    }
    return window_;
}

void ControlsWindowController::windowDidLoad() {
    window_->resize(525, 60);
    window_->setMinimumSize(175, 60);
    window_->setMaximumSize(750, 60);

    // A toggle: a held button would flip it back and forth, so it does not repeat.
    playPauseButton_->setCheckable(true);
    playPauseButton_->setIcon(playImage_);
    QObject::connect(playPauseButton_, &QPushButton::clicked, playPauseButton_,
                     [this](bool checked) { playPausePressed(checked); });

    stepForwardButton_->setIcon(QIcon(QStringLiteral(":/images/StepForward.png")));
    stepBackButton_->setIcon(QIcon(QStringLiteral(":/images/StepBack.png")));
    for (QPushButton* button : {stepForwardButton_, stepBackButton_}) {
        button->setAutoRepeat(true);
        button->setAutoRepeatDelay(250);
        button->setAutoRepeatInterval(20);
    }
    QObject::connect(stepForwardButton_, &QPushButton::clicked, stepForwardButton_,
                     [this] { stepForwardPressed(); });
    QObject::connect(stepBackButton_, &QPushButton::clicked, stepBackButton_,
                     [this] { stepBackPressed(); });

    slider_->onAction = [this](float value) { slideTime(value); };
    sliderAdapter_ = std::make_shared<TimeSliderAdapter>(slider_);
    JuggleView::staticSlider(sliderAdapter_);

    if (JuggleView* view = JuggleView::currentView()) {
        view->updateControls();
    }
}

QPushButton* ControlsWindowController::playPauseButton() {
    window();
    return playPauseButton_;
}

QPushButton* ControlsWindowController::stepForwardButton() {
    window();
    return stepForwardButton_;
}

QPushButton* ControlsWindowController::stepBackButton() {
    window();
    return stepBackButton_;
}

ValueSlider* ControlsWindowController::slider() {
    window();
    return slider_;
}

void ControlsWindowController::showWindow() {
    PanelWindow* panel = window();
    if (firstShow_) {
        firstShow_ = false;
        if (!panel->restoreFrame()) {
            panel->setFrameTopLeftPoint(QPointF(25, 100));
        }
    }
    panel->show();
    panel->raise();
}

void ControlsWindowController::playPausePressed(bool state) {
    const int newState = state ? 1 : 0;
    if (newState == playState_) {
        return;
    }
    playState_ = newState;
    if (JuggleView* view = JuggleView::currentView()) {
        view->setIsPlaying(playState_ == 1);
    }
}

void ControlsWindowController::stepForwardPressed() {
    if (JuggleView* view = JuggleView::currentView()) {
        view->setIsPlaying(false);
        view->incrementTime();
        view->nextFrame();
    }
}

void ControlsWindowController::stepBackPressed() {
    if (JuggleView* view = JuggleView::currentView()) {
        view->setIsPlaying(false);
        view->decrementTime();
        view->nextFrame();
    }
}

void ControlsWindowController::slideTime(float value) {
    if (JuggleView* view = JuggleView::currentView()) {
        view->setNormalizedTime(value);
        view->setIsPlaying(false);
        view->nextFrame();
    }
}

void ControlsWindowController::keyDown(QKeyEvent* event) {
    JuggleView* view = JuggleView::currentView();
    if (view != nullptr && event->text() == QStringLiteral(" ")) {
        view->setIsPlaying(!view->isPlaying());
    }
}

void ControlsWindowController::updatePlayPauseButton(JuggleView* view) {
    const bool playing = view != nullptr && view->isPlaying();
    playState_ = playing ? 1 : 0;
    if (playPauseButton_ != nullptr) {
        playPauseButton_->setChecked(playing);
        playPauseButton_->setIcon(playing ? pauseImage_ : playImage_);
    }
    showsPause_ = playing;
}
