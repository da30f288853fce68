// The work a forecasting method's algorithm does, told to the benchmarks:
// every objective evaluation of a minimiser or coordinate search, every
// recurrence pass, every regression and correlogram, each with what a plain
// copy of it needs to be redone (its kind, the values it ran over, its
// settings and parameters).
//
// Only the bench tree defines QD_COUNT_WORK. There a benchmark installs a
// WorkListener for its thread and is told of every piece of work; with no
// listener installed a note costs one test of a thread-local pointer. In
// every other build noteWork() is empty and compiles to nothing.
#ifndef QD_SERIESCOMPUTE_WORKCOUNT_H
#define QD_SERIESCOMPUTE_WORKCOUNT_H

#include <cstdint>

namespace qd {

enum class WorkKind : std::int32_t {
    SimpleSmoothing,   // detail[0]: 1 for the backward start; parameters: alpha
    BrownDouble,       // parameters: alpha, the starting mean
    BrownTriple,       // parameters: alpha, the starting mean
    Adaptive,          // parameters: beta, the starting mean
    Holt,              // parameters: alpha, gamma
    Winters,           // detail: season length, multiplicative; parameters: alpha, beta, gamma
    CurveFit,          // detail[0]: curve type; parameters: floor, ceiling
    BoxJenkinsPass,    // detail: p, q, P, Q, S, constant; parameters: the
                       // coefficients by group (ar, ma, seasonal ar,
                       // seasonal ma), then the mean
    BoxCoxRegression,  // parameters: lambda
    Correlogram,       // detail[0]: the number of lags
    PartialCorrelogram,  // detail[0]: the number of lags; values: the autocorrelations
    CrostonPass,       // parameters: alpha
    SlowMovingSimulation,  // detail: lead periods, event classes; values: the history
    Count
};

struct WorkNote {
    WorkKind kind;
    const double* values;  // the values the work ran over
    std::int32_t count;    // how many
    std::int32_t detail[6];
    const double* parameters;
    std::int32_t numParameters;
};

class WorkListener {
public:
    virtual ~WorkListener() = default;
    virtual void noted(const WorkNote& note) = 0;
};

#ifdef QD_COUNT_WORK
// The listener of the calling thread (null: none).
WorkListener*& workListener();

inline void noteWork(WorkKind kind, const double* values, std::int32_t count, std::int32_t d0 = 0,
                     std::int32_t d1 = 0, const double* parameters = nullptr, std::int32_t numParameters = 0,
                     const std::int32_t* moreDetail = nullptr)
{
    WorkListener* listener = workListener();
    if (listener == nullptr)
        return;
    WorkNote note{kind, values, count, {d0, d1, 0, 0, 0, 0}, parameters, numParameters};
    if (moreDetail != nullptr)
        for (int i = 0; i < 6; ++i)
            note.detail[i] = moreDetail[i];
    listener->noted(note);
}
#else
inline void noteWork(WorkKind, const double*, std::int32_t, std::int32_t = 0, std::int32_t = 0,
                     const double* = nullptr, std::int32_t = 0, const std::int32_t* = nullptr)
{
}
#endif

}  // namespace qd

#endif
