// What every benchmark reports alike: the machine (cores, load), the cost of
// a run in this thread's CPU time, the process's peak resident size and
// page faults, and a summary that restates each benchmark's counters as the
// median of its repetitions, every verdict taken from those same medians.
//
// The library repeats every benchmark (5 times unless
// --benchmark_repetitions says otherwise) and shows the aggregates; the
// summary reads the "median" aggregate of each counter.
#ifndef QD_BENCH_BENCHSUPPORT_H
#define QD_BENCH_BENCHSUPPORT_H

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace benchsupport {

// CPU time of the calling thread, in seconds: unlike the wall clock it does
// not count the time other programs on a loaded machine take from us.
inline double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Minor page faults of the process so far (fresh pages the kernel handed in).
inline long minorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// One "VmXXX:" line of /proc/self/status in KiB, -1 when absent.
inline long statusKiB(const char* field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(in, line))
        if (line.compare(0, length, field) == 0)
            return std::atol(line.c_str() + length);
    return -1;
}

// The process's peak resident size in MiB: VmHWM, else getrusage's
// ru_maxrss (KiB on Linux).
inline double peakResidentMiB()
{
    long kib = statusKiB("VmHWM:");
    if (kib < 0) {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        kib = usage.ru_maxrss;
    }
    return double(kib) / 1024.0;
}

inline double residentMiB()
{
    return double(statusKiB("VmRSS:")) / 1024.0;
}

// Starts a new peak: the kernel sets the peak resident size back to the
// current one. False where it cannot (the peak then covers the whole run).
inline bool resetPeakResident()
{
    std::ofstream out("/proc/self/clear_refs");
    if (!out)
        return false;
    out << "5";
    out.flush();
    return bool(out);
}

inline unsigned coreCount()
{
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return online > 0 ? unsigned(online) : std::thread::hardware_concurrency();
}

// The machine's line for every benchmark's output (also in the library's
// context, so JSON output carries it).
inline void describeMachine()
{
    double load[3] = {0.0, 0.0, 0.0};
    const int got = getloadavg(load, 3);
    char text[160];
    std::snprintf(text, sizeof text, "%u cores online, load average %.2f at the start", coreCount(),
                  got > 0 ? load[0] : -1.0);
    std::printf("Machine: %s; times are this thread's CPU time unless a column says otherwise.\n", text);
    benchmark::AddCustomContext("cores", std::to_string(coreCount()));
    benchmark::AddCustomContext("load_average", std::to_string(got > 0 ? load[0] : -1.0));
}

// The arguments with the defaults added: 5 repetitions, aggregates only,
// unless the caller gave --benchmark_repetitions. The strings live as long
// as the program.
inline void addDefaultRepetitions(int& argc, char**& argv, int repetitions = 5)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--benchmark_repetitions=", 24) == 0)
            return;
    static std::vector<std::string> added;
    static std::vector<char*> all;
    added = {"--benchmark_repetitions=" + std::to_string(repetitions), "--benchmark_report_aggregates_only=true"};
    all.assign(argv, argv + argc);
    for (std::string& s : added)
        all.push_back(&s[0]);
    all.push_back(nullptr);
    argc = int(all.size()) - 1;
    argv = all.data();
}

// True unless --benchmark_format asks for something other than the console.
inline bool consoleFormat(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--benchmark_format=", 19) == 0 && std::strcmp(argv[i] + 19, "console") != 0)
            return false;
    return true;
}

// The library's start with the defaults above: false when an argument is
// not the library's (the program should end). `console` tells whether the
// output is the console format, where the summaries are printed.
inline bool initialize(int& argc, char**& argv, bool& console)
{
    console = consoleFormat(argc, argv);  // before the library takes its flags out
    addDefaultRepetitions(argc, argv);
    benchmark::Initialize(&argc, argv);
    return !benchmark::ReportUnrecognizedArguments(argc, argv);
}

// The library's display, keeping the median of every counter per
// benchmark: the "median" aggregate when the benchmark was repeated, its
// single run otherwise.
class MedianReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& context) override { return display_->ReportContext(context); }
    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const Run& run : reports) {
            if (run.error_occurred)
                continue;
            // The name without the run's settings (min_time, repetitions, ...).
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += "/" + run.run_name.args;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!median && !single)
                continue;
            if (medians_.find(name) == medians_.end())
                order_.push_back(name);
            Figures& f = medians_[name];
            for (const auto& c : run.counters)
                f[c.first] = c.second.value;
            repetitions_[name] = run.repetitions;
        }
        display_->ReportRuns(reports);
    }
    void Finalize() override { display_->Finalize(); }

    using Figures = std::map<std::string, double>;
    // The benchmarks in the order they ran.
    const std::vector<std::string>& names() const { return order_; }
    bool has(const std::string& name) const { return medians_.count(name) != 0; }
    // A counter's median, or `otherwise` when the benchmark or counter is absent.
    double median(const std::string& name, const std::string& counter, double otherwise = 0.0) const
    {
        const auto found = medians_.find(name);
        if (found == medians_.end())
            return otherwise;
        const auto c = found->second.find(counter);
        return c == found->second.end() ? otherwise : c->second;
    }
    std::int64_t repetitions(const std::string& name) const
    {
        const auto found = repetitions_.find(name);
        return found == repetitions_.end() ? 0 : found->second;
    }

