// Summary statistics of the columns of a data matrix: the worker that
// accumulates them by blocks of rows (each block's moments about its own
// weighted mean, merged into the running ones), the public routine over it,
// the chi-squared quantile behind the variance limits, and the sort with a
// companion permutation behind the medians.
#include "Statistics/SimpleStatistics.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <limits>
#include <new>
#include <numeric>
#include <vector>

#include "Statistics/Distributions.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RoutineScope.h"

namespace {

struct Options {
    double confMean = 95.0;
    double confVariance = 95.0;
    const double* frequencies = nullptr;
    const double* weights = nullptr;
    int medians = 0;  // 0 none, 1 median, 2 median and scale
    double* out = nullptr;
    std::int32_t statColDim = 0;
    std::int32_t xColDim = 0;
    int missingMode = 0;
};

void warn(std::int32_t code) { l_error_post(STATS_WARNING, code); }

double chiSquaredInverseWork(double p, double df) {
    const double nan = stats_dmach(6);
    if (!(p > 0.0 && p < 1.0)) {
        l_set_real_arg(1, p);
        l_error_post(STATS_TERMINAL, 9043);
        return nan;
    }
    if (!(df >= 0.5)) {
        l_set_real_arg(1, df);
        l_error_post(STATS_TERMINAL, 9051);
        return nan;
    }
    const double eps = stats_dmach(4);
    auto f = [&](double x) { return stats_d_chi_squared_cdf(x, df) - p; };
    // Wilson and Hilferty's cube-root normal approximation.
    const double z = stats_d_normal_inverse_cdf(p);
    const double h = 2.0 / (9.0 * df);
    double x0 = df * std::pow(std::max(0.0, 1.0 - h + z * std::sqrt(h)), 3.0);
    const double f0 = f(x0);
    if (f0 == 0.0) return x0;
    const double x1 = x0 + std::max(0.01, 0.01 * x0);
    double slope = (f(x1) - f0) / (x1 - x0);
    if (!(slope >= 0.01)) slope = 0.01;
    double step = 2.0 * (-f0 / slope);
    double a = x0, fa = f0, b = std::max(0.0, x0 + step), fb = f(b);
    int doublings = 0;
    while ((fa < 0.0) == (fb < 0.0) && fb != 0.0) {
        if (++doublings > 100) {
            warn(9052);
            return b;
        }
        step *= 2.0;
        b = std::max(0.0, x0 + step);
        fb = f(b);
        if (b == 0.0 && (fb < 0.0) == (fa < 0.0)) return 0.0;
    }
    if (fb == 0.0) return b;
    // False position, bisecting when the kept end's value has not halved.
    double lastKept = fa;
    for (int i = 0; i < 100; ++i) {
        const double mid = 0.5 * (a + b);
        if (std::fabs(b - a) <= 10.0 * eps * std::fabs(mid)) return mid;
        double c = b - fb * (b - a) / (fb - fa);
        if (!(c > std::min(a, b) && c < std::max(a, b)) || std::fabs(fa) > 0.5 * std::fabs(lastKept)) c = mid;
        const double fc = f(c);
        if (fc == 0.0) return c;
        if ((fc < 0.0) == (fa < 0.0)) {
            a = c;
            fa = fc;
            lastKept = fb;
        } else {
            b = c;
            fb = fc;
            lastKept = fa;
        }
    }
    warn(9053);
    return 0.5 * (a + b);
}

// The accumulated statistics of one variable: the count (sum of the
// frequencies), the total weight (sum of frequency times weight), the
// weighted mean, the weighted sums of the second to fourth powers of the
// deviations from it, and the extremes (NaN while no value was seen).
struct Accumulation {
    double count = 0.0;
    double weight = 0.0;
    double mean = 0.0;
    double s2 = 0.0, s3 = 0.0, s4 = 0.0;
    double lo = std::numeric_limits<double>::quiet_NaN();
    double hi = std::numeric_limits<double>::quiet_NaN();
};

// Between the calls of a stream the accumulation of variable j is kept in
// its own column of stat: mean, S2, S3, S4, total weight, minimum, maximum
// in rows 1 to 7 and the count in row 10.
const int kKeptRows[] = {1, 2, 3, 4, 5, 6, 7, 10};

double& statAt(double* stat, std::int32_t ldstat, int row, std::int32_t j) {
    return stat[static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(ldstat) + static_cast<std::size_t>(j)];
}

Accumulation loadAccumulation(double* stat, std::int32_t ldstat, std::int32_t j) {
    Accumulation a;
    double* fields[] = {&a.mean, &a.s2, &a.s3, &a.s4, &a.weight, &a.lo, &a.hi, &a.count};
    for (int k = 0; k < 8; ++k) *fields[k] = statAt(stat, ldstat, kKeptRows[k], j);
    return a;
}

void keepAccumulation(const Accumulation& a, double* stat, std::int32_t ldstat, std::int32_t j) {
    const double fields[] = {a.mean, a.s2, a.s3, a.s4, a.weight, a.lo, a.hi, a.count};
    for (int k = 0; k < 8; ++k) statAt(stat, ldstat, kKeptRows[k], j) = fields[k];
}

// The weighted mean moved towards v by the share r of its weight; the
// difference form unless v - mean overflows.
double movedMean(double mean, double v, double r) {
    const double d = v - mean;
    return std::isfinite(d) || !std::isfinite(v) || !std::isfinite(mean) ? mean + d * r : mean * (1.0 - r) + v * r;
}

// Merges the accumulation b into a (Chan, Golub and LeVeque's pairwise
// update of the mean and of the power sums, with weights).
void merge(Accumulation& a, const Accumulation& b) {
    a.count += b.count;
    if (!std::isnan(b.lo)) {
        a.lo = std::isnan(a.lo) ? b.lo : l_dmin(a.lo, b.lo);
        a.hi = std::isnan(a.hi) ? b.hi : l_dmax(a.hi, b.hi);
    }
    if (!(b.weight > 0.0)) return;
    if (!(a.weight > 0.0)) {
        const double count = a.count;
        const double lo = a.lo, hi = a.hi;
        a = b;
        a.count = count;
        a.lo = lo;
        a.hi = hi;
        return;
    }
    const double wa = a.weight, wb = b.weight, w = wa + wb;
    const double d = b.mean - a.mean;
    const double ra = wa / w, rb = wb / w;
    const double s2 = a.s2 + b.s2 + d * d * wa * rb;
    const double s3 = a.s3 + b.s3 + d * d * d * wa * rb * (ra - rb) + 3.0 * d * (ra * b.s2 - rb * a.s2);
    const double s4 = a.s4 + b.s4 + d * d * d * d * wa * rb * (ra * ra - ra * rb + rb * rb) +
                      6.0 * d * d * (ra * ra * b.s2 + rb * rb * a.s2) + 4.0 * d * (ra * b.s3 - rb * a.s3);
    a.mean = movedMean(a.mean, b.mean, rb);
    a.weight = w;
    a.s2 = s2;
    a.s3 = s3;
    a.s4 = s4;
}

// Takes the accumulation b (rows accumulated before) out of a: the merge
// solved for its first operand. The extremes cannot be recovered and stay,
// unless nothing is left.
void removeFrom(Accumulation& a, const Accumulation& b) {
    a.count -= b.count;
    if (!(a.count > 0.0)) {
        a = Accumulation();
        return;
    }
    if (!(b.weight > 0.0)) return;
    const double w = a.weight, wb = b.weight, wr = w - wb;
    if (!(wr > 0.0)) {
        const double count = a.count, lo = a.lo, hi = a.hi;
        a = Accumulation();
        a.count = count;
        a.lo = lo;
        a.hi = hi;
        return;
    }
    // The remaining mean, then the deviation of b's mean from it.
    const double mean = movedMean(a.mean, b.mean, -wb / wr);
    const double d = b.mean - mean;
    const double rr = wr / w, rb = wb / w;
    const double s2 = a.s2 - b.s2 - d * d * wr * rb;
    const double s3 = a.s3 - b.s3 - d * d * d * wr * rb * (rr - rb) - 3.0 * d * (rr * b.s2 - rb * s2);
    const double s4 = a.s4 - b.s4 - d * d * d * d * wr * rb * (rr * rr - rr * rb + rb * rb) -
                      6.0 * d * d * (rr * rr * b.s2 + rb * rb * s2) - 4.0 * d * (rr * b.s3 - rb * s3);
    a.mean = mean;
    a.weight = wr;
    a.s2 = s2;
    a.s3 = s3;
    a.s4 = s4;
}

// One block of rows of x (column-major, leading dimension ldx), as the
// caller's columns describe it.
struct Block {
    std::int32_t rows;
    std::int32_t nvar;
    const double* x;
    std::int32_t ldx;
    std::int32_t ifrq, iwt;  // 1-based columns, 0 for none
    int mode;

