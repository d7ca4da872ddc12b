#include "notation/SiteSwap.h"

#include <cmath>
#include <cstdio>
#include <set>
#include <utility>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isModifier(char c) {
    return c == 'r' || c == 'q' || c == ',';
}

// 1-based character position of byte index k, counting UTF-8 sequences as one character.
int32_t characterPosition(const std::string& s, std::size_t k) {
    int32_t position = 0;
    for (std::size_t i = 0; i <= k && i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            ++position;
        }
    }
    return position;
}

std::string describeCharacter(const std::string& s, std::size_t k) {
    const auto c = static_cast<unsigned char>(s[k]);
    if (c >= 0x80) {
        return "a non-ASCII character";
    }
    if (c < 0x20 || c == 0x7F) {
        char code[40];
        std::snprintf(code, sizeof code, "control character 0x%02X", c);
        return code;
    }
    if (c == ' ') {
        return "a space";
    }
    return std::string("'") + static_cast<char>(c) + "'";
}

}  // namespace

// The grammar and validation of a siteswap string, read into term records.
struct SiteSwap::Reading {
    const std::string& s;
    std::vector<SiteSwapTerm> terms;
    int32_t numberOfBalls = 0;
    float spread = 1.0f;
    std::string reason;

    // Counting pass (false): the number of terms, or 0. Storing pass (true): fills the
    // records and returns the period in beats, or 0 for an invalid siteswap.
    int32_t parseWithStoring(bool storing);

  private:
    int32_t refuse(std::string why) {
        reason = std::move(why);
        return 0;
    }
    int32_t validate(int64_t sum);
    int32_t collisionReason();
};

int32_t SiteSwap::Reading::parseWithStoring(bool storing) {
    const std::size_t length = s.size();
    if (length == 0) {
        return refuse("empty siteswap");
    }
    if (length > static_cast<std::size_t>(SiteSwapLimits::kMaxLength)) {
        return refuse("too long: " + std::to_string(length) + " characters, at most " +
                      std::to_string(SiteSwapLimits::kMaxLength));
    }
    const bool multiDigit = s.find(',') != std::string::npos;
    int32_t count = 0;
    int64_t sum = 0;
    std::size_t k = 0;
    while (k < length) {
        ++count;
        if (!isDigit(s[k])) {
            return refuse(describeCharacter(s, k) + " at position " +
                          std::to_string(characterPosition(s, k)) + " cannot start a throw");
        }
        const std::size_t start = k;
        int64_t v = s[k] - '0';
        if (multiDigit) {
            while (k < length - 1 && isDigit(s[k + 1])) {
                // Saturate: anything past the limit is refused below, never overflowed.
                if (v <= SiteSwapLimits::kMaxValue) {
                    v = 10 * v + (s[k + 1] - '0');
                }
                ++k;
            }
        }
        SiteSwapTerm term;
        term.value = static_cast<int32_t>(v);
        while (k < length - 1 && isModifier(s[k + 1])) {
            ++k;
            term.rCount += s[k] == 'r' ? 1 : 0;
            term.qCount += s[k] == 'q' ? 1 : 0;
        }
        if (storing) {
            const int32_t position = characterPosition(s, start);
            if (v > SiteSwapLimits::kMaxValue) {
                return refuse("throw at position " + std::to_string(position) + " is higher than " +
                              std::to_string(SiteSwapLimits::kMaxValue));
            }
            if (term.qCount > SiteSwapLimits::kMaxQ) {
                return refuse("throw at position " + std::to_string(position) + " has " +
                              std::to_string(term.qCount) + " 'q' marks, at most " +
                              std::to_string(SiteSwapLimits::kMaxQ));
            }
            if (count > SiteSwapLimits::kMaxTerms) {
                return refuse("too many throws: more than " +
                              std::to_string(SiteSwapLimits::kMaxTerms));
            }
            if (term.value == 1 && term.qCount == 0) {
                term.qCount = 1;
            }
            sum += term.value;
            terms.push_back(term);
        }
        ++k;
    }
    if (!storing) {
        return count;
    }
    return validate(sum);
}

