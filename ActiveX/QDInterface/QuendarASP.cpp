#include "QuendarASP.h"

using namespace qd;

const ClassIdentity QuendarASP::identity = {
    L"QuendarASP", L"QuendarASP.QuendarASP.1", "ActiveX\\QDInterface\\QuendarASP", &CLSID_QuendarASP, &IID_IQuendarASP};
