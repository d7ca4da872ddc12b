#pragma once

#include <string>

#include "geometry/Geometry.h"
#include "platform/Painter.h"

// Paints into an SVG document: the same calls that draw a frame on screen, as vector
// shapes. Coordinates are view units with y up; one group maps them onto the page.
class SvgPainter : public platform::Painter {
  public:
    // `bounds` is the view's visible area in view units, `scale` pixels per unit.
    SvgPainter(int widthPixels, int heightPixels, Rect bounds, float scale);

    void setColor(const platform::Color& color) override;
    void fillRect(const Rect& rect) override;
    void strokeLine(Point from, Point to) override;
    void fillOval(const Rect& rect) override;
    void strokeArc(Point center, float radius, float startDegrees, float endDegrees) override;

    std::string document() const;

  private:
    std::string colorText() const;

    int width_;
    int height_;
    Rect bounds_;
    float scale_;
    platform::Color color_;
    std::string body_;
};
