#pragma once

#include <QSlider>
#include <functional>

#include "platform/FloatSlider.h"

// A horizontal slider with a float value. Setting the value from code sends no action, and
// reads back exactly what was set; the user's moves send `onAction` with the new value.
class ValueSlider : public QSlider {
  public:
    // `steps` positions between minimum and maximum.
    explicit ValueSlider(double minimum, double maximum, int steps = 10000,
                         QWidget* parent = nullptr);

    float floatValue() const { return value_; }
    void setFloatValue(float value);
    void setMinValue(double minimum);
    void setMaxValue(double maximum);
    double minValue() const { return minimum_; }
    double maxValue() const { return maximum_; }
    // Evenly spread over the range, the first at the minimum and the last at the maximum.
    void setNumberOfTickMarks(int count);
    int numberOfTickMarks() const { return tickMarks_; }

    std::function<void(float)> onAction;

  private:
    int positionForValue(double value) const;
    double valueForPosition(int position) const;
    void userMoved(int position);

    double minimum_;
    double maximum_;
    int steps_;
    int tickMarks_ = 0;
    float value_ = 0.0f;
    bool settingFromCode_ = false;
};

// The time slider as the views see it: held by its panel, lent to the views weakly.
class TimeSliderAdapter : public platform::FloatSlider {
  public:
    explicit TimeSliderAdapter(ValueSlider* slider) : slider_(slider) {}
    float floatValue() const override { return slider_->floatValue(); }
    void setFloatValue(float value) override { slider_->setFloatValue(value); }

  private:
    ValueSlider* slider_;
};
