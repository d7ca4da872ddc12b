#include "SvgPainter.h"

#include <cmath>
#include <cstdio>

namespace {

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

int byte(float component) {
    const float clamped = component < 0 ? 0 : (component > 1 ? 1 : component);
    return static_cast<int>(std::lround(clamped * 255.0f));
}

constexpr double kPi = 3.14159265358979323846;

}  // namespace

SvgPainter::SvgPainter(int widthPixels, int heightPixels, Rect bounds, float scale)
    : width_(widthPixels), height_(heightPixels), bounds_(bounds), scale_(scale) {}

void SvgPainter::setColor(const platform::Color& color) {
    color_ = color;
}

std::string SvgPainter::colorText() const {
    char text[32];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(color_.red), byte(color_.green),
                  byte(color_.blue));
    return text;
}

void SvgPainter::fillRect(const Rect& rect) {
    body_ += "<rect x=\"" + number(rect.origin.x) + "\" y=\"" + number(rect.origin.y) +
             "\" width=\"" + number(rect.width) + "\" height=\"" + number(rect.height) +
             "\" fill=\"" + colorText() + "\"/>\n";
}

void SvgPainter::strokeLine(Point from, Point to) {
    body_ += "<line x1=\"" + number(from.x) + "\" y1=\"" + number(from.y) + "\" x2=\"" +
             number(to.x) + "\" y2=\"" + number(to.y) + "\" stroke=\"" + colorText() +
             "\" stroke-width=\"1\"/>\n";
}

void SvgPainter::fillOval(const Rect& rect) {
    const double cx = rect.origin.x + rect.width / 2.0;
    const double cy = rect.origin.y + rect.height / 2.0;
    if (rect.width == rect.height) {
        body_ += "<circle cx=\"" + number(cx) + "\" cy=\"" + number(cy) + "\" r=\"" +
                 number(rect.width / 2.0) + "\" fill=\"" + colorText() + "\"/>\n";
    } else {
        body_ += "<ellipse cx=\"" + number(cx) + "\" cy=\"" + number(cy) + "\" rx=\"" +
                 number(rect.width / 2.0) + "\" ry=\"" + number(rect.height / 2.0) + "\" fill=\"" +
                 colorText() + "\"/>\n";
    }
}

void SvgPainter::strokeArc(Point center, float radius, float startDegrees, float endDegrees) {
    double sweep = std::fmod(static_cast<double>(endDegrees) - startDegrees, 360.0);
    if (sweep < 0) {
        sweep += 360.0;
    }
    const double a0 = startDegrees * kPi / 180.0;
    const double a1 = a0 + sweep * kPi / 180.0;
    // Inside the flipped group, sweep-flag 1 runs from +x toward +y: counter-clockwise, y up.
    body_ += "<path d=\"M " + number(center.x + radius * std::cos(a0)) + " " +
             number(center.y + radius * std::sin(a0)) + " A " + number(radius) + " " +
             number(radius) + " 0 " + (sweep > 180.0 ? "1" : "0") + " 1 " +
             number(center.x + radius * std::cos(a1)) + " " +
             number(center.y + radius * std::sin(a1)) + "\" fill=\"none\" stroke=\"" + colorText() +
             "\" stroke-width=\"1\"/>\n";
}

std::string SvgPainter::document() const {
    // Page y runs down from the top; view y runs up from the bounds' bottom edge.
    const std::string transform = "translate(0 " + number(height_) + ") scale(" + number(scale_) +
                                  " " + number(-scale_) + ") translate(" +
                                  number(-bounds_.origin.x) + " " + number(-bounds_.origin.y) + ")";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           std::to_string(width_) + "\" height=\"" + std::to_string(height_) + "\" viewBox=\"0 0 " +
           std::to_string(width_) + " " + std::to_string(height_) + "\">\n<g transform=\"" +
           transform + "\">\n" + body_ + "</g>\n</svg>\n";
}
