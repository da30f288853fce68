// QuendarASP: the server-page class. A web server page creates it; when the
// page starts it takes the page's Request, Response, Server, Session and
// Application objects from the scripting context, and releases them when
// the page ends. It reports nothing through error information: it returns
// E_POINTER or the scripting host's own HRESULT, and its own failures clear
// the thread's error information.
#ifndef QD_QDINTERFACE_QUENDARASP_H
#define QD_QDINTERFACE_QUENDARASP_H

#include "AutomationFrame.h"
#include "QDInterfaceMembers.h"

class QuendarASP : public AutomationClass<QuendarASP, IQuendarASPMembers, IQuendarASP> {
public:
    static const ClassIdentity identity;

    ~QuendarASP() override;

    HRESULT STDMETHODCALLTYPE OnStartPage(IUnknown* context) override;
    HRESULT STDMETHODCALLTYPE OnEndPage() override;
    HRESULT STDMETHODCALLTYPE get_Session(VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE put_Session(VARIANT value) override;
    HRESULT STDMETHODCALLTYPE get_Response(VARIANT* result) override;
    HRESULT STDMETHODCALLTYPE put_Response(VARIANT value) override;

private:
    // The page's objects, in the order of the scripting context's
    // properties; each held with one reference while a page runs.
    enum PageObject { Request, Response, Server, Session, Application, PageObjectCount };

    // Releases and clears the page's objects in their order.
    void releasePage();

    IUnknown* page_[PageObjectCount] = {};
    bool started_ = false;
};

#endif
