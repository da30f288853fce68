// A digest of everything the forecasting methods store: every method of the
// method benchmarks (MethodLines.h) over every M3 series of its kind, and
// for each series run its values, settings and every stored result, hashed
// bit for bit (FNV-1a, 64 bits). A change that must leave the results as
// they were is checked by running this before and after it: the digests of
// every line and the total must be the same.
//
// Slow-moving demand draws from a generator seeded from the clock; here its
// generator is seeded with a fixed value for every series instead, so that
// its runs are repeatable too.
//
// Usage: bench_methods_digest [--m3=PATH] [--filter=TEXT]: TEXT, when given, keeps
// the lines whose method name contains it.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "../M3Batch.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/ObservationQC.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "Matrix/SeriesQC.h"
#include "MethodLines.h"

using namespace methodlines;

namespace {

class Digest {
public:
    void add(const void* data, std::size_t n)
    {
        const unsigned char* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < n; ++i) {
            h_ ^= p[i];
            h_ *= 1099511628211ull;
        }
    }
    void add(double v) { add(&v, sizeof v); }
    void add(std::int32_t v) { add(&v, sizeof v); }
    std::uint64_t value() const { return h_; }

private:
    std::uint64_t h_ = 14695981039346656037ull;
};

void addSeries(Digest& d, const Series& s)
{
    d.add(s.numObservations());
    d.add(s.forecastMethodNumber);
    d.add(s.seasonalLength);
    d.add(s.decompositionType);
    d.add(s.eventOffset);
    for (std::int32_t i = 0; i < s.numObservations(); ++i) {
        const Observation& o = s.observation(i);
        d.add(o.value);
        for (std::int32_t type = 0; type < ObservationQC::NUM_SLOTS; ++type) {
            double v = 0.0;
            if (o.storedResults.lookup(type, v) == QD_QUANTITY_FOUND) {
                d.add(type);
                d.add(v);
            }
        }
    }
    for (std::int32_t type = SeriesQC::FIRST_SINGLE; type <= SeriesQC::LAST_SINGLE; ++type) {
        double v = 0.0;
        if (s.storedResults.lookup(type, v) == QD_QUANTITY_FOUND) {
            d.add(type);
            d.add(v);
        }
    }
    for (std::int32_t type = SeriesQC::FIRST_MULTIPLE; type <= SeriesQC::LAST_MULTIPLE; ++type) {
        const QuantitySlots* entry = s.storedResults.multiple(type);
        if (entry == nullptr)
            continue;
        d.add(type);
        d.add(entry->capacity());
        for (std::int32_t k = 0; k < entry->capacity(); ++k) {
            double v = 0.0;
            if (entry->lookup(k, v) == QD_QUANTITY_FOUND) {
                d.add(k);
                d.add(v);
            }
        }
    }
}

