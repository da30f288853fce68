// SeriesXEx1: the extension of one series, reached through
// SeriesX::Extension1: array transfer, series replacement, and the further
// statistics and forecasts of the series.
//
// It is bound like every other child (ElementBinding.h): the anchor of the
// SeriesX's storage plus the series' stable identity, never a COM reference
// on the SeriesX (which holds the extension). When the series is gone, or
// the object was created on its own, computing members and ReplaceSeries
// report 3128 and the other members 3.
#ifndef QD_QDINTERFACE_SERIESXEX1_H
#define QD_QDINTERFACE_SERIESXEX1_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "ExtensionMembers.h"
#include "QDInterfaceMembers.h"

namespace qd {
class Series;
class SeriesOp;
class SeriesCompute;
class SeriesForecast;
class SeriesGenerateRandom;
} // namespace qd

template <class Derived>
using SeriesXEx1Shared = ExtensionMembers<Derived, ISeriesXEx1Members>;

class SeriesXEx1 : public AutomationClass<SeriesXEx1, SeriesXEx1Shared, ISeriesXEx1> {
public:
    static const ClassIdentity identity;

    void attach(const ElementBinding<qd::Series>& binding);

    HRESULT STDMETHODCALLTYPE ReplaceSeries(ISeriesX* pSX) override;
    HRESULT STDMETHODCALLTYPE AddObservationByArray(VARIANT values, VARIANT descriptions,
                                                    VARIANT originTypes) override;
    HRESULT STDMETHODCALLTYPE ForecastLinearRegressionEx(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG numPeriodsToForecast, LONG useConstTerm,
                                                         double ConfidenceLevel) override
    {
        return linearRegression(observationNumber, numHistoricalValues, numPeriodsToForecast, useConstTerm,
                                ConfidenceLevel);
    }
    HRESULT STDMETHODCALLTYPE CalculateSeviceLevelEx(LONG observationNumber, LONG numHistoricalValues,
                                                     double leadTime, double safetyStock, XCalcLevel cl,
                                                     LONG calcPeriods, LONG includeFValues) override
    {
        return serviceLevel(observationNumber, numHistoricalValues, leadTime, safetyStock, cl, calcPeriods,
                            includeFValues);
    }
    HRESULT STDMETHODCALLTYPE InputObsStatByArrary(LONG observationNumber, LONG numHistoricalValues, short StatType,
                                                   VARIANT values) override
    {
        return inputObservationResults(observationNumber, numHistoricalValues, StatType, values);
    }

private:
    friend class ExtensionMembers<SeriesXEx1, ISeriesXEx1Members>;
    friend struct MemberRunners;

    // The series for a member that is not a computation: code 3 when
    // unbound or gone.
    qd::Series& series(std::int32_t line);
    qd::Series& element(std::int32_t line) { return series(line); }
    // The apply step: 3128 when unbound or gone; marks both value caches
    // stale, then applies the op (unless the series is empty and evenEmpty
    // is false).
    HRESULT apply(qd::SeriesOp& op, bool evenEmpty);
    HRESULT runSeriesCompute(qd::SeriesCompute& compute);
    HRESULT runSeriesForecast(qd::SeriesForecast& compute, bool evenEmpty = false);
    // The forecasts from given final values run even on a series without
    // observations.
    HRESULT runZeroDemandForecast(qd::SeriesForecast& method) { return runSeriesForecast(method, true); }
    // A generator appends to the series, also to one without observations.
    HRESULT runGenerateRandom(qd::SeriesGenerateRandom& generator);

    ElementBinding<qd::Series> series_;
};

#endif
