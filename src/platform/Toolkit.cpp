#include "platform/Toolkit.h"

namespace platform {

namespace {

class IdleTimer final : public Timer {
  public:
    void invalidate() override { valid_ = false; }
    bool isValid() const override { return valid_; }

  private:
    bool valid_ = true;
};

// Stands in until a real toolkit is installed: commands are ignored, timers never fire.
class NullToolkit final : public Toolkit {
  public:
    std::unique_ptr<Timer> scheduledTimer(double, std::function<void(Timer&)>) override {
        return std::make_unique<IdleTimer>();
    }
    void pushCursor(const Cursor&) override {}
    void popCursor() override {}
    void setArrowCursor() override {}
    void beep() override {}
};

NullToolkit gNullToolkit;
Toolkit* gToolkit = nullptr;

}  // namespace

Toolkit& toolkit() {
    return gToolkit ? *gToolkit : gNullToolkit;
}
void setToolkit(Toolkit* toolkit) {
    gToolkit = toolkit;
}

}  // namespace platform
