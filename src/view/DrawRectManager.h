#pragma once

#include "geometry/Geometry.h"

namespace platform {
class View;
}

// Remembers where one ball or hand was drawn in the latest two frames, so a frame repaints
// only the areas it left and entered.
class DrawRectManager {
  public:
    void postCurrentRect(const Rect& rect);
    // Marks the current and the previous rectangle separately, or nothing if they are equal:
    // one enclosing rectangle would repaint the whole path of a fast ball.
    void setNeedsDisplayForView(platform::View& view) const;
    // The smallest rectangle enclosing both; an empty one is left out.
    Rect unionRect() const;

    Rect currentRect() const { return currentRect_; }
    Rect previousRect() const { return previousRect_; }

  private:
    Rect currentRect_;
    Rect previousRect_;
};
