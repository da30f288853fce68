// QuendarASP: the server-page class; its members come with later work.
#ifndef QD_QDINTERFACE_QUENDARASP_H
#define QD_QDINTERFACE_QUENDARASP_H

#include "AutomationFrame.h"
#include "QDInterfaceMembers.h"

class QuendarASP : public AutomationClass<QuendarASP, IQuendarASPMembers, IQuendarASP> {
public:
    static const ClassIdentity identity;
};

#endif
