#include "model/Pattern.h"

JPattern::JPattern(int32_t balls, int32_t hands)
    : numberOfBalls_(balls),
      numberOfHands_(hands),
      ballTimelines_(static_cast<std::size_t>(balls)),
      handTimelines_(static_cast<std::size_t>(hands)),
      ballPoints_(static_cast<std::size_t>(balls), kUnplaced),
      handPoints_(static_cast<std::size_t>(hands), kUnplaced) {}

void JPattern::addBallTimelineHandForBallNumber(int32_t ball, int32_t hand, float length,
                                                Point point, int32_t style) {
    const float t = ballTimelines_[ball].addHandWithTimeLength(length, point, hand, style);
    handTimelines_[hand].insertHandWithTime(t, point, style);
}

void JPattern::completePatternWithStartLoop(float start, float end) {
    startLoop_ = start;
    endLoop_ = end;
    for (BallTimeline& timeline : ballTimelines_) {
        timeline.completeTimelineWithStartLoop(start, end);
    }
    for (HandTimeline& timeline : handTimelines_) {
        timeline.completeTimelineWithStartLoop(start, end);
    }
    computeMaxWidthAndHeight();
}

void JPattern::computePointsAtTime(float t) {
    for (int32_t hand = 0; hand < numberOfHands_; ++hand) {
        computePointForHandNumber(hand, t);
    }
    for (int32_t ball = 0; ball < numberOfBalls_; ++ball) {
        computePointForBallNumber(ball, t);
    }
}

int JPattern::computePointForHandNumber(int32_t hand, float t) {
    return static_cast<int8_t>(handTimelines_[hand].computePoint(handPoints_[hand], t));
}

int JPattern::computePointForBallNumber(int32_t ball, float t) {
    const int result = ballTimelines_[ball].computePoint(ballPoints_[ball], t);
    if (result < 0) {
        const int32_t holder = -result - 1;
        if (holder < numberOfHands_) {
            ballPoints_[ball] = handPoints_[holder];
        }
    }
    return static_cast<int8_t>(result);
}

void JPattern::computeMaxWidthAndHeight() {
    // Only the two visible hands count toward the width.
    for (int32_t hand = 0; hand < 2 && hand < numberOfHands_; ++hand) {
        const float width = handTimelines_[hand].maxWidth();
        if (width > maxWidth_) {
            maxWidth_ = width;
        }
    }
    for (const BallTimeline& timeline : ballTimelines_) {
        const float height = timeline.maxHeight();
        if (height > maxHeight_) {
            maxHeight_ = height;
        }
    }
}
