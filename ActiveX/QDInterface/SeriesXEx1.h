// SeriesXEx1: the extension of SeriesX; its members come with later work.
#ifndef QD_QDINTERFACE_SERIESXEX1_H
#define QD_QDINTERFACE_SERIESXEX1_H

#include "AutomationFrame.h"
#include "QDInterfaceMembers.h"

class SeriesXEx1 : public AutomationClass<SeriesXEx1, ISeriesXEx1Members, ISeriesXEx1> {
public:
    static const ClassIdentity identity;
};

#endif
