#include "MatrixXEx1.h"

using namespace qd;

const ClassIdentity MatrixXEx1::identity = {
    L"MatrixXEx1", L"MatrixXEx1.MatrixXEx1.1", "ActiveX\\QDInterface\\MatrixXEx1", &CLSID_MatrixXEx1, &IID_IMatrixXEx1};
