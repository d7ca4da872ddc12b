#include <gtest/gtest.h>

#include <string>

#include "notation/SiteSwap.h"

namespace {

std::shared_ptr<SiteSwap> make(const std::string& sequence) {
    auto pattern = SiteSwap::initWithSequence(sequence);
    EXPECT_TRUE(pattern) << sequence << ": " << SiteSwap::refusalReason(sequence);
    return pattern;
}

}  // namespace

TEST(SiteSwapReading, BallsPeriodSpreadAndLoop) {
    struct Case {
        const char* sequence;
        int terms;
        int balls;
        int period;
        float spread;
        float startLoop;
        float endLoop;
    };
    const Case cases[] = {
        {"3", 1, 3, 6, 1.0f, 80, 272},
        {"5", 1, 5, 10, 1.0f, 144, 464},
        {"9", 1, 9, 18, 1.67999995f, 272, 848},
        {"7", 1, 7, 14, 1.34f, 208, 656},
        {"95551", 5, 5, 10, 1.034f, 136, 456},
        {"8040", 4, 3, 8, 1.0f, 144, 400},
        {"40", 2, 2, 4, 1.0f, 80, 208},
        {"5r1", 2, 3, 6, 1.0f, 104, 296},
        {"33355500333", 11, 3, 22, 1.0f, 80, 784},
        {"12,", 1, 12, 12, 2.19f, 368, 752},
        {"4,4", 2, 4, 4, 1.0f, 112, 240},
        {"55rrq555", 5, 5, 10, 1.0f, 144, 464},
        {"441", 3, 3, 18, 1.0f, 72, 648},
    };
    for (const Case& c : cases) {
        const auto pattern = make(c.sequence);
        ASSERT_TRUE(pattern);
        EXPECT_EQ(pattern->numberOfTerms(), c.terms) << c.sequence;
        EXPECT_EQ(pattern->numberOfBalls(), c.balls) << c.sequence;
        EXPECT_EQ(pattern->period(), c.period) << c.sequence;
        EXPECT_EQ(pattern->spread(), c.spread) << c.sequence;
        EXPECT_EQ(pattern->startLoop(), c.startLoop) << c.sequence;
        EXPECT_EQ(pattern->endLoop(), c.endLoop) << c.sequence;
        EXPECT_EQ(pattern->sequence(), c.sequence);
    }
}

TEST(SiteSwapReading, ModifiersCountIntoTheirTerm) {
    using T = SiteSwapTerm;
    struct Case {
        const char* sequence;
        std::vector<SiteSwapTerm> terms;
    };
    const Case cases[] = {
        {"5r1", {T{5, 1, 0}, T{1, 0, 1}}},
        {"55rrq555", {T{5, 0, 0}, T{5, 2, 1}, T{5, 0, 0}, T{5, 0, 0}, T{5, 0, 0}}},
        {"5r", {T{5, 1, 0}}},
        {"1qq", {T{1, 0, 2}}},
        {"12,", {T{12, 0, 0}}},
        {"4,4", {T{4, 0, 0}, T{4, 0, 0}}},
        {"3q,r", {T{3, 1, 1}}},
    };
    for (const Case& c : cases) {
        const auto pattern = make(c.sequence);
        ASSERT_TRUE(pattern);
        EXPECT_EQ(pattern->terms(), c.terms) << c.sequence;
    }
}

TEST(SiteSwapReading, AnythingUpToFourBallsHasNoSpread) {
    for (const char* sequence : {"1", "20", "3", "441", "4", "8040", "53q1", "7531"}) {
        EXPECT_EQ(make(sequence)->spread(), 1.0f) << sequence;
    }
}

TEST(SiteSwapReading, RefusalsSayWhy) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "empty"},
        {"432", "throws 1 and 2 land on the same beat"},
        {"12", "average 3/2"},
        {"0", "every throw is 0"},
        {"00", "every throw is 0"},
        {"r3", "'r' at position 1"},
        {",3", "',' at position 1"},
        {"3R", "'R' at position 2"},
        {"1 2", "space at position 2"},
        {"3\xc3\xa9", "non-ASCII character at position 2"},
        {"5-1", "'-' at position 2"},
        {"5qqqqqq", "6 'q' marks"},
        {"1000,", "higher than 999"},
        {"99999999999999999999,", "higher than 999"},
        {std::string(5000, '3'), "too long"},
        {std::string(1200, '3'), "too many throws"},
    };
    for (const auto& [sequence, reason] : cases) {
        std::string why;
        EXPECT_FALSE(SiteSwap::initWithSequence(sequence, &why)) << sequence.substr(0, 20);
        EXPECT_NE(why.find(reason), std::string::npos)
            << sequence.substr(0, 20) << " gave: " << why;
        EXPECT_EQ(SiteSwap::refusalReason(sequence), why);
    }
    EXPECT_EQ(SiteSwap::refusalReason("531"), "");
}

