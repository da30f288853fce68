#include "SeriesXEx1.h"

using namespace qd;

const ClassIdentity SeriesXEx1::identity = {
    L"SeriesXEx1", L"SeriesXEx1.SeriesXEx1.1", "ActiveX\\QDInterface\\SeriesXEx1", &CLSID_SeriesXEx1, &IID_ISeriesXEx1};
