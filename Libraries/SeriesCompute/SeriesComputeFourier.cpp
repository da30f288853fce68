#include "SeriesCompute/SeriesComputeFourier.h"

#include <cmath>

#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

SeriesComputeFourier::SeriesComputeFourier(std::int32_t last, std::int32_t count) : SeriesCompute(last, count)
{
}

double SeriesComputeFourier::compute(Series& series)
{
    // Resolved for this series only: the object runs over every series of
    // a matrix.
    std::int32_t last = this->last;
    std::int32_t count = this->count;
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    if (series.numObservations() < 2)
        return 0.0;
    const std::int32_t N = count;
    const double* x = series.values() + (last - count + 1);  // x(t) = x[t - 1]
    const std::int32_t m = (N - 1) / 2;
    const double omega = 2.0 * (4.0 * std::atan(1.0)) / N;
    const double c1 = std::cos(omega);
    const double s1 = std::sin(omega);

    SeriesQC& results = series.storedResults;
    results.createMultiple(QD_FOURIER_ALPHA, m + 1);
    results.createMultiple(QD_FOURIER_BETA, m + 1);
    double c = 1.0;  // cos(j omega)
    double s = 0.0;  // sin(j omega)
    for (std::int32_t j = 0; j <= m; ++j) {
        // Second-order recurrence from t = N down to 1.
        double u1 = 0.0;  // U(k + 1)
        double u2 = 0.0;  // U(k + 2)
        for (std::int32_t k = N; k >= 1; --k) {
            const double u = x[k - 1] + 2.0 * c * u1 - u2;
            u2 = u1;
            u1 = u;
        }
        double a = 2.0 / N * (c * u1 - u2);
        double b = 2.0 / N * (s * u1);
        if (j == 0) {
            a *= 0.5;
            b = 0.0;
        }
        results.storeMultiple(QD_FOURIER_ALPHA, j, a);
        results.storeMultiple(QD_FOURIER_BETA, j, b);
        const double nextC = c * c1 - s * s1;
        s = s * c1 + c * s1;
        c = nextC;
    }
    return 0.0;
}

}  // namespace qd
