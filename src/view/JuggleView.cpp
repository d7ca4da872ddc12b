#include "view/JuggleView.h"

#include <cmath>

#include "platform/NotificationCenter.h"

namespace {

std::weak_ptr<platform::FloatSlider>& registeredSlider() {
    static std::weak_ptr<platform::FloatSlider> slider;
    return slider;
}

constexpr float kFloorOffset = 64.0f;  // view units from the bottom edge up to y = 0

}  // namespace

JuggleView::JuggleView(Rect frame) : platform::View(frame) {
    colors_.reserve(20);
    colors_ = {
        platform::named::blue,    {1.0f, 0.9725f, 0.0f},    platform::named::red,
        {0.0f, 0.8706f, 0.0f},    {1.0f, 0.4f, 0.0f},       {0.604f, 0.0f, 1.0f},
        {0.0f, 0.604f, 1.0f},     {0.804f, 0.0f, 0.604f},   {0.0f, 0.451f, 0.0f},
        {0.0f, 0.0f, 0.6118f},    {0.8f, 0.0f, 0.0f},       {1.0f, 0.604f, 0.1176f},
        {1.0f, 0.4314f, 0.7804f}, {0.392f, 0.584f, 0.929f}, {0.651f, 0.49f, 0.239f},
        {0.851f, 0.859f, 0.922f}, {0.953f, 0.824f, 0.192f}, platform::named::black,
    };
    ballRectManagers_.reserve(10);
    handRectManagers_.reserve(5);
    unitSide_ = 1.0f;  // before the first zoom to fit, which scales from it

    setPattern(SiteSwap::initWithSequence("5"));

    isPlaying_ = false;
    willTransition_ = false;
    isTransitioning_ = false;
    needsWaitCursor_ = 0;
    time_ = 0.0f;
    deltaTime_ = 2.0f;
    previousDeltaTime_ = 0.0f;
    snapTime_ = 0.0f;
    if (pattern_) {
        pattern_->computePointsAtTime(time_);
    }
}

JuggleView::~JuggleView() {
    if (frameTimer_) {
        frameTimer_->invalidate();
    }
    popWaitCursors();
}

JuggleView* JuggleView::currentView() {
    return dynamic_cast<JuggleView*>(platform::currentView());
}

std::shared_ptr<platform::FloatSlider> JuggleView::staticSlider(
    std::shared_ptr<platform::FloatSlider> slider) {
    if (slider) {
        registeredSlider() = slider;
        return slider;
    }
    return registeredSlider().lock();
}

std::shared_ptr<SiteSwap> JuggleView::siteSwap() const {
    return std::dynamic_pointer_cast<SiteSwap>(pattern_);
}

// ---------------------------------------------------------------- pattern and hand-over

void JuggleView::setPattern(std::shared_ptr<SiteSwap> p) {
    if (pattern_ && p && isPlaying_) {
        if (isTransitioning_) {
            return;
        }
        // While steady or pending the pattern shown is a siteswap.
        const auto old = std::dynamic_pointer_cast<SiteSwap>(pattern_);
        auto next = old ? Transition::initFromSiteSwap(*old, p, time_) : nullptr;
        if (next) {
            popWaitCursors();  // those of a replaced pending transition
            transition_ = std::move(next);
            growManagers(transition_->numberOfBalls(), false);
            willTransition_ = true;
            needsWaitCursor_ = 5;
            return;
        }
        // No transition joins these two (one has no balls): switch at once rather than
        // refuse the user's choice.
    }
    replaceDirectly(std::move(p));
}

void JuggleView::replaceDirectly(std::shared_ptr<SiteSwap> p) {
    // A hand-over in progress would otherwise fire later into a pattern no longer chosen,
    // or keep showing a transition the view has let go of.
    cancelHandOver();
    pattern_ = p;
    if (p) {
        growManagers(p->numberOfBalls(), true);
        setTitle(p->sequence());
        time_ = 0.0f;
        nextFrame(nullptr);
        zoomToFit();
    } else {
        setTitle(" ");
        setNeedsDisplay(true);
    }
}

