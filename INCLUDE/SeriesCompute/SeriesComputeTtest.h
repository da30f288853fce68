// T values of the coefficients of the Box-Jenkins model last fitted to a
// series. The model is rebuilt from the orders and coefficients the
// forecast stored in the series; the history is regressed on the model's
// lagged terms and one t value per coefficient of the chosen group is
// stored as QD_T_TEST (4012). The returned double carries no meaning.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTETTEST_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTETTEST_H

#include <cstdint>

#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

class SeriesComputeTtest : public SeriesCompute {
public:
    // method: must be QD_BOX_JENKINS (18); parameter: 4005 (phi), 4006
    // (theta), 4007 (Phi), 4008 (Theta) or 2053 (the constant).
    SeriesComputeTtest(std::int32_t method, std::int32_t parameter)
        : SeriesCompute(QD_LAST, QD_ALL), method(method), parameter(parameter)
    {
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return QD_T_TEST; }

    std::int32_t method;
    std::int32_t parameter;
};

}  // namespace qd

#endif