int32_t SiteSwap::Reading::validate(int64_t sum) {
    const auto n = static_cast<int64_t>(terms.size());
    if (sum == 0) {
        return refuse("no balls: every throw is 0");
    }
    if (sum % n != 0) {
        return refuse("the throws average " + std::to_string(sum) + "/" + std::to_string(n) +
                      ", not a whole number of balls");
    }
    numberOfBalls = static_cast<int32_t>(sum / n);
    float high = 0.0f;
    int64_t period = 1;
    for (int64_t k = 0; k < n; ++k) {
        int64_t c = k;
        int64_t d = 0;
        int64_t steps = 0;
        do {
            d += terms[c].value;
            c = (c + terms[c].value) % n;
            if (++steps > n) {
                return collisionReason();
            }
        } while (c != k);
        if (d % 2 != 0) {
            d = 2 * d;
        }
        if (d > 0) {
            period = lcm(period, d);
            if (period > SiteSwapLimits::kMaxPeriod) {
                return refuse("the pattern repeats only after more than " +
                              std::to_string(SiteSwapLimits::kMaxPeriod) + " beats");
            }
        }
        if (terms[k].value > numberOfBalls) {
            high = high + 1.0f;
        }
    }
    if (numberOfBalls <= 4) {
        spread = 1.0f;
    } else {
        const float inner = static_cast<float>(numberOfBalls - 5) + high / static_cast<float>(n);
        spread = static_cast<float>(inner * 0.17 + 1.0);
    }
    return static_cast<int32_t>(period);
}

int32_t SiteSwap::Reading::collisionReason() {
    const auto n = static_cast<int32_t>(terms.size());
    std::vector<int32_t> thrownFrom(static_cast<std::size_t>(n), -1);
    for (int32_t k = 0; k < n; ++k) {
        const int32_t landing = (k + terms[k].value) % n;
        if (thrownFrom[landing] >= 0) {
            return refuse("throws " + std::to_string(thrownFrom[landing] + 1) + " and " +
                          std::to_string(k + 1) + " land on the same beat");
        }
        thrownFrom[landing] = k;
    }
    return refuse("two throws land on the same beat");
}

int64_t SiteSwap::gcd(int64_t a, int64_t b) {
    for (;;) {
        const int64_t r = a % b;
        if (r == 0) {
            return b;
        }
        a = b;
        b = r;
    }
}

int64_t SiteSwap::lcm(int64_t a, int64_t b) {
    return a * (b / gcd(a, b));
}

std::shared_ptr<SiteSwap> SiteSwap::initWithSequence(const std::string& sequence,
                                                     std::string* whyNot) {
    Reading reading{sequence, {}, 0, 1.0f, {}};
    const int32_t numberOfTerms = reading.parseWithStoring(false);
    int32_t period = 0;
    if (numberOfTerms > 0) {
        reading.terms.reserve(static_cast<std::size_t>(
            numberOfTerms < SiteSwapLimits::kMaxTerms ? numberOfTerms : SiteSwapLimits::kMaxTerms));
        period = reading.parseWithStoring(true);
    }
    if (period == 0) {
        if (whyNot != nullptr) {
            *whyNot = reading.reason;
        }
        return nullptr;
    }
    if (whyNot != nullptr) {
        whyNot->clear();
    }
    std::shared_ptr<SiteSwap> pattern(new SiteSwap(sequence, std::move(reading)));
    pattern->period_ = period;
    pattern->layOut();
    return pattern;
}

std::string SiteSwap::refusalReason(const std::string& sequence) {
    std::string why;
    initWithSequence(sequence, &why);
    return why;
}

SiteSwap::SiteSwap(const std::string& sequence, Reading&& reading)
    : JPattern(reading.numberOfBalls, 2),
      sequence_(sequence),
      numberOfTerms_(static_cast<int32_t>(reading.terms.size())),
      terms_(std::move(reading.terms)),
      spread_(reading.spread) {}

namespace {

struct Timing {
    float dwell;
    float flight;
};

Timing timingOf(const SiteSwapTerm& term) {
    const auto dwell = static_cast<float>(32.0 / std::pow(2.0, term.qCount));
    const auto flight = static_cast<float>(32.0 * term.value - dwell);
    return {dwell, flight};
}

}  // namespace

Point SiteSwap::throwPointForTermIndex(int32_t index, int32_t hand) const {
    const SiteSwapTerm& term = terms_[index];
    Point p;
    if (term.value == 1) {
        p = {15.0f, 8.0f};
    } else if (term.rCount == 0) {
        p = {5.0f, 80.0f};
    } else {
        p = {static_cast<float>(90.0 + 35.0 * (term.rCount - 1)), 80.0f};
    }
    if (hand == 1) {
        p.x = -p.x;
    }
    p.x = p.x * spread_;
    p.y = p.y * spread_;
    p.y = static_cast<float>(p.y - 20.0);
    return p;
}

