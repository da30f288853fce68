// The common frame of Glossmere's two classes: reference counting and
// QueryInterface of the COM layer, IDispatch over the module's type
// library for the class's one dual interface.
#ifndef GLOSSMERE_GLOSSMERECLASS_H
#define GLOSSMERE_GLOSSMERECLASS_H

#include "ComLayer/ComObject.h"
#include "ComLayer/DualDispatch.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wwrite-strings"
#include "Glossmere.h"
#pragma GCC diagnostic pop

namespace Glossmere {

template <class Derived, class Interface>
class GlossmereClass : public ComLayer::ComObjectRoot, public ComLayer::DualDispatch<Interface> {
public:
    QD_DELEGATING_IUNKNOWN

    const ComLayer::InterfaceEntry* interfaceTable() const override
    {
        static const ComLayer::InterfaceEntry table[] = {
            QD_INTERFACE_ENTRY(Derived, Interface),
            QD_INTERFACE_ENTRY_AS(Derived, IID_IDispatch, Interface),
            QD_INTERFACE_END,
        };
        return table;
    }
};

} // namespace Glossmere

#endif
