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


    // Binds the object to the position-th stored quantity of a collection,
    // which has the given type; the quantity it owned is freed. Each call
    // finds the quantity again and fails with code 3 when it is gone.
    void attach(const CollectionBinding& collection, std::int32_t position, std::int32_t type);

    HRESULT STDMETHODCALLTYPE get_Value(double* result) override;
    HRESULT STDMETHODCALLTYPE put_Value(double value) override;
    HRESULT STDMETHODCALLTYPE get_Type(short* result) override;
    HRESULT STDMETHODCALLTYPE put_Type(short type) override;
    HRESULT STDMETHODCALLTYPE get_Description(BSTR* result) override;

private:
    Quantity& quantity(std::int32_t line);

    bool owns_ = true;
    Quantity own_;
    CollectionBinding collection_;
    std::int32_t position_ = 0;
    std::int32_t type_ = -1;
};

#endif