Point SiteSwap::catchPointForTermIndex(int32_t index, int32_t hand) const {
    const SiteSwapTerm& term = terms_[index];
    Point p;
    if (term.value == 1) {
        p = {25.0f, 0.0f};
    } else if (term.rCount == 0) {
        p = {80.0f, 0.0f};
    } else {
        p = {static_cast<float>(40.0 + 60.0 * (term.rCount - 1)), 0.0f};
    }
    if (hand == 1) {
        p.x = -p.x;
    }
    p.x = p.x * spread_;
    p.y = p.y * spread_;
    p.y = static_cast<float>(p.y - 20.0);
    return p;
}

const BallTimelineHand* SiteSwap::latestHandForBallNumber(int32_t ball) const {
    return ballTimelines_[ball].latestHand();
}

int32_t SiteSwap::nextBallNumber() const {
    int32_t earliest = 0;
    for (int32_t ball = 0; ball < numberOfBalls_; ++ball) {
        const BallTimelineHand* latest = latestHandForBallNumber(ball);
        if (latest == nullptr) {
            return ball;
        }
        if (latest->time() < latestHandForBallNumber(earliest)->time()) {
            earliest = ball;
        }
    }
    return earliest;
}

int32_t SiteSwap::nextActiveBallNumber() const {
    int32_t earliest = -1;
    for (int32_t ball = 0; ball < numberOfBalls_; ++ball) {
        const BallTimelineHand* latest = latestHandForBallNumber(ball);
        if (latest != nullptr &&
            (earliest < 0 || latest->time() < latestHandForBallNumber(earliest)->time())) {
            earliest = ball;
        }
    }
    return earliest;
}

void SiteSwap::layOut() {
    const int32_t n = numberOfTerms_;
    const int32_t period = period_;
    int32_t ball = 0;
    int32_t hand = 0;
    int32_t i = 0;
    // The balls in play ordered by (latest keyframe time, number): its first entry is what
    // nextActiveBallNumber() answers, without scanning every ball on every beat.
    std::set<std::pair<float, int32_t>> inPlay;
    int32_t entered = 0;
    auto add = [&](int32_t b, int32_t h, float length, Point p, int32_t style) {
        if (const BallTimelineHand* latest = latestHandForBallNumber(b)) {
            inPlay.erase({latest->time(), b});
        }
        addBallTimelineHandForBallNumber(b, h, length, p, style);
        inPlay.insert({latestHandForBallNumber(b)->time(), b});
    };
    for (int32_t beat = 0;; ++beat) {
        const float beatTime = static_cast<float>(32 * beat);
        if (endLoop_ != 0.0f && !(beatTime < endLoop_)) {
            break;
        }
        const SiteSwapTerm& term = terms_[i];
        if (term.value > 0) {
            const Timing timing = timingOf(term);
            const BallTimelineHand* latest = latestHandForBallNumber(ball);
            if (endLoop_ == 0.0f && (latest == nullptr || latest->time() > beatTime)) {
                // A new ball enters, resting where the throw that feeds this one lands.
                // Balls enter in number order, so the lowest without a keyframe is the count
                // entered so far; once all are in, the one that lands first.
                ball = entered < numberOfBalls_ ? entered++ : inPlay.begin()->second;
                hand = beat % 2;
                int32_t feeder = i;
                for (int32_t s = term.value; s < period;) {
                    feeder = (i + s) % n;
                    s += terms_[feeder].value;
                }
                const Point rest = catchPointForTermIndex(feeder, hand);
                add(ball, hand, 0.0f, rest, kStyleHeld);
                if (beat > 0) {
                    add(ball, hand, beatTime, rest, kStyleHeld);
                }
                latest = latestHandForBallNumber(ball);
                if (ball == numberOfBalls_ - 1) {
                    startLoop_ = static_cast<float>(32.0 * beat + timing.dwell / 2.0);
                    endLoop_ = static_cast<float>(startLoop_ + 32.0 * period);
                }
            }
            hand = latest->handNumber();
            add(ball, hand, timing.dwell, throwPointForTermIndex(i, hand), kStyleHeld);
            hand = (hand + term.value) % 2;
            add(ball, hand, timing.flight, catchPointForTermIndex(i, hand), kStyleFlight);
            ball = inPlay.begin()->second;
        }
        i = (i + 1) % n;
    }
    completePatternWithStartLoop(startLoop_, endLoop_);
}
