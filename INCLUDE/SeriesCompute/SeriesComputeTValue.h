// Student's t quantile for a confidence or service level, the probability
// of a t value, and the normal quantile of a service level read from a
// short table. Safety stock, confidence intervals, the regressions and
// slow-moving demand use them.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTETVALUE_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTETVALUE_H

namespace qd {

// The t quantile for `level` with df degrees of freedom: at level itself
// when oneSided, else at (level + 1) / 2. A level outside [0, 1) or a
// probability that ends up outside (0, 1) (0 one-sided, or a level so
// close to 1 that (level + 1) / 2 rounds to 1) fails with 3088; df below 1
// with 3146. Not-a-number arguments fail with the same codes.
double computeTValue(double level, double df, bool oneSided);

// The t distribution function at t (oneSided), or the probability of lying
// within plus or minus t (two-sided). t < 0 fails with 3147, df below 1
// (or not a number) with 3146.
double computeTProbability(double t, double df, bool oneSided);

// The normal quantile of a service level by linear interpolation in a
// table of two-sided probabilities 0 .. 0.998; a one-sided level x is read
// as the two-sided 2x - 1. Outside the table: 3088.
double normalQuantileFromTable(double level, bool oneSided);

}  // namespace qd

#endif
