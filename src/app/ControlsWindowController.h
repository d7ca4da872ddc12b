#pragma once

#include <QIcon>
#include <memory>

#include "platform/NotificationCenter.h"

class JuggleView;
class PanelWindow;
class QKeyEvent;
class QPushButton;
class TimeSliderAdapter;
class ValueSlider;

// The Controls panel: play/pause, step back, step forward and the time slider, acting on
// the current view and following its play state.
class ControlsWindowController {
  public:
    // The single instance, created on first use; it lives to the end of the run.
    static ControlsWindowController& sharedWindowController();
    // Destroys the single instance (the application's end, and between tests).
    static void releaseSharedWindowController();
    static bool exists();

    ~ControlsWindowController();
    ControlsWindowController(const ControlsWindowController&) = delete;
    ControlsWindowController& operator=(const ControlsWindowController&) = delete;

    PanelWindow* window();
    void showWindow();

    QPushButton* playPauseButton();
    QPushButton* stepForwardButton();
    QPushButton* stepBackButton();
    ValueSlider* slider();
    int playState() const { return playState_; }
    // True while the play/pause button shows the pause image.
    bool showsPauseImage() const { return showsPause_; }

    void playPausePressed(bool state);
    void stepForwardPressed();
    void stepBackPressed();
    void slideTime(float value);
    void keyDown(QKeyEvent* event);
    void updatePlayPauseButton(JuggleView* view);

  private:
    ControlsWindowController();
    void windowDidLoad();

    PanelWindow* window_ = nullptr;
    QPushButton* playPauseButton_ = nullptr;
    QPushButton* stepForwardButton_ = nullptr;
    QPushButton* stepBackButton_ = nullptr;
    ValueSlider* slider_ = nullptr;
    std::shared_ptr<TimeSliderAdapter> sliderAdapter_;  // lent to the views
    QIcon playImage_;
    QIcon pauseImage_;
    int playState_ = 0;
    bool showsPause_ = false;
    bool firstShow_ = true;
    platform::ObserverToken observer_;
};