void JuggleView::cancelHandOver() {
    transition_.reset();
    willTransition_ = false;
    isTransitioning_ = false;
    needsWaitCursor_ = 0;
    popWaitCursors();
}

void JuggleView::popWaitCursors() {
    for (; waitCursorsOnStack_ > 0; --waitCursorsOnStack_) {
        platform::toolkit().popCursor();
    }
}

bool JuggleView::armWaitCursors(const platform::Cursor& cursor, int count) {
    if (!willTransition_ || count <= 0) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        platform::toolkit().pushCursor(cursor);
    }
    waitCursorsOnStack_ += count;
    return true;
}

void JuggleView::checkTransition() {
    if (willTransition_ && transition_ && time_ > transition_->endSiteSwap1()) {
        const auto old = std::dynamic_pointer_cast<SiteSwap>(pattern_);
        const std::string from = old ? old->sequence() : std::string();
        setTitle(from + " to " + transition_->nextSiteSwap()->sequence());
        pattern_ = transition_;
        time_ = transition_->startTransition() + (time_ - transition_->endSiteSwap1());
        willTransition_ = false;
        isTransitioning_ = true;
        return;
    }
    if (isTransitioning_ && transition_ && time_ > transition_->endTransition()) {
        pattern_ = transition_->nextSiteSwap();
        time_ = transition_->startSiteSwap2() + (time_ - transition_->endTransition());
        transition_.reset();
        setTitle(siteSwap() ? siteSwap()->sequence() : std::string(" "));
        isTransitioning_ = false;
        needsWaitCursor_ = 0;
        popWaitCursors();
        platform::toolkit().setArrowCursor();
        return;
    }
    if (needsWaitCursor_ != 0) {
        // The last pushed cursor stays until the hand-over ends, so the wait shows through.
        if (waitCursorsOnStack_ > 1) {
            platform::toolkit().popCursor();
            --waitCursorsOnStack_;
        }
        --needsWaitCursor_;
    }
}

// ---------------------------------------------------------------- clock

void JuggleView::incrementTime() {
    time_ = time_ + deltaTime_;
    snapTime_ = time_;
    checkTransition();
}

void JuggleView::decrementTime() {
    time_ = time_ - deltaTime_;
    if (isTransitioning_ && transition_) {
        if (time_ < transition_->startTransition()) {
            time_ = transition_->startTransition();
        }
    } else if (time_ < 0.0f) {
        time_ = 0.0f;
    }
    snapTime_ = time_;
}

float JuggleView::normalizedTime() const {
    if (!pattern_) {
        return 0.0f;
    }
    double part = 0.0;
    double whole = 0.0;
    if (isTransitioning_ && transition_) {
        part = static_cast<double>(time_ - transition_->startTransition());
        whole = static_cast<double>(transition_->endTransition() - transition_->startTransition());
    } else {
        part = static_cast<double>(time_);
        whole = static_cast<double>(pattern_->endLoop());
    }
    // A pattern with no length would put infinity or NaN on the slider.
    if (!(whole > 0.0)) {
        return 0.0f;
    }
    return static_cast<float>(part * 100.0 / whole);
}

void JuggleView::setNormalizedTime(float percent) {
    if (!pattern_) {
        time_ = 0.0f;
        return;
    }
    if (isTransitioning_ && transition_) {
        const float start = transition_->startTransition();
        const float span = (transition_->endTransition() - start) * percent;
        time_ = static_cast<float>(static_cast<double>(start) + static_cast<double>(span) / 100.0);
    } else {
        const float s = pattern_->startLoop();
        const float e = pattern_->endLoop();
        const float loop = e - s;
        time_ = static_cast<float>(static_cast<double>(e * percent) / 100.0);
        if (willTransition_ && transition_ && loop > 0.0f) {
            const float loops = (transition_->endSiteSwap1() - s) / loop;
            if (std::isfinite(loops) && std::fabs(loops) < 1.0e9f) {
                const int k = static_cast<int>(loops);
                transition_->setEndSiteSwap1(transition_->endSiteSwap1() -
                                             static_cast<float>(k - 1) * loop);
            }
        }
    }
    // Truncated toward zero the difference is 0 exactly when it lies strictly within one
    // unit; compared as a float, a huge or NaN value cannot overflow an int.
    const float apart = time_ - snapTime_;
    if (apart > -1.0f && apart < 1.0f) {
        time_ = snapTime_;
    }
    checkTransition();
}

