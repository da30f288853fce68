// MatrixXEx1: the extension of MatrixX; its members come with later work.
#ifndef QD_QDINTERFACE_MATRIXXEX1_H
#define QD_QDINTERFACE_MATRIXXEX1_H

#include "AutomationFrame.h"
#include "QDInterfaceMembers.h"

class MatrixXEx1 : public AutomationClass<MatrixXEx1, IMatrixXEx1Members, IMatrixXEx1> {
public:
    static const ClassIdentity identity;
};

#endif
