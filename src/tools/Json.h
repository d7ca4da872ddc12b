#pragma once

#include <cstdint>
#include <string>

#include "geometry/Geometry.h"

// A small JSON line writer: floats with 9 significant digits (they read back to the same
// float), integer-valued floats without a decimal point, strings escaped.
class JsonLine {
  public:
    JsonLine& begin();
    JsonLine& end();
    JsonLine& key(const char* name);
    JsonLine& value(const std::string& text);
    JsonLine& value(const char* text) { return value(std::string(text)); }
    JsonLine& value(bool flag);
    JsonLine& value(int32_t number);
    JsonLine& value(float number);
    JsonLine& value(Point point);
    JsonLine& beginArray();
    JsonLine& endArray();
    JsonLine& raw(const std::string& text);
    const std::string& str() const { return out_; }

  private:
    void separate();
    std::string out_;
    bool needComma_ = false;
};

std::string formatFloat(float number);
