// The automatic selection with its automation defaults through the
// registered QDInterface server, timed over every one of the 3,003 M3
// series: one SeriesX per series, its training values added one by one
// (AddObservation), then Selvane(0, horizon, 2024, -3, 1, 0, -3).
//
// Run by hand from the win64 (or win32) tree, after registering the server
// in the tree's prefix:
//   cd build/win64
//   bash ../../cmake/wine-run.sh regsvr32 /s 'Z:<tree>/ActiveX/QDInterface/QDInterface.dll'
//   WINEDEBUG=-all bash ../../cmake/wine-run.sh bench/com/bench_selvane_com.exe [repetitions] [folder]
// The folder holds m3_yearly.csv ... m3_other.csv (default: the copy the
// build unpacked, or QD_M3_DIR). Each repetition runs every series once;
// the figures are the medians of the repetitions (5 by default): series per
// second of wall time and of the client thread's CPU time, the part spent
// in Selvane alone, and the process's peak working set.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "M3Data.h"
#include "QDInterface.h"

namespace {

double wallSeconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

double threadCpuSeconds()
{
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user))
        return 0.0;
    const auto seconds = [](const FILETIME& t) {
        return double((std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

double peakWorkingSetMiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1.0;
    return double(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t k = v.size() / 2;
    return v.size() % 2 == 1 ? v[k] : (v[k - 1] + v[k]) / 2.0;
}

struct Timing {
    double wall = 0.0;
    double cpu = 0.0;
    double selvaneWall = 0.0;
    int failures = 0;
};

// One repetition over every series; false when the server cannot be created.
bool runAll(const std::vector<m3::M3Series>& all, Timing& t)
{
    const double wallStart = wallSeconds();
    const double cpuStart = threadCpuSeconds();
    for (const m3::M3Series& data : all) {
        ISeriesX* s = nullptr;
        if (FAILED(CoCreateInstance(CLSID_SeriesX, nullptr, CLSCTX_INPROC_SERVER, IID_ISeriesX,
                                    reinterpret_cast<void**>(&s))))
            return false;
        for (double v : data.values)
            s->AddObservation(v, nullptr, 1);
        const double before = wallSeconds();
        if (s->Selvane(0, data.horizon, 2024, -3, 1, 0, -3) != S_OK)
            ++t.failures;
        t.selvaneWall += wallSeconds() - before;
        s->Release();
    }
    t.wall = wallSeconds() - wallStart;
    t.cpu = threadCpuSeconds() - cpuStart;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string folder = argc > 2 ? std::string(argv[2]) + "/" : m3::dataFolder();
    std::vector<m3::M3Series> all;
    try {
        all = m3::loadAll(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_selvane_com: %s\n", e.what());
        return 1;
    }
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    std::printf("M3 data in %s: %zu series; %lu processors; %d repetitions\n", folder.c_str(), all.size(),
                static_cast<unsigned long>(system.dwNumberOfProcessors), repetitions);
    if (FAILED(CoInitialize(nullptr))) {
        std::fprintf(stderr, "bench_selvane_com: CoInitialize failed\n");
        return 1;
    }
    std::vector<double> perWall, perCpu, selvaneShare;
    int failures = 0;
    for (int r = 0; r < repetitions; ++r) {
        Timing t;
        if (!runAll(all, t)) {
            std::fprintf(stderr, "bench_selvane_com: cannot create SeriesX (is the server registered?)\n");
            CoUninitialize();
            return 1;
        }
        const double n = double(all.size());
        perWall.push_back(n / t.wall);
        perCpu.push_back(t.cpu > 0.0 ? n / t.cpu : 0.0);
        selvaneShare.push_back(t.selvaneWall / t.wall);
        failures = t.failures;
        std::printf("repetition %d: %.2f s wall, %.2f s CPU, %.0f series/s wall, %d failed\n", r + 1, t.wall, t.cpu,
                    n / t.wall, t.failures);
    }
    CoUninitialize();
    std::printf("Median of %d repetitions: %.0f series per second (wall), %.0f per CPU second of the client "
                "thread; Selvane itself %.1f%% of the wall time; %d series failed; peak working set %.1f MiB\n",
                repetitions, median(perWall), median(perCpu), 100.0 * median(selvaneShare), failures,
                peakWorkingSetMiB());
    return 0;
}
