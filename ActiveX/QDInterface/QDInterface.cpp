// The QDInterface module: load and unload, the emergency memory reserve with
// the allocation-failure handler, the class table and the four exported
// entry points of an in-process server.
#include "MatrixX.h"
#include "MatrixXEx1.h"
#include "ObservationX.h"
#include "Quendar.h"
#include "QuendarASP.h"
#include "SeriesX.h"
#include "SeriesXEx1.h"
#include "StatisticX.h"
#include "StatisticsX.h"

#include "ModuleAllocation.h"

#include "ComLayer/ClassFactory.h"
#include "ComLayer/ComModule.h"
#include "ComLayer/FloatingPointGuard.h"
#include "ComLayer/Registrar.h"
#include "Matrix/MVRBaseException.h"

#include <cstdlib>
#include <new>

using namespace qd;

namespace {

const char* const QD_SOURCE_PATH = "ActiveX\\QDInterface\\QDInterface";

// The handler of operator new and of malloc and calloc in this module (the
// runtime is linked statically, so the host's own allocations keep their
// behaviour): gives the emergency reserve back, so that the unwinding and
// the error report have room to allocate; the method frame takes it again
// once the failure is reported.
void allocationFailed()
{
    ModuleAllocation::releaseReserve();
    qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::OutOfMemory);
}

using ComLayer::ClassRegistrationInfo;

const ClassRegistrationInfo registrations[] = {
    {L"StatisticX", &CLSID_StatisticX, &LIBID_QDINTERFACELib, ComLayer::registerApartment},
    {L"StatisticsX", &CLSID_StatisticsX, &LIBID_QDINTERFACELib, ComLayer::registerApartment},
    {L"ObservationX", &CLSID_ObservationX, &LIBID_QDINTERFACELib, ComLayer::registerApartment},
    {L"SeriesX", &CLSID_SeriesX, &LIBID_QDINTERFACELib, ComLayer::registerApartment},
    {L"MatrixX", &CLSID_MatrixX, &LIBID_QDINTERFACELib, ComLayer::registerApartment},
    {L"Quendar", &CLSID_Quendar, &LIBID_QDINTERFACELib,
     ComLayer::registerApartment | ComLayer::registerControl},
    {L"QuendarASP", &CLSID_QuendarASP, &LIBID_QDINTERFACELib, ComLayer::registerApartment},
    {L"SeriesXEx1", &CLSID_SeriesXEx1, &LIBID_QDINTERFACELib, ComLayer::registerExtension},
    {L"MatrixXEx1", &CLSID_MatrixXEx1, &LIBID_QDINTERFACELib, ComLayer::registerExtension},
};

// A client's creation of an object. When it (or the class factory's own
// making) runs out of memory, the emergency reserve the failure gave back is
// taken again, as after any failed member.
template <class T>
HRESULT createInstance(IUnknown* outer, REFIID iid, void** result)
{
    const HRESULT hr = ComLayer::createObject<T>(outer, iid, result);
    if (hr == E_OUTOFMEMORY) ModuleAllocation::restoreReserve();
    return hr;
}

HRESULT createFactory(ComLayer::ClassEntry& entry, REFIID iid, void** result)
{
    const HRESULT hr = ComLayer::ClassFactory::create(entry, iid, result);
    if (hr == E_OUTOFMEMORY) ModuleAllocation::restoreReserve();
    return hr;
}

template <int Index>
HRESULT registration(bool doRegister)
{
    return ComLayer::registerClass(registrations[Index], doRegister);
}

ComLayer::ClassEntry classTable[] = {
    {&CLSID_StatisticX, &registration<0>, &createFactory,
     &createInstance<StatisticX>, nullptr},
    {&CLSID_StatisticsX, &registration<1>, &createFactory,
     &createInstance<StatisticsX>, nullptr},
    {&CLSID_ObservationX, &registration<2>, &createFactory,
     &createInstance<ObservationX>, nullptr},
    {&CLSID_SeriesX, &registration<3>, &createFactory,
     &createInstance<SeriesX>, nullptr},
    {&CLSID_MatrixX, &registration<4>, &createFactory,
     &createInstance<MatrixX>, nullptr},
    {&CLSID_Quendar, &registration<5>, &createFactory,
     &createInstance<Quendar>, nullptr},
    {&CLSID_QuendarASP, &registration<6>, &createFactory,
     &createInstance<QuendarASP>, nullptr},
    {&CLSID_SeriesXEx1, &registration<7>, &createFactory,
     &createInstance<SeriesXEx1>, nullptr},
    {&CLSID_MatrixXEx1, &registration<8>, &createFactory,
     &createInstance<MatrixXEx1>, nullptr},
};

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ModuleAllocation::readTestLimit();
        // Installed for operator new, and through the module's malloc and
        // calloc (ModuleAllocation.cpp) for its C allocations: new-mode 1.
        std::set_new_handler(&allocationFailed);
        ModuleAllocation::restoreReserve();
        ComLayer::ComModule::instance().init(instance, classTable,
                                             sizeof classTable / sizeof classTable[0]);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        ModuleAllocation::releaseReserve();
        ComLayer::ComModule::instance().term(reserved != nullptr);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return ComLayer::ComModule::instance().canUnloadNow();
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* result)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return ComLayer::ComModule::instance().getClassObject(clsid, iid, result);
}

STDAPI DllRegisterServer()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return ComLayer::ComModule::instance().registerServer();
}

STDAPI DllUnregisterServer()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return ComLayer::ComModule::instance().unregisterServer();
}

