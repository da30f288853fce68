// The members that SeriesXEx1 and MatrixXEx1 share, written once.
//
// The interfaces give both extensions the same further statistics,
// forecasts, generators, editing and array members; what differs is what a
// member runs over (one series, or every series of the matrix) and how the
// forecasts from given final values run. Each member here builds its
// compute object from its arguments and hands it to a runner of the class,
// Derived:
//
//   runSeriesCompute(qd::SeriesCompute&)
//   runSeriesForecast(qd::SeriesForecast&)
//   runZeroDemandForecast(qd::SeriesForecast&): the forecasts from given
//   final values (the series form runs even on a series without
//   observations, the matrix form on a matrix of any shape)
//   runGenerateRandom(qd::SeriesGenerateRandom&)
//   element(std::int32_t line): the series or matrix the editing and array
//   members work on (code 3 when the extension is unbound or its element
//   is gone)
//
// Unbound, the runners report 3128. Every report names Derived's own source
// path (Derived::identity). Derived makes this template and MemberRunners
// friends; the members that exist in one class only, or that differ, stay
// in that class. The three members the interfaces name differently are
// written once here (serviceLevel, linearRegression,
// inputObservationResults) and named by each class.
#ifndef QD_QDINTERFACE_EXTENSIONMEMBERS_H
#define QD_QDINTERFACE_EXTENSIONMEMBERS_H

#include "ArrayTransfer.h"
#include "MemberRunners.h"
#include "QDInterfaceMembers.h"

#include "Matrix/Matrix.h"
#include "Matrix/Series.h"
#include "Matrix/Snapshot.h"
#include "SeriesCompute/SeriesCleaning.h"
#include "SeriesCompute/SeriesComputeChiSquare.h"
#include "SeriesCompute/SeriesComputeCochraneOrcutt.h"
#include "SeriesCompute/SeriesComputeApplyDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeCreateDecompositionIndex.h"
#include "SeriesCompute/DecompositionType.h"
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
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastSlowMovingDemand.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"
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

#include <cstdint>
#include <vector>

template <class Derived, template <class> class Generated>
class ExtensionMembers : public Generated<Derived> {
    using Run = MemberRunners;
    Derived& self() { return static_cast<Derived&>(*this); }

public:
    // ---- statistics ----

    HRESULT STDMETHODCALLTYPE CalculateFourier(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::compute<qd::SeriesComputeFourier>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateHistogram(LONG observationNumber, LONG numHistoricalValues, LONG StatType,
                                                 LONG numBins) override
    {
        return Run::compute<qd::SeriesComputeHistogram>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                        numBins, false, 0.0, 0.0, StatType);
    }

