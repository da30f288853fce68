// The module of an in-process server: its lock count, its class table with
// the cached class factories, and the functions that run when it unloads.
#ifndef QD_COMLAYER_COMMODULE_H
#define QD_COMLAYER_COMMODULE_H

#include <windows.h>
#include <objbase.h>

#include <cstddef>
#include <string>

namespace ComLayer {

// Creates an object of one class; outer is the controlling unknown when the
// object is aggregated.
typedef HRESULT (*InstanceCreator)(IUnknown* outer, REFIID iid, void** result);

// Registers (doRegister true) or unregisters one class.
typedef HRESULT (*ClassRegistration)(bool doRegister);

struct ClassEntry;

// Makes the class factory of one class table entry.
typedef HRESULT (*FactoryCreator)(ClassEntry& entry, REFIID iid, void** result);

// One row of the class table.
struct ClassEntry {
    const CLSID* clsid;
    ClassRegistration registration;
    FactoryCreator factoryCreator;
    InstanceCreator instanceCreator;
    IUnknown* factory; // cached class factory, null until first requested
};

class ComModule {
public:
    static ComModule& instance();

    // Module start: class table, critical section, lock count 0.
    void init(HINSTANCE module, ClassEntry* table, std::size_t count);
    // Module end: releases the cached factories (unless the process is
    // ending), runs the termination functions and deletes the lock.
    void term(bool processEnding);

    LONG lock();
    LONG unlock();
    LONG lockCount() const;

    HINSTANCE moduleHandle() const { return module_; }
    // Full path of the module file.
    std::wstring modulePath() const;

    HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** result);
    HRESULT canUnloadNow() const;
    HRESULT registerServer();
    HRESULT unregisterServer();

    // Runs func(data) when the module ends, in reverse order of adding.
    void addTermFunction(void (*func)(void*), void* data);

    // The module's critical section (class factory creation, type
    // information cache).
    void enterLock();
    void leaveLock();

private:
    ComModule() = default;

    struct TermFunction {
        void (*func)(void*);
        void* data;
    };
    static const std::size_t maxTermFunctions = 16;

    HINSTANCE module_ = nullptr;
    ClassEntry* table_ = nullptr;
    std::size_t count_ = 0;
    volatile LONG lockCount_ = 0;
    CRITICAL_SECTION section_;
    bool sectionReady_ = false;
    TermFunction termFunctions_[maxTermFunctions] = {};
    std::size_t termCount_ = 0;
};

// Holds the module's critical section for a scope.
class ModuleLockGuard {
public:
    ModuleLockGuard() { ComModule::instance().enterLock(); }
    ~ModuleLockGuard() { ComModule::instance().leaveLock(); }
    ModuleLockGuard(const ModuleLockGuard&) = delete;
    ModuleLockGuard& operator=(const ModuleLockGuard&) = delete;
};

} // namespace ComLayer

#endif
