// Frame of one library routine: holds the library lock, pushes the routine's
// name on construction and pops it through pop(). When the routine is left
// by an exception instead (a stop of the library, or out of memory), the
// destructor drops the frames that the routine left open so that the stack
// is consistent again.
#ifndef STATISTICS_ROUTINESCOPE_H
#define STATISTICS_ROUTINESCOPE_H

#include <cstdint>
#include <mutex>

#include "Statistics/ErrorStack.h"

class RoutineScope {
public:
    explicit RoutineScope(const char* name);
    ~RoutineScope();
    RoutineScope(const RoutineScope&) = delete;
    RoutineScope& operator=(const RoutineScope&) = delete;

    // Leaves the routine; may throw StatsError when this is the outermost
    // library routine and its error stops.
    std::int32_t pop();

private:
    std::unique_lock<std::recursive_mutex> lock_;
    const char* name_;
    int depth_;
    bool popped_;
};

#endif