// Slow-moving demand with other settings than its defaults (the digest's
// own lines: the benchmark runs the defaults). The heavier bases run over
// the first series of the set only.
std::vector<MethodLine> slowMovingVariants()
{
    struct Variant {
        const char* name;
        const char* kind;
        double leadTime;
        std::int32_t eicType, eicSeasonalLength, nsType, erType, bfType, slType;
        std::int16_t bcMethod, bfMethod;
        bool eicExclude0, bcmExclude0;
    };
    // name, data, lead time, event classes, seasonal length, simulations,
    // replacement, base forecast, service level, base method, forecast
    // method, zeros excluded from the classes and from the average base.
    static const Variant variants[] = {
        {"smd_buckets", "other", 2.0, 2, -1, 1, 1, 1, 1, 2019, 2019, true, true},
        {"smd_buckets_zeros_in", "yearly", 3.5, 2, -1, 1, 1, 1, 1, 30, 30, false, false},
        {"smd_season4_no_repl", "quarterly", 3.0, 1, 4, 2, 2, 1, 1, 30, 30, true, true},
        {"smd_croston", "other", 2.0, 1, -1, 1, 1, 1, 1, 24, 24, true, true},
        {"smd_croston_sample", "yearly", 1.5, 2, -1, 2, 1, 1, 2, 24, 24, true, true},
        {"smd_average_sample", "other", 4.0, 1, -1, 1, 2, 1, 2, 30, 30, true, true},
        {"smd_base_ses", "other", 2.0, 1, -1, 1, 1, 2, 1, 30, 5, true, true},
        {"smd_base_holt", "yearly", 2.5, 2, -1, 1, 1, 2, 1, 24, 9, true, true},
        {"smd_base_trend", "other", 3.0, 1, -1, 2, 1, 2, 1, 30, 6, true, true},
        {"smd_base_curve", "yearly", 2.0, 1, -1, 1, 1, 2, 2, 30, 28, true, true},
        {"smd_base_winters", "monthly", 6.0, 1, 12, 1, 1, 2, 1, 30, 14, true, true},
        {"smd_base_box_jenkins", "quarterly", 2.0, 1, 4, 1, 1, 2, 1, 30, 18, true, true},
        {"smd_base_selection", "other", 2.0, 1, -1, 1, 1, 2, 1, 30, 1, true, true},
        {"smd_base_none", "other", 2.0, 1, -1, 1, 1, 2, 1, 30, 2019, true, true},
        {"smd_no_base", "other", 2.0, 1, -1, 1, 1, 2, 1, 4, 30, true, true},
    };
    std::vector<MethodLine> lines;
    for (const Variant& v : variants)
        lines.push_back({v.name, v.kind,
                         [v](const M3Series& m) {
                             return make<SeriesForecastSlowMovingDemand>(
                                 0, m.horizon, v.eicType, v.eicSeasonalLength, v.eicExclude0, 1.0, 0.25, 3.0, v.nsType, 100, 5.0,
                                 v.erType, v.bcMethod, v.bcmExclude0, v.bfType, v.bfMethod, v.slType, v.leadTime, 0.875,
                                 1);
                         },
                         true, false});
    return lines;
}

// The heavier variants run over this many series of their set.
std::size_t seriesLimit(const std::string& method)
{
    for (const char* heavy : {"smd_base_curve", "smd_base_winters", "smd_base_box_jenkins", "smd_base_selection"})
        if (method == heavy)
            return 40;
    return static_cast<std::size_t>(-1);
}

}  // namespace

int main(int argc, char** argv)
{
    g_monthlyPath = m3::monthlyPath(argc, argv);
    std::string filter;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--filter=", 9) == 0)
            filter = argv[i] + 9;
    Digest total;
    std::vector<MethodLine> lines = methodLines();
    for (const MethodLine& line : slowMovingVariants())
        lines.push_back(line);
    for (const MethodLine& line : lines) {
        if (!filter.empty() && std::string(line.method).find(filter) == std::string::npos)
            continue;
        std::vector<M3Series> data = dataSet(line.kind);
        if (data.size() > seriesLimit(line.method))
            data.resize(seriesLimit(line.method));
        std::vector<Series> batch = m3::makeBatch(data);
        Digest digest;
        std::int32_t failures = 0;
        for (std::size_t k = 0; k < batch.size(); ++k) {
            const std::unique_ptr<SeriesForecast> method = line.make(data[k]);
            if (auto* smd = dynamic_cast<SeriesForecastSlowMovingDemand*>(method.get()))
                smd->setRandomState(static_cast<std::uint32_t>(k) + 1u);
            batch[k].setDirty(true, true);
            SeriesOpApplySeriesForecast op(*method);
            std::int32_t outcome = 0;
            try {
                op.apply(batch[k]);
            } catch (const MVRBaseException& e) {
                outcome = e.code == 0 ? -1 : e.code;
                ++failures;
            } catch (const std::exception&) {
                outcome = -2;
                ++failures;
            }
            digest.add(outcome);
            addSeries(digest, batch[k]);
        }
        const std::uint64_t lineDigest = digest.value();
        total.add(&lineDigest, sizeof lineDigest);
        std::printf("%-24s %-9s %5zu series %4d failed  %016llx\n", line.method, line.kind, batch.size(), failures,
                    static_cast<unsigned long long>(digest.value()));
        std::fflush(stdout);
    }
    std::printf("total %016llx\n", static_cast<unsigned long long>(total.value()));
    return 0;
}