private:
    benchmark::BenchmarkReporter* display_ = benchmark::CreateDefaultDisplayReporter();  // not ours to delete
    std::vector<std::string> order_;
    std::map<std::string, Figures> medians_;
    std::map<std::string, std::int64_t> repetitions_;
};

// Counters that every batch benchmark sets from its own measurements:
// series per CPU second, and the peak resident size of the process while
// the benchmark ran (reset at its start where the kernel allows).
inline void setBatchCounters(benchmark::State& state, double series, double cpuSeconds, double peakMiB)
{
    state.counters["series_per_cpu_second"] = cpuSeconds > 0.0 ? series / cpuSeconds : 0.0;
    state.counters["peak_rss_MiB"] = peakMiB;
}

// The cost of a benchmark's own timed parts: this thread's CPU time and
// the process's minor page faults between each start() and stop(), and the
// process's peak resident size since the meter was made. Made at the start
// of a benchmark, it starts a new peak for it.
//
// A benchmark that prepares each iteration's data outside the timing starts
// the meter before its loop, stops it after, and calls pause() and resume()
// in place of the library's PauseTiming() and ResumeTiming(): the meter then
// covers what the library times, destructors at the end of an iteration
// included.
class Meter {
public:
    Meter() { resetPeakResident(); }
    void start()
    {
        faultsAtStart_ = minorFaults();
        secondsAtStart_ = threadCpuSeconds();
    }
    void stop()
    {
        seconds_ += threadCpuSeconds() - secondsAtStart_;
        faults_ += minorFaults() - faultsAtStart_;
    }
    void pause(benchmark::State& state)
    {
        stop();
        state.PauseTiming();
    }
    void resume(benchmark::State& state)
    {
        state.ResumeTiming();
        start();
    }
    double seconds() const { return seconds_; }
    long faults() const { return faults_; }

    // The counters every metered benchmark reports: `units` of work done
    // over all iterations per CPU second (as <unit>_per_cpu_second), the
    // page faults per iteration and the peak resident size.
    void setCounters(benchmark::State& state, const std::string& unit, double units) const
    {
        state.counters[unit + "_per_cpu_second"] = seconds_ > 0.0 ? units / seconds_ : 0.0;
        state.counters["page_faults_per_iteration"] =
            state.iterations() > 0 ? double(faults_) / double(state.iterations()) : 0.0;
        state.counters["peak_rss_MiB"] = peakResidentMiB();
    }

private:
    double seconds_ = 0.0;
    double secondsAtStart_ = 0.0;
    long faults_ = 0;
    long faultsAtStart_ = 0;
};

// One column of a summary table: a counter's median, times `scale`, with
// `decimals` places.
struct Column {
    const char* heading;
    const char* counter;
    double scale;
    int decimals;
};

// The medians of every benchmark that ran, one line each, as a table
// (a dash where a benchmark has no such counter).
inline void printMedianTable(const MedianReporter& reporter, const std::vector<Column>& columns)
{
    std::printf("\nMedians of the repetitions (CPU time of this thread):\n| benchmark |");
    for (const Column& c : columns)
        std::printf(" %s |", c.heading);
    std::printf("\n|---|");
    for (std::size_t i = 0; i < columns.size(); ++i)
        std::printf("---:|");
    std::printf("\n");
    for (const std::string& name : reporter.names()) {
        std::printf("| %s |", name.c_str());
        for (const Column& c : columns) {
            const double value = reporter.median(name, c.counter, NAN);
            if (std::isnan(value))
                std::printf(" - |");
            else
                std::printf(" %.*f |", c.decimals, value * c.scale);
        }
        std::printf("\n");
    }
}

// Runs the benchmarks the arguments chose, then (console output only) the
// summary from their medians, then the process's peak resident size.
inline void runBenchmarks(bool console, const std::function<void(const MedianReporter&)>& summary)
{
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (console)
        summary(reporter);
    std::printf("Process peak resident size: %.1f MiB.\n", peakResidentMiB());
}

// A benchmark program's whole main: the library's start with the defaults
// above, `prologue` (what the program reads, printed; it may throw, which
// ends the program with the message), the machine, the benchmarks and
// `summary`. Returns the program's exit status.
inline int runMain(int argc, char** argv, const char* program, const std::function<void()>& prologue,
                   const std::function<void(const MedianReporter&)>& summary)
{
    bool console = true;
    if (!initialize(argc, argv, console))
        return 1;
    try {
        prologue();
        describeMachine();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", program, e.what());
        return 1;
    }
    runBenchmarks(console, summary);
    return 0;
}

}  // namespace benchsupport

#endif
