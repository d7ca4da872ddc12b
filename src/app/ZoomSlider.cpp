#include "app/ZoomSlider.h"

#include <QMouseEvent>

#include "view/JuggleView.h"

void ZoomSliderCell::startTracking() {
    JuggleView* view = JuggleView::currentView();
    deltaTime_ = view != nullptr ? view->deltaTime() : 0.0f;
    gaveToView_ = view != nullptr;
    if (view != nullptr) {
        view->setDeltaTime(0.0f);
    }
    tracking_ = true;
}

void ZoomSliderCell::stopTracking() {
    if (!tracking_) {
        return;
    }
    tracking_ = false;
    JuggleView* view = JuggleView::currentView();
    if (view != nullptr && gaveToView_) {
        view->setDeltaTime(deltaTime_);
    }
}

// 1400 steps: the 15 tick marks fall on whole positions, one every 100.
ZoomSlider::ZoomSlider(QWidget* parent) : ValueSlider(0.5, 1.5, 1400, parent) {
    setMinValue(0.5);
    setMaxValue(1.5);
    setFloatValue(1.0f);
    setTracking(true);
    setEnabled(true);
    setNumberOfTickMarks(15);
}

void ZoomSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !cell_.isTracking()) {
        cell_.startTracking();
    }
    ValueSlider::mousePressEvent(event);
}

void ZoomSlider::mouseReleaseEvent(QMouseEvent* event) {
    ValueSlider::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        cell_.stopTracking();
    }
}

// A panel closed in the middle of a drag sees no release; the view must not stay frozen.
void ZoomSlider::hideEvent(QHideEvent* event) {
    cell_.stopTracking();
    ValueSlider::hideEvent(event);
}
