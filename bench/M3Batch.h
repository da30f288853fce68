// The M3 series as engine series: one Series per record, its training
// values supplied in order, the array sized for them.
#ifndef QD_BENCH_M3BATCH_H
#define QD_BENCH_M3BATCH_H

#include <cstdint>
#include <vector>

#include "M3Data.h"
#include "Matrix/Series.h"

namespace m3 {

inline std::vector<qd::Series> makeBatch(const std::vector<M3Series>& data)
{
    std::vector<qd::Series> out;
    out.reserve(data.size());
    for (const M3Series& m : data) {
        out.emplace_back(static_cast<std::int32_t>(m.values.size()));
        for (double v : m.values)
            out.back().addObservation(v, qd::QD_SUPPLIED, qd::FdCString());
    }
    return out;
}

}  // namespace m3

#endif
