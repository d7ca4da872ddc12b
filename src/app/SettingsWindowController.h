#pragma once

#include "platform/NotificationCenter.h"

class JuggleView;
class PanelWindow;
class QKeyEvent;
class ValueSlider;
class ZoomSlider;

// The Settings panel: the speed and zoom sliders of the current view.
class SettingsWindowController {
  public:
    static SettingsWindowController& sharedWindowController();
    static void releaseSharedWindowController();
    static bool exists();

    // The speed slider's range, in time units per frame; the views start at 2.0.
    static constexpr double kMinSpeed = 0.0;
    static constexpr double kMaxSpeed = 8.0;

    ~SettingsWindowController();
    SettingsWindowController(const SettingsWindowController&) = delete;
    SettingsWindowController& operator=(const SettingsWindowController&) = delete;

    PanelWindow* window();
    void showWindow();
    ValueSlider* speedSlider();
    ZoomSlider* zoomSlider();

    void slideSpeed(float value);
    void slideZoom(float value);
    void keyDown(QKeyEvent* event);
    void updateSliders(JuggleView* view);

  private:
    SettingsWindowController();
    void windowDidLoad();

    PanelWindow* window_ = nullptr;
    ValueSlider* speedSlider_ = nullptr;
    ZoomSlider* zoomSlider_ = nullptr;
    bool firstShow_ = true;
    platform::ObserverToken observer_;
};
