#include <gtest/gtest.h>

#include <cmath>

#include "model/Hand.h"

namespace {

BallTimelineHand flight(Point from, float fromTime, Point to, float toTime) {
    BallTimelineHand key(toTime, to, 1, kStyleFlight);
    key.computeCoeffFromTime(fromTime, from);
    return key;
}

HandTimelineHand arc(Point from, float fromTime, Point to, float toTime) {
    HandTimelineHand key(toTime, to, kStyleFlight);
    key.computeCoeffFromTime(fromTime, from);
    return key;
}

template <class Key>
Point at(const Key& key, float t) {
    Point p;
    key.computePoint(p, t);
    return p;
}

void expectNear(Point actual, Point expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

}  // namespace

TEST(BallFlight, CascadeThrowFollowsTheFlightLaw) {
    const BallTimelineHand key = flight({5, 60}, 32, {-80, -20}, 96);
    EXPECT_EQ(key.coeff(), 1.95f);
    EXPECT_EQ(at(key, 32), (Point{5, 60}));
    EXPECT_FLOAT_EQ(at(key, 48).x, -16.25f);
    EXPECT_FLOAT_EQ(at(key, 48).y, 78.4f);
    EXPECT_FLOAT_EQ(at(key, 64).x, -37.5f);
    EXPECT_FLOAT_EQ(at(key, 64).y, 71.2f);
    EXPECT_FLOAT_EQ(at(key, 80).x, -58.75f);
    EXPECT_FLOAT_EQ(at(key, 80).y, 38.4f);
    EXPECT_EQ(at(key, 96).x, -80.0f);
    EXPECT_EQ(at(key, 96).y, -19.999996f);
    EXPECT_EQ(key.maxHeight(), 79.0f);
}

TEST(BallFlight, HeightIsClampedToTheSegment) {
    // Falling from the start: the start height. Still rising at the end: the end height.
    EXPECT_EQ(flight({0, 50}, 0, {10, -100}, 10).maxHeight(), 50.0f);
    EXPECT_EQ(flight({0, 0}, 0, {10, 100}, 10).maxHeight(), 100.0f);
}

TEST(BallFlight, ZeroLengthFlightStaysFinite) {
    const BallTimelineHand key = flight({5, 60}, 64, {-80, -20}, 64);
    EXPECT_TRUE(std::isfinite(key.coeff()));
    EXPECT_EQ(at(key, 64), (Point{-80, -20}));
    EXPECT_TRUE(std::isfinite(key.maxHeight()));
}

TEST(BallFlight, CopyAndSetHandKeepTheirOwnSegment) {
    const BallTimelineHand source = flight({5, 60}, 32, {-80, -20}, 96);
    const BallTimelineHand copy = source.copy();
    EXPECT_EQ(copy.time(), 96.0f);
    EXPECT_EQ(copy.handNumber(), 1);
    EXPECT_EQ(copy.fromTime(), 0.0f);
    EXPECT_EQ(copy.fromPoint(), (Point{0, 0}));
    EXPECT_EQ(copy.coeff(), 0.0f);

    BallTimelineHand scratch = flight({1, 2}, 0, {3, 4}, 8);
    const float ownCoeff = scratch.coeff();
    scratch.setHand(source);
    EXPECT_EQ(scratch.time(), 96.0f);
    EXPECT_EQ(scratch.fromTime(), 32.0f);
    EXPECT_EQ(scratch.point(), (Point{-80, -20}));
    EXPECT_EQ(scratch.fromPoint(), (Point{1, 2}));
    EXPECT_EQ(scratch.coeff(), ownCoeff);
}

TEST(HandArc, CatchToThrowFitsTheCycloid) {
    const HandTimelineHand up = arc({80, -20}, 64, {5, 60}, 96);
    EXPECT_EQ(up.coeff1(), -47.839344f);
    EXPECT_EQ(up.coeff2(), 2.3080587f);
    expectNear(at(up, 72), {57.10f, -7.70f}, 0.006f);
    expectNear(at(up, 80), {35.33f, 9.23f}, 0.006f);
    expectNear(at(up, 88), {16.46f, 31.53f}, 0.006f);
    expectNear(at(up, 96), {5, 60}, 1e-4f);

    const HandTimelineHand down = arc({5, 60}, 96, {80, -20}, 128);
    EXPECT_EQ(down.coeff1(), up.coeff1());
    EXPECT_EQ(down.coeff2(), up.coeff2());
    expectNear(at(down, 104), at(up, 88), 1e-4f);
    expectNear(at(down, 120), at(up, 72), 1e-4f);
}

TEST(HandArc, LevelAndVerticalSegments) {
    const HandTimelineHand level = arc({5, 60}, 0, {90, 60}, 32);
    EXPECT_EQ(level.coeff2(), 6.2831855f);
    EXPECT_EQ(level.coeff1(), -13.528171f);
    expectNear(at(level, 8), {47.5f, 32.94f}, 0.006f);

    const HandTimelineHand vertical = arc({80, -20}, 0, {80, 60}, 32);
    EXPECT_EQ(vertical.coeff1(), 80.0f);
    EXPECT_EQ(vertical.coeff2(), 0.0f);
    expectNear(at(vertical, 16), {80, 4.62f}, 0.006f);
}

// Slopes across every seed interval, the edges included, and far beyond what patterns make:
// the fit must end, stay finite, and (where it converges) join both end points.
TEST(HandArc, FitJoinsTheEndsForEverySlope) {
    const float slopes[] = {0.01f, 0.0999f, 0.1f,    0.5f,  0.9999f, 1.0f,   1.5f,
                            2.0f,  5.0f,    10.999f, 11.0f, 16.0f,   100.0f, 15000.0f};
    for (const float g : slopes) {
        const Point top{0, 100};
        const Point bottom{-10, 100 - 10 * g};
        const HandTimelineHand key = arc(bottom, 0, top, 32);
        ASSERT_TRUE(std::isfinite(key.coeff1())) << g;
        ASSERT_TRUE(std::isfinite(key.coeff2())) << g;
        const Point start = at(key, 0);
        EXPECT_NEAR(start.x, bottom.x, 0.01f * (1 + 10 * g)) << g;
        EXPECT_NEAR(start.y, bottom.y, 0.01f * (1 + 10 * g)) << g;
        expectNear(at(key, 32), top, 1e-3f);
    }
}

TEST(HandArc, HopelesslySteepChordStillEnds) {
    const HandTimelineHand key = arc({0, -1e7f}, 0, {1e-4f, 1e7f}, 32);
    EXPECT_TRUE(std::isfinite(key.coeff1()));
    EXPECT_TRUE(std::isfinite(key.coeff2()));
    const Point mid = at(key, 16);
    EXPECT_TRUE(std::isfinite(mid.x) && std::isfinite(mid.y));
}

TEST(Truncation, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(truncToInt(51.9), 51);
    EXPECT_EQ(truncToInt(-1.5), -1);
    EXPECT_EQ(truncToInt(std::nan("")), 0);
    EXPECT_EQ(truncToInt(1e30), 2147483647);
    EXPECT_EQ(truncToInt(-1e30), -2147483647 - 1);
}
