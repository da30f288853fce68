#include "SeriesCompute/SeriesGenerateRandomStudentT.h"

#include "SeriesCompute/SeriesGenerateRandomBase.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RandomUniform.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesGenerateRandomStudentT";
}  // namespace

void SeriesGenerateRandomStudentT::checkParameters()
{
    checkRandomCount(count);
    // The library takes df and the variance above its machine epsilon.
    if (!positiveFinite(df) || !(df > libraryEpsilon())) qdThrow(QD_SOURCE_PATH, __LINE__,
            ErrorCode::IllegalStudentTDf);
    if (!positiveFiniteSquare(standardDeviation) || !(standardDeviation * standardDeviation > libraryEpsilon()))
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalStandardDeviation);
    if (!finite(mean)) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalStandardDeviation);
}

void SeriesGenerateRandomStudentT::fillReal(double* buffer)
{
    // Heavy tails times a large standard deviation beyond the largest
    // double: refused.
    callLibrary(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalStandardDeviation, [&] {
        stats_d_random_student_t(count, df, STATS_OPT_MEAN, mean, STATS_OPT_VARIANCE,
                                 standardDeviation * standardDeviation, STATS_OPT_RETURN_USER, buffer, 0);
    });
}

}  // namespace qd
