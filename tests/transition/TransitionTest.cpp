#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "../support/Catalogue.h"
#include "transition/Transition.h"

namespace {

std::shared_ptr<SiteSwap> make(const std::string& sequence) {
    auto pattern = SiteSwap::initWithSequence(sequence);
    EXPECT_TRUE(pattern) << sequence;
    return pattern;
}

std::shared_ptr<Transition> between(const std::string& from, const std::string& to, float at) {
    const auto old = make(from);
    return Transition::initFromSiteSwap(*old, make(to), at);
}

struct KeyAt {
    float time;
    Point point;
    int hand;
    int style;
};

void expectKey(const BallTimeline& timeline, const KeyAt& expected) {
    for (std::size_t i = 0; i < timeline.count(); ++i) {
        const BallTimelineHand& key = timeline.at(i);
        if (key.time() == expected.time && key.handNumber() == expected.hand) {
            EXPECT_EQ(key.point(), expected.point) << "at " << expected.time;
            EXPECT_EQ(key.style(), expected.style) << "at " << expected.time;
            return;
        }
    }
    ADD_FAILURE() << "no keyframe at " << expected.time << " in hand " << expected.hand;
}

std::vector<float> handTimes(const HandTimeline& timeline) {
    std::vector<float> times;
    for (const HandTimelineHand& key : timeline.hands()) {
        times.push_back(key.time());
    }
    return times;
}

}  // namespace

TEST(Transition, WorkedExamples) {
    struct Case {
        const char* from;
        const char* to;
        float at;
        float endSiteSwap1, startTransition, endTransition, startSiteSwap2, endLoop;
        int balls;
    };
    const Case cases[] = {
        {"5", "3", 0, 160, 128, 352, 256, 416, 5},   {"5", "3", 100, 160, 128, 352, 256, 416, 5},
        {"5", "3", 333, 480, 128, 352, 256, 416, 5}, {"5", "3", 653, 800, 128, 352, 256, 416, 5},
        {"3", "5", 0, 96, 64, 288, 448, 416, 5},     {"9", "8040", 333, 576, 256, 704, 384, 832, 9},
        {"3", "20", 100, 192, 64, 288, 160, 320, 3},
    };
    for (const Case& c : cases) {
        const auto x = between(c.from, c.to, c.at);
        ASSERT_TRUE(x);
        const std::string label = std::string(c.from) + " to " + c.to;
        EXPECT_EQ(x->endSiteSwap1(), c.endSiteSwap1) << label << " at " << c.at;
        EXPECT_EQ(x->startTransition(), c.startTransition) << label;
        EXPECT_EQ(x->endTransition(), c.endTransition) << label;
        EXPECT_EQ(x->startSiteSwap2(), c.startSiteSwap2) << label;
        EXPECT_EQ(x->startLoop(), c.endLoop) << label;
        EXPECT_EQ(x->endLoop(), c.endLoop) << label;
        EXPECT_EQ(x->numberOfBalls(), c.balls) << label;
        EXPECT_EQ(x->numberOfHands(), 6) << label;
        EXPECT_EQ(x->nextSiteSwap()->sequence(), c.to);
    }
}

TEST(Transition, SurplusBallsDropBelowTheHands) {
    const auto x = between("5", "3", 0);
    expectKey(x->ballTimelineAtIndex(3), {304, {-30, -100}, 2, 2});
    expectKey(x->ballTimelineAtIndex(3), {416, {-30, -100}, 2, 3});
    expectKey(x->ballTimelineAtIndex(4), {336, {30, -100}, 3, 2});
    // Thrown by hand 0 at 256 and by hand 1 at 288.
    expectKey(x->ballTimelineAtIndex(3), {256, {5, 60}, 0, 3});
    expectKey(x->ballTimelineAtIndex(4), {288, {-5, 60}, 1, 3});
}

