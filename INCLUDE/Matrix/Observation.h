// Observation: one period of a time series. A plain value record: its
// value, its origin (supplied by the client, computed by a forecast, or
// blank), a free description and the observation-level results.
//
// An observation without stored results takes no storage beyond the record
// itself; its result slots come into being with the first store.
#ifndef QD_MATRIX_OBSERVATION_H
#define QD_MATRIX_OBSERVATION_H

#include <cstdint>

#include "Foundation/FdCString.h"
#include "Matrix/ObservationQC.h"

namespace qd {

// Origin of an observation's value.
enum XOriginType : std::int32_t {
    QD_SUPPLIED = 1,  // given by the client
    QD_COMPUTED = 2   // appended by a forecast
};

class Observation {
public:
    Observation() noexcept : value(0.0), originType(0), description(), storedResults(), identity_(0) {}
    // A new observation with empty stored results (and no identity yet).
    Observation(double value, std::int32_t originType, const FdCString& description)
        : value(value), originType(originType), description(description), storedResults(), identity_(0)
    {
    }
    Observation(const Observation& other) = default;
    Observation(Observation&& other) noexcept
        : value(other.value), originType(other.originType), description(other.description),
          storedResults(), identity_(other.identity_)
    {
        storedResults.swap(other.storedResults);
    }
    // Copies value, description, stored results and origin type (and the
    // identity, so that an observation moved inside its series stays
    // recognisable). Assigning an observation to itself does nothing.
    Observation& operator=(const Observation& other)
    {
        if (this != &other) {
            storedResults = other.storedResults;  // the only step that can fail
            value = other.value;
            description = other.description;
            originType = other.originType;
            identity_ = other.identity_;
        }
        return *this;
    }
    Observation& operator=(Observation&& other) noexcept
    {
        if (this != &other) {
            storedResults.swap(other.storedResults);
            value = other.value;
            description = other.description;
            originType = other.originType;
            identity_ = other.identity_;
        }
        return *this;
    }
    ~Observation() = default;

    // The identity, 0 when none was asked for yet.
    std::uint64_t identity() const { return identity_; }
    // The identity, made on first request.
    std::uint64_t ensureIdentity();
    // Forgets the identity (for a copy that becomes a new element).
    void clearIdentity() { identity_ = 0; }

    double value;
    std::int32_t originType;   // XOriginType: 1 supplied, 2 computed, 0 blank
    FdCString description;
    ObservationQC storedResults;

private:
    std::uint64_t identity_;
};

} // namespace qd

#endif
