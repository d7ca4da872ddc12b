#include <gtest/gtest.h>

#include <memory>

#include "model/Timeline.h"
#include "notation/SiteSwap.h"

namespace {

struct Key {
    float time;
    Point point;
    int hand;
    int style;
};

class CascadeBall : public ::testing::Test {
  protected:
    void SetUp() override {
        cascade_ = SiteSwap::initWithSequence("3");
        ASSERT_TRUE(cascade_);
    }
    const BallTimeline& ball0() const { return cascade_->ballTimelineAtIndex(0); }
    std::shared_ptr<SiteSwap> cascade_;
};

}  // namespace

TEST_F(CascadeBall, KeyframesAndLoopKeyframe) {
    const Key expected[] = {{0, {80, -20}, 0, 3},   {32, {5, 60}, 0, 3},    {96, {-80, -20}, 1, 2},
                            {128, {-5, 60}, 1, 3},  {192, {80, -20}, 0, 2}, {224, {5, 60}, 0, 3},
                            {288, {-80, -20}, 1, 2}};
    ASSERT_EQ(ball0().count(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const BallTimelineHand& key = ball0().at(i);
        EXPECT_EQ(key.time(), expected[i].time) << i;
        EXPECT_EQ(key.point(), expected[i].point) << i;
        EXPECT_EQ(key.handNumber(), expected[i].hand) << i;
        EXPECT_EQ(key.style(), expected[i].style) << i;
    }
    EXPECT_EQ(ball0().startLoop(), 80.0f);
    EXPECT_EQ(ball0().endLoop(), 272.0f);
    const BallTimelineHand* loop = ball0().loopHand();
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->time(), 96.0f);
    EXPECT_EQ(loop->fromTime(), 32.0f);
    EXPECT_EQ(loop->fromPoint(), (Point{5, 60}));
}

TEST_F(CascadeBall, PositionLookupsWrapIntoTheLoop) {
    Point p{1234, 1234};
    EXPECT_EQ(ball0().computePoint(p, 10), -1);
    EXPECT_EQ(p, (Point{1234, 1234}));

    EXPECT_EQ(ball0().computePoint(p, 64), 2);
    EXPECT_FLOAT_EQ(p.x, -37.5f);
    EXPECT_FLOAT_EQ(p.y, 71.2f);

    // 250 still lies in the loop; the flight from 224 to 288 carries it.
    Point direct;
    ball0().at(6).computePoint(direct, 250);
    EXPECT_EQ(ball0().computePoint(p, 250), 2);
    EXPECT_EQ(p, direct);

    // 280 wraps to 88, where the loop keyframe's flight gives the same point as at 88.
    Point wrapped;
    Point early;
    EXPECT_EQ(ball0().computePoint(wrapped, 280), 2);
    EXPECT_EQ(ball0().computePoint(early, 88), 2);
    EXPECT_EQ(wrapped, early);
}

TEST_F(CascadeBall, CatchSearchFindsTheNextCatchAndItsThrow) {
    BallTimelineHand hand;
    BallTimelineHand from;
    ASSERT_TRUE(ball0().findCatchHand(hand, from, 10));
    EXPECT_EQ(hand.time(), 96.0f);
    EXPECT_EQ(hand.handNumber(), 1);
    EXPECT_EQ(from.time(), 32.0f);
    EXPECT_EQ(from.point(), (Point{5, 60}));

    // Three loops later the same catch, moved onto the caller's axis.
    ASSERT_TRUE(ball0().findCatchHand(hand, from, 10 + 3 * 192));
    EXPECT_EQ(hand.time(), 96.0f + 3 * 192);
    EXPECT_EQ(from.time(), 32.0f + 3 * 192);
}

TEST(Timeline, IndexSearch) {
    BallTimeline timeline;
    for (const float length : {0.0f, 32.0f, 64.0f}) {
        timeline.addHandWithTimeLength(length, {0, 0}, 0, kStyleHeld);
    }
    const std::pair<float, int> cases[] = {{-5, 0}, {0, 0}, {10, 1}, {32, 1}, {96, 2}, {100, 3}};
    for (const auto& [t, index] : cases) {
        EXPECT_EQ(timeline.findIndexAtTime(t), index) << t;
    }
}

TEST(Timeline, AppendingTruncatesToWholeUnits) {
    BallTimeline timeline;
    EXPECT_EQ(timeline.addHandWithTimeLength(64.7f, {0, 0}, 0, kStyleHeld), 64.0f);
    EXPECT_EQ(timeline.addHandWithTimeLength(0.5f, {0, 0}, 0, kStyleHeld), 64.0f);
    EXPECT_EQ(timeline.addHandWithTimeLength(31.9f, {0, 0}, 0, kStyleHeld), 95.0f);
}

TEST(Timeline, InsertingAnExistingTimeKeepsTheFirst) {
    HandTimeline timeline;
    timeline.insertHandWithTime(32, {1, 1}, 3);
    timeline.insertHandWithTime(0, {0, 0}, 3);
    timeline.insertHandWithTime(32, {9, 9}, 2);
    ASSERT_EQ(timeline.count(), 2u);
    EXPECT_EQ(timeline.at(1).point(), (Point{1, 1}));
    EXPECT_EQ(timeline.at(1).style(), 3);
}

// A timeline without a loop keyframe (as in a transition) keeps the last position past
// its end instead of reading a keyframe it does not have.
TEST(Timeline, LookupPastTheEndWithoutLoopKeepsThePoint) {
    BallTimeline balls;
    balls.addHandWithTimeLength(0, {0, 0}, 4, kStyleHeld);
    balls.addHandWithTimeLength(32, {10, 10}, 0, kStyleFlight);
    balls.completeTimelineWithStartLoop(32, 32);
    Point p{7, 7};
    EXPECT_EQ(balls.computePoint(p, 100), 0);
    EXPECT_EQ(p, (Point{7, 7}));

    HandTimeline hands;
    hands.insertHandWithTime(16, {5, 5}, 3);
    hands.completeTimelineWithStartLoop(16, 16);
    EXPECT_EQ(hands.computePoint(p, 100), 0);
    EXPECT_EQ(p, (Point{7, 7}));
    EXPECT_EQ(hands.computePoint(p, 16), 1);
    EXPECT_EQ(p, (Point{5, 5}));
}

TEST(Timeline, EmptyTimelineAnswersNothing) {
    BallTimeline balls;
    balls.completeTimelineWithStartLoop(0, 32);
    Point p{7, 7};
    EXPECT_EQ(balls.computePoint(p, 10), 0);
    EXPECT_EQ(p, (Point{7, 7}));
    BallTimelineHand hand;
    BallTimelineHand from;
    EXPECT_FALSE(balls.findCatchHand(hand, from, 10));
    EXPECT_EQ(balls.maxHeight(), 0.0f);
}
