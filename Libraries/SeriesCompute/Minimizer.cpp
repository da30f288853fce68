#include "SeriesCompute/Minimizer.h"

#include <cmath>

namespace qd {

namespace {

// The golden ratios, as these decimal values.
const double kGoldenR = 0.61803399;
const double kGoldenC = 0.38196601;
const double kThird = 0.3333333333333333;
const double kHalf = 0.5;
// A bracketed point this close to an end of its interval is that end.
const double kEndTolerance = 1e-10;
const int kMaxSteps = 11;

}  // namespace

double bracketMinimum(ObjectiveFunction& objective, double a, double b, double& value)
{
    double m = a + std::fabs(b - a) * kHalf;
    const double fa = objective.evaluate(a);
    const double fb = objective.evaluate(b);
    double fm = objective.evaluate(m);
    for (int step = 0; step < kMaxSteps; ++step) {
        if (fa >= fm && fm <= fb) {
            value = fm;
            return m;
        }
        if (fa <= fb)
            m = m - std::fabs(m - a) * kHalf;
        else
            m = m + std::fabs(b - m) * kHalf;
        fm = objective.evaluate(m);
    }
    if (fa < fb) {
        value = fa;
        return a;
    }
    value = fb;
    return b;
}

double goldenSectionSearch(ObjectiveFunction& objective, double ax, double bx, double cx,
                           double tolerance, double& x)
{
    double x0 = ax;
    double x3 = cx;
    double x1;
    double x2;
    if (std::fabs(bx - ax) < std::fabs(cx - bx)) {
        x1 = bx;
        x2 = bx + kGoldenC * (cx - bx);
    } else {
        x2 = bx;
        x1 = bx - kGoldenC * (bx - ax);
    }
    double f1 = objective.evaluate(x1);
    double f2 = objective.evaluate(x2);
    for (int step = 0; step < kMaxSteps; ++step) {
        if (!(std::fabs(x3 - x0) > tolerance * (std::fabs(x1) + std::fabs(x2))))
            break;
        if (f2 < f1) {
            x0 = x1;
            x1 = x2;
            x2 = kGoldenR * x1 + kGoldenC * x3;
            f1 = f2;
            f2 = objective.evaluate(x2);
        } else {
            x3 = x2;
            x2 = x1;
            x1 = kGoldenR * x2 + kGoldenC * x0;
            f2 = f1;
            f1 = objective.evaluate(x1);
        }
    }
    if (f1 < f2) {
        x = x1;
        return f1;
    }
    x = x2;
    return f2;
}

double minimizeFromBracket(ObjectiveFunction& objective, double low, double high,
                           double tolerance, double& x)
{
    double fp = 0.0;
    const double p = bracketMinimum(objective, low, high, fp);
    if (std::fabs(p - low) < kEndTolerance) {
        x = p;
        return fp;
    }
    if (std::fabs(p - high) < kEndTolerance) {
        x = high;
        return fp;
    }
    return goldenSectionSearch(objective, low, p, high, tolerance, x);
}

double minimizeOverInterval(ObjectiveFunction& objective, double low, double high,
                            double tolerance, double& x)
{
    const double third = (high - low) * kThird;
    double lo = low;
    double bestX = low;
    double bestValue = 0.0;
    for (int k = 0; k < 3; ++k) {
        const double hi = lo + third;
        double candidateX = lo;
        const double candidate = minimizeFromBracket(objective, lo, hi, tolerance, candidateX);
        lo = hi;
        if (k == 0 || candidate < bestValue) {
            bestValue = candidate;
            bestX = candidateX;
        }
    }
    x = bestX;
    return bestValue;
}

} // namespace qd
