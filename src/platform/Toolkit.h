#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

// A repeating timer. Destroying it invalidates it, so no firing reaches its owner after.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void invalidate() = 0;
    virtual bool isValid() const = 0;
};

// A cursor image by resource name ("" is the arrow) and its hot spot in image pixels.
struct Cursor {
    std::string image;
    int hotSpotX = 0;
    int hotSpotY = 0;
    friend bool operator==(const Cursor&, const Cursor&) = default;
};

// The application-wide services of the windowing toolkit.
class Toolkit {
  public:
    virtual ~Toolkit() = default;

    // Fires `action` with the timer every `seconds`, also while menus or slider drags run.
    virtual std::unique_ptr<Timer> scheduledTimer(double seconds,
                                                  std::function<void(Timer&)> action) = 0;
    // A stack of cursors: the top one shows over every window.
    virtual void pushCursor(const Cursor& cursor) = 0;
    virtual void popCursor() = 0;
    // Shows the arrow without touching the stack.
    virtual void setArrowCursor() = 0;
    virtual void beep() = 0;
};

// The installed toolkit; until one is installed, a toolkit that ignores every command and
// whose timers never fire.
Toolkit& toolkit();
// Installs a toolkit (not owned); none puts the ignoring one back.
void setToolkit(Toolkit* toolkit);

}  // namespace platform
