#include "transition/Transition.h"

#include <algorithm>
#include <cmath>

namespace {

// Sums with the construction's constants are formed in double precision.
float plus(float a, double c) {
    return static_cast<float>(static_cast<double>(a) + c);
}

}  // namespace

Point Transition::dropPointForHand(int32_t hand) {
    return hand == 1 ? Point{30.0f, -100.0f} : Point{-30.0f, -100.0f};
}

Point Transition::entryPointForHand(int32_t hand) {
    return hand == 0 ? Point{325.0f, 325.0f} : Point{-325.0f, 325.0f};
}

Point Transition::restPointForHand(int32_t hand) {
    return hand == 0 ? Point{60.0f, -80.0f} : Point{-60.0f, -80.0f};
}

Transition::Transition(int32_t balls, std::shared_ptr<SiteSwap> next)
    : JPattern(balls, kNumberOfHands), nextSiteSwap_(std::move(next)) {}

std::shared_ptr<Transition> Transition::initFromSiteSwap(const SiteSwap& from,
                                                         std::shared_ptr<SiteSwap> to, float time) {
    if (!to || from.numberOfBalls() < 1 || to->numberOfBalls() < 1) {
        return nullptr;
    }
    const int32_t balls = std::max(from.numberOfBalls(), to->numberOfBalls());
    std::shared_ptr<Transition> transition(new Transition(balls, std::move(to)));
    transition->build(from, time);
    return transition;
}

