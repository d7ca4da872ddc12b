#pragma once

#include <cstdint>
#include <vector>

#include "geometry/Geometry.h"
#include "model/Timeline.h"

// The one object the view asks about a pattern: where every ball and hand is at a time,
// how far it reaches and where its loop lies. Subclasses fill it in their constructors.
class JPattern {
  public:
    JPattern(int32_t balls, int32_t hands);
    virtual ~JPattern() = default;
    JPattern(const JPattern&) = delete;
    JPattern& operator=(const JPattern&) = delete;

    // Appends a ball keyframe `length` after the ball's previous one and gives the hand a
    // keyframe at the same time, place and style.
    void addBallTimelineHandForBallNumber(int32_t ball, int32_t hand, float length, Point point,
                                          int32_t style);
    void completePatternWithStartLoop(float start, float end);

    // Hands first: a held ball takes its hand's fresh position. Allocates nothing.
    void computePointsAtTime(float t);
    int computePointForHandNumber(int32_t hand, float t);
    int computePointForBallNumber(int32_t ball, float t);

    int32_t numberOfBalls() const { return numberOfBalls_; }
    int32_t numberOfHands() const { return numberOfHands_; }
    Point pointForBallNumber(int32_t ball) const { return ballPoints_[ball]; }
    Point pointForHandNumber(int32_t hand) const { return handPoints_[hand]; }
    float startLoop() const { return startLoop_; }
    float endLoop() const { return endLoop_; }
    float maxWidth() const { return maxWidth_; }
    float maxHeight() const { return maxHeight_; }

    const BallTimeline& ballTimelineAtIndex(int32_t index) const { return ballTimelines_[index]; }
    const HandTimeline& handTimelineAtIndex(int32_t index) const { return handTimelines_[index]; }

  protected:
    HandTimeline& mutableHandTimeline(int32_t index) { return handTimelines_[index]; }
    void computeMaxWidthAndHeight();

    static constexpr Point kUnplaced{999.0f, 999.0f};

    int32_t numberOfBalls_;
    int32_t numberOfHands_;
    std::vector<BallTimeline> ballTimelines_;
    std::vector<HandTimeline> handTimelines_;
    std::vector<Point> ballPoints_;
    std::vector<Point> handPoints_;
    float startLoop_ = 0.0f;
    float endLoop_ = 0.0f;
    float maxWidth_ = 0.0f;
    float maxHeight_ = 0.0f;
};
