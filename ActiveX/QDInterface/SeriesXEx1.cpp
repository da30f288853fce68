#include "SeriesXEx1.h"

#include "Matrix/Snapshot.h"

#include "ArrayTransfer.h"
#include "SeriesX.h"

#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "Matrix/SeriesOpApplySeriesGenerateRandom.h"
#include "SeriesCompute/SeriesCleaning.h"
#include "SeriesCompute/SeriesComputeApplyDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeChiSquare.h"
#include "SeriesCompute/SeriesComputeCochraneOrcutt.h"
#include "SeriesCompute/SeriesComputeCreateDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeCumulativeMAPE.h"
#include "SeriesCompute/SeriesComputeFourier.h"
#include "SeriesCompute/SeriesComputeHistogram.h"
#include "SeriesCompute/SeriesComputeRollingMAPE.h"
#include "SeriesCompute/SeriesComputeSafetyStock.h"
#include "SeriesCompute/SeriesComputeStandardizedMAE.h"
#include "SeriesCompute/SeriesForecastAverage.h"
#include "SeriesCompute/SeriesForecastBassModel.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastLaggedForecast.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesGenerateRandomBeta.h"
#include "SeriesCompute/SeriesGenerateRandomBinomial.h"
#include "SeriesCompute/SeriesGenerateRandomCauchy.h"
#include "SeriesCompute/SeriesGenerateRandomChiSquared.h"
#include "SeriesCompute/SeriesGenerateRandomExponential.h"
#include "SeriesCompute/SeriesGenerateRandomExponentialMix.h"
#include "SeriesCompute/SeriesGenerateRandomGamma.h"
#include "SeriesCompute/SeriesGenerateRandomGeometric.h"
#include "SeriesCompute/SeriesGenerateRandomHyperGeometric.h"
#include "SeriesCompute/SeriesGenerateRandomLogarithmic.h"
#include "SeriesCompute/SeriesGenerateRandomLognormal.h"
#include "SeriesCompute/SeriesGenerateRandomNegativeBinomial.h"
#include "SeriesCompute/SeriesGenerateRandomNormal.h"
#include "SeriesCompute/SeriesGenerateRandomPoisson.h"
#include "SeriesCompute/SeriesGenerateRandomStudentT.h"
#include "SeriesCompute/SeriesGenerateRandomTriangular.h"
#include "SeriesCompute/SeriesGenerateRandomUniform.h"
#include "SeriesCompute/SeriesGenerateRandomUniformDiscrete.h"
#include "SeriesCompute/SeriesGenerateRandomVonMises.h"
#include "SeriesCompute/SeriesGenerateRandomWeibull.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastSlowMovingDemand.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"

#include <memory>
#include <vector>

using namespace qd;

const ClassIdentity SeriesXEx1::identity = {
    L"SeriesXEx1", L"SeriesXEx1.SeriesXEx1.1", "ActiveX\\QDInterface\\SeriesXEx1", &CLSID_SeriesXEx1, &IID_ISeriesXEx1};

void SeriesXEx1::attach(const ElementBinding<Series>& binding)
{
    series_ = binding;
}

Series& SeriesXEx1::series(std::int32_t line)
{
    Series* element = series_.get();
    if (element == nullptr) throwCode(identity, line, ErrorCode::OutOfMemory);
    return *element;
}

HRESULT SeriesXEx1::apply(SeriesOp& op, bool evenEmpty)
{
    return runFrame(identity, __LINE__, [&] {
        Series* s = series_.get();
        if (s == nullptr) throwCode(identity, __LINE__, ErrorCode::NotInitialized);
        // Running out of memory part of the way through leaves the series as
        // it was.
        return qd::allOrNothing(*s, [&] {
            s->setDirty(true, true);
            if (evenEmpty || s->numObservations() > 0) op.apply(*s);
            return S_OK;
        });
    });
}

HRESULT SeriesXEx1::runSeriesCompute(SeriesCompute& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<SeriesOp> op(new SeriesOpApplySeriesCompute(compute));
        return apply(*op, false);
    });
}

namespace {

// The forecasts with given final values also run on a series without
// observations, which the library's forecast applier leaves alone.
class ForecastEvenEmpty : public SeriesOp {
public:
    explicit ForecastEvenEmpty(SeriesForecast& method) : method_(method) {}
    void apply(Series& target) override { method_.compute(target, 1); }

private:
    SeriesForecast& method_;
};

} // namespace

HRESULT SeriesXEx1::runSeriesForecast(SeriesForecast& compute, bool evenEmpty)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<SeriesOp> op;
        if (evenEmpty)
            op.reset(new ForecastEvenEmpty(compute));
        else
            op.reset(new SeriesOpApplySeriesForecast(compute));
        return apply(*op, evenEmpty);
    });
}