TEST(SiteSwapReading, HugeInputsAreRefusedNotLaidOut) {
    // A megabyte of anything: refused on its length before any scan.
    EXPECT_FALSE(SiteSwap::initWithSequence(std::string(1 << 20, '5')));
    EXPECT_FALSE(SiteSwap::initWithSequence(std::string(1 << 20, ',')));
    // Six throws that each land back on their own beat, with orbits of 6 times distinct
    // primes: a short string whose period would be about 10^14 beats.
    std::string why;
    EXPECT_FALSE(SiteSwap::initWithSequence("978,942,906,894,834,822,", &why));
    EXPECT_NE(why.find("more than 16384 beats"), std::string::npos) << why;
}

TEST(SiteSwapLayout, ThrowAndCatchPoints) {
    const auto wide = make("9r");
    EXPECT_FLOAT_EQ(wide->throwPointForTermIndex(0, 0).x, 151.2f);
    EXPECT_FLOAT_EQ(wide->throwPointForTermIndex(0, 0).y, 114.4f);
    EXPECT_FLOAT_EQ(wide->throwPointForTermIndex(0, 1).x, -151.2f);
    EXPECT_FLOAT_EQ(wide->catchPointForTermIndex(0, 1).x, -67.2f);
    EXPECT_EQ(wide->catchPointForTermIndex(0, 1).y, -20.0f);

    const auto low = make("5r1");
    EXPECT_EQ(low->throwPointForTermIndex(0, 0), (Point{90, 60}));
    EXPECT_EQ(low->catchPointForTermIndex(0, 1), (Point{-40, -20}));
    EXPECT_EQ(low->throwPointForTermIndex(1, 1), (Point{-15, -12}));
    EXPECT_EQ(low->catchPointForTermIndex(1, 0), (Point{25, -20}));

    const auto doubled = make("55rrq555");
    EXPECT_EQ(doubled->throwPointForTermIndex(1, 0), (Point{125, 60}));
    EXPECT_EQ(doubled->catchPointForTermIndex(1, 1), (Point{-100, -20}));
}

TEST(SiteSwapLayout, CascadeBallsEnterInTurn) {
    const auto cascade = make("3");
    const Point starts[] = {{80, -20}, {-80, -20}, {80, -20}};
    for (int ball = 0; ball < 3; ++ball) {
        const BallTimeline& timeline = cascade->ballTimelineAtIndex(ball);
        EXPECT_EQ(timeline.at(0).time(), 0.0f);
        EXPECT_EQ(timeline.at(0).point(), starts[ball]);
        EXPECT_EQ(timeline.at(0).handNumber(), ball % 2);
        // Resting until its beat, then thrown 32 later.
        const std::size_t throwIndex = ball == 0 ? 1 : 2;
        EXPECT_EQ(timeline.at(throwIndex).time(), 32.0f * ball + 32);
        EXPECT_EQ(timeline.at(throwIndex + 1).time(), 32.0f * ball + 96);
    }
}

TEST(SiteSwapLayout, FiveROne) {
    const auto pattern = make("5r1");
    const BallTimeline& ball0 = pattern->ballTimelineAtIndex(0);
    EXPECT_EQ(ball0.at(0).point(), (Point{25, -20}));
    EXPECT_EQ(ball0.at(1).time(), 32.0f);
    EXPECT_EQ(ball0.at(1).point(), (Point{90, 60}));
    EXPECT_EQ(ball0.at(2).time(), 160.0f);
    EXPECT_EQ(ball0.at(2).handNumber(), 1);
    EXPECT_EQ(ball0.at(2).point(), (Point{-40, -20}));
}

TEST(SiteSwapLayout, OneHandedPatternsLeaveTheOtherHandIdle) {
    for (const char* sequence : {"40", "8040"}) {
        const auto pattern = make(sequence);
        EXPECT_EQ(pattern->handTimelineAtIndex(1).count(), 0u) << sequence;
        pattern->computePointsAtTime(100);
        EXPECT_EQ(pattern->pointForHandNumber(1), (Point{999, 999})) << sequence;
    }
}

TEST(SiteSwapLayout, DwellHalvesWithEachQ) {
    const auto pattern = make("55rrq555");
    const BallTimeline& ball1 = pattern->ballTimelineAtIndex(1);
    // Ball 1 makes the second throw: caught at 32, held 16, flies 144.
    EXPECT_EQ(ball1.at(1).time(), 32.0f);
    EXPECT_EQ(ball1.at(2).time(), 48.0f);
    EXPECT_EQ(ball1.at(3).time(), 192.0f);
    EXPECT_EQ(pattern->maxWidth(), 125.0f);
}

TEST(SiteSwapMath, GcdAndLcm) {
    EXPECT_EQ(SiteSwap::gcd(12, 18), 6);
    EXPECT_EQ(SiteSwap::gcd(7, 5), 1);
    EXPECT_EQ(SiteSwap::lcm(4, 6), 12);
    EXPECT_EQ(SiteSwap::lcm(10, 10), 10);
}
