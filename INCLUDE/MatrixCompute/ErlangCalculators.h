// The queueing figures behind the Erlang B, Poisson and Erlang C matrix
// computations, and the three calculator records that solve one of their
// items from the others.
//
// The figures are evaluated by running sums whose terms are ratios of
// consecutive terms, never by powers and factorials, so that they stay
// finite for any server count and load: a figure too small for a double
// comes back as 0.0, never as an overflow or a NaN.
#ifndef QD_MATRIXCOMPUTE_ERLANGCALCULATORS_H
#define QD_MATRIXCOMPUTE_ERLANGCALCULATORS_H

#include <cstdint>

namespace qd {

// Blocking probability of Erlang B for n servers and a erlangs:
// (a^n/n!) / sum(a^k/k!, k = 0..n). -1.0 when n <= 0, or a is not a
// positive finite number.
double erlangBlocking(std::int64_t n, double a);

// Upper tail of the Poisson distribution of mean a: P(X >= n) =
// 1 - e^-a sum(a^k/k!, k = 0..n-1). 1.0 for n <= 0; -1.0 when a is not a
// positive finite number.
double poissonTail(std::int64_t n, double a);

// Probability of waiting of Erlang C, n servers and a erlangs. -1.0 when
// n < 1, a is not a positive finite number, or n <= a; 1.0 when n - a is
// below 1e-6.
double erlangWaiting(std::int64_t n, double a);

// The largest server count a solve tries: doubling stops before 2^30.
constexpr std::int64_t kErlangMaxServers = std::int64_t(1) << 29;

// Converts a server count read from a series: truncation toward zero; a
// value that is not a number or does not fit 32 bits gives -1 (invalid).
std::int32_t erlangServerCount(double value);

// Erlang B: N, A and B, -1 when unset; status 0 while everything is valid.
struct ErlangBCalculator {
    std::int32_t N = -1;
    double A = -1.0;
    double B = -1.0;
    std::int32_t status = 0;

    void setN(std::int32_t n);       // n > 0, else status 1
    void setA(double a);             // finite a > 0, else status 3
    void setB(double b);             // 1e-6 <= b <= 1 - 1e-6, else status 2
    // The smallest N whose blocking does not exceed B (with the final
    // 1e-6 slack); status 4 when A or B is unset or a status is set, or
    // when no count below 2^30 reaches B.
    std::int32_t solveN();
    // The load whose blocking at N is B (bisection, relative tolerance
    // 1e-6); status 5 when N or B is unset or a status is set.
    double solveA();
};

// Poisson: N, A and P (the loss probability) as for Erlang B.
struct ErlangPoissonCalculator {
    std::int32_t N = -1;
    double A = -1.0;
    double P = -1.0;
    std::int32_t status = 0;

    void setN(std::int32_t n);
    void setA(double a);
    void setP(double p);
    std::int32_t solveN();   // status 4 on failure
    double solveA();         // absolute tolerance 1e-6; status 5 on failure
};

// Erlang C: P0 (probability of waiting), PT (probability that the wait
// exceeds T1), N, A, T1, T2 (mean holding time); -1 when unset.
struct ErlangCCalculator {
    double P0 = -1.0;
    double PT = -1.0;
    std::int32_t N = -1;
    double A = -1.0;
    double T1 = -1.0;
    double T2 = -1.0;
    std::int32_t status = 0;

    void setN(std::int32_t n);   // resets the status; n >= 1, else unset and 2
    void setA(double a);         // resets the status; finite a >= 1e-6, else unset and 3
    void setP0(double p);        // 0 < p < 1, else unset and 4
    void setPT(double p);        // 0 < p < 1, else unset and 4
    void setT1(double t);        // resets the status; finite t > 0, else unset and 5
    void setT2(double t);        // resets the status; finite t > 0, else unset and 19

    // C(N, A), kept as P0 (1.0 when N - A < 1e-6); status 6 and -1.0 when
    // N or A is unset or N <= A.
    double solveP0();
    // The smallest N whose C does not exceed the target P0; status 17.
    std::int32_t solveN();
    // The load whose C at N is the target P0; status 16.
    double solveA();
    // The waiting-time relations; each needs N > A (status 7, 18 or 8
    // otherwise, or when an input is unset); P0 is computed from N and A
    // when unset. T1 and T2 also need PT < P0.
    double solvePT();
    double solveT1();
    double solveT2();
};

}  // namespace qd

#endif
