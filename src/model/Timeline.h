#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Hand.h"

// The keyframe list of one ball or one hand with the loop of its pattern. Times past the
// loop's end are mapped back into it by whole loop lengths, so a finite list animates for
// ever. Key is BallTimelineHand or HandTimelineHand.
template <class Key>
class Timeline {
  public:
    Timeline() { hands_.reserve(25); }

    void completeTimelineWithStartLoop(float start, float end);

    // The first keyframe at or after t (see the .cpp for the one exception at the end).
    int32_t findIndexAtTime(float t) const;

    // Fills hand/fromHand with the keyframes ending and starting the segment that holds t,
    // their times moved onto the caller's unwrapped axis.
    bool findHand(Key& hand, Key& fromHand, float t) const;

    const Key* earliestHand() const { return hands_.empty() ? nullptr : &hands_.front(); }
    const Key* latestHand() const { return hands_.empty() ? nullptr : &hands_.back(); }
    const Key* loopHand() const { return loopHand_ ? &*loopHand_ : nullptr; }

    float startLoop() const { return startLoop_; }
    float endLoop() const { return endLoop_; }
    std::size_t count() const { return hands_.size(); }
    const Key& at(std::size_t index) const { return hands_[index]; }
    const std::vector<Key>& hands() const { return hands_; }

  protected:
    struct Lookup {
        float t;
        float k;  // whole loops taken off t
        int32_t idx;
    };
    Lookup wrappedLookup(float t, int32_t limit) const;
    // The keyframe whose segment holds t for a position lookup, or none where a looping
    // pattern would need a loop keyframe this timeline lacks. May move t back one loop.
    const Key* positionKey(const Lookup& lookup, float& t) const;

    std::vector<Key> hands_;
    float startLoop_ = 0.0f;
    float endLoop_ = 0.0f;
    std::optional<Key> loopHand_;
};

class BallTimeline : public Timeline<BallTimelineHand> {
  public:
    // Appends a keyframe `length` after the last one (whole time units) and returns its time.
    float addHandWithTimeLength(float length, Point point, int32_t handNumber, int32_t style);

    // 0: empty, point untouched; -(h + 1): held by hand h, point untouched;
    // h + 1: flying towards hand h, point written.
    int computePoint(Point& out, float t) const;

    float maxHeight() const;

    // The next catch at or after t (hand) and the throw that starts it (fromHand).
    bool findCatchHand(BallTimelineHand& hand, BallTimelineHand& fromHand, float t) const;
};

class HandTimeline : public Timeline<HandTimelineHand> {
  public:
    // Inserts in time order; a keyframe already at exactly this time wins.
    void insertHandWithTime(float time, Point point, int32_t style);

    // 0: empty (point untouched); 1: point written.
    int computePoint(Point& out, float t) const;

    float maxWidth() const;
};
