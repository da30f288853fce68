// The class factory of one class table entry. Factories are cached by the
// module for its whole life, so they do not count as objects; LockServer
// changes the module's lock count.
#ifndef QD_COMLAYER_CLASSFACTORY_H
#define QD_COMLAYER_CLASSFACTORY_H

#include "ComModule.h"

#include <unknwn.h>

namespace ComLayer {

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(InstanceCreator creator) : creator_(creator) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** result) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

    // The factory creator of the class table.
    static HRESULT create(ClassEntry& entry, REFIID iid, void** result);

private:
    virtual ~ClassFactory() = default;

    volatile LONG refs_ = 0;
    InstanceCreator creator_;
};

} // namespace ComLayer

#endif
