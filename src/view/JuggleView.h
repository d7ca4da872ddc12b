#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "model/Pattern.h"
#include "notation/SiteSwap.h"
#include "platform/FloatSlider.h"
#include "platform/Painter.h"
#include "platform/Toolkit.h"
#include "platform/View.h"
#include "transition/Transition.h"
#include "view/DrawRectManager.h"

// Posted with the view as object; observers read the view's state from it.
inline constexpr std::string_view UpdateSiteSwapNotification = "UpdateSiteSwapNotification";
inline constexpr std::string_view UpdateControlsNotification = "UpdateControlsNotification";
inline constexpr std::string_view UpdateSettingsNotification = "UpdateSettingsNotification";

// The animation of one document window: a clock in pattern time units, the hand-over from
// one siteswap through a transition into the next, the damage each frame leaves, painting
// and zoom. View coordinates: x = 0 in the middle, y = 0 (the floor) 64 units above the
// bottom edge, one unit spanning unitSide() pixels.
//
// Wait cursors. Whoever shows a wait cursor for a hand-over pushes it through
// armWaitCursors() right after setPattern() armed the transition. The view then owns those
// cursors: it pops five of them over the next clock checks and the rest when the hand-over
// ends, is replaced by a newer one, is cancelled by a direct replacement, or the view goes
// away, so the cursor stack always returns to what it was before.
class JuggleView : public platform::View {
  public:
    explicit JuggleView(Rect frame);
    ~JuggleView() override;

    // The view of the main document window, or none.
    static JuggleView* currentView();

    // The time slider all views show their clock on. A slider replaces the registered one;
    // none only reads it. Held weakly: a destroyed slider is none.
    static std::shared_ptr<platform::FloatSlider> staticSlider(
        std::shared_ptr<platform::FloatSlider> slider = nullptr);

    // --- pattern and hand-over
    const std::shared_ptr<JPattern>& pattern() const { return pattern_; }
    // The pattern shown as a siteswap; none while a transition is shown or without pattern.
    std::shared_ptr<SiteSwap> siteSwap() const;
    const std::shared_ptr<Transition>& transition() const { return transition_; }
    bool willTransition() const { return willTransition_; }
    bool isTransitioning() const { return isTransitioning_; }
    int32_t needsWaitCursor() const { return needsWaitCursor_; }

    // Playing with a pattern shown: arms a transition to p (ignored while transitioning).
    // Otherwise installs p at once; this cancels any pending or running hand-over.
    void setPattern(std::shared_ptr<SiteSwap> p);
    void checkTransition();

    // Pushes `count` copies of `cursor` for the hand-over just armed and takes charge of
    // popping them. Without a pending hand-over it pushes nothing and returns false.
    bool armWaitCursors(const platform::Cursor& cursor, int count);
    int waitCursorsOnStack() const { return waitCursorsOnStack_; }

    // --- clock
    float time() const { return time_; }
    float snapTime() const { return snapTime_; }
    float deltaTime() const { return deltaTime_; }
    void setDeltaTime(float deltaTime) { deltaTime_ = deltaTime; }
    void incrementTime();
    void decrementTime();
    // The clock as a percentage of the first pass (or of the transition); not clamped.
    float normalizedTime() const;
    void setNormalizedTime(float percent);
    bool isPlaying() const { return isPlaying_; }
    void setIsPlaying(bool playing);

    void updateSiteSwap();
    void updateControls();
    void updateSettings();
    void updateSlider();

    // --- frames
    // sender: the frame timer on a tick, none for a manual refresh (which always runs).
    void nextFrame(const platform::Timer* sender = nullptr);
    const std::vector<DrawRectManager>& ballRectManagers() const { return ballRectManagers_; }
    const std::vector<DrawRectManager>& handRectManagers() const { return handRectManagers_; }
    Rect previousBounds() const { return previousBounds_; }
    const platform::Timer* frameTimer() const { return frameTimer_.get(); }

    static Rect ballRectForPoint(Point p);
    static Rect handRectForPoint(Point p);

    // --- painting and zoom
    const std::vector<platform::Color>& colors() const { return colors_; }
    void drawBallWithCenter(platform::Painter& painter, Point center, const platform::Color& color);
    void drawHandWithCenter(platform::Painter& painter, Point center);
    float unitSide() const { return unitSide_; }
    // Ignores a unit size that is not finite and positive: the view stays as it was.
    void setUnitSide(float x);
    // Does nothing without a pattern or in a view with no area.
    void zoomToFit();

    // --- platform::View
    void drawRect(platform::Painter& painter, const Rect& area) override;
    bool isOpaque() const override { return true; }
    bool acceptsFirstResponder() const override { return true; }
    void keyDown(const platform::KeyEvent& event) override;
    void awakeFromNib() override;
    void windowDidResize() override;
    void windowDidBecomeMain() override;

  private:
    void centreBounds();
    void growManagers(int32_t balls, bool hands);
    void replaceDirectly(std::shared_ptr<SiteSwap> p);
    void cancelHandOver();
    void popWaitCursors();

    std::vector<platform::Color> colors_;
    std::vector<DrawRectManager> ballRectManagers_;
    std::vector<DrawRectManager> handRectManagers_;
    Rect previousBounds_;
    std::shared_ptr<JPattern> pattern_;
    std::shared_ptr<Transition> transition_;
    bool isPlaying_ = false;
    bool willTransition_ = false;
    bool isTransitioning_ = false;
    int32_t needsWaitCursor_ = 0;
    std::unique_ptr<platform::Timer> frameTimer_;
    float time_ = 0.0f;
    float deltaTime_ = 2.0f;
    float previousDeltaTime_ = 0.0f;  // kept for parity; nothing reads it
    float snapTime_ = 0.0f;
    float unitSide_ = 1.0f;
    int waitCursorsOnStack_ = 0;  // pushed through armWaitCursors, not yet popped
};
