#include "view/DrawRectManager.h"

#include <algorithm>

#include "platform/View.h"

void DrawRectManager::postCurrentRect(const Rect& rect) {
    previousRect_ = currentRect_;
    currentRect_ = rect;
}

void DrawRectManager::setNeedsDisplayForView(platform::View& view) const {
    if (currentRect_ == previousRect_) {
        return;
    }
    view.setNeedsDisplayInRect(currentRect_);
    view.setNeedsDisplayInRect(previousRect_);
}

Rect DrawRectManager::unionRect() const {
    auto empty = [](const Rect& r) { return !(r.width > 0.0f) || !(r.height > 0.0f); };
    if (empty(currentRect_)) {
        return empty(previousRect_) ? Rect{} : previousRect_;
    }
    if (empty(previousRect_)) {
        return currentRect_;
    }
    const float left = std::min(currentRect_.origin.x, previousRect_.origin.x);
    const float bottom = std::min(currentRect_.origin.y, previousRect_.origin.y);
    const float right = std::max(currentRect_.origin.x + currentRect_.width,
                                 previousRect_.origin.x + previousRect_.width);
    const float top = std::max(currentRect_.origin.y + currentRect_.height,
                               previousRect_.origin.y + previousRect_.height);
    return Rect{{left, bottom}, right - left, top - bottom};
}
