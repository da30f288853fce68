// The servers compute in one floating-point environment whatever the
// calling thread's is, and give the caller's back untouched: the same
// forecast to the last bit from threads with extended, double and single
// x87 precision, other rounding modes, flush-to-zero and unmasked
// exceptions (which must not fire), through early and late binding.
#include "ComTestSupport.h"
#include "FloatingPointState.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {
#include "../SeriesCompute/BoxJenkinsReference.inc"
#include "../SeriesCompute/SeriesStatsReference.inc"

// What one thread saw: the bits of every fitted value and forecast of the
// airline model (exp and log at every step) made through the vtable and
// through IDispatch, and its floating-point state after each call.
struct ThreadRun {
    HRESULT created = E_FAIL;
    HRESULT early = E_FAIL;
    HRESULT late = E_FAIL;
    HRESULT reads = S_OK;
    std::vector<std::uint64_t> earlyBits;
    std::vector<std::uint64_t> lateBits;
    FloatingPointState set{};
    std::vector<FloatingPointState> after;
    // The same runtime functions called by this thread in its own state:
    // what a server that kept the caller's state would compute with.
    std::uint64_t ownExpLog = 0;
};

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

const LONG kObservationsAndForecasts = 156;

// Every fitted value and forecast of the series (quantity type 29); an
// observation without one (the model's first periods) counts as a marker.
HRESULT readFits(ISeriesX* series, std::vector<std::uint64_t>& bits)
{
    LONG count = 0;
    HRESULT hr = series->get_NumObservations(&count);
    if (hr != S_OK || count != kObservationsAndForecasts) return E_UNEXPECTED;
    for (LONG i = 0; i < count; ++i) {
        double value = 0.0;
        hr = series->get_StatValueObs(i, 29, &value);
        bits.push_back(hr == S_OK ? bitsOf(value) : ~std::uint64_t(0));
    }
    return S_OK;
}

// The (0,1,1)(0,1,1)12 model on the logarithms of the airline series,
// twelve periods ahead, through IDispatch by name.
HRESULT forecastLate(ISeriesX* series)
{
    IDispatch* dispatch = nullptr;
    HRESULT hr = series->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    if (hr != S_OK) return hr;
    OLECHAR name[] = L"ForecastBoxJenkins";
    OLECHAR* names[] = {name};
    DISPID id = 0;
    hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr == S_OK) {
        // Arguments go last first.
        const LONG values[13] = {-2, -1, 12, -3, 0, 1, 1, 0, 1, 1, 12, 1, 3};
        VARIANT arguments[13];
        for (int i = 0; i < 13; ++i) {
            VariantInit(&arguments[i]);
            arguments[i].vt = VT_I4;
            arguments[i].lVal = values[12 - i];
        }
        DISPPARAMS params = {arguments, nullptr, 13, 0};
        hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                              nullptr);
    }
    dispatch->Release();
    return hr;
}

// A sum of exp and log over the airline series, as the model computes them
// (the arguments read through a volatile pointer, so nothing is folded at
// compile time).
double expLogSum()
{
    const double* volatile values = kAirline.data();
    double sum = 0.0;
    for (std::size_t i = 0; i < kAirline.size(); ++i) sum += std::exp(std::log(values[i]) / 7.0);
    return sum;
}

struct ThreadTask {
    HostState state;
    ThreadRun run;
};

