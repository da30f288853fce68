// The M3 competition series for the tests and benchmarks: the file's rows
// (id, category, period, horizon, split, t, value) gathered into one record
// per series, training values first. The build unpacks the repository's
// copy (data/m3) into the build tree and names that folder QD_M3_DATA_DIR.
#ifndef QD_BENCH_M3DATA_H
#define QD_BENCH_M3DATA_H

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace m3 {

struct M3Series {
    std::vector<double> values;   // the training part
    std::vector<double> holdout;  // the test part (the competition's horizon)
    std::int32_t horizon = 0;
    std::int32_t period = 1;      // observations per cycle: 1 yearly and other, 4 quarterly, 12 monthly
    std::string category;         // yearly, quarterly, monthly or other

    bool allPositive() const
    {
        for (double v : values)
            if (!(v > 0.0))
                return false;
        return true;
    }
};

// Every series of one M3 file; rows of a series come in time order.
inline std::vector<M3Series> loadFile(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::string line;
    std::getline(in, line);  // header
    std::map<std::string, std::size_t> index;
    std::vector<M3Series> all;
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string id, category, period, horizon, split, t, value;
        std::getline(fields, id, ',');
        std::getline(fields, category, ',');
        std::getline(fields, period, ',');
        std::getline(fields, horizon, ',');
        std::getline(fields, split, ',');
        std::getline(fields, t, ',');
        std::getline(fields, value, ',');
        if (split != "train" && split != "test")
            continue;
        auto found = index.find(id);
        if (found == index.end()) {
            found = index.emplace(id, all.size()).first;
            all.emplace_back();
            all.back().horizon = std::stoi(horizon);
            all.back().period = std::stoi(period);
            all.back().category = category;
        }
        M3Series& series = all[found->second];
        (split == "train" ? series.values : series.holdout).push_back(std::stod(value));
    }
    return all;
}

// The folder of the M3 files, ending in a separator: QD_M3_DIR from the
// environment, else the copy the build unpacked.
inline std::string dataFolder()
{
    const char* env = std::getenv("QD_M3_DIR");
    std::string folder = env != nullptr && *env != '\0' ? env : QD_M3_DATA_DIR;
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    return folder;
}

// The four category files, in the order yearly, quarterly, monthly, other.
inline const char* const kFiles[] = {"m3_yearly.csv", "m3_quarterly.csv", "m3_monthly.csv", "m3_other.csv"};

// All 3,003 series of `folder`, yearly first, in file order.
inline std::vector<M3Series> loadAll(const std::string& folder)
{
    std::vector<M3Series> all;
    for (const char* name : kFiles)
        for (M3Series& s : loadFile(folder + name))
            all.push_back(std::move(s));
    return all;
}

// The monthly file: the last of `--m3=PATH` or a bare PATH among the
// arguments (both taken out, so the benchmark library does not see them),
// else QD_M3_MONTHLY, else the monthly file of dataFolder().
inline std::string monthlyPath(int& argc, char** argv)
{
    std::string path;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--m3=", 0) == 0)
            path = arg.substr(5);
        else if (!arg.empty() && arg[0] != '-')
            path = arg;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    if (path.empty()) {
        const char* env = std::getenv("QD_M3_MONTHLY");
        path = env != nullptr && *env != '\0' ? env : dataFolder() + "m3_monthly.csv";
    }
    return path;
}

// Another M3 file in the folder of `path` (e.g. "m3_other.csv").
inline std::string besideFile(const std::string& path, const std::string& name)
{
    const std::size_t slash = path.find_last_of("/\\");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + name;
}

}  // namespace m3

#endif
