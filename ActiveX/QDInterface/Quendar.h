// Quendar: the control; its drawing, persistence and members come with later work.
#ifndef QD_QDINTERFACE_QUENDAR_H
#define QD_QDINTERFACE_QUENDAR_H

#include "AutomationFrame.h"
#include "QDInterfaceMembers.h"

class Quendar : public AutomationClass<Quendar, IQuendarMembers, IQuendar> {
public:
    static const ClassIdentity identity;
};

#endif
