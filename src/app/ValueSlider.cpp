#include "app/ValueSlider.h"

#include <algorithm>
#include <cmath>

ValueSlider::ValueSlider(double minimum, double maximum, int steps, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), minimum_(minimum), maximum_(maximum), steps_(steps) {
    setRange(0, steps_);
    setSingleStep(std::max(1, steps_ / 100));
    setPageStep(std::max(1, steps_ / 10));
    value_ = static_cast<float>(minimum_);
    connect(this, &QSlider::valueChanged, this, [this](int position) {
        if (!settingFromCode_) {
            userMoved(position);
        }
    });
}

int ValueSlider::positionForValue(double value) const {
    if (!(maximum_ > minimum_) || !std::isfinite(value)) {
        return 0;
    }
    const double fraction = std::clamp((value - minimum_) / (maximum_ - minimum_), 0.0, 1.0);
    return static_cast<int>(std::lround(fraction * steps_));
}

double ValueSlider::valueForPosition(int position) const {
    return minimum_ + (maximum_ - minimum_) * position / steps_;
}

void ValueSlider::setFloatValue(float value) {
    value_ = value;
    settingFromCode_ = true;
    setValue(positionForValue(value));
    settingFromCode_ = false;
}

void ValueSlider::setMinValue(double minimum) {
    minimum_ = minimum;
    setFloatValue(value_);
    setNumberOfTickMarks(tickMarks_);
}

void ValueSlider::setMaxValue(double maximum) {
    maximum_ = maximum;
    setFloatValue(value_);
    setNumberOfTickMarks(tickMarks_);
}

void ValueSlider::setNumberOfTickMarks(int count) {
    tickMarks_ = count;
    if (count < 2) {
        setTickPosition(QSlider::NoTicks);
        return;
    }
    setTickInterval(std::max(1, steps_ / (count - 1)));
    setTickPosition(QSlider::TicksBelow);
}

void ValueSlider::userMoved(int position) {
    value_ = static_cast<float>(valueForPosition(position));
    if (onAction) {
        onAction(value_);
    }
}