void JuggleView::setIsPlaying(bool playing) {
    if (playing == isPlaying_) {
        return;
    }
    isPlaying_ = playing;
    updateControls();
}

void JuggleView::updateSiteSwap() {
    platform::NotificationCenter::defaultCenter().postNotificationName(UpdateSiteSwapNotification,
                                                                       this);
}

void JuggleView::updateControls() {
    platform::NotificationCenter::defaultCenter().postNotificationName(UpdateControlsNotification,
                                                                       this);
    updateSlider();
}

void JuggleView::updateSettings() {
    platform::NotificationCenter::defaultCenter().postNotificationName(UpdateSettingsNotification,
                                                                       this);
}

void JuggleView::updateSlider() {
    if (auto slider = staticSlider()) {
        slider->setFloatValue(normalizedTime());
    }
}

void JuggleView::keyDown(const platform::KeyEvent& event) {
    if (event.characters == " ") {
        setIsPlaying(!isPlaying_);
    }
}

void JuggleView::windowDidBecomeMain() {
    updateSiteSwap();
    updateControls();
    updateSettings();
    if (!pattern_) {
        setTitle(" ");
    } else if (!willTransition_ && !isTransitioning_) {
        if (auto s = siteSwap()) {
            setTitle(s->sequence());
        }
    }
}

// ---------------------------------------------------------------- frames

Rect JuggleView::ballRectForPoint(Point p) {
    return Rect{{p.x - 15.0f, p.y - 15.0f}, 30.0f, 30.0f};
}

Rect JuggleView::handRectForPoint(Point p) {
    return Rect{{p.x - 25.0f, p.y - 25.0f - 1.0f}, 50.0f, 25.0f};
}

void JuggleView::growManagers(int32_t balls, bool hands) {
    if (balls > 0 && ballRectManagers_.size() < static_cast<std::size_t>(balls)) {
        ballRectManagers_.resize(static_cast<std::size_t>(balls));
    }
    if (hands && handRectManagers_.size() < 2) {
        handRectManagers_.resize(2);
    }
}

void JuggleView::centreBounds() {
    setBoundsOrigin(Point{-bounds().width / 2.0f, -kFloorOffset});
    setNeedsDisplay(true);
}

void JuggleView::nextFrame(const platform::Timer* sender) {
    if (!pattern_) {
        return;
    }
    if (sender && !isPlaying_) {
        return;
    }
    if (isPlaying_ && sender) {
        incrementTime();
    }
    pattern_->computePointsAtTime(time_);
    // The lists are grown whenever a pattern or transition is taken on; this only guards
    // against a pattern whose ball count was never announced.
    growManagers(pattern_->numberOfBalls(), true);
    for (int32_t i = 0; i < pattern_->numberOfBalls(); ++i) {
        DrawRectManager& manager = ballRectManagers_[static_cast<std::size_t>(i)];
        manager.postCurrentRect(ballRectForPoint(pattern_->pointForBallNumber(i)));
        manager.setNeedsDisplayForView(*this);
    }
    for (int32_t h = 0; h < 2; ++h) {
        DrawRectManager& manager = handRectManagers_[static_cast<std::size_t>(h)];
        manager.postCurrentRect(handRectForPoint(pattern_->pointForHandNumber(h)));
        manager.setNeedsDisplayForView(*this);
    }
    const Rect b = bounds();
    setNeedsDisplayInRect(Rect{{-0.5f, -kFloorOffset}, 1.0f, b.height});
    if (!(b == previousBounds_)) {
        setBoundsOrigin(Point{-b.width / 2.0f, -kFloorOffset});
        setNeedsDisplay(true);
        previousBounds_ = b;
    }
    if (platform::currentView() == this) {
        updateSlider();
    }
}

