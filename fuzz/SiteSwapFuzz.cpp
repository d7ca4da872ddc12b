// Any string: it is refused with a reason, or it becomes a pattern whose keyframes are
// whole, ordered and finite, whose positions are finite and repeat with the loop, and
// which joins a few fixed siteswaps through transitions in both directions without a
// ball jumping at either switch.
//
// An input starting with byte 0x01 (a byte no siteswap starts with) is not read as the
// string itself but as the recipe of a valid siteswap, so that the fuzzer reaches many
// more accepted patterns than random text does.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "notation/SiteSwap.h"
#include "transition/Transition.h"

namespace {

std::string at(const char* what, int32_t index, float t) {
    return std::string(what) + " " + std::to_string(index) + " at " + std::to_string(t);
}

bool finite(Point p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The fixed siteswaps every accepted string is joined to, both ways.
constexpr const char* kFixed[] = {"3", "5", "531", "40"};

template <class Key>
void checkKeyframes(const std::vector<Key>& keys, const char* what, int32_t index, bool ordered) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const float t = keys[i].time();
        FUZZ_CHECK(std::isfinite(t) && t == std::trunc(t), at(what, index, t) + ": time");
        FUZZ_CHECK(finite(keys[i].point()), at(what, index, t) + ": point");
        if (ordered && i > 0) {
            FUZZ_CHECK(keys[i - 1].time() <= t, at(what, index, t) + ": before its predecessor");
        }
    }
}

void checkKeyframes(const JPattern& p) {
    for (int32_t ball = 0; ball < p.numberOfBalls(); ++ball) {
        FUZZ_CHECK(p.ballTimelineAtIndex(ball).count() > 0, at("ball", ball, 0) + ": empty");
        checkKeyframes(p.ballTimelineAtIndex(ball).hands(), "ball", ball, true);
    }
    for (int32_t hand = 0; hand < p.numberOfHands(); ++hand) {
        checkKeyframes(p.handTimelineAtIndex(hand).hands(), "hand", hand, true);
    }
}

void checkPositions(JPattern& p, float t) {
    p.computePointsAtTime(t);
    for (int32_t ball = 0; ball < p.numberOfBalls(); ++ball) {
        FUZZ_CHECK(finite(p.pointForBallNumber(ball)), at("ball", ball, t));
    }
    for (int32_t hand = 0; hand < 2; ++hand) {
        FUZZ_CHECK(finite(p.pointForHandNumber(hand)), at("hand", hand, t));
    }
}

void checkSiteSwap(SiteSwap& s) {
    FUZZ_CHECK(s.numberOfBalls() >= 1 && s.numberOfHands() == 2, "shape");
    FUZZ_CHECK(s.startLoop() >= 0 && s.startLoop() < s.endLoop(),
               "loop " + std::to_string(s.startLoop()) + " to " + std::to_string(s.endLoop()));
    checkKeyframes(s);
    const float length = s.endLoop() - s.startLoop();
    for (const float t : {0.0f, 1.5f, s.startLoop(), s.startLoop() + length / 2, s.endLoop(),
                          s.endLoop() + 0.25f, s.startLoop() + 10 * length + 3}) {
        checkPositions(s, t);
    }

    // A hand rests at its first keyframe until it first moves, which may come after
    // startLoop; hands are compared from then on.
    float handsMoving = s.startLoop();
    for (int32_t hand = 0; hand < 2; ++hand) {
        if (const HandTimelineHand* first = s.handTimelineAtIndex(hand).earliestHand()) {
            handsMoving = std::max(handsMoving, first->time());
        }
    }
    std::vector<Point> balls(static_cast<std::size_t>(s.numberOfBalls()));
    std::vector<Point> hands(2);
    for (const float t :
         {s.startLoop(), std::trunc(s.startLoop() + length / 3) + 0.5f, s.endLoop() - 1}) {
        s.computePointsAtTime(t);
        for (int32_t ball = 0; ball < s.numberOfBalls(); ++ball) {
            balls[ball] = s.pointForBallNumber(ball);
        }
        hands = {s.pointForHandNumber(0), s.pointForHandNumber(1)};
        s.computePointsAtTime(t + length);
        for (int32_t ball = 0; ball < s.numberOfBalls(); ++ball) {
            FUZZ_CHECK(balls[ball] == s.pointForBallNumber(ball),
                       at("ball", ball, t) + ": not where it is one loop later");
        }
        for (int32_t hand = 0; hand < 2 && t >= handsMoving; ++hand) {
            FUZZ_CHECK(hands[hand] == s.pointForHandNumber(hand),
                       at("hand", hand, t) + ": not where it is one loop later");
        }
    }
}

