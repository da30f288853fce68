// StatisticsX: an enumerable view of one quantity collection (the results
// stored in an observation, a series or a matrix).
#ifndef QD_QDINTERFACE_STATISTICSX_H
#define QD_QDINTERFACE_STATISTICSX_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"

class StatisticsX : public AutomationClass<StatisticsX, IStatisticsXMembers, IStatisticsX> {
public:
    static const ClassIdentity identity;

    StatisticsX() = default;
    ~StatisticsX() override;


    // Binds the view to a collection; the object never owns it.
    void attach(const CollectionBinding& binding);

    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** result) override;

private:
    CollectionBinding collection_;
    ComLayer::VariantArray items_;
};

#endif
