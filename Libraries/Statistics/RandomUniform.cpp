// Uniform generator: x <- a x mod (2^31 - 1) in 32-bit integer arithmetic
// (Schrage's decomposition), optionally passed through a 128-entry shuffle
// table; one process-wide state shared by both precisions.
#include "Statistics/RandomUniform.h"

#include <cmath>
#include <cstdarg>
#include <ctime>

#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/RoutineScope.h"

namespace {

constexpr std::int32_t kModulus = 2147483647;

struct GeneratorState {
    std::int32_t seed = 0;
    double seedCopy = 0.0;
    std::int32_t option = 1;
    double modulus = 2147483647.0;
    double scale = 1.0 / 2147483647.0;
    float singleScale = 1.0f / 2147483648.0f;
    double doubleTable[128] = {};
    bool doubleTableFilled = false;
    float singleTable[128] = {};
    bool singleTableFilled = false;
    bool setupPending = true;
    bool seedSet = false;
    bool firstDrnun = true;
    bool firstRnun = true;
    bool firstDoubleFill = true;
    bool firstSingleFill = true;
};

GeneratorState& generator() {
    static GeneratorState g;
    return g;
}

// One Schrage step: a x mod m with m = a q + r.
inline std::int32_t schrage(std::int32_t x, std::int32_t a, std::int32_t q, std::int32_t r) {
    std::int32_t v = a * (x % q) - r * (x / q);
    if (v < 0) v += kModulus;
    return v;
}

// a x mod m for a = hi * 32768 + lo, in three Schrage steps.
inline std::int32_t splitStep(std::int32_t x, std::int32_t lo, std::int32_t qLo, std::int32_t rLo, std::int32_t hi,
                              std::int32_t qHi, std::int32_t rHi) {
    const std::int32_t y = schrage(x, 32768, 65535, 32767);
    const std::int32_t z = schrage(x, lo, qLo, rLo);
    std::int32_t w = schrage(y, hi, qHi, rHi);
    if (w > 0) w -= kModulus;
    std::int32_t v = w + z;
    if (v < 0) v += kModulus;
    return v;
}

inline std::int32_t advance(std::int32_t x, std::int32_t option) {
    switch (option) {
        case 1:
        case 2:
            return schrage(x, 16807, 127773, 2836);
        case 3:
        case 4:
            return splitStep(x, 23166, 92699, 18613, 12121, 177170, 6077);
        default:
            return splitStep(x, 8392, 255895, 12807, 29013, 74017, 28426);
    }
}

// The next seed copy in double arithmetic; every product stays below 2^53.
double advanceCopy(double s, std::int32_t option) {
    const double m = 2147483647.0;
    switch (option) {
        case 2:
            return std::fmod(16807.0 * s, m);
        case 4:
            return std::fmod(std::fmod(23166.0 * s, m) + 12121.0 * std::fmod(32768.0 * s, m), m);
        default:
            return std::fmod(std::fmod(8392.0 * s, m) + 29013.0 * std::fmod(32768.0 * s, m), m);
    }
}

}  // namespace

std::int32_t l_clock_seed_at(int hour, int minute, int second, std::int32_t* seed) {
    const std::int32_t value = hour * 10000 + minute * 100 + second + 1;
    if (seed != nullptr) *seed = value < 2 ? 123457 : value;
    return value;
}

std::int32_t l_clock_seed(std::int32_t* seed) {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    bool ok;
#ifdef _WIN32
    ok = gmtime_s(&parts, &now) == 0;
    if (!ok) ok = localtime_s(&parts, &now) == 0;
#else
    ok = gmtime_r(&now, &parts) != nullptr;
    if (!ok) ok = localtime_r(&now, &parts) != nullptr;
#endif
    if (!ok) parts = std::tm{};
    return l_clock_seed_at(parts.tm_hour, parts.tm_min, parts.tm_sec, seed);
}

void l_generator_setup(std::int32_t k) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    GeneratorState& g = generator();
    if (g.setupPending) {
        g.modulus = 2147483647.0;
        g.scale = 1.0 / 2147483647.0;
        g.singleScale = 1.0f / 2147483648.0f;
        g.option = 1;
        g.doubleTableFilled = false;
        g.singleTableFilled = false;
        g.setupPending = false;
    }
    if (k == -1) {
        g.seedSet = true;
    } else if (k == 0) {
        if (!g.seedSet) {
            std::int32_t seed = 0;
            l_clock_seed(&seed);
            g.seed = seed;
            g.seedCopy = seed;
            g.seedSet = true;
        }
    } else if (k > 0) {
        g.option = k;
    }
}

