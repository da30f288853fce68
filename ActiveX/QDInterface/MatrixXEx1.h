// MatrixXEx1: the extension of a whole matrix, reached through
// MatrixX::Extension1: the series extension's members for every series, the
// array transfers at matrix level, the replacement of one series by another
// and the extended regressions.
//
// Bound like SeriesXEx1: the MatrixX's anchor and finder, never a COM
// reference on the MatrixX. Unbound, computing members and ReplaceSeriesAt
// report 3128 and the other members 3.
#ifndef QD_QDINTERFACE_MATRIXXEX1_H
#define QD_QDINTERFACE_MATRIXXEX1_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "ExtensionMembers.h"
#include "QDInterfaceMembers.h"

namespace qd {
class Matrix;
class MatrixOp;
class SeriesCompute;
class SeriesForecast;
class SeriesGenerateRandom;
class MatrixForecast;
class MatrixCompute;
} // namespace qd

template <class Derived>
using MatrixXEx1Shared = ExtensionMembers<Derived, IMatrixXEx1Members>;

class MatrixXEx1 : public AutomationClass<MatrixXEx1, MatrixXEx1Shared, IMatrixXEx1> {
public:
    static const ClassIdentity identity;

    void attach(const ElementBinding<qd::Matrix>& binding);

    HRESULT STDMETHODCALLTYPE ReplaceSeriesAt(LONG SeriesIndex, ISeriesX* SX) override;
    HRESULT STDMETHODCALLTYPE AddObservationByArray(LONG seriesNumber, VARIANT values, VARIANT descriptions,
                                                    VARIANT originTypes) override;
    HRESULT STDMETHODCALLTYPE ForecastLinearRegression(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG numPeriodsToForecast, LONG useConstTerm,
                                                         double ConfidenceLevel) override
    {
        return linearRegression(observationNumber, numHistoricalValues, numPeriodsToForecast, useConstTerm,
                                ConfidenceLevel);
    }
    HRESULT STDMETHODCALLTYPE CalculateServiceLevelEx(LONG observationNumber, LONG numHistoricalValues,
                                                     double leadTime, double safetyStock, XCalcLevel cl,
                                                     LONG calcPeriods, LONG includeFValues) override
    {
        return serviceLevel(observationNumber, numHistoricalValues, leadTime, safetyStock, cl, calcPeriods,
                            includeFValues);
    }
    HRESULT STDMETHODCALLTYPE InputObsStatByArray(LONG observationNumber, LONG numHistoricalValues, short StatType,
                                                   VARIANT values) override
    {
        return inputObservationResults(observationNumber, numHistoricalValues, StatType, values);
    }

    HRESULT STDMETHODCALLTYPE ForecastMultipleRegressionEx(LONG observationNumber, LONG numHistoricalValues,
                                                           LONG useConstTerm, LONG numPeriodsToForecast,
                                                           double ConfidenceLevel, LONG ReplaceOutliers,
                                                           LONG useExistingValues, LONG removeTrailingZeros) override;
    HRESULT STDMETHODCALLTYPE ForecastPolynomialRegressionEx(LONG observationNumber, LONG numHistoricalValues,
                                                             LONG maxDegree, double partialF, double minFIn,
                                                             double maxFOut, LONG useConstTerm,
                                                             LONG numPeriodsToForecast, double ConfidenceLevel,
                                                             LONG ReplaceOutliers, LONG useExistingValues,
                                                             LONG removeTrailingZeros) override;
    HRESULT STDMETHODCALLTYPE ForecastStepwiseEx(LONG observationNumber, LONG numHistoricalValues, short sType,
                                                 LONG minNumSeries, LONG maxNumSeries, double minFIn, double maxFOut,
                                                 LONG minLag, LONG maxLag, LONG needLagDependent, LONG useConstTerm,
                                                 LONG numPeriodsToForecast, double ConfidenceLevel,
                                                 LONG ReplaceOutliers, LONG useExistingValues,
                                                 LONG removeTrailingZeros) override;
    HRESULT STDMETHODCALLTYPE CalculateForecastRank(LONG observationNumber, LONG numHistoricalPeriods,
                                                    short errorType) override;
    HRESULT STDMETHODCALLTYPE SelvaneMultipleMethod(LONG observationNumber, LONG numPeriodsToForecast,
                                                    short errorType, LONG seasonalType, LONG ReplaceOutliers,
                                                    VARIANT overrideMethodArray) override;

    // new-product curves
    HRESULT STDMETHODCALLTYPE ForecastNonSteadyNewProduct(LONG observationNumber, LONG numHistoricalValues,
                                                          LONG numPeriodsToForecast, double minValue, double maxValue,
                                                          short MinMaxType, short curveType) override;

private:
    friend class ExtensionMembers<MatrixXEx1, IMatrixXEx1Members>;
    friend struct MemberRunners;

    // The matrix for a member that is not a computation: 3 when unbound.
    qd::Matrix& matrix(std::int32_t line);
    qd::Matrix& element(std::int32_t line) { return matrix(line); }
    // The apply step: 3128 when unbound; flag 1, every series stale, then
    // the op over the matrix (rectangular: series of one length, else 2000).
    HRESULT apply(qd::MatrixOp& op, bool rectangular);
    HRESULT runSeriesCompute(qd::SeriesCompute& compute);
    HRESULT runSeriesForecast(qd::SeriesForecast& compute, bool rectangular = true);
    // The forecasts from given final values run on a matrix of any shape.
    HRESULT runZeroDemandForecast(qd::SeriesForecast& method) { return runSeriesForecast(method, false); }
    HRESULT runMatrixForecastAnyShape(qd::MatrixForecast& compute);
    // A generator over every series, whatever their lengths.
    HRESULT runGenerateRandom(qd::SeriesGenerateRandom& generator);
    // The matrix-level computations on a matrix whose series have one length.
    HRESULT runMatrixCompute(qd::MatrixCompute& compute);
    HRESULT runMatrixForecast(qd::MatrixForecast& compute);

    ElementBinding<qd::Matrix> matrix_;
};

#endif
