#include "QuendarASP.h"

const ClassIdentity QuendarASP::identity = {
    L"QuendarASP", L"QuendarASP.QuendarASP.1", "ActiveX\\QDInterface\\QuendarASP", &CLSID_QuendarASP, &IID_IQuendarASP};
