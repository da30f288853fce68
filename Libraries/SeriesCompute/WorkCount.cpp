#include "SeriesCompute/WorkCount.h"

namespace qd {

#ifdef QD_COUNT_WORK
WorkListener*& workListener()
{
    static thread_local WorkListener* listener = nullptr;
    return listener;
}
#endif

}  // namespace qd
