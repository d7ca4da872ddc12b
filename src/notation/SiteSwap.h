#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "geometry/Geometry.h"
#include "model/Pattern.h"

struct SiteSwapTerm {
    int32_t value = 0;   // beats; 0 is an empty beat
    int32_t rCount = 0;  // each 'r' moves the throw and catch points outward
    int32_t qCount = 0;  // each 'q' halves the dwell before the throw
    friend bool operator==(const SiteSwapTerm&, const SiteSwapTerm&) = default;
};

// Limits on what the notation accepts. Every string inside them is laid out exactly; past
// them a short string could ask for millions of beats, so it is refused with a reason.
struct SiteSwapLimits {
    static constexpr int32_t kMaxLength = 4096;   // characters
    static constexpr int32_t kMaxTerms = 1024;    // throws in one period of the notation
    static constexpr int32_t kMaxValue = 999;     // beats of one throw
    static constexpr int32_t kMaxQ = 5;           // below 1 time unit of dwell the ball drifts
    static constexpr int32_t kMaxPeriod = 16384;  // beats before the pattern repeats
};

// The pattern of one siteswap string: the string is read and checked, then laid out beat by
// beat as ball and hand keyframes until one full period follows the last ball's entry.
class SiteSwap : public JPattern {
  public:
    // None if the string is not a valid siteswap; whyNot, if given, then says why.
    static std::shared_ptr<SiteSwap> initWithSequence(const std::string& sequence,
                                                      std::string* whyNot = nullptr);
    // Empty for a valid siteswap, otherwise a short sentence saying why it is refused.
    static std::string refusalReason(const std::string& sequence);

    const std::string& sequence() const { return sequence_; }
    int32_t numberOfTerms() const { return numberOfTerms_; }
    const std::vector<SiteSwapTerm>& terms() const { return terms_; }
    float spread() const { return spread_; }
    int32_t period() const { return period_; }

    Point throwPointForTermIndex(int32_t index, int32_t hand) const;
    Point catchPointForTermIndex(int32_t index, int32_t hand) const;

    const BallTimelineHand* latestHandForBallNumber(int32_t ball) const;
    int32_t nextBallNumber() const;
    int32_t nextActiveBallNumber() const;

    // Greatest common divisor and least common multiple of the orbit sums.
    static int64_t gcd(int64_t a, int64_t b);
    static int64_t lcm(int64_t a, int64_t b);

  private:
    struct Reading;
    SiteSwap(const std::string& sequence, Reading&& reading);
    void layOut();

    std::string sequence_;
    int32_t numberOfTerms_ = 0;
    std::vector<SiteSwapTerm> terms_;
    float spread_ = 1.0f;
    int32_t period_ = 0;
};