void Transition::build(const SiteSwap& from, float time) {
    const SiteSwap& O = from;
    const SiteSwap& N = *nextSiteSwap_;
    const int32_t nOld = O.numberOfBalls();
    const int32_t nNew = N.numberOfBalls();
    const bool fiveROne = O.sequence() == "5r1";

    BallTimelineHand C;
    BallTimelineHand F;
    HandTimelineHand H;
    HandTimelineHand G;
    auto catchSearch = [&](const SiteSwap& p, int32_t ball, float t) {
        p.ballTimelineAtIndex(ball).findCatchHand(C, F, t);
    };
    auto add = [&](int32_t ball, int32_t hand, float length, Point point, int32_t style) {
        addBallTimelineHandForBallNumber(ball, hand, length, point, style);
    };
    auto copyAfter = [&](const BallTimelineHand& key, int32_t ball, float t) {
        add(ball, key.handNumber(), key.time() - t, key.point(), key.style());
    };
    auto latest = [&](int32_t ball) { return *ballTimelineAtIndex(ball).latestHand(); };

    // The old siteswap repeats with its loop length, so a clock many loops out is brought
    // back to its second pass and the offset is added to endSiteSwap1 at the end. Two loops
    // are left on so that the timelines wrap it exactly as they would the original time;
    // far out on the float axis a +0.01 step would otherwise round away and stall.
    const float oldLoop = O.endLoop() - O.startLoop();
    float offset = 0.0f;
    if (time > O.endLoop() && oldLoop > 0.0f) {
        const float loops = std::trunc((time - O.startLoop()) / oldLoop);
        if (loops >= 3.0f) {
            offset = (loops - 2.0f) * oldLoop;
            time = time - offset;
        }
    }

    // Step 2: leaving the old siteswap.
    const float t0 = time >= O.startLoop() ? time : O.startLoop();
    catchSearch(O, 0, t0);
    const float end1 = C.time();
    float origin = F.time();
    for (int32_t i = 1; i < nOld; ++i) {
        catchSearch(O, i, end1);
        origin = std::min(origin, F.time());
    }
    startTransition_ = end1 - origin;

    // Step 3: the old end time, one beat past every ball's next catch, on a catch of ball 0.
    float oldEnd = end1;
    for (int32_t i = 0; i < nOld; ++i) {
        catchSearch(O, i, end1);
        oldEnd = std::max(oldEnd, plus(C.time(), 32.0));
    }
    for (float t = end1;;) {
        if (!(t < oldEnd)) {
            oldEnd = t;
            break;
        }
        catchSearch(O, 0, plus(t, 0.01));
        if (!(C.time() > t)) {
            break;
        }
        t = C.time();
    }

    // Step 4: copy the old siteswap's balls up to their last throw before the old end.
    for (int32_t i = 0; i < nOld; ++i) {
        catchSearch(O, i, end1);
        add(i, F.handNumber(), F.time() - origin, F.point(), F.style());
        copyAfter(C, i, F.time());
        float t = C.time();
        for (;;) {
            catchSearch(O, i, plus(t, 0.01));
            copyAfter(F, i, t);
            if (C.time() >= oldEnd || (fiveROne && i == 2) || !(C.time() > t)) {
                break;
            }
            copyAfter(C, i, F.time());
            t = C.time();
        }
        if (i >= nNew) {
            add(i, F.handNumber() + 2, 48.0f, dropPointForHand(F.handNumber()), kStyleFlight);
        }
    }

    // Step 5: hold each visible hand where it is at the switch.
    for (int32_t h = 0; h < 2; ++h) {
        if (O.handTimelineAtIndex(h).count() == 0) {
            continue;
        }
        const HandTimelineHand* last = handTimelineAtIndex(h).latestHand();
        if (last == nullptr || last->time() < startTransition_) {
            Point p;
            O.handTimelineAtIndex(h).computePoint(p, end1);
            mutableHandTimeline(h).insertHandWithTime(startTransition_, p, 0);
        }
    }

    // Step 6: the hand that would catch ball 0 at the old end, and the parity of its throw.
    catchSearch(O, 0, oldEnd);
    int32_t catchHand = C.handNumber();
    catchSearch(O, 0, plus(F.time(), -32.0));
    const int32_t beats = truncToInt((oldEnd - C.time()) / 32.0f);
    const int32_t parity = beats % 2;

    // Step 7: the first catch of the new siteswap's ball 0 by that hand.
    catchSearch(N, 0, N.startLoop());
    float entry = C.time();
    const float firstEntry = entry;
    while (entry <= N.endLoop() && C.handNumber() != catchHand) {
        catchSearch(N, 0, plus(entry, 32.0));
        entry = C.time();
    }
    if (entry > N.endLoop()) {
        entry = firstEntry;
        catchHand = catchHand == 0 ? 1 : 0;
    }
    const int32_t lastThrower = latest(0).handNumber();
    if ((parity != 0 && lastThrower == catchHand) || (parity == 0 && lastThrower != catchHand)) {
        oldEnd = plus(oldEnd, 32.0);
    }
    const float base = oldEnd - origin;

    // Step 8: catch every ball into the new siteswap.
    float M = entry;
    for (int32_t i = 0; i < nNew; ++i) {
        catchSearch(N, i, entry);
        if (i >= nOld) {
            float start = plus(base + (C.time() - entry), -96.0);
            if (startTransition_ > start) {
                start = startTransition_;
            }
            add(i, C.handNumber() + 4, start, entryPointForHand(C.handNumber()), kStyleHeld);
        }
        const float lastTime = latest(i).time();
        add(i, C.handNumber(), (base - lastTime) + (C.time() - entry), C.point(), C.style());
        M = std::max(M, C.time());
    }
    for (int32_t i = nNew; i < nOld; ++i) {
        M = std::max(M, latest(i).time() - base + entry);
    }
    for (int32_t h = 0; h < 2; ++h) {
        const HandTimeline& hands = N.handTimelineAtIndex(h);
        if (hands.count() > 0) {
            hands.findHand(H, G, entry);
            hands.findHand(H, G, plus(H.time(), 0.01));
            M = std::max(M, H.time());
        }
    }
    if (M - entry <= 32.0f) {
        M = plus(M, 64.0);
    }
    endTransition_ = base + (M - entry);

    // Step 9: go on in the new siteswap up to its first catch at or after M.
    for (int32_t i = 0; i < nNew; ++i) {
        catchSearch(N, i, entry);
        for (float t = C.time(); t < M;) {
            catchSearch(N, i, plus(t, 0.01));
            if (!(C.time() > t)) {
                break;
            }
            copyAfter(F, i, t);
            copyAfter(C, i, F.time());
            t = C.time();
        }
    }
    startSiteSwap2_ = M;

    // Step 10: no loop; dropped balls rest where they fell until the end.
    float e = 0.0f;
    for (int32_t i = 0; i < nNew; ++i) {
        e = std::max(e, latest(i).time());
    }
    for (int32_t i = nNew; i < nOld; ++i) {
        const BallTimelineHand last = latest(i);
        add(i, last.handNumber(), e - last.time(), last.point(), kStyleHeld);
    }

    // Step 11: park a hand the new siteswap does not use, fetch one the old did not use.
    for (int32_t h = 0; h < 2; ++h) {
        HandTimeline& hands = mutableHandTimeline(h);
        if (hands.count() == 0) {
            continue;
        }
        const HandTimelineHand first = *hands.earliestHand();
        const HandTimelineHand last = *hands.latestHand();
        const bool oldUses = O.handTimelineAtIndex(h).count() > 0;
        const bool newUses = N.handTimelineAtIndex(h).count() > 0;
        const Point rest = restPointForHand(h);
        if (oldUses && !newUses) {
            hands.insertHandWithTime(plus(last.time(), 32.0), rest, kStyleFlight);
            hands.insertHandWithTime(e, rest, kStyleFlight);
        } else if (!oldUses && newUses) {
            hands.insertHandWithTime(0.0f, rest, kStyleFlight);
            hands.insertHandWithTime(plus(first.time(), -48.0), rest, kStyleFlight);
            hands.insertHandWithTime(plus(first.time(), -16.0), first.point(), kStyleFlight);
        }
    }

    completePatternWithStartLoop(e, e);
    endSiteSwap1_ = end1 + offset;
}