TEST(Transition, ExtraBallsFlyInFromAbove) {
    const auto x = between("3", "5", 0);
    const BallTimeline& ball3 = x->ballTimelineAtIndex(3);
    EXPECT_EQ(ball3.at(0).time(), 160.0f);
    EXPECT_EQ(ball3.at(0).handNumber(), 5);
    EXPECT_EQ(ball3.at(0).point(), (Point{-325, 325}));
    EXPECT_EQ(ball3.at(0).style(), 3);
    EXPECT_EQ(ball3.at(1).time(), 256.0f);
    EXPECT_EQ(ball3.at(1).handNumber(), 1);
    const BallTimeline& ball4 = x->ballTimelineAtIndex(4);
    EXPECT_EQ(ball4.at(0).time(), 192.0f);
    EXPECT_EQ(ball4.at(0).point(), (Point{325, 325}));
    EXPECT_EQ(ball4.at(1).time(), 288.0f);
    EXPECT_EQ(ball4.at(1).handNumber(), 0);
}

TEST(Transition, HandJoinsAndRetires) {
    const auto joins = between("40", "3", 0);
    const HandTimeline& joining = joins->handTimelineAtIndex(1);
    ASSERT_GE(joining.count(), 4u);
    EXPECT_EQ(joining.at(0).time(), 0.0f);
    EXPECT_EQ(joining.at(0).point(), (Point{-60, -80}));
    EXPECT_EQ(joining.at(1).time(), 208.0f);
    EXPECT_EQ(joining.at(1).point(), (Point{-60, -80}));
    EXPECT_EQ(joining.at(2).time(), 240.0f);
    EXPECT_EQ(joining.at(2).point(), (Point{-80, -20}));
    EXPECT_EQ(joining.at(3).time(), 256.0f);

    const auto retires = between("3", "40", 0);
    const std::vector<float> times = handTimes(retires->handTimelineAtIndex(1));
    ASSERT_GE(times.size(), 3u);
    EXPECT_EQ(times[times.size() - 3], 160.0f);
    EXPECT_EQ(times[times.size() - 2], 192.0f);
    EXPECT_EQ(times.back(), 288.0f);
    EXPECT_EQ(retires->handTimelineAtIndex(1).hands().back().point(), (Point{-60, -80}));
    EXPECT_EQ(retires->endLoop(), 288.0f);
}

TEST(Transition, FiveROneStopsBallTwoAtItsLowThrow) {
    const auto x = between("5r1", "5", 0);
    const BallTimeline& ball2 = x->ballTimelineAtIndex(2);
    // Its last old keyframe is the throw of the 1 by hand 1, then the new catch.
    std::size_t throwIndex = 0;
    for (std::size_t i = 0; i < ball2.count(); ++i) {
        if (ball2.at(i).time() == 272.0f) {
            throwIndex = i;
        }
    }
    ASSERT_GT(throwIndex, 0u);
    EXPECT_EQ(ball2.at(throwIndex).handNumber(), 1);
    EXPECT_EQ(ball2.at(throwIndex).point(), (Point{-15, -12}));
    EXPECT_EQ(ball2.at(throwIndex + 1).time(), 384.0f);
    EXPECT_EQ(ball2.at(throwIndex + 1).handNumber(), 1);
}

TEST(Transition, ThreeToTwentyDropsTwoBalls) {
    const auto x = between("3", "20", 100);
    expectKey(x->ballTimelineAtIndex(1), {176, {30, -100}, 3, 2});
    expectKey(x->ballTimelineAtIndex(2), {208, {-30, -100}, 2, 2});
    const std::vector<float> times = handTimes(x->handTimelineAtIndex(1));
    ASSERT_GE(times.size(), 2u);
    EXPECT_EQ(times[times.size() - 2], 160.0f);
    EXPECT_EQ(times.back(), 320.0f);
}

TEST(Transition, OnlyVisibleHandsCountTowardTheWidth) {
    // The entry hands reach 325 sideways; the width stays that of hands 0 and 1.
    EXPECT_EQ(between("3", "5", 0)->maxWidth(), 80.0f);
}

TEST(Transition, FarOutClockGivesTheSameTransitionShifted) {
    // Many loops into "5" the +0.01 steps of the searches would round away; the result is
    // the one of the same phase in an early pass, moved by whole loops.
    const float loop = 320;
    const auto early = between("5", "3", 333);
    const auto late = between("5", "3", 333 + 2000 * loop);
    EXPECT_EQ(late->endSiteSwap1(), early->endSiteSwap1() + 2000 * loop);
    EXPECT_EQ(late->startTransition(), early->startTransition());
    EXPECT_EQ(late->endTransition(), early->endTransition());
    EXPECT_EQ(late->startSiteSwap2(), early->startSiteSwap2());
}

