// Exact sums and products of doubles, for the numerical library's checks
// that must know a result to the last bit: Knuth's two-sum and Dekker's
// product by Veltkamp's split (no fused multiply-add needed; the library is
// built without contraction).
#ifndef STATISTICS_EXACTARITHMETIC_H
#define STATISTICS_EXACTARITHMETIC_H

namespace statsexact {

// s + e = a + b exactly, s the rounded sum.
inline void twoSum(double a, double b, double* s, double* e)
{
    *s = a + b;
    const double v = *s - a;
    *e = (a - (*s - v)) + (b - v);
}

// p + e = a b exactly, p the rounded product (barring underflow, and
// overflow of the split for |a| or |b| above about 2^996).
inline void twoProduct(double a, double b, double* p, double* e)
{
    auto split = [](double x, double* hi, double* lo) {
        const double c = 134217729.0 * x;  // 2^27 + 1
        *hi = c - (c - x);
        *lo = x - *hi;
    };
    double ah, al, bh, bl;
    split(a, &ah, &al);
    split(b, &bh, &bl);
    *p = a * b;
    *e = ((ah * bh - *p) + ah * bl + al * bh) + al * bl;
}

}  // namespace statsexact

#endif
