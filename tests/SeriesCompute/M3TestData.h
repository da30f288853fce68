// The M3 competition series for the native robustness tests, read once per
// process from the copy the build unpacked (or the folder QD_M3_DIR names),
// with the file each came from and its seasonal period; and the check that
// every stored value is finite.
#ifndef QD_TESTS_COMPUTE_M3TESTDATA_H
#define QD_TESTS_COMPUTE_M3TESTDATA_H

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "M3Data.h"
#include "Matrix/QuantityCollection.h"
#include "Matrix/QuantitySlots.h"
#include "Matrix/Series.h"

namespace m3test {

struct Labelled {
    std::string file;
    std::int32_t period;  // observations per cycle: 1 yearly and other, 4 quarterly, 12 monthly
    m3::M3Series series;
};

inline const std::vector<Labelled>& allSeries()
{
    static const std::vector<Labelled> all = [] {
        std::vector<Labelled> out;
        const std::string folder = m3::dataFolder();
        for (const char* name : m3::kFiles)
            for (m3::M3Series& s : m3::loadFile(folder + name)) {
                const std::int32_t period = s.period;
                out.push_back({name, period, std::move(s)});
            }
        return out;
    }();
    return all;
}

// The type of the first non-finite quantity of the collection, -1 when all
// are finite.
inline std::int32_t firstNonFinite(qd::QuantityCollection& results)
{
    results.restart();
    for (const qd::Quantity* q = results.next(); q != nullptr; q = results.next())
        if (!std::isfinite(q->value))
            return q->type;
    return -1;
}

inline bool allFinite(qd::QuantityCollection& results)
{
    return firstNonFinite(results) < 0;
}

}  // namespace m3test

#endif
