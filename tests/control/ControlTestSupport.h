// Helpers of the control tests: reference counts and creation of the
// control and its OLE interfaces.
#ifndef QD_TESTS_CONTROL_CONTROLTESTSUPPORT_H
#define QD_TESTS_CONTROL_CONTROLTESTSUPPORT_H

#include "ComTestSupport.h"

#include <ocidl.h>
#include <oleidl.h>

// The current reference count of an object.
inline ULONG refsOf(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

// The error report left by a call (its result is not looked at).
inline ErrorReport lastErrorOf(HRESULT)
{
    return lastError();
}

class ControlTest : public ComTest {
protected:
    void createControl(Ref<IQuendar>& control) { create(CLSID_Quendar, IID_IQuendar, control); }

    template <class T>
    void query(IUnknown* object, REFIID iid, Ref<T>& result)
    {
        ASSERT_EQ(S_OK, object->QueryInterface(iid, result.putVoid()));
    }
};

#endif
