#pragma once

#include "geometry/Geometry.h"

namespace platform {

// An opaque-by-default colour with float components from 0 to 1.
struct Color {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 1.0f;
    friend bool operator==(const Color&, const Color&) = default;
};

// The toolkit's standard named colours.
namespace named {
inline constexpr Color white{1.0f, 1.0f, 1.0f, 1.0f};
inline constexpr Color lightGray{2.0f / 3.0f, 2.0f / 3.0f, 2.0f / 3.0f, 1.0f};
inline constexpr Color black{0.0f, 0.0f, 0.0f, 1.0f};
inline constexpr Color blue{0.0f, 0.0f, 1.0f, 1.0f};
inline constexpr Color red{1.0f, 0.0f, 0.0f, 1.0f};
}  // namespace named

// Draws in view units: x to the right, y up. Strokes are one view unit wide and grow with
// the view's scale. The current colour serves fills and strokes alike.
class Painter {
  public:
    virtual ~Painter() = default;

    virtual void setColor(const Color& color) = 0;
    virtual void fillRect(const Rect& rect) = 0;
    virtual void strokeLine(Point from, Point to) = 0;
    // Fills the ellipse inscribed in the rectangle.
    virtual void fillOval(const Rect& rect) = 0;
    // Angles in degrees from the +x axis; the arc runs counter-clockwise (y up) from start
    // to end.
    virtual void strokeArc(Point center, float radius, float startDegrees, float endDegrees) = 0;
};

}  // namespace platform
