#pragma once

// A recording stand-in for the toolkit facade: timers fire on demand, cursor calls and
// beeps are logged, a slider remembers what it was set to, a painter logs its calls.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/FloatSlider.h"
#include "platform/Painter.h"
#include "platform/Toolkit.h"

namespace fakes {

class FakeTimer final : public platform::Timer {
  public:
    FakeTimer(std::vector<FakeTimer*>& live, double seconds,
              std::function<void(platform::Timer&)> action)
        : live_(live), seconds_(seconds), action_(std::move(action)) {
        live_.push_back(this);
    }
    ~FakeTimer() override { std::erase(live_, this); }
    void invalidate() override { valid_ = false; }
    bool isValid() const override { return valid_; }
    void fire() {
        if (valid_) {
            action_(*this);
        }
    }
    double seconds() const { return seconds_; }

  private:
    std::vector<FakeTimer*>& live_;
    double seconds_;
    std::function<void(platform::Timer&)> action_;
    bool valid_ = true;
};

// Installs itself for its lifetime. Timers belong to their callers; timers lists those alive.
class FakeToolkit final : public platform::Toolkit {
  public:
    FakeToolkit() { platform::setToolkit(this); }
    ~FakeToolkit() override { platform::setToolkit(nullptr); }

    std::unique_ptr<platform::Timer> scheduledTimer(
        double seconds, std::function<void(platform::Timer&)> action) override {
        return std::make_unique<FakeTimer>(timers, seconds, std::move(action));
    }
    void pushCursor(const platform::Cursor& cursor) override {
        stack.push_back(cursor);
        log.push_back("push " + cursor.image);
    }
    void popCursor() override {
        if (!stack.empty()) {
            stack.pop_back();
        }
        log.push_back("pop");
    }
    void setArrowCursor() override { log.push_back("arrow"); }
    void beep() override { ++beeps; }

    int count(const std::string& entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }

    std::vector<FakeTimer*> timers;
    std::vector<platform::Cursor> stack;
    std::vector<std::string> log;
    int beeps = 0;
};

class FakeSlider final : public platform::FloatSlider {
  public:
    float floatValue() const override { return value; }
    void setFloatValue(float v) override {
        value = v;
        ++sets;
    }
    float value = -1.0f;
    int sets = 0;
};

class RecordingPainter final : public platform::Painter {
  public:
    struct Call {
        std::string op;
        platform::Color color;
        Rect rect;
        Point a;
        Point b;
        float radius = 0.0f;
        float start = 0.0f;
        float end = 0.0f;
    };
    void setColor(const platform::Color& c) override { color_ = c; }
    void fillRect(const Rect& r) override { calls.push_back({"fillRect", color_, r, {}, {}}); }
    void strokeLine(Point from, Point to) override {
        calls.push_back({"strokeLine", color_, {}, from, to});
    }
    void fillOval(const Rect& r) override { calls.push_back({"fillOval", color_, r, {}, {}}); }
    void strokeArc(Point c, float radius, float start, float end) override {
        calls.push_back({"strokeArc", color_, {}, c, {}, radius, start, end});
    }
    std::vector<Call> calls;

  private:
    platform::Color color_;
};

}  // namespace fakes
