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

// The worker that accumulates the statistics: ido 0 takes all the data in
// one call; ido 1 starts a stream with its first block of rows, 2 adds a
// block and 3 adds the last one and finishes. A negative nrow takes its
// rows out of the accumulation instead (the minimum and maximum stay as
// they were). x holds |nrow| rows of nvar columns by columns (element of
// row i, column k at x[i + k * ldx]); ifrq and iwt are the 1-based columns
// of the frequencies and weights (0 for none), every other column is a
// variable. A row whose frequency or weight is missing or negative is left
// out; mopt 0 leaves out every row with a missing value, mopt 1 only the
// missing value itself. stat receives rows 1 to 14 of the statistics (as
// above, with column stride ldstat); between the calls of a stream it holds
// the running accumulation and must be left alone. nrmiss (may be null)
// returns the number of rows with missing values (less those removed).
// conprm and conprv are the confidence levels in percent (0 or less: no
// limits), iprint 0 to 2 (nothing is printed); work is not used.
void l_u2sta(std::int32_t ido, std::int32_t nrow, std::int32_t nvar, const double* x, std::int32_t ldx, std::int32_t ifrq,
             std::int32_t iwt, std::int32_t mopt, double conprm, double conprv, std::int32_t iprint, double* stat,
             std::int32_t ldstat, std::int32_t* nrmiss, double* work);

// x with chi-squared distribution function value p at df degrees of freedom.
double stats_d_chi_squared_inverse_cdf(double p, double df);

// Sorts values ascending into sorted and permutes perm the same way.
void stats_svrgp(std::int32_t n, const double* values, double* sorted, std::int32_t* perm);

#endif
