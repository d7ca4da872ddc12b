#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "../support/Catalogue.h"
#include "notation/SiteSwap.h"

namespace {

std::shared_ptr<SiteSwap> make(const std::string& sequence) {
    auto pattern = SiteSwap::initWithSequence(sequence);
    EXPECT_TRUE(pattern) << sequence;
    return pattern;
}

}  // namespace

TEST(Pattern, PointsStartUnplaced) {
    const auto cascade = make("3");
    for (int ball = 0; ball < 3; ++ball) {
        EXPECT_EQ(cascade->pointForBallNumber(ball), (Point{999, 999}));
    }
    EXPECT_EQ(cascade->pointForHandNumber(0), (Point{999, 999}));
    EXPECT_EQ(cascade->pointForHandNumber(1), (Point{999, 999}));
}

TEST(Pattern, CascadePositions) {
    const auto cascade = make("3");
    cascade->computePointsAtTime(10);
    const Point hand0 = cascade->pointForHandNumber(0);
    EXPECT_NEAR(hand0.x, 51.5f, 0.01f);
    EXPECT_NEAR(hand0.y, -3.93f, 0.01f);
    EXPECT_EQ(cascade->pointForHandNumber(1), (Point{-80, -20}));
    EXPECT_EQ(cascade->pointForBallNumber(0), hand0);
    EXPECT_EQ(cascade->pointForBallNumber(1), (Point{-80, -20}));
    EXPECT_EQ(cascade->pointForBallNumber(2), hand0);

    cascade->computePointsAtTime(64);
    EXPECT_FLOAT_EQ(cascade->pointForBallNumber(0).x, -37.5f);
    EXPECT_FLOAT_EQ(cascade->pointForBallNumber(0).y, 71.2f);
    EXPECT_EQ(cascade->pointForBallNumber(1), (Point{-5, 60}));
    EXPECT_EQ(cascade->pointForBallNumber(2), (Point{80, -20}));
}

TEST(Pattern, Extents) {
    struct Case {
        const char* sequence;
        float maxWidth;
        float maxHeight;
    };
    const Case cases[] = {
        {"3", 80, 79}, {"5", 80, 226.725f}, {"55rrq555", 125, 280.733337f}, {"9r", 151, 867.75f}};
    for (const Case& c : cases) {
        const auto pattern = make(c.sequence);
        EXPECT_EQ(pattern->maxWidth(), c.maxWidth) << c.sequence;
        EXPECT_FLOAT_EQ(pattern->maxHeight(), c.maxHeight) << c.sequence;
    }
}

// The loop repeats: a position from startLoop on recurs one loop length later, keyframe
// times are whole and in order, and positions move continuously across the loop's end.
class PatternProperties : public ::testing::TestWithParam<std::string> {};

TEST_P(PatternProperties, LoopRepeatsExactly) {
    const auto pattern = make(GetParam());
    const float start = pattern->startLoop();
    const float length = pattern->endLoop() - start;
    ASSERT_GT(length, 0.0f);
    auto a = make(GetParam());
    auto b = make(GetParam());
    // A hand rests at its first keyframe until it first moves, even where that lies after
    // startLoop ("1" catches with hand 1 only at 32): hands are compared from then on.
    float handsMoving = start;
    for (int hand = 0; hand < 2; ++hand) {
        if (const HandTimelineHand* first = pattern->handTimelineAtIndex(hand).earliestHand()) {
            handsMoving = std::max(handsMoving, first->time());
        }
    }
    for (float t = start; t <= pattern->endLoop() + length; t += 0.5f) {
        a->computePointsAtTime(t);
        b->computePointsAtTime(t + length);
        for (int ball = 0; ball < a->numberOfBalls(); ++ball) {
            ASSERT_EQ(a->pointForBallNumber(ball), b->pointForBallNumber(ball))
                << "ball " << ball << " at " << t;
        }
        for (int hand = 0; hand < 2 && t >= handsMoving; ++hand) {
            ASSERT_EQ(a->pointForHandNumber(hand), b->pointForHandNumber(hand))
                << "hand " << hand << " at " << t;
        }
    }
}

TEST_P(PatternProperties, KeyframeTimesAreWholeAndInOrder) {
    const auto pattern = make(GetParam());
    for (int ball = 0; ball < pattern->numberOfBalls(); ++ball) {
        const BallTimeline& timeline = pattern->ballTimelineAtIndex(ball);
        ASSERT_GT(timeline.count(), 0u);
        for (std::size_t i = 0; i < timeline.count(); ++i) {
            const float t = timeline.at(i).time();
            EXPECT_EQ(t, std::trunc(t)) << "ball " << ball;
            if (i > 0) {
                EXPECT_LE(timeline.at(i - 1).time(), t) << "ball " << ball;
            }
        }
    }
}

// Across endLoop a position changes no faster than it did just before: a jump shows as a
// step far larger than the previous one. High throws move fast, so no fixed bound works.
TEST_P(PatternProperties, MovesContinuouslyAcrossTheLoopEnd) {
    const float end = make(GetParam())->endLoop();
    const float d = 0.01f;
    auto pointsAt = [&](float t) {
        const auto pattern = make(GetParam());
        pattern->computePointsAtTime(t);
        std::vector<Point> points;
        for (int ball = 0; ball < pattern->numberOfBalls(); ++ball) {
            points.push_back(pattern->pointForBallNumber(ball));
        }
        points.push_back(pattern->pointForHandNumber(0));
        points.push_back(pattern->pointForHandNumber(1));
        return points;
    };
    const std::vector<Point> earlier = pointsAt(end - 3 * d);
    const std::vector<Point> before = pointsAt(end - d);
    const std::vector<Point> after = pointsAt(end + d);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const float step = std::hypot(before[i].x - earlier[i].x, before[i].y - earlier[i].y);
        const float across = std::hypot(after[i].x - before[i].x, after[i].y - before[i].y);
        EXPECT_LE(across, 2 * step + 0.01f) << "object " << i << " (balls first, then hands)";
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, PatternProperties, ::testing::ValuesIn(allSiteSwaps()),
                         [](const auto& info) {
                             std::string name;
                             for (const char c : info.param) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name + "_" + std::to_string(info.index);
                         });
