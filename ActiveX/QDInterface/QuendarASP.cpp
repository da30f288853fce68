#include "QuendarASP.h"

#include <asptlb.h>

using namespace qd;

const ClassIdentity QuendarASP::identity = {
    L"QuendarASP", L"QuendarASP.QuendarASP.1", "ActiveX\\QDInterface\\QuendarASP", &CLSID_QuendarASP,
    &IID_IQuendarASP};

namespace {

// The scripting context of a server page.
const IID QD_IID_SCRIPTING_CONTEXT = {0xD97A6DA0, 0xA868, 0x11CF, {0x83, 0xAE, 0x00, 0xB0, 0xC9, 0x0C, 0x2B, 0xD8}};

// Reads one of the context's objects as a plain interface pointer.
template <class Object>
HRESULT readObject(IScriptingContext* context, HRESULT (STDMETHODCALLTYPE IScriptingContext::*property)(Object**),
                   IUnknown** slot)
{
    Object* object = nullptr;
    HRESULT hr = (context->*property)(&object);
    // On failure the result is the host's to clear; nothing is taken.
    if (FAILED(hr)) return hr;
    *slot = object;
    return hr;
}

// The class reports nothing through error information; a failure of its
// own clears the thread's, so that a client asking for the report of this
// failure cannot be handed one left over from an earlier call.
HRESULT refuse(HRESULT hr)
{
    SetErrorInfo(0, nullptr);
    return hr;
}

} // namespace

QuendarASP::~QuendarASP()
{
    releasePage();
}

void QuendarASP::releasePage()
{
    for (IUnknown*& object : page_) {
        IUnknown* held = object;
        object = nullptr;
        if (held != nullptr) held->Release();
    }
}

HRESULT STDMETHODCALLTYPE QuendarASP::OnStartPage(IUnknown* piUnk)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (piUnk == nullptr) return refuse(E_POINTER);
    // A page started again without its end: the previous page's objects
    // go first, so that none of them is held twice or leaked.
    started_ = false;
    releasePage();

    IScriptingContext* context = nullptr;
    HRESULT hr = piUnk->QueryInterface(QD_IID_SCRIPTING_CONTEXT, reinterpret_cast<void**>(&context));
    if (FAILED(hr)) return refuse(hr);
    if (context == nullptr) return refuse(E_NOINTERFACE);

    IUnknown* taken[PageObjectCount] = {};
    hr = readObject(context, &IScriptingContext::get_Request, &taken[Request]);
    if (SUCCEEDED(hr)) hr = readObject(context, &IScriptingContext::get_Response, &taken[Response]);
    if (SUCCEEDED(hr)) hr = readObject(context, &IScriptingContext::get_Server, &taken[Server]);
    if (SUCCEEDED(hr)) hr = readObject(context, &IScriptingContext::get_Session, &taken[Session]);
    if (SUCCEEDED(hr)) hr = readObject(context, &IScriptingContext::get_Application, &taken[Application]);
    if (FAILED(hr)) {
        for (IUnknown* object : taken)
            if (object != nullptr) object->Release();
        context->Release();
        return hr;
    }
    for (int i = 0; i < PageObjectCount; ++i) page_[i] = taken[i];
    started_ = true;
    context->Release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE QuendarASP::OnEndPage()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    started_ = false;
    releasePage();
    return S_OK;
}

// The two properties have nothing behind them. A read fails rather than
// answer success with its result unwritten; the result is left empty.
namespace {

HRESULT readNothing(VARIANT* result)
{
    if (result == nullptr) return refuse(E_POINTER);
    VariantInit(result);
    return refuse(E_NOTIMPL);
}

} // namespace

HRESULT STDMETHODCALLTYPE QuendarASP::get_Session(VARIANT* result)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return readNothing(result);
}

HRESULT STDMETHODCALLTYPE QuendarASP::put_Session(VARIANT)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE QuendarASP::get_Response(VARIANT* result)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return readNothing(result);
}

HRESULT STDMETHODCALLTYPE QuendarASP::put_Response(VARIANT)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}