    HRESULT STDMETHODCALLTYPE CalculateHistogramByMinMax(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG StatType, LONG numBins, double min, double max) override
    {
        return Run::compute<qd::SeriesComputeHistogram>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                        numBins, true, min, max, StatType);
    }

    HRESULT STDMETHODCALLTYPE CalculateSafetyStockEx(LONG observationNumber, LONG numHistoricalValues, double leadTime,
                                                     double ServiceLevel, XCalcLevel cl, LONG calcPeriods,
                                                     LONG includeFValues) override
    {
        return Run::compute<qd::SeriesComputeSafetyStock>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                          leadTime, ServiceLevel, static_cast<std::int32_t>(cl),
                                                          calcPeriods, includeFValues != 0);
    }

    HRESULT STDMETHODCALLTYPE CalculateChiSquare(LONG observationNumber, LONG numHistoricalValues, LONG numParameters,
                                                 LONG bCalculatePossibility) override
    {
        return Run::compute<qd::SeriesComputeChiSquare>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                        numParameters, bCalculatePossibility != 0);
    }

    HRESULT STDMETHODCALLTYPE CalculateCochraneOrcutt(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::compute<qd::SeriesComputeCochraneOrcutt>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateRollingMAPE(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::compute<qd::SeriesComputeRollingMAPE>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateCumulativeMAPE(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::compute<qd::SeriesComputeCumulativeMAPE>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE indexDecompositionCreate(LONG observationNumber, LONG numHistoricalValues,
                                                       short DecompositionType) override
    {
        return Run::compute<qd::SeriesComputeCreateDecompositionIndex>(self(), __LINE__, observationNumber,
                                                                       numHistoricalValues, 0, DecompositionType, true);
    }

    // The type is checked before anything is built: also on an unbound
    // object, and on a series without observations, where the applier would
    // not run the compute and a wrong type would pass unnoticed.
    HRESULT STDMETHODCALLTYPE indexDecompositionApply(LONG observationNumber, LONG numHistoricalValues,
                                                      short DecompositionType) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            if (DecompositionType != qd::kAdditiveDecomposition && DecompositionType != qd::kMultiplicativeDecomposition)
                throwCode(Derived::identity, __LINE__, qd::ErrorCode::IllegalDecompositionType);
            qd::SeriesComputeApplyDecompositionIndex compute(observationNumber, numHistoricalValues, DecompositionType,
                                                             false);
            return self().runSeriesCompute(compute);
        });
    }

    HRESULT STDMETHODCALLTYPE CalculateStandardizedMAE(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::compute<qd::SeriesComputeStandardizedMAE>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    // ---- forecasts ----

    HRESULT STDMETHODCALLTYPE ForecastAverage(LONG observationNumber, LONG numHistoricalValues,
                                              LONG numPeriodsToForecast) override
    {
        return Run::forecast<qd::SeriesForecastAverage>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                        numPeriodsToForecast);
    }

    HRESULT STDMETHODCALLTYPE ForecastBassModel(LONG observationNumber, LONG numHistoricalValues,
                                                LONG numPeriodsToForecast, double p, double r, double qbar) override
    {
        return Run::forecast<qd::SeriesForecastBassModel>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                          numPeriodsToForecast, p, r, qbar);
    }

    HRESULT STDMETHODCALLTYPE ForecastLaggedForecast(LONG observationNumber, LONG numPeriodsToForecast,
                                                     LONG laggedPeriod) override
    {
        return Run::forecast<qd::SeriesForecastLaggedForecast>(self(), __LINE__, observationNumber,
                                                               numPeriodsToForecast, laggedPeriod);
    }

    // ---- forecasts from given final values (also on a series without observations) ----

    HRESULT STDMETHODCALLTYPE ForecastExponentialSmoothingZeroDemand(LONG observationNumber, double alpha,
                                                                     LONG numPeriodsToForecast,
                                                                     double finalLevelValue) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            qd::SeriesForecastExponentialSmoothing method(observationNumber, alpha, numPeriodsToForecast, true,
                                                          finalLevelValue);
            return self().runZeroDemandForecast(method);
        });
    }

    HRESULT STDMETHODCALLTYPE ForecastLinearRegressionZeroDemand(LONG observationNumber, LONG numHistoricalValues,
                                                                 LONG numPeriodsToForecast, double slope,
                                                                 double intercept) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            qd::SeriesForecastLinearRegression method(observationNumber, numHistoricalValues, numPeriodsToForecast,
                                                      true, 0.0, true, slope, intercept);
            return self().runZeroDemandForecast(method);
        });
    }

    // ---- editing ----

    HRESULT STDMETHODCALLTYPE RangeForecast(LONG bCheckHistory, LONG bChangeForecastPeriodOnly, LONG bUseCeiling,
                                            double dCeiling, LONG bUseFloor, double dFloor) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            auto& target = self().element(__LINE__);
            return qd::allOrNothing(target, [&] {
                target.setDirty(true, true);
                target.rangeForecast(bCheckHistory != 0, bChangeForecastPeriodOnly != 0, bUseCeiling != 0, dCeiling,
                                     bUseFloor != 0, dFloor);
                return S_OK;
            });
        });
    }

    // ---- arrays ----

    HRESULT STDMETHODCALLTYPE GetObservationValuesToArray(LONG observationNumber, LONG numHistoricalValues,
                                                          short StatType, VARIANT* values) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            ArrayTransfer::getObservationValues(self().element(__LINE__), observationNumber, numHistoricalValues,
                                                StatType, values, ArrayTransfer::Site{Derived::identity, __LINE__});
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE GetObservationDescriptionsToArray(LONG observationNumber, LONG numHistoricalValues,
                                                                VARIANT* descriptions) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            ArrayTransfer::getObservationDescriptions(self().element(__LINE__), observationNumber, numHistoricalValues,
                                                      descriptions, ArrayTransfer::Site{Derived::identity, __LINE__});
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE AddIndexValuesByArray(VARIANT values) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            auto& target = self().element(__LINE__);
            return qd::allOrNothing(target, [&] {
                ArrayTransfer::addIndexValues(target, values, ArrayTransfer::Site{Derived::identity, __LINE__});
                return S_OK;
            });
        });
    }

    HRESULT STDMETHODCALLTYPE GetIndexValuesToArray(VARIANT* values) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            ArrayTransfer::getIndexValues(self().element(__LINE__), values,
                                          ArrayTransfer::Site{Derived::identity, __LINE__});
            return S_OK;
        });
    }

    // ---- cleaning ----

    HRESULT STDMETHODCALLTYPE ReplaceOutliersByDirection(LONG observationNumber, LONG numHistoricalValues,
                                                         double SDRatio, double adjustRatio, short methodName,
                                                         LONG SeasonalLength, short replaceType) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            auto& target = self().element(__LINE__);
            return qd::allOrNothing(target, [&] {
                target.setDirty(true, true);
                qd::replaceOutliers(target, observationNumber, numHistoricalValues, SDRatio, adjustRatio, methodName,
                                    SeasonalLength, replaceType);
                return S_OK;
            });
        });
    }

    HRESULT STDMETHODCALLTYPE TrendAdjust(LONG observationNumber, LONG numHistoricalValues, LONG lTrendIncreasePeriods,
                                          double dTrendIncreaseGoal, LONG lTrendDecreasePeriods,
                                          double dTrendDecreaseGoal) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            auto& target = self().element(__LINE__);
            return qd::allOrNothing(target, [&] {
                target.setDirty(true, true);
                qd::trendAdjust(target, observationNumber, numHistoricalValues, lTrendIncreasePeriods,
                                dTrendIncreaseGoal, lTrendDecreasePeriods, dTrendDecreaseGoal);
                return S_OK;
            });
        });
    }

    // ---- new-product curves ----

    HRESULT STDMETHODCALLTYPE ForecastGompertzCurve(LONG observationNumber, LONG numHistoricalValues,
                                                    LONG numPeriodsToForecast, double minValue, double maxValue,
                                                    short MinMaxType) override
    {
        return Run::forecast<qd::SeriesForecastNewProductCurve>(self(), __LINE__, observationNumber,
                                                                numHistoricalValues, numPeriodsToForecast, minValue,
                                                                maxValue, MinMaxType, 1);
    }

    HRESULT STDMETHODCALLTYPE ForecastLogisticCurve(LONG observationNumber, LONG numHistoricalValues,
                                                    LONG numPeriodsToForecast, double minValue, double maxValue,
                                                    short MinMaxType) override
    {
        return Run::forecast<qd::SeriesForecastNewProductCurve>(self(), __LINE__, observationNumber,
                                                                numHistoricalValues, numPeriodsToForecast, minValue,
                                                                maxValue, MinMaxType, 2);
    }

    HRESULT STDMETHODCALLTYPE ForecastProbitCurve(LONG observationNumber, LONG numHistoricalValues,
                                                  LONG numPeriodsToForecast, double minValue, double maxValue,
                                                  short MinMaxType) override
    {
        return Run::forecast<qd::SeriesForecastNewProductCurve>(self(), __LINE__, observationNumber,
                                                                numHistoricalValues, numPeriodsToForecast, minValue,
                                                                maxValue, MinMaxType, 3);
    }

    // ---- random series: every generator appends numRandom values ----

    HRESULT STDMETHODCALLTYPE GenerateRandomNormal(LONG numRandom, double mean, double standardDeviation) override
    {
        return Run::generate<qd::SeriesGenerateRandomNormal>(self(), __LINE__, numRandom, mean, standardDeviation);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomBinomial(LONG numRandom, LONG n, double p) override
    {
        return Run::generate<qd::SeriesGenerateRandomBinomial>(self(), __LINE__, numRandom, n, p);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomGeometric(LONG numRandom, double p) override
    {
        return Run::generate<qd::SeriesGenerateRandomGeometric>(self(), __LINE__, numRandom, p);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomHyperGeometric(LONG numRandom, LONG n, LONG m, LONG l) override
    {
        return Run::generate<qd::SeriesGenerateRandomHyperGeometric>(self(), __LINE__, numRandom, n, m, l);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomLogarithmic(LONG numRandom, double a) override
    {
        return Run::generate<qd::SeriesGenerateRandomLogarithmic>(self(), __LINE__, numRandom, a);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomNegativeBinomial(LONG numRandom, double r, double p) override
    {
        return Run::generate<qd::SeriesGenerateRandomNegativeBinomial>(self(), __LINE__, numRandom, r, p);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomPoisson(LONG numRandom, double theta) override
    {
        return Run::generate<qd::SeriesGenerateRandomPoisson>(self(), __LINE__, numRandom, theta);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomBeta(LONG numRandom, double p, double q) override
    {
        return Run::generate<qd::SeriesGenerateRandomBeta>(self(), __LINE__, numRandom, p, q);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomCauchy(LONG numRandom) override
    {
        return Run::generate<qd::SeriesGenerateRandomCauchy>(self(), __LINE__, numRandom);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomChiSquared(LONG numRandom, double df) override
    {
        return Run::generate<qd::SeriesGenerateRandomChiSquared>(self(), __LINE__, numRandom, df);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomExponential(LONG numRandom, double mean) override
    {
        return Run::generate<qd::SeriesGenerateRandomExponential>(self(), __LINE__, numRandom, mean);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomExponentialMix(LONG numRandom, double theta1, double theta2,
                                                           double p) override
    {
        return Run::generate<qd::SeriesGenerateRandomExponentialMix>(self(), __LINE__, numRandom, theta1, theta2, p);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomGamma(LONG numRandom, double alpha, double beta) override
    {
        return Run::generate<qd::SeriesGenerateRandomGamma>(self(), __LINE__, numRandom, alpha, beta);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomLognormal(LONG numRandom, double mean, double standardDeviation) override
    {
        return Run::generate<qd::SeriesGenerateRandomLognormal>(self(), __LINE__, numRandom, mean, standardDeviation);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomStudentT(LONG numRandom, double df, double mean,
                                                     double standardDeviation) override
    {
        return Run::generate<qd::SeriesGenerateRandomStudentT>(self(), __LINE__, numRandom, df, mean,
                                                               standardDeviation);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomVonMises(LONG numRandom, double c) override
    {
        return Run::generate<qd::SeriesGenerateRandomVonMises>(self(), __LINE__, numRandom, c);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomWeibull(LONG numRandom, double alpha, double beta) override
    {
        return Run::generate<qd::SeriesGenerateRandomWeibull>(self(), __LINE__, numRandom, alpha, beta);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomUniform(LONG numRandom, double minRand, double maxRand) override
    {
        return Run::generate<qd::SeriesGenerateRandomUniform>(self(), __LINE__, numRandom, minRand, maxRand);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomUniformDiscrete(LONG numRandom, LONG minRand, LONG maxRand) override
    {
        return Run::generate<qd::SeriesGenerateRandomUniformDiscrete>(self(), __LINE__, numRandom, minRand, maxRand);
    }

    HRESULT STDMETHODCALLTYPE GenerateRandomTriangular(LONG numRandom, double minRand, double mostLikely,
                                                       double maxRand) override
    {
        return Run::generate<qd::SeriesGenerateRandomTriangular>(self(), __LINE__, numRandom, minRand, mostLikely,
                                                                 maxRand);
    }

    // ---- Holt-Winters from given final values, slow-moving demand ----

    HRESULT STDMETHODCALLTYPE ForecastHoltWintersZeroDemand(LONG observationNumber, LONG seasonalityLength,
                                                            LONG numPeriodsToForecast, double alpha, double beta,
                                                            double gamma, LONG decompType, double finalLevelValue,
                                                            double finalTrendValue,
                                                            VARIANT seasonalIndexValues) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            // The indexes are checked before the binding, so a bad array is
            // reported even by an unbound object.
            const std::vector<double> indexes = ArrayTransfer::readSeasonalIndexes(
                seasonalIndexValues, seasonalityLength, ArrayTransfer::Site{Derived::identity, __LINE__});
            qd::SeriesForecastTripleExponentialSmoothingWinters method(
                observationNumber, seasonalityLength, numPeriodsToForecast, alpha, beta, gamma, decompType, true,
                finalLevelValue, finalTrendValue, indexes.empty() ? nullptr : indexes.data());
            return self().runZeroDemandForecast(method);
        });
    }

    HRESULT STDMETHODCALLTYPE ForecastSlowMovingDemand(
        LONG observationNumber, LONG numForecastPeriods, XSlowMethodIndexType eicType, LONG eicSeasonalLength,
        LONG eicExclude0, double eicStart, double eicIncr, double eicEnd, XSlowMethodNumSimType nsType,
        LONG numSimulation, double nsPerThreshold, XSlowMethodEventReplaceType erType, short bcMethod, LONG bcmExclude0,
        XSlowMethodBaseFcstType bfType, short bfMethod, XSlowMethodSeviceLevelType slType, double leadTime,
        double ServiceLevel, XSlowMethodHistSeviceLevelType hslType) override
    {
        return Run::forecast<qd::SeriesForecastSlowMovingDemand>(
            self(), __LINE__, observationNumber, numForecastPeriods, static_cast<std::int32_t>(eicType),
            eicSeasonalLength, eicExclude0 != 0, eicStart, eicIncr, eicEnd, static_cast<std::int32_t>(nsType),
            numSimulation, nsPerThreshold, static_cast<std::int32_t>(erType), bcMethod, bcmExclude0 != 0,
            static_cast<std::int32_t>(bfType), bfMethod, static_cast<std::int32_t>(slType), leadTime, ServiceLevel,
            static_cast<std::int32_t>(hslType));
    }

protected:
    // The members the two interfaces name differently.
    HRESULT serviceLevel(LONG observationNumber, LONG numHistoricalValues, double leadTime, double safetyStock,
                         XCalcLevel cl, LONG calcPeriods, LONG includeFValues)
    {
        return Run::compute<qd::SeriesComputeServiceLevel>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                           leadTime, safetyStock, static_cast<std::int32_t>(cl),
                                                           calcPeriods, includeFValues != 0);
    }
    HRESULT linearRegression(LONG observationNumber, LONG numHistoricalValues, LONG numPeriodsToForecast,
                             LONG useConstTerm, double ConfidenceLevel)
    {
        return Run::forecast<qd::SeriesForecastLinearRegression>(self(), __LINE__, observationNumber,
                                                                 numHistoricalValues, numPeriodsToForecast,
                                                                 useConstTerm != 0, ConfidenceLevel, false, 0.0, 0.0);
    }
    HRESULT inputObservationResults(LONG observationNumber, LONG numHistoricalValues, short StatType, VARIANT values)
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            ArrayTransfer::inputObservationResults(self().element(__LINE__), observationNumber, numHistoricalValues,
                                                   StatType, values, ArrayTransfer::Site{Derived::identity, __LINE__});
            return S_OK;
        });
    }
};

#endif
