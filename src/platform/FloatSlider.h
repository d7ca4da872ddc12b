#pragma once

namespace platform {

// A slider with a float value, such as the time slider the views show their clock on.
class FloatSlider {
  public:
    virtual ~FloatSlider() = default;
    virtual float floatValue() const = 0;
    virtual void setFloatValue(float value) = 0;
};

}  // namespace platform
