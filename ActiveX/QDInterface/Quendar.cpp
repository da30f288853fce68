#include "Quendar.h"

using namespace qd;

const ClassIdentity Quendar::identity = {
    L"Quendar", L"Quendar.Quendar.1", "ActiveX\\QDInterface\\Quendar", &CLSID_Quendar, &IID_IQuendar};
