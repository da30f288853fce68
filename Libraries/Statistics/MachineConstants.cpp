// Machine constants of IEEE double precision and 32-bit integers, and the
// small numerical utilities used throughout the library.
#include "Statistics/MachineConstants.h"

#include <cmath>
#include <cstdarg>
#include <cstring>
#include <limits>

#include "Statistics/ErrorStack.h"
#include "Statistics/RoutineScope.h"
#include "Statistics/SpecialFunctions.h"

namespace {

double fromBits(std::uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

double doubleConstant(int index) {
    switch (index) {
        case 1: return 2.2250738585072014e-308;
        case 2: return 1.7976931348623157e+308;
        case 3: return 1.1102230246251565e-16;
        case 4: return 2.220446049250313e-16;
        case 5: return fromBits(0x3FD344133FD34413ULL);
        case 6: return fromBits(0x7FFFFFFFFFFFFFFFULL);
        case 7: return std::numeric_limits<double>::infinity();
        case 8: return -std::numeric_limits<double>::infinity();
        default: return 0.0;
    }
}

const std::int32_t kIntConstants[13] = {8, 2, 15, 32767, 31, 2147483647, 2, 24, -125, 128, 53, -1021, 1024};

}  // namespace

double stats_dmach(int index) {
    if (index >= 1 && index <= 8) return doubleConstant(index);
    RoutineScope scope("stats_dmach");
    l_set_int_arg(1, index);
    l_error_post(STATS_TERMINAL, 12009);
    scope.pop();
    return 0.0;
}

double stats_d_machine(int index) {
    if (index >= 1 && index <= 8) return doubleConstant(index);
    RoutineScope scope("stats_d_machine");
    l_set_int_arg(1, 1);
    l_set_int_arg(2, 8);
    l_set_int_arg(3, index);
    l_set_string_arg(1, "n");
    l_error_post(STATS_TERMINAL, 132);
    scope.pop();
    return 0.0;
}

std::int32_t stats_i_machine(int index) {
    if (index >= 0 && index <= 12) return kIntConstants[index];
    RoutineScope scope("stats_i_machine");
    l_set_int_arg(1, 0);
    l_set_int_arg(2, 12);
    l_set_int_arg(3, index);
    l_set_string_arg(1, "n");
    l_error_post(STATS_TERMINAL, 132);
    scope.pop();
    return 0;
}

double stats_d_vmax(int n, ...) {
    RoutineScope scope("stats_d_vmax");
    double result = 0.0;
    if (n >= 1) {
        va_list ap;
        va_start(ap, n);
        result = va_arg(ap, double);
        for (int i = 1; i < n; ++i) {
            double v = va_arg(ap, double);
            if (!(result >= v)) result = v;
        }
        va_end(ap);
    }
    scope.pop();
    return result;
}

double stats_d_vmin(int n, ...) {
    RoutineScope scope("stats_d_vmin");
    double result = 0.0;
    if (n >= 1) {
        va_list ap;
        va_start(ap, n);
        result = va_arg(ap, double);
        for (int i = 1; i < n; ++i) {
            double v = va_arg(ap, double);
            if (result > v || std::isunordered(result, v)) result = v;
        }
        va_end(ap);
    }
    scope.pop();
    return result;
}

std::int32_t stats_i_vmax(int n, ...) {
    RoutineScope scope("stats_i_vmax");
    std::int32_t result = 0;
    if (n >= 1) {
        va_list ap;
        va_start(ap, n);
        result = va_arg(ap, std::int32_t);
        for (int i = 1; i < n; ++i) {
            std::int32_t v = va_arg(ap, std::int32_t);
            if (v > result) result = v;
        }
        va_end(ap);
    }
    scope.pop();
    return result;
}

std::int32_t stats_i_vmin(int n, ...) {
    RoutineScope scope("stats_i_vmin");
    std::int32_t result = 0;
    if (n >= 1) {
        va_list ap;
        va_start(ap, n);
        result = va_arg(ap, std::int32_t);
        for (int i = 1; i < n; ++i) {
            std::int32_t v = va_arg(ap, std::int32_t);
            if (v < result) result = v;
        }
        va_end(ap);
    }
    scope.pop();
    return result;
}

double l_dmax(double a, double b) { return a > b ? a : b; }
double l_dmin(double a, double b) { return a >= b ? b : a; }
std::int32_t l_imax(std::int32_t a, std::int32_t b) { return a > b ? a : b; }
std::int32_t l_imin(std::int32_t a, std::int32_t b) { return a < b ? a : b; }

namespace {

template <class T>
T powerByProducts(T x, std::uint32_t n) {
    switch (n) {
        case 0: return T(1);
        case 1: return x;
        case 2: return x * x;
        case 3: return x * (x * x);
        case 4: { T x2 = x * x; return x2 * x2; }
        case 5: { T x2 = x * x; return x2 * x * x2; }
        case 6: { T x2 = x * x; return x2 * (x2 * x2); }
        default: break;
    }
    T result = T(1);
    T base = x;
    while (n != 0) {
        if (n & 1u) result *= base;
        n >>= 1;
        if (n != 0) base *= base;
    }
    return result;
}

std::uint32_t magnitude(std::int32_t n) {
    return n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
}

}  // namespace

double l_power_double(double x, std::int32_t n) {
    if (n < 0) return powerByProducts(1.0 / x, magnitude(n));
    return powerByProducts(x, magnitude(n));
}

double l_power_float(float x, std::int32_t n) {
    const double base = static_cast<double>(x);
    if (n < 0) return powerByProducts(1.0 / base, magnitude(n));
    return powerByProducts(base, magnitude(n));
}

std::int32_t l_power_int(std::int32_t x, std::int32_t n) {
    if (n < 0) {
        // Integer powers with a negative exponent: only 1 and -1 survive.
        if (x == 1) return 1;
        if (x == -1) return (magnitude(n) & 1u) ? -1 : 1;
        return 0;
    }
    // Wrapping 32-bit arithmetic, done in unsigned to stay defined.
    std::uint32_t result = 1;
    std::uint32_t base = static_cast<std::uint32_t>(x);
    std::uint32_t e = static_cast<std::uint32_t>(n);
    while (e != 0) {
        if (e & 1u) result *= base;
        e >>= 1;
        base *= base;
    }
    return static_cast<std::int32_t>(result);
}

std::int32_t stats_d_factorial(std::int32_t n) {
    RoutineScope scope("stats_d_factorial");
    int counter = 0;
    l_check_range(n, "n", 0, -1, &counter);
    std::int32_t result = 0;
    if (n >= 0) {
        double g = stats_d_gamma(static_cast<double>(n) + 1.0);
        if (std::isnan(g))
            result = 0;
        else if (g >= 2147483647.0)
            result = 2147483647;  // 13! and beyond do not fit: saturate
        else
            result = static_cast<std::int32_t>(g);
    }
    scope.pop();
    return result;
}

void l_vector_scale(std::int32_t n, double a, double* x, std::int32_t stride) {
    if (n < 1 || stride < 1 || x == nullptr) return;
    for (std::ptrdiff_t i = 0; i < n; ++i) x[i * static_cast<std::ptrdiff_t>(stride)] *= a;
}

void l_vector_add_constant(std::int32_t n, double a, double* x, std::int32_t stride) {
    if (n < 1 || stride < 1 || x == nullptr) return;
    for (std::ptrdiff_t i = 0; i < n; ++i) x[i * static_cast<std::ptrdiff_t>(stride)] += a;
}

int l_is_nan(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const std::uint64_t exponent = (bits >> 52) & 0x7FFu;
    const std::uint64_t mantissa = bits & 0xFFFFFFFFFFFFFULL;
    return exponent == 0x7FFu && mantissa != 0 ? 1 : 0;
}

double l_scaled_norm(std::int32_t n, const double* x) {
    if (n < 1 || x == nullptr) return 0.0;
    const double tiny = doubleConstant(1);
    const double huge = doubleConstant(2);
    const double eps = doubleConstant(4);
    double sum = 0.0;
    for (std::int32_t i = 0; i < n; ++i) sum += std::fabs(x[i]);
    const double small = std::sqrt(tiny / eps);
    if (sum < small) {
        const double factor = 1.0 / (small * eps);
        double squares = 0.0;
        for (std::int32_t i = 0; i < n; ++i) {
            const double v = x[i] * factor;
            squares += v * v;
        }
        return std::sqrt(squares) / factor;
    }
    if (sum <= std::sqrt(eps * huge)) {
        double squares = 0.0;
        for (std::int32_t i = 0; i < n; ++i) squares += x[i] * x[i];
        return std::sqrt(squares);
    }
    const double factor = (std::sqrt(tiny) / eps) / std::sqrt(huge);
    double squares = 0.0;
    for (std::int32_t i = 0; i < n; ++i) {
        const double v = x[i] * factor;
        squares += v * v;
    }
    return std::sqrt(squares) / factor;
}

std::int32_t l_mod_product(std::int32_t a, std::int32_t b, std::int32_t m) {
    if (m == 0) return 0;
    const std::int64_t mm = m;
    const std::int64_t product = (static_cast<std::int64_t>(a) % mm) * (static_cast<std::int64_t>(b) % mm);
    std::int64_t r = product % mm;
    if (m > 0 && r < 0) r += mm;
    if (m < 0 && r > 0) r += mm;
    return static_cast<std::int32_t>(r);
}
