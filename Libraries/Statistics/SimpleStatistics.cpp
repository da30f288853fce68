// Summary statistics of the columns of a data matrix (accumulated per
// variable with frequencies and weights, in one pass for the moments about
// the weighted mean), the chi-squared quantile behind the variance limits,
// and the sort with a companion permutation behind the medians.
#include "Statistics/SimpleStatistics.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
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

double median(std::vector<double>& v) {
    std::vector<double> sorted(v.size());
    std::vector<std::int32_t> perm(v.size());
    std::iota(perm.begin(), perm.end(), 1);
    stats_svrgp(static_cast<std::int32_t>(v.size()), v.data(), sorted.data(), perm.data());
    const std::size_t n = sorted.size();
    return n % 2 == 1 ? sorted[n / 2] : 0.5 * (sorted[n / 2 - 1] + sorted[n / 2]);
}

// The statistics of one variable into column j of out.
void oneVariable(std::int32_t n, std::int32_t j, const double* x, const Options& o, const std::vector<char>& rowUsed,
                 double* out, std::int32_t rows) {
    const double nan = stats_dmach(6);
    const double eps = stats_dmach(4);
    auto put = [&](int row, double v) { out[static_cast<std::size_t>(row - 1) * o.statColDim + j] = v; };
    for (int r = 1; r <= rows; ++r) put(r, nan);
    double count = 0.0, weight = 0.0, mean = 0.0, lo = 0.0, hi = 0.0;
    bool any = false;
    std::vector<double> values;  // repeated by frequency, for the medians
    // Pass 1: count, weight, weighted mean (updated), extremes.
    for (std::int32_t i = 0; i < n; ++i) {
        if (!rowUsed[static_cast<std::size_t>(i)]) continue;
        const double v = x[static_cast<std::size_t>(i) * o.xColDim + j];
        if (std::isnan(v)) continue;
        const double fr = o.frequencies ? o.frequencies[i] : 1.0;
        const double w = o.weights ? o.weights[i] : 1.0;
        count += fr;
        if (fr * w > 0.0) {
            weight += fr * w;
            mean += fr * w * (v - mean) / weight;
        }
        lo = any ? std::min(lo, v) : v;
        hi = any ? std::max(hi, v) : v;
        any = true;
        if (o.medians != 0)
            for (double k = 0; k < fr; k += 1.0) values.push_back(v);
    }
    put(10, count);
    if (!any) return;
    put(1, mean);
    put(6, lo);
    put(7, hi);
    put(8, hi - lo);
    double s2 = 0.0, s3 = 0.0, s4 = 0.0;
    for (std::int32_t i = 0; i < n; ++i) {
        if (!rowUsed[static_cast<std::size_t>(i)]) continue;
        const double v = x[static_cast<std::size_t>(i) * o.xColDim + j];
        if (std::isnan(v)) continue;
        const double fw = (o.frequencies ? o.frequencies[i] : 1.0) * (o.weights ? o.weights[i] : 1.0);
        const double d = v - mean;
        s2 += fw * d * d;
        s3 += fw * d * d * d;
        s4 += fw * d * d * d * d;
    }
    double variance = nan, sd = nan;
    if (count > 1.0) {
        if (weight == 0.0) {
            for (int r = 2; r <= 5; ++r) put(r, 0.0);
            warn(11076);
            variance = sd = 0.0;
        } else if (s2 <= 0.0) {
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
            if (hi - lo > 10.0 * eps * std::max(std::fabs(lo), std::fabs(hi))) {
                // (s3 / c) / m2^1.5 and (s4 / c) / m2^2, dividing step by step.
                put(4, ((s3 / count) / m2) / std::sqrt(m2));
                put(5, ((s4 / count) / m2) / m2 - 3.0);
            } else {
                warn(11074);
            }
        }
    } else {
        warn(11075);
    }
    if (!std::isnan(mean) && std::fabs(mean) >= stats_dmach(1) / eps && !std::isnan(sd)) put(9, sd / mean);
    else warn(11078);
    if (o.confMean > 0.0 && count > 1.0 && count - 1.0 < 1.0) {
        warn(11080);  // the t quantile needs one degree of freedom
    } else if (o.confMean > 0.0 && count > 1.0) {
        if (std::isnan(sd)) {
        } else if (sd < 0.0) {
            warn(11079);
        } else {
            const double t = stats_d_t_inverse(o.confMean / 200.0 + 0.5, count - 1.0);
            if (l_error_type_at(1) >= STATS_WARNING || std::isnan(t)) {
                warn(11080);
            } else {
                const double half = t * sd / std::sqrt(count);
                put(11, mean - half);
                put(12, mean + half);
            }
        }
    }
    if (o.confVariance > 0.0 && count > 1.0 && count - 1.0 < 0.5) {
        warn(11082);  // the chi-squared quantile needs half a degree of freedom
    } else if (o.confVariance > 0.0 && count > 1.0 && !std::isnan(variance)) {
        if (variance < 0.0) {
            warn(11073);
        } else {
            const double a = (1.0 - o.confVariance / 100.0) / 2.0;
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
    if (o.medians != 0 && !values.empty()) {
        const double med = median(values);
        put(15, med);
        if (o.medians == 2) {
            for (double& v : values) v = std::fabs(v - med);
            const double mad = median(values);
            put(16, mad);
            put(17, mad / stats_d_normal_inverse_cdf(0.75));
        }
    }
}

}  // namespace

void stats_svrgp(std::int32_t n, const double* values, double* sorted, std::int32_t* perm) {
    if (n < 1) return;
    std::vector<std::int32_t> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) { return values[a] < values[b]; });
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
            result = static_cast<double*>(std::calloc(static_cast<std::size_t>(rows) * o.statColDim, sizeof(double)));
            owned = result != nullptr;
            if (result == nullptr) {
                l_set_string_arg(1, "n_variables");
                l_error_post(STATS_TERMINAL, 201);
            }
        }
    }
    if (result != nullptr && l_error_type_at(0) == 0) {
        // Rows left out: a missing frequency or weight, or (listwise) any
        // missing value of the row.
        std::vector<char> used(static_cast<std::size_t>(n_observations), 1);
        std::int32_t missingRows = 0;
        for (std::int32_t i = 0; i < n_observations; ++i) {
            bool missing = (o.frequencies && std::isnan(o.frequencies[i])) || (o.weights && std::isnan(o.weights[i]));
            bool anyValueMissing = false;
            for (std::int32_t j = 0; j < n_variables; ++j)
                anyValueMissing = anyValueMissing || std::isnan(x[static_cast<std::size_t>(i) * o.xColDim + j]);
            if (missing || (o.missingMode == 0 && anyValueMissing)) used[static_cast<std::size_t>(i)] = 0;
            if (missing || anyValueMissing) ++missingRows;
        }
        for (std::int32_t j = 0; j < n_variables; ++j) oneVariable(n_observations, j, x, o, used, result, rows);
        if (missingRows > 0) {
            l_set_int_arg(1, missingRows);
            warn(o.missingMode == 1 ? 11288 : 11062);
        }
    }
    if (l_error_type_at(0) >= STATS_FATAL && l_error_type_at(0) != STATS_WARNING_IMMEDIATE) {
        if (owned) std::free(result);
        result = nullptr;
    }
    scope.pop();
    return result;
}
