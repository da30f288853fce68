// Multivariate normal vectors: Cholesky factor with rank detection, standard
// normal rows times the factor, and the transposes that turn the
// column-major result into one vector per row.
#include "Statistics/MultivariateNormal.h"

#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "Statistics/ErrorStack.h"
#include "Statistics/GeneratorCall.h"
#include "Statistics/MachineConstants.h"
#include "Statistics/RandomGenerators.h"
#include "Statistics/RoutineScope.h"

namespace {

// Transpose of an m x n row-major matrix of elements of `width` bytes.
// Into another array: element by element. In place: through a temporary,
// or, when none can be had, by following the permutation's cycles (element
// k of the source moves to k*m mod (mn - 1)), moving each cycle from its
// smallest index, found by walking the cycle.
void transpose(std::int32_t m, std::int32_t n, const unsigned char* a, unsigned char* b, std::size_t width) {
    const std::size_t total = static_cast<std::size_t>(m) * static_cast<std::size_t>(n);
    if (a != b) {
        for (std::int32_t i = 0; i < m; ++i)
            for (std::int32_t j = 0; j < n; ++j)
                std::memcpy(b + (static_cast<std::size_t>(j) * m + i) * width, a + (static_cast<std::size_t>(i) * n + j) * width,
                            width);
        return;
    }
    if (m == n) {
        for (std::int32_t i = 0; i < m; ++i)
            for (std::int32_t j = i + 1; j < n; ++j) {
                unsigned char* p = b + (static_cast<std::size_t>(i) * n + j) * width;
                unsigned char* q = b + (static_cast<std::size_t>(j) * n + i) * width;
                unsigned char tmp[16];
                std::memcpy(tmp, p, width);
                std::memcpy(p, q, width);
                std::memcpy(q, tmp, width);
            }
        return;
    }
    unsigned char* temp = static_cast<unsigned char*>(std::malloc(total * width));
    if (temp != nullptr) {
        std::memcpy(temp, a, total * width);
        transpose(m, n, temp, b, width);
        std::free(temp);
        return;
    }
    if (total < 3) return;
    const std::int64_t last = static_cast<std::int64_t>(total) - 1;
    auto next = [&](std::int64_t k) { return k * m % last; };
    for (std::int64_t start = 1; start < last; ++start) {
        std::int64_t k = next(start);
        while (k > start) k = next(k);
        if (k < start) continue;  // not the cycle's smallest index
        unsigned char carry[16], tmp[16];
        std::memcpy(carry, b + start * width, width);
        k = next(start);
        for (;;) {
            std::memcpy(tmp, b + k * width, width);
            std::memcpy(b + k * width, carry, width);
            std::memcpy(carry, tmp, width);
            if (k == start) break;
            k = next(k);
        }
    }
}

bool checkTransposeShape(std::int32_t m, std::int32_t n) {
    if (m <= 0) {
        l_set_int_arg(1, m);
        l_error_post(STATS_TERMINAL, 620);
        return false;
    }
    if (n < 1) {
        l_set_int_arg(1, n);
        l_error_post(STATS_TERMINAL, 621);
        return false;
    }
    return true;
}

}  // namespace

void l_check_dimension(std::int32_t low, std::int32_t value, const char* valueName, std::int32_t high,
                       const char* highName, int* counter) {
    const bool checked = valueName[0] == '*';
    const char* name = checked ? valueName + 1 : valueName;
    if (!checked) l_check_range(value, name, low, low - 1, counter);
    l_check_range(high, highName, 1, 0, counter);
    if (l_error_type_at(0) == 0) l_check_le(value, name, high, highName, counter);
}

double l_dot(std::int32_t n, const double* x, std::int32_t incx, const double* y, std::int32_t incy) {
    if (n < 1) return 0.0;
    std::int64_t ix = incx < 0 ? static_cast<std::int64_t>(-incx) * (n - 1) : 0;
    std::int64_t iy = incy < 0 ? static_cast<std::int64_t>(-incy) * (n - 1) : 0;
    double sum = 0.0;
    for (std::int32_t i = 0; i < n; ++i, ix += incx, iy += incy) sum += x[ix] * y[iy];
    return sum;
}

