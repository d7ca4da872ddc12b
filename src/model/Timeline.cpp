#include "model/Timeline.h"

#include <cmath>
#include <cstdlib>

template <class Key>
void Timeline<Key>::completeTimelineWithStartLoop(float start, float end) {
    startLoop_ = start;
    endLoop_ = end;
    loopHand_.reset();
    const std::size_t n = hands_.size();
    if (n == 0) {
        return;
    }
    std::size_t closing = n - 1;
    for (std::size_t i = 1; i < n; ++i) {
        hands_[i].computeCoeffFromTime(hands_[i - 1].time(), hands_[i - 1].point());
        if (hands_[i].time() > endLoop_) {
            closing = i - 1;
            break;
        }
    }
    if (!(startLoop_ < endLoop_)) {
        return;
    }
    std::size_t opening = static_cast<std::size_t>(findIndexAtTime(startLoop_));
    if (opening < n && hands_[opening].time() == startLoop_) {
        ++opening;
    }
    if (opening >= n) {
        return;  // nothing follows the loop start: no loop to close
    }
    loopHand_ = hands_[opening].copy();
    const float closingTime = hands_[closing].time();
    loopHand_->computeCoeffFromTime(startLoop_ - (endLoop_ - closingTime), hands_[closing].point());
}

template <class Key>
int32_t Timeline<Key>::findIndexAtTime(float t) const {
    const int32_t n = static_cast<int32_t>(hands_.size());
    if (n == 0 || t <= hands_[0].time() || std::isnan(t)) {
        return 0;
    }
    if (hands_[n - 1].time() == t) {
        return n - 1;
    }
    if (hands_[n - 1].time() < t) {
        return n;
    }
    // Invariant: T[lo] < t <= T[hi]; the interval shrinks on every pass.
    int32_t lo = 0;
    int32_t hi = n - 1;
    for (;;) {
        const int32_t mid = (lo + hi) / 2;
        if (t <= hands_[mid].time()) {
            hi = mid;
        } else if (t <= hands_[mid + 1].time()) {
            return mid + 1;
        } else {
            lo = mid;
        }
    }
}

template <class Key>
typename Timeline<Key>::Lookup Timeline<Key>::wrappedLookup(float t, int32_t limit) const {
    const float length = endLoop_ - startLoop_;
    if (t > endLoop_ && length > 0.0f) {
        // Whole loops, truncated toward zero; kept as a float so huge clocks cannot overflow.
        const float k = std::trunc((t - startLoop_) / length);
        t = t - k * length;
        if (loopHand_ && t <= loopHand_->time()) {
            return {t, k, limit};
        }
        return {t, k, findIndexAtTime(t)};
    }
    return {t, 0.0f, findIndexAtTime(t)};
}

template <class Key>
const Key* Timeline<Key>::positionKey(const Lookup& lookup, float& t) const {
    const auto idx = static_cast<std::size_t>(lookup.idx);
    if (idx == hands_.size() || hands_[idx].time() > endLoop_) {
        if (!loopHand_) {
            return nullptr;
        }
        if (t > loopHand_->time()) {
            t = startLoop_ - (endLoop_ - t);
        }
        return &*loopHand_;
    }
    return &hands_[idx];
}

template <class Key>
bool Timeline<Key>::findHand(Key& hand, Key& fromHand, float t) const {
    const int32_t end = findIndexAtTime(static_cast<float>(static_cast<double>(endLoop_) + 0.01));
    if (end == 0) {
        return false;
    }
    const Lookup lookup = wrappedLookup(t, end);
    const float loops = lookup.k * (endLoop_ - startLoop_);
    if (lookup.idx == end) {
        if (!loopHand_) {
            return false;
        }
        hand.setHand(*loopHand_);
        fromHand.setHand(hands_[end - 1]);
        if (lookup.t > loopHand_->time()) {
            fromHand.setTime(fromHand.time() + loops);
            hand.setTime(fromHand.time() + (hand.time() - hand.fromTime()));
        } else {
            hand.setTime(hand.time() + loops);
            fromHand.setTime(hand.fromTime() + loops);
        }
        return true;
    }
    hand.setHand(hands_[lookup.idx]);
    if (lookup.idx > 0) {
        fromHand.setHand(hands_[lookup.idx - 1]);
    }
    hand.setTime(hand.time() + loops);
    fromHand.setTime(hand.fromTime() + loops);
    return true;
}

