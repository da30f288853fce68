// The numerical library: error stack, machine constants, uniform generator,
// special functions and distribution functions.
#ifndef STATISTICS_STATISTICS_H
#define STATISTICS_STATISTICS_H

#include "Statistics/Distributions.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RandomUniform.h"
#include "Statistics/SpecialFunctions.h"
#include "Statistics/StatsError.h"

#endif
