"""Exact linear algebra over the rationals for the regression reference
generators: the inverse of a square matrix by Gauss-Jordan elimination."""
from fractions import Fraction as Q


def inverse(a):
    """Exact inverse of the square matrix a (a list of rows)."""
    n = len(a)
    m = [[Q(v) for v in row] + [Q(int(i == j)) for j in range(n)] for i, row in enumerate(a)]
    for c in range(n):
        piv = next(r for r in range(c, n) if m[r][c] != 0)
        m[c], m[piv] = m[piv], m[c]
        pv = m[c][c]
        m[c] = [v / pv for v in m[c]]
        for r in range(n):
            if r != c and m[r][c] != 0:
                f = m[r][c]
                m[r] = [vr - f * vc for vr, vc in zip(m[r], m[c])]
    return [row[n:] for row in m]