    double at(std::int32_t i, std::int32_t column) const {
        return x[static_cast<std::size_t>(i) + static_cast<std::size_t>(column - 1) * static_cast<std::size_t>(ldx)];
    }
    double frequency(std::int32_t i) const { return ifrq > 0 ? at(i, ifrq) : 1.0; }
    double weight(std::int32_t i) const { return iwt > 0 ? at(i, iwt) : 1.0; }
    bool isData(std::int32_t column) const { return column != ifrq && column != iwt; }
    // A row whose frequency or weight is missing or negative is left out
    // whole.
    bool rowValid(std::int32_t i) const { return frequency(i) >= 0.0 && weight(i) >= 0.0; }
    bool anyMissing(std::int32_t i) const {
        for (std::int32_t c = 1; c <= nvar; ++c)
            if (isData(c) && std::isnan(at(i, c))) return true;
        return false;
    }
    // Whether row i enters the statistics of data column c.
    bool used(std::int32_t i, std::int32_t c) const {
        if (!rowValid(i) || std::isnan(at(i, c))) return false;
        return mode == 1 || !anyMissing(i);
    }
    std::int32_t rowsWithMissing() const {
        std::int32_t k = 0;
        for (std::int32_t i = 0; i < rows; ++i)
            if (!rowValid(i) || anyMissing(i)) ++k;
        return k;
    }
};

// The accumulation of data column c over the block: the mean first, then
// the power sums about it.
Accumulation accumulateColumn(const Block& b, std::int32_t c) {
    Accumulation a;
    for (std::int32_t i = 0; i < b.rows; ++i) {
        if (!b.used(i, c)) continue;
        const double v = b.at(i, c);
        const double fw = b.frequency(i) * b.weight(i);
        a.count += b.frequency(i);
        a.lo = std::isnan(a.lo) ? v : l_dmin(a.lo, v);
        a.hi = std::isnan(a.hi) ? v : l_dmax(a.hi, v);
        if (fw > 0.0) {
            a.weight += fw;
            a.mean = movedMean(a.mean, v, fw / a.weight);
        }
    }
    for (std::int32_t i = 0; i < b.rows; ++i) {
        if (!b.used(i, c)) continue;
        const double fw = b.frequency(i) * b.weight(i);
        if (!(fw > 0.0)) continue;
        const double d = b.at(i, c) - a.mean;
        a.s2 += fw * d * d;
        a.s3 += fw * d * d * d;
        a.s4 += fw * d * d * d * d;
    }
    return a;
}

// The fourteen statistics of one variable from its accumulation.
void finish(const Accumulation& acc, double conprm, double conprv, double* stat, std::int32_t ldstat,
            std::int32_t j) {
    const double nan = stats_dmach(6);
    const double eps = stats_dmach(4);
    auto put = [&](int row, double v) { statAt(stat, ldstat, row, j) = v; };
    for (int r = 1; r <= 14; ++r) put(r, nan);
    const double count = acc.count;
    put(10, count);
    const bool any = !std::isnan(acc.lo);
    put(8, any ? acc.hi - acc.lo : 0.0);
    if (!any) return;
    const double mean = acc.mean, lo = acc.lo, hi = acc.hi;
    put(1, mean);
    put(6, lo);
    put(7, hi);
    double variance = nan, sd = nan;
    if (count > 1.0) {
        const double s2 = acc.s2;
        if (acc.weight == 0.0) {
            for (int r = 2; r <= 5; ++r) put(r, 0.0);
            warn(11076);
            variance = sd = 0.0;
        } else if (!(s2 > 0.0)) {
            variance = s2 / (count - 1.0);
            sd = s2;
            put(2, variance);
            put(3, sd);
            warn(11077);
        } else {
            const double m2 = s2 / count;
            variance = s2 / (count - 1.0);
            sd = std::sqrt(variance);
            put(2, variance);
            put(3, sd);
            if (hi - lo > 10.0 * eps * l_dmax(std::fabs(lo), std::fabs(hi))) {
                // (s3 / c) / m2^1.5 and (s4 / c) / m2^2, dividing step by step.
                put(4, ((acc.s3 / count) / m2) / std::sqrt(m2));
                put(5, ((acc.s4 / count) / m2) / m2 - 3.0);
            } else {
                warn(11074);
            }
        }
    } else {
        warn(11075);
    }
    // sd / mean only where neither underflow nor overflow can happen.
    const double am = std::fabs(mean);
    if (!std::isnan(mean) && am >= stats_dmach(1) / eps && !std::isnan(sd) &&
        (am >= 1.0 || std::fabs(sd) <= am * stats_dmach(2)))
        put(9, sd / mean);
    else
        warn(11078);
    if (conprm > 0.0 && count < 2.0) {
        warn(11080);  // the t quantile needs one degree of freedom
    } else if (conprm > 0.0 && !std::isnan(sd)) {
        if (sd < 0.0) {
            warn(11079);
        } else {
            const double t = stats_d_t_inverse(conprm / 200.0 + 0.5, count - 1.0);
            if (l_error_type_at(1) >= STATS_WARNING || std::isnan(t)) {
                warn(11080);
            } else {
                const double half = t * sd / std::sqrt(count);
                put(11, mean - half);
                put(12, mean + half);
            }
        }
    }
    if (conprv > 0.0 && count < 1.5) {
        warn(11082);  // the chi-squared quantile needs half a degree of freedom
    } else if (conprv > 0.0 && !std::isnan(variance)) {
        if (variance < 0.0) {
            warn(11073);
        } else {
            const double a = (1.0 - conprv / 100.0) / 2.0;
            const double qHigh = stats_d_chi_squared_inverse_cdf(1.0 - a, count - 1.0);
            const double qLow = stats_d_chi_squared_inverse_cdf(a, count - 1.0);
            if (std::isnan(qHigh) || std::isnan(qLow)) {
                warn(11082);
            } else {
                put(13, variance * (count - 1.0) / qHigh);
                put(14, variance * (count - 1.0) / qLow);
            }
        }
    }
}

void u2staWork(std::int32_t ido, std::int32_t nrow, std::int32_t nvar, const double* x, std::int32_t ldx,
               std::int32_t ifrq, std::int32_t iwt, std::int32_t mopt, double conprm, double conprv,
               std::int32_t iprint, double* stat, std::int32_t ldstat, std::int32_t* nrmiss) {
    int counter = 0;
    l_check_range(ido, "ido", 0, 3, &counter);
    l_check_range(nvar, "nvar", 1, 0, &counter);
    const std::int32_t largest = std::numeric_limits<std::int32_t>::max();
    l_check_range(nrow, "nrow", ido <= 1 ? 0 : -largest, largest, &counter);  // removal only from a stream
    const std::int32_t rows = nrow < 0 && nrow >= -largest ? -nrow : l_imax(nrow, 0);
    if (rows > 0) l_check_le(rows, "nrow", ldx, "ldx", &counter);
    l_check_range(ifrq, "ifrq", 0, nvar, &counter);
    l_check_range(iwt, "iwt", 0, nvar, &counter);
    l_check_range(mopt, "mopt", 0, 1, &counter);
    l_check_range(iprint, "iprint", 0, 2, &counter);
    const std::int32_t dataColumns = nvar - (ifrq >= 1 && ifrq <= nvar ? 1 : 0) -
                                     (iwt >= 1 && iwt <= nvar && iwt != ifrq ? 1 : 0);
    if (nvar >= 1) {
        l_check_range(dataColumns, "nvar", 1, 0, &counter);
        l_check_le(dataColumns, "nvar", ldstat, "ldstat", &counter);
    }
    if (!(conprm < 100.0) || !(conprv < 100.0)) {
        l_set_real_arg(1, conprm < 100.0 ? conprv : conprm);
        l_error_post(STATS_TERMINAL, 11081);
    }
    if (l_error_type_at(0) >= STATS_FATAL) return;
    const Block block{rows, nvar, x, ldx, ifrq, iwt, static_cast<int>(mopt)};
    const std::int32_t missing = block.rowsWithMissing();
    if (nrmiss != nullptr) {
        if (ido <= 1) *nrmiss = 0;
        *nrmiss += nrow < 0 ? -missing : missing;
    }
    std::int32_t j = 0;
    for (std::int32_t c = 1; c <= nvar; ++c) {
        if (!block.isData(c)) continue;
        Accumulation acc = ido <= 1 ? Accumulation() : loadAccumulation(stat, ldstat, j);
        const Accumulation part = accumulateColumn(block, c);
        if (nrow < 0) removeFrom(acc, part);
        else merge(acc, part);
        if (ido == 0 || ido == 3) finish(acc, conprm, conprv, stat, ldstat, j);
        else keepAccumulation(acc, stat, ldstat, j);
        ++j;
    }
}

// The values with their frequencies, sorted; NaN never enters.
struct Weighted {
    std::vector<double> values;
    std::vector<double> frequencies;
    double total = 0.0;
};

Weighted sortedWithFrequencies(const std::vector<double>& values, const std::vector<double>& frequencies) {
    const std::int32_t n = static_cast<std::int32_t>(values.size());
    Weighted w;
    w.values.resize(values.size());
    std::vector<std::int32_t> perm(values.size());
    std::iota(perm.begin(), perm.end(), 0);
    stats_svrgp(n, values.data(), w.values.data(), perm.data());
    for (std::int32_t k : perm) {
        w.frequencies.push_back(frequencies[static_cast<std::size_t>(k)]);
        w.total += frequencies[static_cast<std::size_t>(k)];
    }
    return w;
}

// The median of values each repeated by its frequency: the middle element,
// or the mean of the two middle ones for an even total, found by walking
// the cumulative frequencies (never by repeating the values).
double weightedMedian(const Weighted& w) {
    const double total = w.total;
    const double first = std::ceil(total / 2.0);         // 1-based positions
    const double second = std::floor(total / 2.0) + 1.0;
    double cumulative = 0.0, atFirst = std::nan(""), atSecond = std::nan("");
    for (std::size_t k = 0; k < w.values.size(); ++k) {
        cumulative += w.frequencies[k];
        if (std::isnan(atFirst) && cumulative >= first) atFirst = w.values[k];
        if (cumulative >= second) {
            atSecond = w.values[k];
            break;
        }
    }
    if (std::isnan(atSecond)) atSecond = w.values.empty() ? atFirst : w.values.back();
    if (std::isnan(atFirst)) atFirst = atSecond;
    return atFirst == atSecond ? atFirst : 0.5 * atFirst + 0.5 * atSecond;
}


// The passes over the data: all at once in working order without
// frequencies and weights, else one observation at a time as the row
// {frequency, weight, values}. Returns the count of rows with missing values.
std::int32_t simpleStatisticsPasses(std::int32_t n, std::int32_t nv, const double* x, const Options& o, double* result) {
    std::int32_t nrmiss = 0;
    auto value = [&](std::int32_t i, std::int32_t j) {
        return x[static_cast<std::size_t>(i) * static_cast<std::size_t>(o.xColDim) + static_cast<std::size_t>(j)];
    };
    if (o.frequencies == nullptr && o.weights == nullptr) {
        // The size in 64 bits: a 32-bit size_t could wrap and give a short copy.
        const std::uint64_t cells = static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(nv);
        if (cells > std::numeric_limits<std::size_t>::max() / sizeof(double)) throw std::bad_alloc();
        std::vector<double> working(static_cast<std::size_t>(cells));
        for (std::int32_t j = 0; j < nv; ++j)
            for (std::int32_t i = 0; i < n; ++i)
                working[static_cast<std::size_t>(j) * static_cast<std::size_t>(n) + static_cast<std::size_t>(i)] = value(i, j);
        l_u2sta(0, n, nv, working.data(), n, 0, 0, o.missingMode, o.confMean, o.confVariance, 0, result, o.statColDim,
                &nrmiss, nullptr);
        return nrmiss;
    }
    const std::int32_t ifrq = o.frequencies != nullptr ? 1 : 0;
    const std::int32_t iwt = o.weights != nullptr ? ifrq + 1 : 0;
    const std::int32_t lead = l_imax(ifrq, iwt);
    std::vector<double> row(static_cast<std::size_t>(lead) + static_cast<std::size_t>(nv));
    for (std::int32_t i = 0; i < n; ++i) {
        if (ifrq > 0) row[0] = o.frequencies[i];
        if (iwt > 0) row[static_cast<std::size_t>(iwt - 1)] = o.weights[i];
        for (std::int32_t j = 0; j < nv; ++j) row[static_cast<std::size_t>(lead + j)] = value(i, j);
        const std::int32_t ido = i == 0 ? 1 : i == n - 1 ? 3 : 2;
        l_u2sta(ido, 1, lead + nv, row.data(), 1, ifrq, iwt, o.missingMode, o.confMean, o.confVariance, 0, result,
                o.statColDim, &nrmiss, nullptr);
    }
    if (n == 1)
        l_u2sta(3, 0, lead + nv, row.data(), 1, ifrq, iwt, o.missingMode, o.confMean, o.confVariance, 0, result,
                o.statColDim, &nrmiss, nullptr);
    return nrmiss;
}

// Rows 15 to 17: the median of each variable's values (with their
// frequencies) in the rows the statistics used, the median absolute
// deviation from it and the robust scale.
void mediansAndScale(std::int32_t n, std::int32_t nv, const double* x, const Options& o, double* result) {
    const double nan = stats_dmach(6);
    const double quartile = stats_d_normal_inverse_cdf(0.75);
    auto value = [&](std::int32_t i, std::int32_t j) {
        return x[static_cast<std::size_t>(i) * static_cast<std::size_t>(o.xColDim) + static_cast<std::size_t>(j)];
    };
    for (std::int32_t j = 0; j < nv; ++j) {
        auto put = [&](int row, double v) { statAt(result, o.statColDim, row, j) = v; };
        std::vector<double> values, frequencies;
        for (std::int32_t i = 0; i < n; ++i) {
            const double f = o.frequencies != nullptr ? o.frequencies[i] : 1.0;
            const double w = o.weights != nullptr ? o.weights[i] : 1.0;
            if (!(f > 0.0) || !(w >= 0.0) || std::isnan(value(i, j))) continue;
            bool rowMissing = false;
            for (std::int32_t k = 0; k < nv && o.missingMode == 0; ++k) rowMissing = rowMissing || std::isnan(value(i, k));
            if (rowMissing) continue;
            values.push_back(value(i, j));
            frequencies.push_back(f);
        }
        for (int r = 15; r <= (o.medians == 2 ? 17 : 15); ++r) put(r, nan);
        if (values.empty()) continue;
        const double med = weightedMedian(sortedWithFrequencies(values, frequencies));
        put(15, med);
        if (o.medians == 2) {
            for (double& v : values) v = std::fabs(v - med);
            const double mad = weightedMedian(sortedWithFrequencies(values, frequencies));
            put(16, mad);
            put(17, mad / quartile);
        }
    }
}

}  // namespace