// Loads the series in the known state, then calls the servers in the
// host's: from the class factory to the last read, each call is followed
// by a look at the state, with no arithmetic of this thread in between.
DWORD WINAPI runInHostState(void* parameter)
{
    ThreadTask& task = *static_cast<ThreadTask*>(parameter);
    ThreadRun& run = task.run;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    setFloatingPointState(task.state.x87Control, task.state.mxcsr);
    run.set = readFloatingPointState();
    ISeriesX* early = nullptr;
    ISeriesX* late = nullptr;
    run.created = CoCreateInstance(CLSID_SeriesX, nullptr, CLSCTX_INPROC_SERVER, IID_ISeriesX,
                                   reinterpret_cast<void**>(&early));
    run.after.push_back(readFloatingPointState());
    if (run.created == S_OK)
        run.created = CoCreateInstance(CLSID_SeriesX, nullptr, CLSCTX_INPROC_SERVER, IID_ISeriesX,
                                       reinterpret_cast<void**>(&late));
    if (run.created == S_OK) {
        for (double value : kAirline) {
            if (early->AddObservation(value, nullptr, 1) != S_OK || late->AddObservation(value, nullptr, 1) != S_OK)
                run.created = E_FAIL;
        }
        run.after.push_back(readFloatingPointState());
        run.early = early->ForecastBoxJenkins(-2, -1, 12, -3, 0, 1, 1, 0, 1, 1, 12, 1, 3);
        run.after.push_back(readFloatingPointState());
        run.late = forecastLate(late);
        run.after.push_back(readFloatingPointState());
        run.reads = readFits(early, run.earlyBits);
        if (run.reads == S_OK) run.reads = readFits(late, run.lateBits);
        run.after.push_back(readFloatingPointState());
        // A failing member, through the error report.
        double value = 0.0;
        if (early->get_Value(100000, &value) == S_OK) run.reads = E_UNEXPECTED;
        run.after.push_back(readFloatingPointState());
    }
    if (early != nullptr) early->Release();
    if (late != nullptr) late->Release();
    run.ownExpLog = bitsOf(expLogSum());
    setFloatingPointState(kDoublePrecisionX87, kDefaultMxcsr);
    CoUninitialize();
    return 0;
}

ThreadRun runOnThread(const HostState& state)
{
    ThreadTask task{state, ThreadRun()};
    HANDLE thread = CreateThread(nullptr, 0, &runInHostState, &task, 0, nullptr);
    if (thread != nullptr) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    return task.run;
}

} // namespace

class FloatingPointTest : public ComTest {};

TEST_F(FloatingPointTest, TheHostsStateChangesNoBitAndComesBackUntouched)
{
    // The reference: a thread in the state the servers compute in.
    const ThreadRun reference = runOnThread({"reference", kDoublePrecisionX87, kDefaultMxcsr});
    ASSERT_EQ(S_OK, reference.created);
    ASSERT_EQ(S_OK, reference.early);
    ASSERT_EQ(S_OK, reference.late);
    ASSERT_EQ(S_OK, reference.reads);
    ASSERT_EQ(static_cast<std::size_t>(kObservationsAndForecasts), reference.earlyBits.size());
    EXPECT_EQ(reference.earlyBits, reference.lateBits);
    for (std::size_t j = 0; j < 12; ++j) {
        double forecast = 0.0;
        std::memcpy(&forecast, &reference.earlyBits[144 + j], sizeof forecast);
        EXPECT_NEAR(kAirlineForecasts[j], forecast, 1e-8 * kAirlineForecasts[j]) << j;
    }

    std::uint64_t singlePrecisionOwn = reference.ownExpLog;
    for (const HostState& state : kHostStates) {
        SCOPED_TRACE(state.name);
        const ThreadRun run = runOnThread(state);
        ASSERT_EQ(S_OK, run.created);
        EXPECT_EQ(S_OK, run.early);
        EXPECT_EQ(S_OK, run.late);
        EXPECT_EQ(S_OK, run.reads);
        EXPECT_EQ(state.x87Control, run.set.x87Control);
        EXPECT_EQ(state.mxcsr, run.set.mxcsr);
        // Not one bit differs.
        std::size_t differing = 0;
        for (std::size_t i = 0; i < reference.earlyBits.size() && i < run.earlyBits.size(); ++i)
            if (reference.earlyBits[i] != run.earlyBits[i] || reference.earlyBits[i] != run.lateBits[i]) ++differing;
        EXPECT_EQ(reference.earlyBits.size(), run.earlyBits.size());
        EXPECT_EQ(reference.earlyBits.size(), run.lateBits.size());
        EXPECT_EQ(0u, differing);
        // The caller's state, flags included, after every call.
        for (const FloatingPointState& after : run.after) EXPECT_EQ(run.set.text(), after.text());
        if (state.x87Control == 0x007F) singlePrecisionOwn = run.ownExpLog;
    }
    // The states matter here: in single precision the runtime's exp and
    // log, called by the thread itself, give other bits.
    EXPECT_NE(reference.ownExpLog, singlePrecisionOwn);
}
