// The Glossmere module: load and unload, the class table and the four
// exported entry points of an in-process server.
#include "Registration.h"
#include "WizardLocale.h"
#include "WizardLocaleUtil.h"

#include "ComLayer/ClassFactory.h"
#include "ComLayer/ComModule.h"
#include "ComLayer/FloatingPointGuard.h"
#include "ComLayer/Registrar.h"

namespace {

// "Glossmere.<class>" and "Glossmere.<class>.1", each with its own CLSID
// key (clients that ignore CurVer can use either), an apartment in-process
// server and the type library named under the class key.
const unsigned classFlags =
    ComLayer::registerApartment | ComLayer::registerBothProgIds | ComLayer::registerTypeLibrary;
const ComLayer::ClassRegistrationInfo registrations[] = {
    {L"WizardLocale", &CLSID_WizardLocale, &LIBID_Glossmere, classFlags, L"Glossmere.WizardLocale"},
    {L"WizardLocaleUtil", &CLSID_WizardLocaleUtil, &LIBID_Glossmere, classFlags, L"Glossmere.WizardLocaleUtil"},
};

template <int Index>
HRESULT registration(bool doRegister)
{
    return ComLayer::registerClass(registrations[Index], doRegister);
}

ComLayer::ClassEntry classTable[] = {
    {&CLSID_WizardLocale, &registration<0>, &ComLayer::ClassFactory::create,
     &ComLayer::createObject<Glossmere::WizardLocale>, nullptr},
    {&CLSID_WizardLocaleUtil, &registration<1>, &ComLayer::ClassFactory::create,
     &ComLayer::createObject<Glossmere::WizardLocaleUtil>, nullptr},
};

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ComLayer::ComModule::instance().init(instance, classTable, sizeof classTable / sizeof classTable[0]);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
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
    HRESULT classes = ComLayer::ComModule::instance().unregisterServer();
    HRESULT library = Glossmere::unregisterTypeLibrary();
    return FAILED(classes) ? classes : library;
}
