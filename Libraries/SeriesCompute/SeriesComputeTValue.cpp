#include "SeriesCompute/SeriesComputeTValue.h"

#include "Matrix/MVRBaseException.h"
#include "Statistics/Distributions.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeTValue";

// Written as "not inside" so that a value that is not a number fails too.
bool insideHalfOpenUnit(double x)
{
    return x >= 0.0 && x < 1.0;
}

void checkDegreesOfFreedom(double df, int line)
{
    if (!(df >= 1.0))
        qdThrow(QD_SOURCE_PATH, line, ErrorCode::IllegalTDegreesOfFreedom);
}
}  // namespace

double computeTValue(double level, double df, bool oneSided)
{
    if (!insideHalfOpenUnit(level))
        qdThrow(QD_SOURCE_PATH, 38, ErrorCode::IllegalConfidenceLevel);
    checkDegreesOfFreedom(df, 41);
    const double p = oneSided ? level : (level + 1.0) * 0.5;
    // The inverse is defined on the open interval only, and the numerical
    // library stops the process for any other probability: refuse a level
    // of 0 one-sided, and a two-sided level whose (level + 1) / 2 rounds to 1.
    if (!(p > 0.0 && p < 1.0))
        qdThrow(QD_SOURCE_PATH, 47, ErrorCode::IllegalConfidenceLevel);
    return stats_d_t_inverse(p, df);
}

double computeTProbability(double t, double df, bool oneSided)
{
    if (t < 0.0)
        qdThrow(QD_SOURCE_PATH, 56, ErrorCode::NegativeTValue);
    checkDegreesOfFreedom(df, 58);
    const double P = stats_d_t_cdf(t, df);
    if (oneSided)
        return P;
    return (P - 0.5) + (P - 0.5);
}

double normalQuantileFromTable(double level, bool oneSided)
{
    static const double kProbability[] = {0.0, 0.1,  0.2,  0.3,  0.4,   0.5,   0.6,  0.7,
                                          0.8, 0.9, 0.95, 0.98, 0.99, 0.995, 0.998};
    static const double kQuantile[] = {0.0,   0.126, 0.253, 0.385, 0.524, 0.674, 0.842, 1.036,
                                       1.282, 1.645, 1.96,  2.326, 2.576, 2.81,  3.09};
    double x = level;
    if (oneSided)
        x = (x - 0.5) + (x - 0.5);
    if (!(x >= 0.0 && x <= 0.998))
        qdThrow(QD_SOURCE_PATH, 79, ErrorCode::IllegalConfidenceLevel);
    if (x == 0.0)
        return 0.0;
    int i = 1;
    while (kProbability[i] < x)
        ++i;
    return (x - kProbability[i - 1]) * (kQuantile[i] - kQuantile[i - 1]) / (kProbability[i] - kProbability[i - 1]) +
           kQuantile[i - 1];
}

}  // namespace qd
