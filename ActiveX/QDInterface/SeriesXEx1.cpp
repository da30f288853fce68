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

// ---- the members of the series extension alone, and the ones that differ from the
// matrix extension's (the others are ExtensionMembers') --------------------------

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

HRESULT STDMETHODCALLTYPE SeriesXEx1::AddObservationByArray(VARIANT values, VARIANT descriptions,
                                                            VARIANT originTypes)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::addObservations(series(__LINE__), values, descriptions, originTypes,
                                       ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}
