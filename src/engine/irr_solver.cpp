#include "engine/irr_solver.h"

#include <cmath>
#include <utility>

namespace fiscora {
namespace {

// The amounts grown to the end at growth factor x = 1 + r, in logarithms for speed.
double futureValue(const std::vector<TimedAmount>& amounts, double logX) {
    double sum = 0;
    for (const TimedAmount& a : amounts) sum += a.amount * std::exp(a.years * logX);
    return sum;
}

// The growth factors searched: 1e-6 (a loss of 99.9999% a year) to 1e6.
constexpr double kLowestLog = -13.815510557964274;  // ln 1e-6
constexpr double kHighestLog = 13.815510557964274;
constexpr int kMaxIterations = 200;

struct Bracket {
    double low, high, fLow, fHigh;
};

// Steps outwards from ln x = 0 on both sides, doubling the step, and keeps the first
// interval whose ends differ in sign.
std::optional<Bracket> bracketRoot(const std::vector<TimedAmount>& amounts) {
    const double f0 = futureValue(amounts, 0);
    if (f0 == 0) return Bracket{0, 0, 0, 0};
    double lowEnd = 0, fLowEnd = f0, highEnd = 0, fHighEnd = f0;
    for (double step = 1.0 / 64; lowEnd > kLowestLog || highEnd < kHighestLog; step *= 2) {
        if (lowEnd > kLowestLog) {
            const double next = std::max(lowEnd - step, kLowestLog);
            const double f = futureValue(amounts, next);
            if ((f < 0) != (fLowEnd < 0) || f == 0) return Bracket{next, lowEnd, f, fLowEnd};
            lowEnd = next;
            fLowEnd = f;
        }
        if (highEnd < kHighestLog) {
            const double next = std::min(highEnd + step, kHighestLog);
            const double f = futureValue(amounts, next);
            if ((f < 0) != (fHighEnd < 0) || f == 0) return Bracket{highEnd, next, fHighEnd, f};
            highEnd = next;
            fHighEnd = f;
        }
    }
    return std::nullopt;
}

// Brent's method on a bracket of ln x.
double refineRoot(const std::vector<TimedAmount>& amounts, Bracket b) {
    double a = b.low, fa = b.fLow, c = b.high, fc = b.fHigh;
    if (fa == 0) return a;
    if (fc == 0) return c;
    double bb = c, fb = fc;  // the best estimate
    c = a;
    fc = fa;
    double d = bb - a, e = d;
    for (int i = 0; i < kMaxIterations; ++i) {
        if ((fb < 0) == (fc < 0)) {
            c = a;
            fc = fa;
            d = e = bb - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = bb;
            bb = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tolerance = 1e-12 * std::max(1.0, std::fabs(bb));
        const double half = (c - bb) / 2;
        if (std::fabs(half) <= tolerance || fb == 0) return bb;
        if (std::fabs(e) >= tolerance && std::fabs(fa) > std::fabs(fb)) {
            // Inverse quadratic interpolation, or the secant when only two points differ.
            double p, q;
            const double s = fb / fa;
            if (a == c) {
                p = 2 * half * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2 * half * qa * (qa - r) - (bb - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) q = -q;
            p = std::fabs(p);
            if (2 * p < std::min(3 * half * q - std::fabs(tolerance * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = half;
                e = d;
            }
        } else {
            d = half;
            e = d;
        }
        a = bb;
        fa = fb;
        bb += std::fabs(d) > tolerance ? d : (half > 0 ? tolerance : -tolerance);
        fb = futureValue(amounts, bb);
    }
    return bb;
}

}  // namespace

std::optional<double> internalRateOfReturn(const std::vector<TimedAmount>& amounts) {
    bool anyNonZero = false;
    for (const TimedAmount& a : amounts) anyNonZero = anyNonZero || a.amount != 0;
    if (!anyNonZero) return std::nullopt;
    const std::optional<Bracket> bracket = bracketRoot(amounts);
    if (!bracket) return std::nullopt;
    return std::expm1(refineRoot(amounts, *bracket));
}

}  // namespace fiscora