void l_u2sta(std::int32_t ido, std::int32_t nrow, std::int32_t nvar, const double* x, std::int32_t ldx, std::int32_t ifrq,
             std::int32_t iwt, std::int32_t mopt, double conprm, double conprv, std::int32_t iprint, double* stat,
             std::int32_t ldstat, std::int32_t* nrmiss, double* /*work*/) {
    RoutineScope scope("l_u2sta");
    u2staWork(ido, nrow, nvar, x, ldx, ifrq, iwt, mopt, conprm, conprv, iprint, stat, ldstat, nrmiss);
    scope.pop();
}

void stats_svrgp(std::int32_t n, const double* values, double* sorted, std::int32_t* perm) {
    if (n < 1) return;
    std::vector<std::int32_t> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    // NaN sorts after every number, so that the order is a strict weak one
    // whatever the values.
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        const double va = values[a], vb = values[b];
        return std::isnan(vb) ? !std::isnan(va) : va < vb;
    });
    std::vector<double> v(values, values + n);
    std::vector<std::int32_t> p(perm, perm + n);
    for (std::int32_t i = 0; i < n; ++i) {
        sorted[i] = v[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
        perm[i] = p[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
    }
}

double stats_d_chi_squared_inverse_cdf(double p, double df) {
    RoutineScope scope("stats_d_chi_squared_inverse_cdf");
    const double result = chiSquaredInverseWork(p, df);
    scope.pop();
    return result;
}

double* stats_d_simple_statistics(std::int32_t n_observations, std::int32_t n_variables, const double* x, ...) {
    RoutineScope scope("stats_d_simple_statistics");
    Options o;
    bool medianSeen = false, scaleSeen = false;
    va_list ap;
    va_start(ap, x);
    GeneratorArray<double> unused;
    const bool parsed = l_read_options(&ap, 4, &unused, [&](int code, va_list* list) {
        switch (code) {
            case STATS_OPT_CONF_MEAN: o.confMean = va_arg(*list, double); return 1;
            case STATS_OPT_CONF_MEAN_ADR: o.confMean = *va_arg(*list, double*); return 1;
            case STATS_OPT_CONF_VARIANCE: o.confVariance = va_arg(*list, double); return 1;
            case STATS_OPT_CONF_VARIANCE_ADR: o.confVariance = *va_arg(*list, double*); return 1;
            case STATS_OPT_FREQUENCIES: o.frequencies = va_arg(*list, const double*); return 1;
            case STATS_OPT_WEIGHTS: o.weights = va_arg(*list, const double*); return 1;
            case STATS_OPT_MEDIAN: medianSeen = true; o.medians = 1; return 0;
            case STATS_OPT_MEDIAN_AND_SCALE: scaleSeen = true; o.medians = 2; return 0;
            case STATS_OPT_STAT_COL_DIM: o.statColDim = va_arg(*list, std::int32_t); return 1;
            case STATS_OPT_X_COL_DIM: o.xColDim = va_arg(*list, std::int32_t); return 1;
            case STATS_OPT_MISSING_LISTWISE: o.missingMode = 0; return 0;
            case STATS_OPT_MISSING_ELEMENTWISE: o.missingMode = 1; return 0;
            default: return -1;
        }
    });
    va_end(ap);
    o.out = unused.data;
    if (o.statColDim == 0) o.statColDim = n_variables;
    if (o.xColDim == 0) o.xColDim = n_variables;
    double* result = nullptr;
    bool owned = false;
    if (parsed) {
        int counter = 0;
        l_check_range(n_variables, "n_variables", 1, 0, &counter);
        l_check_range(n_observations, "n_observations", 1, 0, &counter);
        if (medianSeen && scaleSeen) {
            l_set_string_arg(1, "STATS_MEDIAN and STATS_MEDIAN_AND_SCALE");
            l_error_post(STATS_TERMINAL, 11117);
        }
        if (!(o.confMean < 100.0) || !(o.confVariance < 100.0)) {
            l_set_real_arg(1, o.confMean < 100.0 ? o.confVariance : o.confMean);
            l_error_post(STATS_TERMINAL, 11081);
        }
        if (o.statColDim < n_variables || o.xColDim < n_variables) l_error_post(STATS_TERMINAL, 601);
    }
    const std::int32_t rows = o.medians == 0 ? 14 : o.medians == 1 ? 15 : 17;
    if (parsed && l_error_type_at(0) == 0) {
        result = o.out;
        if (result == nullptr) {
            const std::uint64_t cells = static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(o.statColDim);
            if (cells <= std::numeric_limits<std::size_t>::max() / sizeof(double))
                result = static_cast<double*>(std::calloc(static_cast<std::size_t>(cells), sizeof(double)));
            owned = result != nullptr;
            if (result == nullptr) {
                l_set_string_arg(1, "n_variables");
                l_error_post(STATS_TERMINAL, 201);
            }
        }
    }
    if (result != nullptr && l_error_type_at(0) == 0) {
        try {
            const std::int32_t missing = simpleStatisticsPasses(n_observations, n_variables, x, o, result);
            if (o.medians != 0) mediansAndScale(n_observations, n_variables, x, o, result);
            if (missing > 0) {
                l_set_int_arg(1, missing);
                warn(o.missingMode == 1 ? 11288 : 11062);
            }
        } catch (const std::bad_alloc&) {
            l_set_string_arg(1, "n_variables");
            l_error_post(STATS_TERMINAL, 201);
        }
    }
    if (l_error_type_at(0) >= STATS_FATAL && l_error_type_at(0) != STATS_WARNING_IMMEDIATE) {
        if (owned) std::free(result);
        result = nullptr;
    }
    scope.pop();
    return result;
}
