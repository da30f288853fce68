// SeriesForecastSlowMovingDemand: forecast and reorder level of an item with
// slow, irregular demand.
//
// Every history period is put into an event class (its seasonal position,
// or the standard-deviation bucket of its demand, zero demand being a class
// of its own); one event index per class is learnt against a base forecast;
// then many lead times are simulated: their classes are drawn at random from
// the history, the base method forecasts them, the event indexes are applied
// and the demand over the lead time is summed. The service-level point of
// the simulated sums (or their mean plus a normal quantile times their
// standard deviation) is the reorder level, stored as QD_SMD_SAFETY_STOCK
// (2082). The series itself is then forecast with the base method and
// records method code QD_SLOW_MOVING_DEMAND (35).
//
// The random draws come from the object's own linear congruential generator
// (x = x * 214013 + 2531011, result bits 16-30), seeded from the clock at
// construction; setRandomState fixes it for repeatable runs.
//
// Every argument is checked before anything changes. The base method 2019
// (the mean, the automation default) is the average base.
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTSLOWMOVINGDEMAND_H
#define QD_SERIESCOMPUTE_SERIESFORECASTSLOWMOVINGDEMAND_H

#include <cstdint>
#include <vector>

#include "Matrix/Matrix.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

enum XSlowMethodIndexType : std::int32_t { QD_SLOWMETHOD_IDX_SEASONAL = 1, QD_SLOWMETHOD_IDX_STDBUCKET = 2 };
enum XSlowMethodNumSimType : std::int32_t { QD_SLOWMETHOD_NUMSIM_FIXED = 1, QD_SLOWMETHOD_NUMSIM_PER = 2 };
enum XSlowMethodEventReplaceType : std::int32_t { QD_SLOWMETHOD_EVENTREPL_YES = 1, QD_SLOWMETHOD_EVENTREPL_NO = 2 };
enum XSlowMethodBaseFcstType : std::int32_t { QD_SLOWMETHOD_BASEFCST_SAME = 1, QD_SLOWMETHOD_BASEFCST_OTHER = 2 };
enum XSlowMethodSeviceLevelType : std::int32_t { QD_SLOWMETHOD_SLAS_PERTOTAL = 1, QD_SLOWMETHOD_SLAS_STDSAMPLE = 2 };

class SeriesForecastSlowMovingDemand : public SeriesForecast {
public:
    SeriesForecastSlowMovingDemand(std::int32_t observationNumber = 0, std::int32_t numForecastPeriods = 1,
                                   std::int32_t eicType = 1, std::int32_t eicSeasonalLength = -1,
                                   bool eicExclude0 = true, double eicStart = 1.0, double eicIncr = 0.25,
                                   double eicEnd = 3.0, std::int32_t nsType = 1, std::int32_t numSimulation = 100,
                                   double nsPerThreshold = 5.0, std::int32_t erType = 1,
                                   std::int16_t bcMethod = 2019, bool bcmExclude0 = true, std::int32_t bfType = 1,
                                   std::int16_t bfMethod = 2019, std::int32_t slType = 1, double leadTime = 2.0,
                                   double ServiceLevel = 0.875, std::int32_t hslType = 1);

    // The flag is not used. Returns 0.
    std::int32_t compute(Series& series, std::int32_t flag) override;

    // Builds the base forecasting method for the series and runs it.
    void createForecastMethod(Series& series, std::int32_t observationNumber, std::int32_t numPeriods);

    // Repeatable runs (tests): the generator's state.
    void setRandomState(std::uint32_t state) { randomState_ = state; }
    std::uint32_t randomState() const { return randomState_; }
    // The event class of each history period of the last compute.
    std::vector<std::int32_t> eventFlags() const;
    // The next random integer in 0 .. 32767.
    std::int32_t nextRandom();

    std::int32_t observationNumber;
    std::int32_t numForecastPeriods;
    std::int32_t eicType;
    std::int32_t eicSeasonalLength;
    bool eicExclude0;
    double eicStart;
    double eicIncr;
    double eicEnd;
    std::int32_t nsType;
    std::int32_t numSimulation;
    double nsPerThreshold;
    std::int32_t erType;
    std::int16_t bcMethod;
    bool bcmExclude0;
    std::int32_t bfType;
    std::int16_t bfMethod;
    std::int32_t slType;
    double leadTime;
    double ServiceLevel;
    std::int32_t hslType;

    std::int32_t leadPeriods = 0;
    std::int32_t numHistory = 0;
    double reorderLevel = 0.0;
    double meanAll = 0.0;
    double meanNonzero = 0.0;
    std::int32_t numSimulationsRun = 0;

private:
    void checkArguments(const Series& series);
    void fillHistory(const Series& series);
    void setEventFlags();
    void storeAverageBase(Series& series, std::int32_t first, std::int32_t last);
    double percentilePoint() const;
    std::int32_t drawPeriod(std::int32_t j, bool withoutReplacement, std::vector<bool>& drawn,
                            std::vector<std::int32_t>& remaining);
    void forecastLeadTime(const Series& series);
    void takeLeadPeriods();
    template <class ValueAt>
    double leadTimeSum(const ValueAt& valueAt) const;

    // A forecast lead-time period as the first simulation leaves it before
    // the event indexes are applied: the index of its drawn class applies
    // to its forecast F, or it keeps the value it has.
    struct LeadPeriod {
        bool applied;
        double F;
        double value;  // the measured value: the result when the index is about zero or does not apply
    };

    Matrix workMatrix_;
    Series sampleSeries_;
    std::vector<double> sortedSums_;  // ascending
    std::uint32_t randomState_;
    std::int32_t seasonLength_ = 0;  // the classes of the seasonal type, for this series
    std::vector<std::int32_t> historyClasses_;  // the class of each history period
    std::vector<LeadPeriod> leadPeriods_;
    std::vector<double> eventIndexes_;  // the series' index of each class, 0 .. K
    double eventOffset_ = 0.0;
};

// Mean and standard deviation of the values of a series, zeros left out
// when asked: no value gives 0 and 0, one value v gives v and 0.
void slowMovingStatistics(const Series& series, bool excludeZeros, double& mean, double& sd);

} // namespace qd

#endif
