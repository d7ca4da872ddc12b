#include "platform/View.h"

namespace platform {

namespace {
View* gCurrentView = nullptr;
}

View* currentView() {
    return gCurrentView;
}
void setCurrentView(View* view) {
    gCurrentView = view;
}

View::View(Rect frame) : frame_(frame) {}

View::~View() {
    if (gCurrentView == this) {
        gCurrentView = nullptr;
    }
}

void View::setFrameSize(float width, float height) {
    frame_.width = width;
    frame_.height = height;
}

Rect View::bounds() const {
    return Rect{boundsOrigin_, static_cast<float>(frame_.width / scaleX_),
                static_cast<float>(frame_.height / scaleY_)};
}

void View::setBoundsOrigin(Point origin) {
    boundsOrigin_ = origin;
}

void View::scaleUnitSquareToSize(double sx, double sy) {
    scaleX_ *= sx;
    scaleY_ *= sy;
}

void View::setNeedsDisplayInRect(const Rect& rect) {
    if (!(rect.width > 0.0f) || !(rect.height > 0.0f)) {
        return;
    }
    if (marks_.size() >= kMaxMarks) {
        setNeedsDisplay(true);
        return;
    }
    marks_.push_back(rect);
    if (host_) {
        host_->viewDidMarkRect(*this, rect);
    }
}

void View::setNeedsDisplay(bool flag) {
    if (!flag) {
        clearMarks();
        return;
    }
    wholeMarked_ = true;
    if (host_) {
        host_->viewDidMarkWhole(*this);
    }
}

void View::clearMarks() {
    marks_.clear();
    wholeMarked_ = false;
}

void View::setTitle(const std::string& title) {
    title_ = title;
    if (host_) {
        host_->viewDidSetTitle(*this, title_);
    }
}

void View::drawRect(Painter&, const Rect&) {}
void View::keyDown(const KeyEvent&) {}

}  // namespace platform
