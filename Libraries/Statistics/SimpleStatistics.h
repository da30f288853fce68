// Univariate summary statistics of the columns of a data matrix, with
// frequencies, weights, medians and a robust scale, and confidence limits
// for the mean and the variance.
#ifndef STATISTICS_SIMPLESTATISTICS_H
#define STATISTICS_SIMPLESTATISTICS_H

#include <cstdint>

enum : int {
    STATS_OPT_CONF_MEAN = 10880,
    STATS_OPT_CONF_MEAN_ADR = 10890,
    STATS_OPT_CONF_VARIANCE = 10910,
    STATS_OPT_CONF_VARIANCE_ADR = 10920,
    STATS_OPT_FREQUENCIES = 11790,
    STATS_OPT_WEIGHTS = 15400,
    STATS_OPT_MEDIAN = 13150,
    STATS_OPT_MEDIAN_AND_SCALE = 13160,
    STATS_OPT_STAT_COL_DIM = 14800,
    STATS_OPT_X_COL_DIM = 15470,
    STATS_OPT_MISSING_LISTWISE = 18010,
    STATS_OPT_MISSING_ELEMENTWISE = 18011
};

// Rows of the result (1-based, as the statistics are numbered): mean,
// variance, standard deviation, skewness, excess kurtosis, minimum,
// maximum, range, coefficient of variation, count, mean limits, variance
// limits, then median, median absolute deviation and robust scale under
// the median options. Element (row r, variable j) is at
// (r - 1) * stat_col_dim + j.
double* stats_d_simple_statistics(std::int32_t n_observations, std::int32_t n_variables, const double* x, ...);

// x with chi-squared distribution function value p at df degrees of freedom.
double stats_d_chi_squared_inverse_cdf(double p, double df);

// Sorts values ascending into sorted and permutes perm the same way.
void stats_svrgp(std::int32_t n, const double* values, double* sorted, std::int32_t* perm);

#endif
