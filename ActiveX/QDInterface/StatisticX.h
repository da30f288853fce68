// StatisticX: one stored result (quantity type and value) with its
// catalogue description.
#ifndef QD_QDINTERFACE_STATISTICX_H
#define QD_QDINTERFACE_STATISTICX_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"

#include "Matrix/QuantitySlots.h"

#include <cstdint>

class StatisticX : public AutomationClass<StatisticX, IStatisticXMembers, IStatisticX> {
public:
    static const ClassIdentity identity;

    StatisticX() = default;

    // Binds the object to a stored quantity of a collection: the
    // ordinal-th stored value of the given type (0 for a single-valued
    // type, the index of the value for a multi-valued one); the quantity it
    // owned is freed. Each call finds the quantity again by type and
    // ordinal, so results stored or removed under other types leave it
    // alone; it fails with code 3 when its own result is gone.
    void attach(const CollectionBinding& collection, std::int32_t type, std::int32_t ordinal);

    HRESULT STDMETHODCALLTYPE get_Value(double* result) override;
    HRESULT STDMETHODCALLTYPE put_Value(double value) override;
    HRESULT STDMETHODCALLTYPE get_Type(short* result) override;
    HRESULT STDMETHODCALLTYPE put_Type(short type) override;
    HRESULT STDMETHODCALLTYPE get_Description(BSTR* result) override;

private:
    qd::Quantity& quantity(std::int32_t line);
    // The ordinal of a stored quantity among those of its type.
    std::int32_t ordinalOf(const qd::Quantity& target);

    bool owns_ = true;
    qd::Quantity own_;
    CollectionBinding collection_;
    std::int32_t type_ = -1;
    std::int32_t ordinal_ = 0;
};

#endif
