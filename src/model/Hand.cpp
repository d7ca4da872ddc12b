#include "model/Hand.h"

#include <cmath>
#include <limits>

int32_t truncToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483647.0) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value <= -2147483648.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

// ---- BallTimelineHand -------------------------------------------------------------------

void BallTimelineHand::setHand(const BallTimelineHand& other) {
    time_ = other.time();
    fromTime_ = other.fromTime();
    point_ = other.point();
    handNumber_ = other.handNumber();
    style_ = other.style();
}

void BallTimelineHand::computeCoeffFromTime(float fromTime, Point fromPoint) {
    fromTime_ = fromTime;
    fromPoint_ = fromPoint;
    const float length = time_ - fromTime_;
    if (length == 0.0f) {
        // A zero-length flight has no launch speed; zero keeps every later figure finite.
        coeff_ = 0.0f;
        return;
    }
    const float rise = (point_.y - fromPoint_.y) / length;
    coeff_ = static_cast<float>(0.05 * length + rise);
}

namespace {

// Height on the flight law: y0 + c*tau - 0.05*tau^2, with c*tau in single precision.
float flightHeight(float y0, float coeff, float tau) {
    const float climb = coeff * tau;
    return static_cast<float>(static_cast<double>(y0) + climb - 0.05 * tau * tau);
}

}  // namespace

int BallTimelineHand::computePoint(Point& out, float t) const {
    const float length = time_ - fromTime_;
    if (length == 0.0f) {
        out = point_;
        return 1;
    }
    const float tau = t - fromTime_;
    out.x = fromPoint_.x + (tau / length) * (point_.x - fromPoint_.x);
    out.y = flightHeight(fromPoint_.y, coeff_, tau);
    return 1;
}

float BallTimelineHand::maxHeight() const {
    int32_t apex = truncToInt(static_cast<double>(coeff_) / 0.1 + fromTime_);
    if (static_cast<float>(apex) < fromTime_) {
        apex = truncToInt(fromTime_);
    }
    if (static_cast<float>(apex) >= time_) {
        apex = truncToInt(time_);
    }
    const float tau = static_cast<float>(apex) - fromTime_;
    return flightHeight(fromPoint_.y, coeff_, tau);
}

// ---- HandTimelineHand -------------------------------------------------------------------

namespace {

constexpr float kSeed[10] = {1.401f, 0.969f, 0.736f, 0.593f, 0.496f,
                             0.425f, 0.373f, 0.332f, 0.299f, 0.272f};
constexpr float kSeedTenth[10] = {5.11f,  4.59f, 4.18f, 3.82f, 3.51f,
                                  3.297f, 2.99f, 2.78f, 2.58f, 2.412f};
constexpr float kFullTurn = 6.2831855f;

double arcResidual(double theta, double slope) {
    return (1.0 - std::cos(theta)) / (theta - std::sin(theta)) - slope;
}

double arcResidualSlope(double theta) {
    const double ratio = (1.0 - std::cos(theta)) / (theta - std::sin(theta));
    return std::sin(theta) / (theta - std::sin(theta)) - ratio * ratio;
}

double seedAngle(double slope) {
    const int32_t whole = truncToInt(slope);
    if (whole <= 0) {
        const int32_t tenth = truncToInt(slope * 10.0);
        return kSeedTenth[tenth < 0 ? 0 : (tenth > 9 ? 9 : tenth)];
    }
    if (whole > 10) {
        return 3.0 / slope;
    }
    return kSeed[whole - 1];
}

// Newton's method on the cycloid's chord slope, bounded; keeps the best angle seen.
double solveArcAngle(double slope) {
    double theta = seedAngle(slope);
    double residual = arcResidual(theta, slope);
    double best = theta;
    double bestResidual = std::fabs(residual);
    for (int step = 0; step < HandTimelineHand::kMaxNewtonSteps && std::fabs(residual) >= 0.0001;
         ++step) {
        const double next = theta - residual / arcResidualSlope(theta);
        if (!std::isfinite(next)) {
            break;
        }
        theta = next;
        residual = arcResidual(theta, slope);
        if (std::fabs(residual) < bestResidual) {
            best = theta;
            bestResidual = std::fabs(residual);
        }
    }
    return std::fabs(residual) < 0.0001 ? theta : best;
}

}  // namespace

void HandTimelineHand::setHand(const HandTimelineHand& other) {
    time_ = other.time();
    fromTime_ = other.fromTime();
    point_ = other.point();
    style_ = other.style();
}

void HandTimelineHand::computeCoeffFromTime(float fromTime, Point fromPoint) {
    fromTime_ = fromTime;
    fromPoint_ = fromPoint;
    const Point p0 = fromPoint_;
    const Point p1 = point_;
    if (p0.x == p1.x) {
        coeff1_ = p1.y - p0.y;
        coeff2_ = 0.0f;
        return;
    }
    const Point top = p0.y < p1.y ? p1 : p0;
    Point bottom = p0.y < p1.y ? p0 : p1;
    if (bottom.x > top.x) {
        bottom.x = top.x + (top.x - bottom.x);
    }
    const double slope = static_cast<float>((bottom.y - top.y) / (bottom.x - top.x));
    if (!std::isfinite(slope)) {
        coeff1_ = p1.y - p0.y;
        coeff2_ = 0.0f;
        return;
    }
    if (slope == 0.0) {
        coeff2_ = kFullTurn;
        coeff1_ = static_cast<float>((static_cast<double>(bottom.x) - top.x) /
                                     (static_cast<double>(coeff2_) - std::sin(coeff2_)));
        return;
    }
    coeff2_ = static_cast<float>(solveArcAngle(slope));
    coeff1_ = static_cast<float>(static_cast<double>(bottom.y - top.y) /
                                 (1.0 - std::cos(static_cast<double>(coeff2_))));
    if (!std::isfinite(coeff1_) || !std::isfinite(coeff2_) || coeff2_ <= 0.0f) {
        // A chord too steep for any arc in double precision: move on an eased line instead.
        coeff1_ = p1.y - p0.y;
        coeff2_ = 0.0f;
    }
}

int HandTimelineHand::computePoint(Point& out, float t) const {
    const float t0 = fromTime_;
    const float t1 = time_;
    const Point p0 = fromPoint_;
    const Point p1 = point_;
    if (t1 == t0) {
        out = p1;
        return 1;
    }
    if (coeff2_ == 0.0f) {
        // Vertical segments, and chords too steep to fit, ease along the straight line.
        const float u = (t - t0) / (t1 - t0);
        out.x = p0.x == p1.x ? p0.x : p0.x + u * (p1.x - p0.x);
        out.y = static_cast<float>(p0.y + coeff1_ * std::pow(static_cast<double>(u), 1.7));
        return 1;
    }
    if (p0.y >= p1.y) {
        const float u = (t - t0) / (t1 - t0);
        const double theta = coeff2_ * std::pow(static_cast<double>(u), 0.5);
        const double side = p0.x > p1.x ? 1.0 : -1.0;
        out.x = static_cast<float>(p0.x + side * coeff1_ * (theta - std::sin(theta)));
        out.y = static_cast<float>(p0.y + coeff1_ * (1.0 - std::cos(theta)));
        return 1;
    }
    const float v = (t1 - t) / (t1 - t0);
    const double theta = coeff2_ * std::pow(static_cast<double>(v), 0.5);
    const double side = p0.x < p1.x ? 1.0 : -1.0;
    out.x = static_cast<float>(p1.x + side * coeff1_ * (theta - std::sin(theta)));
    out.y = static_cast<float>(p1.y + coeff1_ * (1.0 - std::cos(theta)));
    return 1;
}
