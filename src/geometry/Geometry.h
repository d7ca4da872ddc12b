#pragma once

// Small value types for positions in pattern and view units. Compared exactly: the
// damage tracking and the time-0 painting rule depend on exact equality.

struct Point {
    float x = 0.0f;
    float y = 0.0f;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    Point origin;
    float width = 0.0f;
    float height = 0.0f;
    friend bool operator==(const Rect&, const Rect&) = default;
};
