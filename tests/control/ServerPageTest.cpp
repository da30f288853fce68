// QuendarASP against a double of the server page's scripting context whose
// five objects count their references: taken when the page starts,
// released when it ends, when the page starts again and when the object
// goes; a failing read gives everything back.
#include "ControlTestSupport.h"

#include <asptlb.h>

#include <functional>

namespace {

const IID QD_IID_SCRIPTING_CONTEXT = {0xD97A6DA0, 0xA868, 0x11CF, {0x83, 0xAE, 0x00, 0xB0, 0xC9, 0x0C, 0x2B, 0xD8}};

// IUnknown with a plain reference count and IDispatch without type
// information, over the interface I (IDispatch or one derived from it),
// answering IUnknown, IDispatch and `own`.
template <class I>
class CountedDispatch : public I {
public:
    explicit CountedDispatch(const IID& own) : own_(own) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, own_)) {
            *result = static_cast<I*>(this);
            this->AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    ULONG refs = 1;

private:
    IID own_;
};

// One of the page's objects: only its references matter here.
class PageObject : public CountedDispatch<IDispatch> {
public:
    PageObject() : CountedDispatch<IDispatch>(IID_IDispatch) {}
};

// The scripting context: hands out its five objects, the one at `failAt`
// (0 Request ... 4 Application) failing with `failure`.
class Context : public CountedDispatch<IScriptingContext> {
public:
    Context() : CountedDispatch<IScriptingContext>(QD_IID_SCRIPTING_CONTEXT) {}
    HRESULT STDMETHODCALLTYPE get_Request(IRequest** result) override { return hand(0, result); }
    HRESULT STDMETHODCALLTYPE get_Response(IResponse** result) override { return hand(1, result); }
    HRESULT STDMETHODCALLTYPE get_Server(IServer** result) override { return hand(2, result); }
    HRESULT STDMETHODCALLTYPE get_Session(ISessionObject** result) override { return hand(3, result); }
    HRESULT STDMETHODCALLTYPE get_Application(IApplicationObject** result) override { return hand(4, result); }

    // Every object and the context itself back at one reference.
    bool allReleased() const
    {
        for (const PageObject& o : objects)
            if (o.refs != 1) return false;
        return refs == 1;
    }
    bool allHeldOnce() const
    {
        for (const PageObject& o : objects)
            if (o.refs != 2) return false;
        return refs == 1;
    }

    PageObject objects[5];
    int failAt = -1;
    HRESULT failure = E_FAIL;
    int reads[5] = {};

private:
    template <class Interface>
    HRESULT hand(int index, Interface** result)
    {
        ++reads[index];
        *result = nullptr;
        if (index == failAt) return failure;
        // The server only keeps and releases what it gets.
        objects[index].AddRef();
        *result = reinterpret_cast<Interface*>(static_cast<IDispatch*>(&objects[index]));
        return S_OK;
    }
};

} // namespace

class ServerPageTest : public ComTest {
protected:
    void SetUp() override
    {
        ComTest::SetUp();
        create(CLSID_QuendarASP, IID_IQuendarASP, page_);
    }
    void TearDown() override
    {
        page_.reset();
        ComTest::TearDown();
    }
    Ref<IQuendarASP> page_;
};

TEST_F(ServerPageTest, StartTakesTheFiveObjectsAndEndReleasesThem)
{
    Context context;
    ASSERT_EQ(S_OK, page_->OnStartPage(&context));
    EXPECT_TRUE(context.allHeldOnce());
    for (int read : context.reads) EXPECT_EQ(1, read);
    EXPECT_EQ(S_OK, page_->OnEndPage());
    EXPECT_TRUE(context.allReleased());
    EXPECT_EQ(S_OK, page_->OnEndPage());
    EXPECT_TRUE(context.allReleased());
}

TEST_F(ServerPageTest, SecondStartReleasesThePreviousPageFirst)
{
    Context first, second;
    ASSERT_EQ(S_OK, page_->OnStartPage(&first));
    ASSERT_EQ(S_OK, page_->OnStartPage(&second));
    EXPECT_TRUE(first.allReleased());
    EXPECT_TRUE(second.allHeldOnce());
    // The same context twice: held once, not twice.
    ASSERT_EQ(S_OK, page_->OnStartPage(&second));
    EXPECT_TRUE(second.allHeldOnce());
    // Going away without the end of the page releases it too.
    page_.reset();
    EXPECT_TRUE(second.allReleased());
}