void l_drnun_table_init() {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    GeneratorState& g = generator();
    if (g.firstDoubleFill) {
        l_generator_setup(0);
        g.firstDoubleFill = false;
    }
    double s = g.seedCopy;
    for (int i = 0; i < 128; ++i) {
        s = advanceCopy(s, g.option);
        g.doubleTable[i] = s / 2147483647.0;
    }
    g.seedCopy = s;
    g.seed = static_cast<std::int32_t>(std::nearbyint(s));
}

void l_rnun_table_init() {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    GeneratorState& g = generator();
    if (g.firstSingleFill) {
        l_generator_setup(0);
        g.firstSingleFill = false;
    }
    double s = g.seedCopy;
    for (int i = 0; i < 128; ++i) {
        s = advanceCopy(s, g.option);
        g.singleTable[i] = static_cast<float>(s / 2147483647.0);
    }
    g.seedCopy = s;
    g.seed = static_cast<std::int32_t>(std::nearbyint(s));
}

void stats_drnun(std::int32_t n, double* r) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (n < 1) {
        RoutineScope scope("stats_drnun");
        int counter = 0;
        l_check_range(n, "nr", 1, 0, &counter);
        scope.pop();
        return;
    }
    GeneratorState& g = generator();
    if (g.firstDrnun) {
        l_generator_setup(0);
        g.firstDrnun = false;
    }
    const std::int32_t option = g.option;
    if (option < 1 || option > 6) {
        g.seedCopy = g.seed;
        return;
    }
    const bool shuffled = option % 2 == 0;
    if (shuffled && !g.doubleTableFilled) {
        l_drnun_table_init();
        g.doubleTableFilled = true;
    }
    std::int32_t x = g.seed;
    for (std::int32_t i = 0; i < n; ++i) {
        x = advance(x, option);
        const double u = x * g.scale;
        if (shuffled) {
            const int j = x & 127;
            r[i] = g.doubleTable[j];
            g.doubleTable[j] = u;
        } else {
            r[i] = u;
        }
    }
    g.seed = x;
    g.seedCopy = x;
}

void stats_rnun(std::int32_t n, float* r) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (n < 1) {
        RoutineScope scope("stats_rnun");
        int counter = 0;
        l_check_range(n, "nr", 1, 0, &counter);
        scope.pop();
        return;
    }
    GeneratorState& g = generator();
    if (g.firstRnun) {
        l_generator_setup(0);
        g.firstRnun = false;
    }
    const std::int32_t option = g.option;
    if (option < 1 || option > 6) {
        g.seedCopy = g.seed;
        return;
    }
    const bool shuffled = option % 2 == 0;
    if (shuffled && !g.singleTableFilled) {
        l_rnun_table_init();
        g.singleTableFilled = true;
    }
    std::int32_t x = g.seed;
    for (std::int32_t i = 0; i < n; ++i) {
        x = advance(x, option);
        const float u = static_cast<float>(x) * g.singleScale;
        if (shuffled) {
            const int j = x & 127;
            r[i] = g.singleTable[j];
            g.singleTable[j] = u;
        } else {
            r[i] = u;
        }
    }
    g.seed = x;
    g.seedCopy = x;
}

void stats_set_random_seed(std::int32_t seed) {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    GeneratorState& g = generator();
    if (seed >= 1 && seed <= 2147483646) {
        l_generator_setup(-1);
        g.seed = seed;
        g.seedCopy = seed;
    } else if (seed == 0) {
        std::int32_t value = 0;
        l_clock_seed(&value);
        g.seed = value;
        g.seedCopy = value;
    } else {
        l_generator_setup(0);
    }
}

std::int32_t stats_get_random_seed() {
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    l_generator_setup(0);
    return generator().seed;
}

void stats_random_option(std::int32_t option) {
    RoutineScope scope("stats_random_option");
    int counter = 0;
    l_check_range(option, "generator_option", 1, 6, &counter);
    if (l_error_type_at(0) == 0) l_generator_setup(option);
    scope.pop();
}

void stats_free(void* p) { std::free(p); }

double* stats_d_random_uniform(std::int32_t n_random, ...) {
    RoutineScope scope("stats_d_random_uniform");
    GeneratorArray<double> array;
    va_list ap;
    va_start(ap, n_random);
    const bool parsed = l_read_single_option(ap, 2, &array);
    va_end(ap);
    if (parsed && l_prepare_result(n_random, &array)) stats_drnun(n_random, array.data);
    double* result = l_finish_result(&array);
    scope.pop();
    return result;
}

float* stats_f_random_uniform(std::int32_t n_random, ...) {
    RoutineScope scope("stats_f_random_uniform");
    GeneratorArray<float> array;
    va_list ap;
    va_start(ap, n_random);
    const bool parsed = l_read_single_option(ap, 2, &array);
    va_end(ap);
    if (parsed && l_prepare_result(n_random, &array)) stats_rnun(n_random, array.data);
    float* result = l_finish_result(&array);
    scope.pop();
    return result;
}