// Every ordered pair of a catalogue at several request times.
class TransitionProperties : public ::testing::Test {
  protected:
    static std::vector<std::string> catalogue() {
        std::vector<std::string> list = builtInSiteSwaps();
        for (const char* more : {"3", "531", "20", "441", "12,"}) {
            list.push_back(more);
        }
        return list;
    }
    static std::vector<float> requestTimes(const SiteSwap& from) {
        const float loop = from.endLoop() - from.startLoop();
        return {0.0f, from.startLoop() / 2, from.startLoop() + loop / 3, from.endLoop() + 7,
                from.startLoop() + 5 * loop + 0.5f};
    }
};

TEST_F(TransitionProperties, InvariantsHoldAndNoBallJumps) {
    float worstHandJump = 0;
    std::string worstHandCase;
    for (const std::string& a : catalogue()) {
        for (const std::string& b : catalogue()) {
            const auto from = make(a);
            const auto to = make(b);
            for (const float at : requestTimes(*from)) {
                const auto x = Transition::initFromSiteSwap(*from, to, at);
                const std::string label = a + " to " + b + " at " + std::to_string(at);
                ASSERT_TRUE(x) << label;
                EXPECT_LE(0.0f, x->startTransition()) << label;
                EXPECT_LE(x->startTransition() + 32, x->endTransition()) << label;
                EXPECT_LE(x->endTransition(), x->endLoop()) << label;
                EXPECT_EQ(x->startLoop(), x->endLoop()) << label;
                EXPECT_GE(x->endSiteSwap1(), at) << label;
                for (int ball = 0; ball < x->numberOfBalls(); ++ball) {
                    const BallTimeline& timeline = x->ballTimelineAtIndex(ball);
                    ASSERT_GT(timeline.count(), 0u) << label;
                    EXPECT_GE(timeline.latestHand()->time(), x->endTransition()) << label;
                    for (std::size_t i = 0; i < timeline.count(); ++i) {
                        const float t = timeline.at(i).time();
                        EXPECT_EQ(t, std::trunc(t)) << label;
                        if (i > 0) {
                            EXPECT_LE(timeline.at(i - 1).time(), t) << label << " ball " << ball;
                        }
                    }
                }

                // First switch: the old siteswap at endSiteSwap1 is the transition at
                // startTransition. Second: the transition at endTransition is the new
                // siteswap at startSiteSwap2.
                const auto old = make(a);
                old->computePointsAtTime(x->endSiteSwap1());
                x->computePointsAtTime(x->startTransition());
                for (int ball = 0; ball < old->numberOfBalls(); ++ball) {
                    EXPECT_EQ(old->pointForBallNumber(ball), x->pointForBallNumber(ball))
                        << label << " ball " << ball << " entering";
                }
                float handJump = 0;
                for (int hand = 0; hand < 2; ++hand) {
                    const Point p = old->pointForHandNumber(hand);
                    const Point q = x->pointForHandNumber(hand);
                    if (p.x != 999 && q.x != 999) {
                        handJump = std::max(handJump, std::hypot(p.x - q.x, p.y - q.y));
                    }
                }
                const auto next = make(b);
                next->computePointsAtTime(x->startSiteSwap2());
                x->computePointsAtTime(x->endTransition());
                for (int ball = 0; ball < next->numberOfBalls(); ++ball) {
                    EXPECT_EQ(next->pointForBallNumber(ball), x->pointForBallNumber(ball))
                        << label << " ball " << ball << " leaving";
                }
                for (int hand = 0; hand < 2; ++hand) {
                    const Point p = next->pointForHandNumber(hand);
                    const Point q = x->pointForHandNumber(hand);
                    if (p.x != 999 && q.x != 999) {
                        handJump = std::max(handJump, std::hypot(p.x - q.x, p.y - q.y));
                    }
                }
                if (handJump > worstHandJump) {
                    worstHandJump = handJump;
                    worstHandCase = label;
                }
            }
        }
    }
    // Visible hands are not pinned at the switches; the figure is reported, not asserted.
    RecordProperty("worstHandJump", std::to_string(worstHandJump) + " (" + worstHandCase + ")");
    std::cout << "largest visible-hand jump at a switch: " << worstHandJump << " units, "
              << worstHandCase << "\n";
}
