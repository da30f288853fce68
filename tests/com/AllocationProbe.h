// The test build of a server (QDInterfaceProbe.dll, GlossmereProbe.dll):
// the same server whose operator new counts the module's allocations and
// live blocks and can make one chosen allocation fail. It is loaded by its
// path, never registered; objects come from its DllGetClassObject.
#ifndef QD_TESTS_COM_ALLOCATIONPROBE_H
#define QD_TESTS_COM_ALLOCATIONPROBE_H

#include "ComClient.h"

#include <string>

// As the module's QdAllocationRead fills it.
struct AllocationCounters {
    unsigned long long made; // allocations made since the module loaded
    long long live;          // blocks allocated and not yet freed
    int fired;               // the armed failure has happened
    int reserveHeld;         // the emergency reserve is held
};

struct AllocationProbe {
    using ArmFunction = void (*)(unsigned long long);
    using ReadFunction = void (*)(AllocationCounters*);
    using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using TryMallocFunction = int (*)(unsigned long long);

    HMODULE module = nullptr;
    // Makes the allocation n allocations from now fail (1: the next one);
    // 0 disarms.
    ArmFunction arm = nullptr;
    ReadFunction read = nullptr;
    GetClassObjectFunction getClassObject = nullptr;
    // QDInterface's test build only: asks the module's malloc for a size;
    // 0 it gave it, 1 it answered null, 3 the failure handler raised code 3.
    TryMallocFunction tryMalloc = nullptr;

    // A path as the compiler definitions give it (ASCII).
    explicit AllocationProbe(const char* path)
    {
        std::string narrowPath = path;
        module = LoadLibraryW(std::wstring(narrowPath.begin(), narrowPath.end()).c_str());
        if (module == nullptr) return;
        arm = reinterpret_cast<ArmFunction>(reinterpret_cast<void*>(GetProcAddress(module, "QdAllocationArm")));
        read = reinterpret_cast<ReadFunction>(reinterpret_cast<void*>(GetProcAddress(module, "QdAllocationRead")));
        getClassObject = reinterpret_cast<GetClassObjectFunction>(
            reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
        tryMalloc = reinterpret_cast<TryMallocFunction>(
            reinterpret_cast<void*>(GetProcAddress(module, "QdAllocationTryMalloc")));
    }

    bool loaded() const { return module != nullptr && arm != nullptr && read != nullptr && getClassObject != nullptr; }

    AllocationCounters counters() const
    {
        AllocationCounters c{};
        read(&c);
        return c;
    }
};

// Makes an object through the probe's class object.
template <class T>
void createProbeObject(AllocationProbe& probe, REFCLSID clsid, REFIID iid, Ref<T>& result)
{
    Ref<IClassFactory> factory;
    ASSERT_EQ(S_OK, probe.getClassObject(clsid, IID_IClassFactory, factory.putVoid()));
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, iid, result.putVoid()));
    ASSERT_TRUE(result);
}

#endif