HRESULT SeriesXEx1::runGenerateRandom(SeriesGenerateRandom& generator)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<SeriesOp> op(new SeriesOpApplySeriesGenerateRandom(generator));
        return apply(*op, true);
    });
}

// ---- statistics -------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE SeriesXEx1::CalculateFourier(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeFourier compute(observationNumber, numHistoricalValues);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::CalculateHistogram(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG StatType, LONG numBins)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeHistogram compute(observationNumber, numHistoricalValues, numBins, false, 0.0, 0.0, StatType);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::CalculateHistogramByMinMax(LONG observationNumber, LONG numHistoricalValues,
                                                                 LONG StatType, LONG numBins, double min, double max)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeHistogram compute(observationNumber, numHistoricalValues, numBins, true, min, max, StatType);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::CalculateSafetyStockEx(LONG observationNumber, LONG numHistoricalValues,
                                                             double leadTime, double ServiceLevel, XCalcLevel cl,
                                                             LONG calcPeriods, LONG includeFValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeSafetyStock compute(observationNumber, numHistoricalValues, leadTime, ServiceLevel,
                                         static_cast<std::int32_t>(cl), calcPeriods, includeFValues != 0);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::CalculateSeviceLevelEx(LONG observationNumber, LONG numHistoricalValues,
                                                             double leadTime, double safetyStock, XCalcLevel cl,
                                                             LONG calcPeriods, LONG includeFValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeServiceLevel compute(observationNumber, numHistoricalValues, leadTime, safetyStock,
                                          static_cast<std::int32_t>(cl), calcPeriods, includeFValues != 0);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::CalculateChiSquare(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG numParameters, LONG bCalculatePossibility)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeChiSquare compute(observationNumber, numHistoricalValues, numParameters,
                                       bCalculatePossibility != 0);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::CalculateCochraneOrcutt(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeCochraneOrcutt compute(observationNumber, numHistoricalValues);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::CalculateRollingMAPE(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeRollingMAPE compute(observationNumber, numHistoricalValues);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::CalculateCumulativeMAPE(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeCumulativeMAPE compute(observationNumber, numHistoricalValues);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::indexDecompositionCreate(LONG observationNumber, LONG numHistoricalValues,
                                                               short DecompositionType)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeCreateDecompositionIndex compute(observationNumber, numHistoricalValues, 0, DecompositionType,
                                                      true);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::indexDecompositionApply(LONG observationNumber, LONG numHistoricalValues,
                                                              short DecompositionType)
{
    return runFrame(identity, __LINE__, [&] {
        // Checked here: the applier does not run the compute on a series
        // without observations, where a wrong type would pass unnoticed.
        if (DecompositionType != 1 && DecompositionType != 2)
            throwCode(identity, __LINE__, ErrorCode::IllegalDecompositionType);
        SeriesComputeApplyDecompositionIndex compute(observationNumber, numHistoricalValues, DecompositionType, false);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::CalculateStandardizedMAE(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeStandardizedMAE compute(observationNumber, numHistoricalValues);
        return runSeriesCompute(compute);
    });
}

// ---- forecasts ---------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastAverage(LONG observationNumber, LONG numHistoricalValues,
                                                      LONG numPeriodsToForecast)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastAverage method(observationNumber, numHistoricalValues, numPeriodsToForecast);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastLinearRegressionEx(LONG observationNumber, LONG numHistoricalValues,
                                                                 LONG numPeriodsToForecast, LONG useConstTerm,
                                                                 double ConfidenceLevel)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastLinearRegression method(observationNumber, numHistoricalValues, numPeriodsToForecast,
                                              useConstTerm != 0, ConfidenceLevel, false, 0.0, 0.0);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastBassModel(LONG observationNumber, LONG numHistoricalValues,
                                                        LONG numPeriodsToForecast, double p, double r, double qbar)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastBassModel method(observationNumber, numHistoricalValues, numPeriodsToForecast, p, r, qbar);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastLaggedForecast(LONG observationNumber, LONG numPeriodsToForecast,
                                                             LONG laggedPeriod)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastLaggedForecast method(observationNumber, numPeriodsToForecast, laggedPeriod);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastExponentialSmoothingZeroDemand(LONG observationNumber, double alpha,
                                                                             LONG numPeriodsToForecast,
                                                                             double finalLevelValue)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastExponentialSmoothing method(observationNumber, alpha, numPeriodsToForecast, true,
                                                  finalLevelValue);
        return runSeriesForecast(method, true);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastLinearRegressionZeroDemand(LONG observationNumber,
                                                                         LONG numHistoricalValues,
                                                                         LONG numPeriodsToForecast, double slope,
                                                                         double intercept)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastLinearRegression method(observationNumber, numHistoricalValues, numPeriodsToForecast, true, 0.0,
                                              true, slope, intercept);
        return runSeriesForecast(method, true);
    });
}

// ---- editing -----------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE SeriesXEx1::RangeForecast(LONG bCheckHistory, LONG bChangeForecastPeriodOnly,
                                                    LONG bUseCeiling, double dCeiling, LONG bUseFloor, double dFloor)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        return qd::allOrNothing(s, [&] {
            s.setDirty(true, true);
            s.rangeForecast(bCheckHistory != 0, bChangeForecastPeriodOnly != 0, bUseCeiling != 0, dCeiling,
                            bUseFloor != 0, dFloor);
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::ReplaceSeries(ISeriesX* pSX)
{
    return runFrame(identity, __LINE__, [&] {
        Series* own = series_.get();
        if (own == nullptr) throwCode(identity, __LINE__, ErrorCode::NotInitialized);
        ElementBinding<Series> other;
        if (!SeriesX::bindingBehind(pSX, other)) throwCode(identity, __LINE__, ErrorCode::InvalidPointer);
        Series* source = other.get();
        if (source == nullptr) throwCode(identity, __LINE__, ErrorCode::OutOfMemory);
        if (source == own) return S_OK;
        // Assignment copies everything (settings, observations, stored
        // results) into the own series, which keeps its identity.
        const Series copy(*source);
        *own = copy;
        own->setDirty(true, true);
        return S_OK;
    });
}

// ---- arrays ------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE SeriesXEx1::AddObservationByArray(VARIANT values, VARIANT descriptions,
                                                            VARIANT originTypes)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::addObservations(series(__LINE__), values, descriptions, originTypes,
                                       ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GetObservationValuesToArray(LONG observationNumber, LONG numHistoricalValues,
                                                                  short StatType, VARIANT* values)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::getObservationValues(series(__LINE__), observationNumber, numHistoricalValues, StatType,
                                            values, ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GetObservationDescriptionsToArray(LONG observationNumber,
                                                                        LONG numHistoricalValues,
                                                                        VARIANT* descriptions)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::getObservationDescriptions(series(__LINE__), observationNumber, numHistoricalValues,
                                                  descriptions, ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::InputObsStatByArrary(LONG observationNumber, LONG numHistoricalValues,
                                                           short StatType, VARIANT values)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::inputObservationResults(series(__LINE__), observationNumber, numHistoricalValues, StatType,
                                               values, ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::AddIndexValuesByArray(VARIANT values)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        return qd::allOrNothing(s, [&] {
            ArrayTransfer::addIndexValues(s, values, ArrayTransfer::Site{identity, __LINE__});
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GetIndexValuesToArray(VARIANT* values)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::getIndexValues(series(__LINE__), values, ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

// ---- cleaning ------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE SeriesXEx1::ReplaceOutliersByDirection(LONG observationNumber, LONG numHistoricalValues,
                                                                 double SDRatio, double adjustRatio,
                                                                 short methodName, LONG SeasonalLength,
                                                                 short replaceType)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        return qd::allOrNothing(s, [&] {
            s.setDirty(true, true);
            qd::replaceOutliers(s, observationNumber, numHistoricalValues, SDRatio, adjustRatio, methodName,
                                SeasonalLength, replaceType);
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::TrendAdjust(LONG observationNumber, LONG numHistoricalValues,
                                                  LONG lTrendIncreasePeriods, double dTrendIncreaseGoal,
                                                  LONG lTrendDecreasePeriods, double dTrendDecreaseGoal)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        return qd::allOrNothing(s, [&] {
            s.setDirty(true, true);
            qd::trendAdjust(s, observationNumber, numHistoricalValues, lTrendIncreasePeriods, dTrendIncreaseGoal,
                            lTrendDecreasePeriods, dTrendDecreaseGoal);
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastGompertzCurve(LONG observationNumber, LONG numHistoricalValues,
                                                            LONG numPeriodsToForecast, double minValue, double maxValue,
                                                            short MinMaxType)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastNewProductCurve method(observationNumber, numHistoricalValues, numPeriodsToForecast, minValue,
                                             maxValue, MinMaxType, 1);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastLogisticCurve(LONG observationNumber, LONG numHistoricalValues,
                                                            LONG numPeriodsToForecast, double minValue, double maxValue,
                                                            short MinMaxType)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastNewProductCurve method(observationNumber, numHistoricalValues, numPeriodsToForecast, minValue,
                                             maxValue, MinMaxType, 2);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastProbitCurve(LONG observationNumber, LONG numHistoricalValues,
                                                          LONG numPeriodsToForecast, double minValue, double maxValue,
                                                          short MinMaxType)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastNewProductCurve method(observationNumber, numHistoricalValues, numPeriodsToForecast, minValue,
                                             maxValue, MinMaxType, 3);
        return runSeriesForecast(method);
    });
}

// ---- random series ---------------------------------------------------------------

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomNormal(LONG numRandom, double mean, double standardDeviation)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomNormal generator(numRandom, mean, standardDeviation);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomBinomial(LONG numRandom, LONG n, double p)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomBinomial generator(numRandom, n, p);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomGeometric(LONG numRandom, double p)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomGeometric generator(numRandom, p);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomHyperGeometric(LONG numRandom, LONG n, LONG m, LONG l)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomHyperGeometric generator(numRandom, n, m, l);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomLogarithmic(LONG numRandom, double a)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomLogarithmic generator(numRandom, a);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomNegativeBinomial(LONG numRandom, double r, double p)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomNegativeBinomial generator(numRandom, r, p);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomPoisson(LONG numRandom, double theta)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomPoisson generator(numRandom, theta);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomBeta(LONG numRandom, double p, double q)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomBeta generator(numRandom, p, q);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomCauchy(LONG numRandom)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomCauchy generator(numRandom);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomChiSquared(LONG numRandom, double df)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomChiSquared generator(numRandom, df);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomExponential(LONG numRandom, double mean)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomExponential generator(numRandom, mean);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomExponentialMix(LONG numRandom, double theta1, double theta2,
                                                                   double p)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomExponentialMix generator(numRandom, theta1, theta2, p);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomGamma(LONG numRandom, double alpha, double beta)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomGamma generator(numRandom, alpha, beta);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomLognormal(LONG numRandom, double mean, double standardDeviation)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomLognormal generator(numRandom, mean, standardDeviation);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomStudentT(LONG numRandom, double df, double mean,
                                                             double standardDeviation)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomStudentT generator(numRandom, df, mean, standardDeviation);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomVonMises(LONG numRandom, double c)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomVonMises generator(numRandom, c);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomWeibull(LONG numRandom, double alpha, double beta)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomWeibull generator(numRandom, alpha, beta);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomUniform(LONG numRandom, double minRand, double maxRand)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomUniform generator(numRandom, minRand, maxRand);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomUniformDiscrete(LONG numRandom, LONG minRand, LONG maxRand)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomUniformDiscrete generator(numRandom, minRand, maxRand);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::GenerateRandomTriangular(LONG numRandom, double minRand, double mostLikely,
                                                               double maxRand)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomTriangular generator(numRandom, minRand, mostLikely, maxRand);
        return runGenerateRandom(generator);
    });
}

// ---- Holt-Winters with zero demand, slow-moving demand ---------------------------------

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastHoltWintersZeroDemand(LONG observationNumber, LONG seasonalityLength,
                                                                    LONG numPeriodsToForecast, double alpha,
                                                                    double beta, double gamma, LONG decompType,
                                                                    double finalLevelValue, double finalTrendValue,
                                                                    VARIANT seasonalIndexValues)
{
    return runFrame(identity, __LINE__, [&] {
        // The indexes are checked before the binding, so a bad array is
        // reported even by an unbound object.
        const std::vector<double> indexes = ArrayTransfer::readSeasonalIndexes(
            seasonalIndexValues, seasonalityLength, ArrayTransfer::Site{identity, __LINE__});
        SeriesForecastTripleExponentialSmoothingWinters method(
            observationNumber, seasonalityLength, numPeriodsToForecast, alpha, beta, gamma, decompType, true,
            finalLevelValue, finalTrendValue, indexes.empty() ? nullptr : indexes.data());
        return runSeriesForecast(method, true);
    });
}

HRESULT STDMETHODCALLTYPE SeriesXEx1::ForecastSlowMovingDemand(LONG observationNumber, LONG numForecastPeriods,
                                                               ::XSlowMethodIndexType eicType, LONG eicSeasonalLength,
                                                               LONG eicExclude0, double eicStart, double eicIncr,
                                                               double eicEnd, ::XSlowMethodNumSimType nsType,
                                                               LONG numSimulation, double nsPerThreshold,
                                                               ::XSlowMethodEventReplaceType erType, short bcMethod,
                                                               LONG bcmExclude0, ::XSlowMethodBaseFcstType bfType,
                                                               short bfMethod, ::XSlowMethodSeviceLevelType slType,
                                                               double leadTime, double ServiceLevel,
                                                               ::XSlowMethodHistSeviceLevelType hslType)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastSlowMovingDemand method(
            observationNumber, numForecastPeriods, static_cast<std::int32_t>(eicType), eicSeasonalLength,
            eicExclude0 != 0, eicStart, eicIncr, eicEnd, static_cast<std::int32_t>(nsType), numSimulation,
            nsPerThreshold, static_cast<std::int32_t>(erType), bcMethod, bcmExclude0 != 0,
            static_cast<std::int32_t>(bfType), bfMethod, static_cast<std::int32_t>(slType), leadTime, ServiceLevel,
            static_cast<std::int32_t>(hslType));
        return runSeriesForecast(method);
    });
}