void JuggleView::awakeFromNib() {
    centreBounds();
    frameTimer_ = platform::toolkit().scheduledTimer(
        0.02, [this](platform::Timer& timer) { nextFrame(&timer); });
}

void JuggleView::windowDidResize() {
    centreBounds();
}

// ---------------------------------------------------------------- painting and zoom

void JuggleView::drawBallWithCenter(platform::Painter& painter, Point center,
                                    const platform::Color& color) {
    painter.setColor(color);
    painter.fillOval(ballRectForPoint(center));
}

void JuggleView::drawHandWithCenter(platform::Painter& painter, Point center) {
    painter.setColor(platform::named::black);
    painter.strokeArc(center, 25.0f, -165.0f, -15.0f);
}

void JuggleView::drawRect(platform::Painter& painter, const Rect&) {
    const Rect b = bounds();
    painter.setColor(platform::named::white);
    painter.fillRect(b);
    painter.setColor(platform::named::lightGray);
    painter.strokeLine(Point{-b.width / 2.0f, 0.0f}, Point{b.width / 2.0f, 0.0f});
    painter.strokeLine(Point{0.0f, -kFloorOffset}, Point{0.0f, b.height - kFloorOffset});
    if (!pattern_) {
        return;
    }
    const int32_t n = pattern_->numberOfBalls();
    const Point hand0 = pattern_->pointForHandNumber(0);
    const Point hand1 = pattern_->pointForHandNumber(1);
    drawHandWithCenter(painter, hand0);
    drawHandWithCenter(painter, hand1);
    const auto colorOf = [this](int32_t i) {
        return colors_[static_cast<std::size_t>(i) % colors_.size()];
    };
    if (time_ > 0.0f) {
        // Lower numbers are painted last and lie on top.
        for (int32_t i = n - 1; i >= 0; --i) {
            drawBallWithCenter(painter, pattern_->pointForBallNumber(i), colorOf(i));
        }
        return;
    }
    // Before the pattern starts, show only the ball each hand is about to throw.
    bool served0 = false;
    bool served1 = false;
    for (int32_t i = 0; i < n; ++i) {
        const Point p = pattern_->pointForBallNumber(i);
        bool draw = false;
        if (!served0 && p == hand0) {
            served0 = true;
            draw = true;
        }
        if (!served1 && p == hand1) {
            served1 = true;
            draw = true;
        }
        if (draw) {
            drawBallWithCenter(painter, p, colorOf(i));
        }
    }
}

void JuggleView::setUnitSide(float x) {
    // A zero, negative or infinite scale would leave bounds of NaN or infinity that no
    // later zoom could recover from.
    if (!(x > 0.0f) || !std::isfinite(x) || !std::isfinite(1.0f / x)) {
        return;
    }
    scaleUnitSquareToSize(1.0 / unitSide_, 1.0 / unitSide_);
    unitSide_ = x;
    scaleUnitSquareToSize(x, x);
    centreBounds();
}

void JuggleView::zoomToFit() {
    const Rect b = bounds();
    const float half = b.origin.x + b.width;
    const float height = b.height;
    if (!pattern_) {
        return;
    }
    if (!(half > 0.0f) || !(height > 0.0f)) {
        return;  // nothing to fit into yet: keep the unit size
    }
    const float nw = static_cast<float>(static_cast<double>(pattern_->maxWidth()) + 25.0 + 5.0);
    const float nh =
        static_cast<float>(static_cast<double>(pattern_->maxHeight()) + 64.0 + 15.0 + 25.0);
    float s = 0.0f;
    if (nh / nw >= height / half) {
        s = height / nh * unitSide_;
    } else {
        s = half / nw * unitSide_;
    }
    if (static_cast<double>(s) > 1.0 && static_cast<double>(s) < 1.15) {
        s = 1.0f;
    }
    setUnitSide(s);
    updateSettings();
}
