#pragma once

#include "app/ValueSlider.h"

// Holds the current view's clock still while the zoom slider is dragged: the view keeps
// redrawing at each tick, at the new scale, without moving on.
class ZoomSliderCell {
  public:
    // A drag starts: keep the current view's speed and stop its clock.
    void startTracking();
    // The drag ends: give the current view the kept speed back.
    void stopTracking();
    bool isTracking() const { return tracking_; }
    float deltaTime() const { return deltaTime_; }

  private:
    float deltaTime_ = 0.0f;
    bool tracking_ = false;
    bool gaveToView_ = false;
};

// The zoom slider: 0.5 to 1.5 pixels per unit, 15 tick marks below it, any value between,
// continuous while dragged.
class ZoomSlider : public ValueSlider {
  public:
    explicit ZoomSlider(QWidget* parent = nullptr);
    ZoomSliderCell& cell() { return cell_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    ZoomSliderCell cell_;
};