template class Timeline<BallTimelineHand>;
template class Timeline<HandTimelineHand>;

// ---- BallTimeline -----------------------------------------------------------------------

float BallTimeline::addHandWithTimeLength(float length, Point point, int32_t handNumber,
                                          int32_t style) {
    int32_t time = truncToInt(length);
    if (!hands_.empty()) {
        time = truncToInt(static_cast<float>(time) + hands_.back().time());
    }
    hands_.emplace_back(static_cast<float>(time), point, handNumber, style);
    return static_cast<float>(time);
}

int BallTimeline::computePoint(Point& out, float t) const {
    if (hands_.empty()) {
        return 0;
    }
    const Lookup lookup = wrappedLookup(t, static_cast<int32_t>(hands_.size()));
    t = lookup.t;
    const BallTimelineHand* key = positionKey(lookup, t);
    if (key == nullptr) {
        return 0;  // no loop keyframe to go on with: the ball stays where it was
    }
    if (lookup.idx == 0 || key->time() == t || key->isHeld()) {
        return -(key->handNumber() + 1);
    }
    key->computePoint(out, t);
    return key->handNumber() + 1;
}

float BallTimeline::maxHeight() const {
    float height = 0.0f;
    for (std::size_t i = 1; i < hands_.size(); ++i) {
        const int32_t thrower = hands_[i - 1].handNumber();
        if (!hands_[i].isHeld() && (thrower == 0 || thrower == 1)) {
            const float candidate = hands_[i].maxHeight();
            if (candidate > height) {
                height = candidate;
            }
        }
    }
    if (loopHand_ && !loopHand_->isHeld()) {
        const float candidate = loopHand_->maxHeight();
        if (candidate > height) {
            height = candidate;
        }
    }
    return height;
}

bool BallTimeline::findCatchHand(BallTimelineHand& hand, BallTimelineHand& fromHand,
                                 float t) const {
    if (!findHand(hand, fromHand, t)) {
        return false;
    }
    const float length = endLoop_ - startLoop_;
    const float start = hand.time();
    while (hand.isHeld() && hand.time() - start < length) {
        const float before = hand.time();
        const float next = static_cast<float>(static_cast<double>(hand.time()) + 0.01);
        // Far out on the float axis +0.01 rounds away and the search would stand still.
        if (!findHand(hand, fromHand, next) || !(hand.time() > before)) {
            return false;
        }
    }
    return hand.time() - start < length;
}

// ---- HandTimeline -----------------------------------------------------------------------

void HandTimeline::insertHandWithTime(float time, Point point, int32_t style) {
    const auto idx = static_cast<std::size_t>(findIndexAtTime(time));
    if (idx < hands_.size() && hands_[idx].time() == time) {
        return;
    }
    hands_.insert(hands_.begin() + static_cast<std::ptrdiff_t>(idx),
                  HandTimelineHand(time, point, style));
}

int HandTimeline::computePoint(Point& out, float t) const {
    if (hands_.empty()) {
        return 0;
    }
    const Lookup lookup = wrappedLookup(t, static_cast<int32_t>(hands_.size()));
    t = lookup.t;
    const HandTimelineHand* key = positionKey(lookup, t);
    if (key == nullptr) {
        return 0;  // the hand stays where it was
    }
    if (lookup.idx == 0 || key->time() == t) {
        out = key->point();
    } else {
        key->computePoint(out, t);
    }
    return 1;
}

float HandTimeline::maxWidth() const {
    float width = 0.0f;
    for (const HandTimelineHand& key : hands_) {
        const float reach =
            static_cast<float>(std::fabs(static_cast<double>(truncToInt(key.point().x))));
        if (reach > width) {
            width = reach;
        }
    }
    return width;
}
