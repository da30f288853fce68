// Persistence of the control's state (its extent) through a stream, a
// property bag and a storage: saved by one control, loaded by another.
#include "ControlTestSupport.h"

#include <map>
#include <string>

namespace {

SIZEL extentOf(IUnknown* control)
{
    Ref<IOleObject> object;
    EXPECT_EQ(S_OK, control->QueryInterface(IID_IOleObject, object.putVoid()));
    SIZEL size = {-1, -1};
    EXPECT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &size));
    return size;
}

void setExtent(IUnknown* control, LONG cx, LONG cy)
{
    Ref<IOleObject> object;
    ASSERT_EQ(S_OK, control->QueryInterface(IID_IOleObject, object.putVoid()));
    SIZEL size = {cx, cy};
    ASSERT_EQ(S_OK, object->SetExtent(DVASPECT_CONTENT, &size));
}

// A property bag over a map, counting its references.
class Bag : public IPropertyBag {
public:
    ~Bag()
    {
        for (auto& item : values) VariantClear(&item.second);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
            *result = static_cast<IPropertyBag*>(this);
            AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override
    {
        auto found = values.find(name);
        if (found == values.end()) return E_INVALIDARG;
        VARTYPE wanted = value->vt;
        if (wanted == VT_EMPTY) return VariantCopy(value, &found->second);
        return VariantChangeType(value, &found->second, 0, wanted);
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override
    {
        VARIANT& slot = values[name];
        VariantClear(&slot);
        return VariantCopy(&slot, value);
    }

    std::map<std::wstring, VARIANT> values;
    ULONG refs = 1;
};

} // namespace

class ControlPersistenceTest : public ControlTest {};

TEST_F(ControlPersistenceTest, StreamRoundTrip)
{
    Ref<IQuendar> first;
    createControl(first);
    Ref<IPersistStreamInit> persist;
    query(first.get(), IID_IPersistStreamInit, persist);
    CLSID clsid = GUID_NULL;
    EXPECT_EQ(S_OK, persist->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualGUID(CLSID_Quendar, clsid));
    ASSERT_EQ(S_OK, persist->InitNew());
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    setExtent(first.get(), 1234, 567);
    EXPECT_EQ(S_OK, persist->IsDirty());

    Ref<IStream> stream;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, stream.put()));
    ASSERT_EQ(S_OK, persist->Save(stream.get(), TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    ULARGE_INTEGER max = {}, size = {};
    EXPECT_EQ(S_OK, persist->GetSizeMax(&max));
    LARGE_INTEGER zero = {};
    ASSERT_EQ(S_OK, stream->Seek(zero, STREAM_SEEK_CUR, &size));
    EXPECT_LE(size.QuadPart, max.QuadPart);
    EXPECT_GT(size.QuadPart, 0u);

    // Loaded by a second control, through IPersistStream.
    Ref<IQuendar> second;
    createControl(second);
    Ref<IPersistStream> loader;
    query(second.get(), IID_IPersistStream, loader);
    ASSERT_EQ(S_OK, stream->Seek(zero, STREAM_SEEK_SET, nullptr));
    ASSERT_EQ(S_OK, loader->Load(stream.get()));
    SIZEL loaded = extentOf(second.get());
    EXPECT_EQ(1234, loaded.cx);
    EXPECT_EQ(567, loaded.cy);
    EXPECT_EQ(S_FALSE, loader->IsDirty());

    // A cut-off state is refused and takes nothing.
    Ref<IStream> cut;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, cut.put()));
    const DWORD partial[2] = {1, 999};
    ASSERT_EQ(S_OK, cut->Write(partial, sizeof partial, nullptr));
    ASSERT_EQ(S_OK, cut->Seek(zero, STREAM_SEEK_SET, nullptr));
    Ref<IQuendar> third;
    createControl(third);
    Ref<IPersistStreamInit> refuser;
    query(third.get(), IID_IPersistStreamInit, refuser);
    const SIZEL before = extentOf(third.get());
    EXPECT_TRUE(FAILED(refuser->Load(cut.get())));
    const SIZEL after = extentOf(third.get());
    EXPECT_EQ(before.cx, after.cx);
    EXPECT_EQ(before.cy, after.cy);
}

TEST_F(ControlPersistenceTest, PropertyBagRoundTrip)
{
    Bag bag;
    {
        Ref<IQuendar> first;
        createControl(first);
        Ref<IPersistPropertyBag> persist;
        query(first.get(), IID_IPersistPropertyBag, persist);
        ASSERT_EQ(S_OK, persist->InitNew());
        setExtent(first.get(), 4000, 300);
        ASSERT_EQ(S_OK, persist->Save(&bag, TRUE, TRUE));
    }
    EXPECT_EQ(1u, bag.refs);
    ASSERT_EQ(2u, bag.values.size());

    Ref<IQuendar> second;
    createControl(second);
    Ref<IPersistPropertyBag> loader;
    query(second.get(), IID_IPersistPropertyBag, loader);
    ASSERT_EQ(S_OK, loader->Load(&bag, nullptr));
    SIZEL loaded = extentOf(second.get());
    EXPECT_EQ(4000, loaded.cx);
    EXPECT_EQ(300, loaded.cy);

    // A page that wrote the numbers as text; a missing one keeps the default.
    Bag text;
    VARIANT width;
    width.vt = VT_BSTR;
    width.bstrVal = SysAllocString(L"777");
    text.Write(L"ExtentX", &width);
    VariantClear(&width);
    Ref<IQuendar> third;
    createControl(third);
    Ref<IPersistPropertyBag> fromText;
    query(third.get(), IID_IPersistPropertyBag, fromText);
    const SIZEL fresh = extentOf(third.get());
    ASSERT_EQ(S_OK, fromText->Load(&text, nullptr));
    loaded = extentOf(third.get());
    EXPECT_EQ(777, loaded.cx);
    EXPECT_EQ(fresh.cy, loaded.cy);
    EXPECT_EQ(1u, bag.refs);
    EXPECT_EQ(1u, text.refs);
}

TEST_F(ControlPersistenceTest, StorageRoundTrip)
{
    Ref<ILockBytes> bytes;
    ASSERT_EQ(S_OK, CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.put()));
    Ref<IStorage> storage;
    ASSERT_EQ(S_OK, StgCreateDocfileOnILockBytes(bytes.get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                                 0, storage.put()));
    {
        Ref<IQuendar> first;
        createControl(first);
        Ref<IPersistStorage> persist;
        query(first.get(), IID_IPersistStorage, persist);
        ASSERT_EQ(S_OK, persist->InitNew(storage.get()));
        setExtent(first.get(), 2000, 1000);
        ASSERT_EQ(S_OK, persist->Save(storage.get(), TRUE));
        ASSERT_EQ(S_OK, persist->SaveCompleted(nullptr));
        EXPECT_EQ(S_FALSE, persist->IsDirty());
        ASSERT_EQ(S_OK, storage->Commit(STGC_DEFAULT));
    }
    Ref<IQuendar> second;
    createControl(second);
    Ref<IPersistStorage> loader;
    query(second.get(), IID_IPersistStorage, loader);
    ASSERT_EQ(S_OK, loader->Load(storage.get()));
    SIZEL loaded = extentOf(second.get());
    EXPECT_EQ(2000, loaded.cx);
    EXPECT_EQ(1000, loaded.cy);
    EXPECT_EQ(S_OK, loader->HandsOffStorage());
}