void checkTransition(SiteSwap& from, const std::shared_ptr<SiteSwap>& to, float time) {
    const std::string label = from.sequence().substr(0, 40) + " to " +
                              to->sequence().substr(0, 40) + " at " + std::to_string(time);
    const auto x = Transition::initFromSiteSwap(from, to, time);
    FUZZ_CHECK(x != nullptr, label);
    FUZZ_CHECK(x->numberOfBalls() == std::max(from.numberOfBalls(), to->numberOfBalls()), label);
    FUZZ_CHECK(0 <= x->startTransition(), label);
    FUZZ_CHECK(x->startTransition() + 32 <= x->endTransition(), label);
    FUZZ_CHECK(x->endTransition() <= x->endLoop(), label);
    FUZZ_CHECK(x->startLoop() == x->endLoop(), label);
    FUZZ_CHECK(x->endSiteSwap1() >= time, label);
    checkKeyframes(*x);
    for (int32_t ball = 0; ball < x->numberOfBalls(); ++ball) {
        FUZZ_CHECK(x->ballTimelineAtIndex(ball).latestHand()->time() >= x->endTransition(),
                   label + ": ball " + std::to_string(ball) + " ends before the transition");
    }

    // Entering: the old siteswap at endSiteSwap1 is the transition at startTransition.
    from.computePointsAtTime(x->endSiteSwap1());
    checkPositions(*x, x->startTransition());
    for (int32_t ball = 0; ball < from.numberOfBalls(); ++ball) {
        FUZZ_CHECK(from.pointForBallNumber(ball) == x->pointForBallNumber(ball),
                   label + ": ball " + std::to_string(ball) + " jumps entering");
    }
    const float span = x->endTransition() - x->startTransition();
    for (int step = 1; step < 4; ++step) {
        checkPositions(*x, x->startTransition() + span * static_cast<float>(step) / 4);
    }
    // Leaving: the transition at endTransition is the new siteswap at startSiteSwap2.
    to->computePointsAtTime(x->startSiteSwap2());
    checkPositions(*x, x->endTransition());
    for (int32_t ball = 0; ball < to->numberOfBalls(); ++ball) {
        FUZZ_CHECK(to->pointForBallNumber(ball) == x->pointForBallNumber(ball),
                   label + ": ball " + std::to_string(ball) + " jumps leaving");
    }
}

// A siteswap is valid when the beats its throws land on, (k + value) mod n, are all
// different: a permutation of the terms plus whole turns of n gives one.
std::string validSiteSwapFrom(const uint8_t* data, size_t size) {
    std::size_t next = 0;
    auto byte = [&]() -> uint32_t { return next < size ? data[next++] : 0; };
    const int32_t n = 1 + static_cast<int32_t>(byte() % 12);
    std::vector<int32_t> landing(static_cast<std::size_t>(n));
    for (int32_t k = 0; k < n; ++k) {
        landing[k] = k;
    }
    for (int32_t k = n - 1; k > 0; --k) {
        std::swap(landing[k], landing[byte() % static_cast<uint32_t>(k + 1)]);
    }
    std::vector<std::string> terms;
    bool multiDigit = false;
    for (int32_t k = 0; k < n; ++k) {
        const uint32_t b = byte();
        const int32_t turns = static_cast<int32_t>(b & 7) * (b & 0x80 ? 7 : 1);
        const int32_t value = (landing[k] - k + n) % n + n * turns;
        std::string term = std::to_string(value);
        multiDigit = multiDigit || value > 9;
        term += std::string((b >> 3) & 3, 'r');
        term += std::string(((b >> 5) & 3) + (b & 0x80 ? 2 : 0), 'q');
        terms.push_back(term);
    }
    std::string sequence;
    for (const std::string& term : terms) {
        sequence += term;
        if (multiDigit) {
            sequence += ',';
        }
    }
    return sequence;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string sequence = size > 0 && data[0] == 0x01
                                     ? validSiteSwapFrom(data + 1, size - 1)
                                     : std::string(reinterpret_cast<const char*>(data), size);
    fuzz::currentInput() = sequence;
    std::string whyNot = "unset";
    const std::shared_ptr<SiteSwap> pattern = SiteSwap::initWithSequence(sequence, &whyNot);
    if (!pattern) {
        FUZZ_CHECK(!whyNot.empty() && whyNot != "unset", "refused without a reason");
        return 0;
    }
    FUZZ_CHECK(whyNot.empty(), "accepted with a reason: " + whyNot);
    FUZZ_CHECK(pattern->sequence() == sequence, "sequence not kept");
    FUZZ_CHECK(sequence.size() <= static_cast<std::size_t>(SiteSwapLimits::kMaxLength), "length");
    FUZZ_CHECK(pattern->numberOfTerms() <= SiteSwapLimits::kMaxTerms, "terms");
    FUZZ_CHECK(pattern->period() <= SiteSwapLimits::kMaxPeriod, "period");
    checkSiteSwap(*pattern);

    for (const char* fixed : kFixed) {
        const std::shared_ptr<SiteSwap> other = SiteSwap::initWithSequence(fixed);
        for (const float time : {0.0f, pattern->endLoop() + 7}) {
            checkTransition(*other, pattern, time);
        }
        for (const float time : {0.0f, other->endLoop() + 7}) {
            checkTransition(*pattern, other, time);
        }
    }
    return 0;
}
