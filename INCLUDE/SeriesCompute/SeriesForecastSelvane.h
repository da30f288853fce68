// Automatic selection of a forecasting method for one series.
//
// The candidates (Holt-Winters over the seasonal lengths and seasonal
// Box-Jenkins; Croston, the new-product curve, simple exponential smoothing,
// Holt and non-seasonal Box-Jenkins) run on a private working copy of the
// series and are scored by one error measure, optionally on a hold-out of
// the last observations. The ranking is stored under
// QD_SELVANE_METHOD_RANK (4011) and the winner runs once more on the
// caller's series, which keeps its fitted values, forecasts, parameters and
// method code. Too little data gives the average forecast.
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTSELVANE_H
#define QD_SERIESCOMPUTE_SERIESFORECASTSELVANE_H

#include <cstdint>

#include "Matrix/SeriesCompute.h"

namespace qd {

enum XSeasonalType : std::int32_t {
    QD_SEASONAL = -1,
    QD_NON_SEASONAL = -2,
    QD_OPTIMIZE = -3,
    QD_OPTIMIZE_ALL = -4
};

enum XSelvaneProductType : std::int32_t {
    QD_SELVANE_NEW_PRODUCT = -1,
    QD_SELVANE_OPTIMIZED_PRODUCT = -2,
    QD_SELVANE_STANDARD = -3
};

class SeriesForecastSelvane : public SeriesForecast {
public:
    SeriesForecastSelvane(std::int32_t observationNumber, std::int32_t numPeriodsToForecast, std::int32_t errorType,
                          std::int32_t seasonalType, std::int32_t ReplaceOutliers, std::int32_t RollBackType,
                          std::int32_t productType);

    // The flag is not used. Returns 0.
    std::int32_t compute(Series& series, std::int32_t flag) override;

    // Configuration (unchanged by compute).
    std::int32_t observationNumber;
    std::int32_t numPeriodsToForecast;
    std::int32_t errorType;
    std::int32_t seasonalType;
    std::int32_t ReplaceOutliers;
    std::int32_t RollBackType;
    std::int32_t productType;

    // One scored candidate.
    struct Candidate {
        std::int32_t method;
        double error;
        std::int32_t rank;
    };
    static const std::int32_t kMaxCandidates = 20;

    // What the last compute left: the candidates in the order recorded,
    // their count and the winner's method code (-1: none, the average).
    Candidate candidates[kMaxCandidates];
    std::int32_t candidateCount;
    std::int32_t winner;

private:
    struct Parameters {
        double esAlpha;
        double crostonAlpha;
        double holtAlpha;
        double holtGamma;
        double hwAlpha;
        double hwBeta;
        double hwGamma;
        std::int32_t hwLength;
        std::int32_t hwDecomposition;
        std::int32_t bjP, bjD, bjQ, bjSP, bjSD, bjSQ, bjS, bjTransform;
        double npAlpha, npBeta, npDelta, npGamma;
    };

    void seasonalStage(Series& s);
    void nonSeasonalStage(Series& s);
    void holdOutStage(Series& working, bool seasonal);
    double score(Series& s, SeriesForecast& method);
    void record(std::int32_t method, double error);
    void readParameters(const Series& s, std::int32_t method);
    void replaceOutliersForSelection(Series& s, double ratio);
    void averageForecast(Series& series);
    void rebuildAndRun(Series& s, std::int32_t method, std::int32_t periods, bool refit, bool finalRun);

    Parameters par;
    std::int32_t n;
    std::int32_t lastIndex;
    std::int32_t count;
    std::int32_t effectiveErrorType;
    std::int32_t rollBack;
    std::int32_t seasonalTypeUsed;
    bool tryNewProduct;
    bool trySeasonalBoxJenkins;
    bool tryNonSeasonalBoxJenkins;
    bool outliersPending;
    std::int32_t detectionResult;
    std::int32_t detectedLength;
};

}  // namespace qd

#endif
