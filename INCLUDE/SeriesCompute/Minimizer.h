// One-dimensional minimisers of an ObjectiveFunction.
//
// Bracketing by repeated halving followed by a golden-section search, run on
// one interval (minimizeFromBracket) or on the three equal thirds of an
// interval keeping the strictly lowest result (minimizeOverInterval). The
// evaluation count is bounded by fixed iteration caps: at most 14 evaluations
// for bracketMinimum, 13 for goldenSectionSearch, 27 for minimizeFromBracket
// and 81 for minimizeOverInterval.
//
// The routines keep no state, allocate nothing and throw nothing of their
// own; whatever the objective throws passes through. Callers pass low < high.
#ifndef QD_SERIESCOMPUTE_MINIMIZER_H
#define QD_SERIESCOMPUTE_MINIMIZER_H

#include "SeriesCompute/ObjectiveFunction.h"

namespace qd {

// The lowest value found over [low, high] (searched as three thirds); x
// receives the point where it was found. An equal value in a later third
// does not replace an earlier one.
double minimizeOverInterval(ObjectiveFunction& objective, double low, double high,
                            double tolerance, double& x);

// Brackets a minimum in [low, high] and refines it by golden-section search
// unless the bracketed point lies on an end (within 1e-10); returns the
// value at the chosen point, written to x.
double minimizeFromBracket(ObjectiveFunction& objective, double low, double high,
                           double tolerance, double& x);

// Looks for a point m in (a, b) whose value is not above either end, moving
// the midpoint halfway toward the better end up to 11 times; when none is
// found, the better end (b on a tie). Returns the point; value receives the
// objective there.
double bracketMinimum(ObjectiveFunction& objective, double a, double b, double& value);

// Golden-section search on the bracket ax < bx < cx with a relative
// tolerance and at most 11 narrowing steps; returns the value at the better
// inner point (the second on a tie), written to x.
double goldenSectionSearch(ObjectiveFunction& objective, double ax, double bx, double cx,
                           double tolerance, double& x);

} // namespace qd

#endif