TEST_F(ServerPageTest, FailingReadGivesEverythingBack)
{
    const HRESULT failures[] = {E_FAIL, E_ACCESSDENIED, static_cast<HRESULT>(0x800A01A8L), E_OUTOFMEMORY,
                                E_UNEXPECTED};
    for (int at = 0; at < 5; ++at) {
        SCOPED_TRACE(at);
        Context context;
        context.failAt = at;
        context.failure = failures[at];
        EXPECT_EQ(failures[at], page_->OnStartPage(&context));
        EXPECT_TRUE(context.allReleased());
        // Reads stop at the failure.
        for (int i = 0; i < 5; ++i) EXPECT_EQ(i <= at ? 1 : 0, context.reads[i]);
        // The object is still good for a page.
        Context next;
        ASSERT_EQ(S_OK, page_->OnStartPage(&next));
        EXPECT_TRUE(next.allHeldOnce());
        EXPECT_EQ(S_OK, page_->OnEndPage());
        EXPECT_TRUE(next.allReleased());
    }
}

TEST_F(ServerPageTest, StartRefusesWhatIsNotAScriptingContext)
{
    EXPECT_EQ(E_POINTER, page_->OnStartPage(nullptr));
    PageObject notAContext;
    EXPECT_EQ(E_NOINTERFACE, page_->OnStartPage(&notAContext));
    EXPECT_EQ(1u, notAContext.refs);
}

TEST_F(ServerPageTest, SessionAndResponseFailInsteadOfLeavingTheirResultUnwritten)
{
    typedef HRESULT (STDMETHODCALLTYPE IQuendarASP::*Getter)(VARIANT*);
    typedef HRESULT (STDMETHODCALLTYPE IQuendarASP::*Setter)(VARIANT);
    const Getter getters[] = {&IQuendarASP::get_Session, &IQuendarASP::get_Response};
    const Setter setters[] = {&IQuendarASP::put_Session, &IQuendarASP::put_Response};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        VARIANT value;
        value.vt = VT_I4;
        value.lVal = 12345;
        const HRESULT hr = (page_.get()->*getters[i])(&value);
        EXPECT_TRUE(FAILED(hr));
        EXPECT_EQ(VT_EMPTY, value.vt);
        EXPECT_EQ(E_POINTER, (page_.get()->*getters[i])(nullptr));
        VARIANT in;
        VariantInit(&in);
        EXPECT_EQ(S_OK, (page_.get()->*setters[i])(in));
    }
    // Late-bound, as a page's script reads it.
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"Session");
    ASSERT_EQ(S_OK, page_->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    EXPECT_TRUE(FAILED(page_->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr)));
    EXPECT_EQ(VT_EMPTY, result.vt);

    Ref<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, page_->QueryInterface(IID_ISupportErrorInfo, support.putVoid()));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IQuendarASP));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IQuendar));
}

// The class reports nothing, so its own failures must not leave a client
// reading a report left on the thread by an earlier failing call: early
// bound, the thread has no error information afterwards; late bound, the
// exception record carries the HRESULT and no stale description.
TEST_F(ServerPageTest, OwnFailuresLeaveNoEarlierReportBehind)
{
    auto leaveReport = [] {
        Ref<ICreateErrorInfo> create;
        ASSERT_EQ(S_OK, CreateErrorInfo(create.put()));
        create->SetDescription(const_cast<LPOLESTR>(L"an earlier failure"));
        Ref<IErrorInfo> info;
        ASSERT_EQ(S_OK, create->QueryInterface(IID_IErrorInfo, info.putVoid()));
        SetErrorInfo(0, info.get());
    };
    PageObject notAContext;
    VARIANT value;
    VariantInit(&value);
    const std::function<HRESULT()> failures[] = {
        [&] { return page_->get_Session(&value); },
        [&] { return page_->get_Response(&value); },
        [&] { return page_->get_Session(nullptr); },
        [&] { return page_->OnStartPage(nullptr); },
        [&] { return page_->OnStartPage(&notAContext); },
    };
    for (size_t i = 0; i < sizeof failures / sizeof failures[0]; ++i) {
        SCOPED_TRACE(i);
        leaveReport();
        EXPECT_TRUE(FAILED(failures[i]()));
        EXPECT_FALSE(lastError().present);
    }

    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"Response");
    ASSERT_EQ(S_OK, page_->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
    leaveReport();
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    EXPECT_EQ(DISP_E_EXCEPTION, page_->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, &exception, nullptr));
    EXPECT_EQ(E_NOTIMPL, exception.scode);
    EXPECT_TRUE(exception.bstrDescription == nullptr || SysStringLen(exception.bstrDescription) == 0);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
}
