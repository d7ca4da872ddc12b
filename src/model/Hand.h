#pragma once

#include <cstdint>

#include "geometry/Geometry.h"

// A keyframe of a ball or a hand. It also describes the segment of motion that ends at it,
// which starts at the previous keyframe (fromTime, fromPoint).
class Hand {
  public:
    Hand() = default;
    Hand(float time, Point point, int32_t style) : time_(time), point_(point), style_(style) {}

    float time() const { return time_; }
    void setTime(float time) { time_ = time; }
    float fromTime() const { return fromTime_; }
    Point point() const { return point_; }
    Point fromPoint() const { return fromPoint_; }
    int32_t style() const { return style_; }
    // Odd styles mean the ball is held on the segment, even ones that it flies.
    bool isHeld() const { return (style_ & 1) != 0; }

  protected:
    float time_ = 0.0f;
    float fromTime_ = 0.0f;
    Point point_;
    Point fromPoint_;
    int32_t style_ = 0;
};

// Style codes of the segment that ends at a keyframe.
inline constexpr int32_t kStyleFlight = 2;
inline constexpr int32_t kStyleHeld = 3;

// One keyframe of a ball, with the ballistic flight of the segment that ends here.
class BallTimelineHand : public Hand {
  public:
    BallTimelineHand() = default;
    BallTimelineHand(float time, Point point, int32_t handNumber, int32_t style)
        : Hand(time, point, style), handNumber_(handNumber) {}

    // A copy carries time, point, hand and style only: its flight must be computed again.
    BallTimelineHand copy() const { return BallTimelineHand(time_, point_, handNumber_, style_); }

    int32_t handNumber() const { return handNumber_; }
    float coeff() const { return coeff_; }

    // Fills this scratch keyframe from another; fromPoint and coeff stay as they were.
    void setHand(const BallTimelineHand& other);

    void computeCoeffFromTime(float fromTime, Point fromPoint);
    int computePoint(Point& out, float t) const;
    float maxHeight() const;

  private:
    int32_t handNumber_ = 0;
    float coeff_ = 0.0f;
};

// One keyframe of a hand, with the cycloid arc of the segment that ends here.
class HandTimelineHand : public Hand {
  public:
    HandTimelineHand() = default;
    HandTimelineHand(float time, Point point, int32_t style) : Hand(time, point, style) {}

    HandTimelineHand copy() const { return HandTimelineHand(time_, point_, style_); }

    float coeff1() const { return coeff1_; }
    float coeff2() const { return coeff2_; }

    // Fills this scratch keyframe from another; fromPoint and both coefficients stay.
    void setHand(const HandTimelineHand& other);

    void computeCoeffFromTime(float fromTime, Point fromPoint);
    int computePoint(Point& out, float t) const;

    // Most Newton steps the arc fit takes; chords far steeper than any pattern makes cannot
    // reach the tolerance in double precision, and the best angle found is kept.
    static constexpr int kMaxNewtonSteps = 64;

  private:
    float coeff1_ = 0.0f;
    float coeff2_ = 0.0f;
};

// float -> int as C truncation, but defined for every input: NaN gives 0 and values beyond
// the int range saturate, so hostile numbers never reach undefined behaviour.
int32_t truncToInt(double value);
