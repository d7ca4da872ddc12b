#include "app/SettingsWindowController.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <memory>

#include "app/PanelWindow.h"
#include "app/ZoomSlider.h"
#include "view/JuggleView.h"

namespace {

std::unique_ptr<SettingsWindowController>& instance() {
    static std::unique_ptr<SettingsWindowController> controller;
    return controller;
}

}  // namespace

SettingsWindowController& SettingsWindowController::sharedWindowController() {
    if (!instance()) {
        instance().reset(new SettingsWindowController());
    }
    return *instance();
}

void SettingsWindowController::releaseSharedWindowController() {
    instance().reset();
}

bool SettingsWindowController::exists() {
    return instance() != nullptr;
}

SettingsWindowController::SettingsWindowController() {
    observer_ = platform::NotificationCenter::defaultCenter().addObserver(
        UpdateSettingsNotification, nullptr, [this](const platform::Notification& n) {
            updateSliders(dynamic_cast<JuggleView*>(n.object));
        });
}

SettingsWindowController::~SettingsWindowController() {
    observer_.reset();
    delete window_;
}

PanelWindow* SettingsWindowController::window() {
    if (window_ == nullptr) {
        window_ = new PanelWindow(QStringLiteral("Settings"));
        window_->setWindowTitle(QStringLiteral("Settings"));
        window_->onKeyDown = [this](QKeyEvent* event) { keyDown(event); };

        speedSlider_ = new ValueSlider(kMinSpeed, kMaxSpeed, 800, window_);
        speedSlider_->setNumberOfTickMarks(9);
        speedSlider_->setToolTip(QStringLiteral("Time units per frame; 2 at start"));
        zoomSlider_ = new ZoomSlider(window_);
        zoomSlider_->setToolTip(QStringLiteral("Pixels per unit"));
        for (ValueSlider* slider : {speedSlider_, static_cast<ValueSlider*>(zoomSlider_)}) {
            slider->setFocusPolicy(Qt::NoFocus);  // space belongs to the panel: play/pause
        }

        auto* layout = new QVBoxLayout(window_);
        layout->setContentsMargins(10, 10, 10, 10);
        layout->addWidget(new QLabel(QStringLiteral("Speed"), window_));
        layout->addWidget(speedSlider_);
        layout->addSpacing(12);
        layout->addWidget(new QLabel(QStringLiteral("Zoom"), window_));
        layout->addWidget(zoomSlider_);
        layout->addStretch(1);
        windowDidLoad();
    }
    return window_;
}

void SettingsWindowController::windowDidLoad() {
    window_->resize(161, 233);
    speedSlider_->onAction = [this](float value) { slideSpeed(value); };
    zoomSlider_->onAction = [this](float value) { slideZoom(value); };
    if (JuggleView* view = JuggleView::currentView()) {
        view->updateSettings();
    }
}

ValueSlider* SettingsWindowController::speedSlider() {
    window();
    return speedSlider_;
}

ZoomSlider* SettingsWindowController::zoomSlider() {
    window();
    return zoomSlider_;
}

void SettingsWindowController::showWindow() {
    PanelWindow* panel = window();
    if (firstShow_) {
        firstShow_ = false;
        if (!panel->restoreFrame()) {
            // 35 points right of and below the list panel's first place.
            const QSizeF screen = mainScreenSize();
            panel->setFrameTopLeftPoint(
                QPointF(static_cast<float>(screen.width() * 575.0 / 800.0 + 35.0),
                        static_cast<float>(screen.height() * 551.0 / 600.0 - 35.0)));
        }
    }
    panel->show();
    panel->raise();
}

void SettingsWindowController::slideSpeed(float value) {
    if (JuggleView* view = JuggleView::currentView()) {
        view->setDeltaTime(value);
    }
}

void SettingsWindowController::slideZoom(float value) {
    if (JuggleView* view = JuggleView::currentView()) {
        view->setUnitSide(value);
    }
}

void SettingsWindowController::keyDown(QKeyEvent* event) {
    JuggleView* view = JuggleView::currentView();
    if (view != nullptr && event->text() == QStringLiteral(" ")) {
        view->setIsPlaying(!view->isPlaying());
    }
}

void SettingsWindowController::updateSliders(JuggleView* view) {
    if (view == nullptr || window_ == nullptr) {
        return;
    }
    speedSlider_->setFloatValue(view->deltaTime());
    zoomSlider_->setFloatValue(view->unitSide());
}