void l_c1trg(std::int32_t n, double* r, std::int32_t ldr) {
    if (n < 1) {
        l_set_int_arg(1, n);
        l_error_post(STATS_TERMINAL, 2025);
        return;
    }
    if (n > ldr) {
        l_set_int_arg(1, n);
        l_set_int_arg(2, ldr);
        l_error_post(STATS_TERMINAL, 2026);
        return;
    }
    for (std::int32_t j = 0; j < n; ++j)
        for (std::int32_t i = j + 1; i < n; ++i) r[i + static_cast<std::int64_t>(j) * ldr] = 0.0;
}

void stats_chfac(std::int32_t n, const double* a, std::int32_t lda, double tol, std::int32_t* irank, double* r,
                 std::int32_t ldr) {
    RoutineScope scope("stats_chfac");
    int counter = 0;
    l_check_dimension(1, n, "N", lda, "LDA", &counter);
    if (l_error_type_at(0) == 0) l_check_dimension(1, n, "*N", ldr, "LDR", &counter);
    if (l_error_type_at(0) == 0 && !(tol >= 0.0 && tol <= 1.0)) {
        l_set_real_arg(1, tol);
        l_error_post(STATS_TERMINAL, 20405);
    }
    if (l_error_type_at(0) != 0) {
        scope.pop();
        return;
    }
    auto A = [&](std::int32_t i, std::int32_t j) { return a[i + static_cast<std::int64_t>(j) * lda]; };
    auto R = [&](std::int32_t i, std::int32_t j) -> double& { return r[i + static_cast<std::int64_t>(j) * ldr]; };
    if (a != r)
        for (std::int32_t j = 0; j < n; ++j)
            for (std::int32_t i = 0; i <= j; ++i) R(i, j) = A(i, j);
    std::int32_t rank = 0;
    std::int32_t failure = -1;
    for (std::int32_t j = 0; j < n; ++j) {
        const double ajj = R(j, j);
        const double columnTolerance = tol * std::sqrt(std::fabs(ajj));
        double sum = 0.0;
        for (std::int32_t i = 0; i < j; ++i) {
            const double s = R(i, j) - l_dot(i, &R(0, i), 1, &R(0, j), 1);
            if (R(i, i) != 0.0) {
                R(i, j) = s / R(i, i);
                sum += R(i, j) * R(i, j);
            } else {
                R(i, j) = 0.0;
                if (failure < 0 && std::fabs(s) > columnTolerance * l_scaled_norm(i, &R(0, i))) failure = j;
            }
        }
        const double s = ajj - sum;
        if (std::fabs(ajj) * tol >= std::fabs(s)) {
            R(j, j) = 0.0;
        } else if (!(s >= 0.0)) {
            R(j, j) = 0.0;
            if (failure < 0) failure = j;
        } else {
            ++rank;
            R(j, j) = std::sqrt(s);
        }
    }
    if (irank != nullptr) *irank = rank;
    if (failure >= 0) {
        l_set_int_arg(1, failure + 1);
        l_set_real_arg(1, tol);
        l_error_post(STATS_WARNING, 20406);
    }
    l_c1trg(n, r, ldr);
    scope.pop();
}

void l_rnmvn(std::int32_t n, std::int32_t k, const double* r, std::int32_t ldr, double* x, std::int32_t ldx) {
    l_error_push("l_rnmvn ");
    int counter = 0;
    l_check_dimension(1, n, "NR", ldx, "LDR", &counter);
    if (l_error_type_at(0) == 0) l_check_dimension(1, k, "K", ldr, "LDRSIG", &counter);
    auto R = [&](std::int32_t i, std::int32_t j) { return r[i + static_cast<std::int64_t>(j) * ldr]; };
    if (l_error_type_at(0) == 0) {
        for (std::int32_t i = 0; i < k && l_error_type_at(0) == 0; ++i) {
            if (R(i, i) != 0.0) continue;
            for (std::int32_t j = i + 1; j < k; ++j)
                if (R(i, j) != 0.0) {
                    l_error_post(STATS_TERMINAL, 11060);
                    break;
                }
        }
    }
    if (l_error_type_at(0) == 0) {
        if (ldx == n) {
            stats_rnnoa(n * k, x);
        } else {
            for (std::int32_t j = 0; j < k; ++j) stats_rnnoa(n, x + static_cast<std::int64_t>(j) * ldx);
        }
        for (std::int32_t row = 0; row < n; ++row)
            for (std::int32_t j = k - 1; j >= 0; --j) {
                double s = 0.0;
                for (std::int32_t i = 0; i <= j; ++i) s += x[row + static_cast<std::int64_t>(i) * ldx] * R(i, j);
                x[row + static_cast<std::int64_t>(j) * ldx] = s;
            }
    }
    l_error_pop("l_rnmvn ");
}

