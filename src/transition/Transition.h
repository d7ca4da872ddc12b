#pragma once

#include <memory>

#include "model/Pattern.h"
#include "notation/SiteSwap.h"

// The pattern that carries the balls of one siteswap into another: it starts with every
// ball where the old siteswap has it, lets the throws in the air run out, catches the balls
// into the new rhythm with the right hands, brings extra balls in from above and drops
// surplus ones below. Hands 0 and 1 are visible; 2 and 3 hold dropped balls, 4 and 5 hold
// balls waiting to enter.
class Transition : public JPattern {
  public:
    static std::shared_ptr<Transition> initFromSiteSwap(const SiteSwap& from,
                                                        std::shared_ptr<SiteSwap> to, float time);

    const std::shared_ptr<SiteSwap>& nextSiteSwap() const { return nextSiteSwap_; }
    // Old-siteswap time at which the view leaves the old siteswap.
    float endSiteSwap1() const { return endSiteSwap1_; }
    void setEndSiteSwap1(float time) { endSiteSwap1_ = time; }
    // Transition time that corresponds to endSiteSwap1.
    float startTransition() const { return startTransition_; }
    // Transition time at which the view leaves the transition.
    float endTransition() const { return endTransition_; }
    // New-siteswap time that corresponds to endTransition.
    float startSiteSwap2() const { return startSiteSwap2_; }

    static constexpr int32_t kNumberOfHands = 6;
    static Point dropPointForHand(int32_t hand);
    static Point entryPointForHand(int32_t hand);
    static Point restPointForHand(int32_t hand);

  private:
    Transition(int32_t balls, std::shared_ptr<SiteSwap> next);
    void build(const SiteSwap& from, float time);

    std::shared_ptr<SiteSwap> nextSiteSwap_;
    float endSiteSwap1_ = 0.0f;
    float startTransition_ = 0.0f;
    float endTransition_ = 0.0f;
    float startSiteSwap2_ = 0.0f;
};