void M1RAN_F(std::int32_t m, std::int32_t n, const double* a, double* b) {
    RoutineScope scope("M1RAN_F");
    if (checkTransposeShape(m, n))
        transpose(m, n, reinterpret_cast<const unsigned char*>(a), reinterpret_cast<unsigned char*>(b), sizeof(double));
    scope.pop();
}

void M1RAN_C(std::int32_t m, std::int32_t n, const double* a, double* b) {
    RoutineScope scope("M1RAN_C");
    if (checkTransposeShape(m, n))
        transpose(m, n, reinterpret_cast<const unsigned char*>(a), reinterpret_cast<unsigned char*>(b), 2 * sizeof(double));
    scope.pop();
}

void M1RAN_I(std::int32_t m, std::int32_t n, const std::int32_t* a, std::int32_t* b) {
    RoutineScope scope("M1RAN_I");
    if (checkTransposeShape(m, n))
        transpose(m, n, reinterpret_cast<const unsigned char*>(a), reinterpret_cast<unsigned char*>(b),
                  sizeof(std::int32_t));
    scope.pop();
}

double* stats_d_random_normal_multivariate(std::int32_t n_vectors, std::int32_t length, const double* covariance,
                                           ...) {
    RoutineScope scope("stats_d_random_normal_multivariate");
    double* result = nullptr;
    bool owned = false;
    va_list ap;
    va_start(ap, covariance);
    const int code = va_arg(ap, int);
    if (code == STATS_OPT_RETURN_USER) result = va_arg(ap, double*);
    va_end(ap);
    if (code != 0 && code != STATS_OPT_RETURN_USER) {
        l_set_int_arg(1, code);
        l_set_int_arg(2, 4);
        l_error_post(STATS_TERMINAL, 11001);
        scope.pop();
        return nullptr;
    }
    int counter = 0;
    l_check_range(n_vectors, "n_vectors", 1, 0, &counter);
    l_check_range(length, "l_vectors", 1, 0, &counter);
    const std::size_t cells = static_cast<std::size_t>(n_vectors > 0 ? n_vectors : 0) *
                              static_cast<std::size_t>(length > 0 ? length : 0);
    if (l_error_type_at(0) == 0 && result == nullptr) {
        result = static_cast<double*>(std::calloc(cells, sizeof(double)));
        owned = result != nullptr;
        if (result == nullptr) {
            l_set_int_arg(1, n_vectors);
            l_set_int_arg(2, length);
            l_set_string_arg(1, "n_vectors");
            l_set_string_arg(2, "l_vectors");
            l_error_post(STATS_TERMINAL, 202);
        }
    }
    double* factor = nullptr;
    if (l_error_type_at(0) == 0) {
        factor = static_cast<double*>(std::calloc(static_cast<std::size_t>(length) * length, sizeof(double)));
        if (factor == nullptr) {
            l_set_int_arg(1, length);
            l_set_string_arg(1, "l_vectors");
            l_error_post(STATS_TERMINAL, 201);
        }
    }
    if (l_error_type_at(0) == 0) {
        std::int32_t rank = 0;
        stats_chfac(length, covariance, length, 1.0e-5, &rank, factor, length);
        if (l_error_type_at(0) < STATS_FATAL) l_rnmvn(n_vectors, length, factor, length, result, n_vectors);
        if (l_error_type_at(0) < STATS_FATAL) M1RAN_F(length, n_vectors, result, result);
    }
    std::free(factor);
    if (l_error_type_at(0) >= STATS_FATAL && l_error_type_at(0) != STATS_WARNING_IMMEDIATE) {
        if (owned) std::free(result);
        result = nullptr;
    }
    scope.pop();
    return result;
}
