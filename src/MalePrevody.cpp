#include "MalePrevody.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "RozborCisla.h"

namespace {

__extension__ typedef __int128 Cele;

const int MAX_STAVU = 8;
const int MAX_DVOJIC = 16;
const std::size_t MAX_CISLIC = 18;
const long MAX_EXPONENT = 36;  // 10^37 does not fit 127 bits

bool soucin(Cele a, Cele b, Cele& v) { return !__builtin_mul_overflow(a, b, &v); }
bool soucet(Cele a, Cele b, Cele& v) { return !__builtin_add_overflow(a, b, &v); }

bool mocninaDeseti(long k, Cele& v) {
    v = 1;
    for (long i = 0; i < k; ++i)
        if (!soucin(v, 10, v)) return false;
    return k >= 0;
}

// The value of a text as m 10^e; false for a hexadecimal text or more than 18 digits.
bool desetinne(const std::string& text, Cele& m, long& e) {
    RozlozeneCislo c;
    if (!rozlozCislo(text, c)) return false;
    m = 0;
    e = 0;
    // Below the range of double every reader takes the value as 0.
    if (std::strtod(text.c_str(), nullptr) == 0.0) return true;
    std::string cislice = c.cislice.substr(c.cislice.find_first_not_of('0'));
    e = c.exponent - c.zaTeckou;
    while (cislice.size() > MAX_CISLIC && cislice.back() == '0') {
        cislice.pop_back();
        ++e;
    }
    if (cislice.size() > MAX_CISLIC || e > MAX_EXPONENT || e < -MAX_EXPONENT) return false;
    for (const char znak : cislice) m = m * 10 + (znak - '0');
    if (c.zaporne) m = -m;
    return true;
}

// Values as integers over one power of ten, hodnoty[k] / 10^s.
struct Skalovane {
    std::vector<Cele> hodnoty;
    long s = 0;
};

bool skaluj(const std::vector<std::string>& texty, Skalovane& v) {
    std::vector<Cele> m(texty.size());
    std::vector<long> e(texty.size());
    v.s = 0;
    for (std::size_t k = 0; k < texty.size(); ++k) {
        if (!desetinne(texty[k], m[k], e[k])) return false;
        if (m[k] != 0 && -e[k] > v.s) v.s = -e[k];
    }
    v.hodnoty.assign(texty.size(), 0);
    for (std::size_t k = 0; k < texty.size(); ++k) {
        Cele mocnina;
        if (m[k] != 0 && !(mocninaDeseti(e[k] + v.s, mocnina) && soucin(m[k], mocnina, v.hodnoty[k]))) return false;
    }
    return true;
}

// Every element of a real matrix (an empty element is 0), row by row.
bool skalujMatici(const PresnaMatice& M, Skalovane& v) {
    std::vector<std::string> texty;
    for (int i = 0; i < M.get_rows(); ++i)
        for (int j = 0; j < M.get_columns(); ++j) {
            const std::vector<std::string> prvek = M.prvek(i, j);
            texty.push_back(prvek.empty() ? "0" : prvek.front());
        }
    return skaluj(texty, v);
}

// A double holds the integer exactly: its odd part has at most 53 bits.
bool jeDouble(Cele x) {
    if (x < 0) x = -x;
    while (x != 0 && x % 2 == 0) x /= 2;
    return x < (Cele(1) << 53);
}

// The nearest double of p / q: one IEEE division of two exact doubles, correctly rounded
// (no quotient of integers below 2^127 overflows or leaves the normal range). -0 is 0.
bool podil(Cele p, Cele q, double& x) {
    if (q == 0 || !jeDouble(p) || !jeDouble(q)) return false;
    x = static_cast<double>(p) / static_cast<double>(q);
    if (x == 0.0) x = 0.0;
    return true;
}

bool podilDeseti(Cele p, long d, double& x) {
    while (d > 0 && p % 10 == 0) {
        p /= 10;
        --d;
    }
    Cele q;
    return mocninaDeseti(d, q) && podil(p, q, x);
}

using Matice = std::vector<Cele>;  // n x n, row by row

bool soucinMatic(const Matice& A, const Matice& B, int n, Matice& C) {
    C.assign(static_cast<std::size_t>(n * n), 0);
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < n; ++k) {
            const Cele a = A[static_cast<std::size_t>(i * n + k)];
            if (a == 0) continue;
            for (int j = 0; j < n; ++j) {
                Cele t;
                Cele& c = C[static_cast<std::size_t>(i * n + j)];
                if (!soucin(a, B[static_cast<std::size_t>(k * n + j)], t) || !soucet(c, t, c)) return false;
            }
        }
    return true;
}

// det(wI - M) = sum c_k w^k and adj(wI - M) = sum_k N_k w^(n-k), k = 1 ... n, by
// Faddeev and LeVerrier: N_1 = I, c_(n-k) = -tr(M N_k) / k (an exact division),
// N_(k+1) = M N_k + c_(n-k) I.
bool charakteristicky(const Matice& M, int n, std::vector<Cele>& c, std::vector<Matice>& N) {
    c.assign(static_cast<std::size_t>(n + 1), 0);
    c[static_cast<std::size_t>(n)] = 1;
    N.assign(static_cast<std::size_t>(n + 1), Matice());
    Matice Nk(static_cast<std::size_t>(n * n), 0), MN;
    for (int i = 0; i < n; ++i) Nk[static_cast<std::size_t>(i * n + i)] = 1;
    for (int k = 1; k <= n; ++k) {
        N[static_cast<std::size_t>(k)] = Nk;
        if (!soucinMatic(M, Nk, n, MN)) return false;
        Cele stopa = 0;
        for (int i = 0; i < n; ++i)
            if (!soucet(stopa, MN[static_cast<std::size_t>(i * n + i)], stopa)) return false;
        if (stopa % k != 0) return false;
        const Cele ck = -(stopa / k);
        c[static_cast<std::size_t>(n - k)] = ck;
        for (int i = 0; i < n; ++i)
            if (!soucet(MN[static_cast<std::size_t>(i * n + i)], ck, MN[static_cast<std::size_t>(i * n + i)])) return false;
        Nk.swap(MN);
    }
    return true;
}

Polynom polynom(const std::vector<double>& koeficienty) {
    return Polynom(koeficienty.data(), static_cast<int>(koeficienty.size()), 'x', false);
}

}  // namespace

namespace {

// The blocks of a state-space system as integers over powers of ten, with det(wI - M) and
// adj(wI - M) of M = 10^s F.
struct CelyStav {
    Skalovane F, G, H, L;
    std::vector<Cele> c;
    std::vector<Matice> N;
    int n = 0, vstupy = 0, vystupy = 0;
};

// The coefficients of B_ij over their common denominators 10^(s (n-m) + g + h + l), m = 0 ... n:
// H adj(zI - F) G = P(10^s z) / 10^(s (n-1) + g + h) with P = H' adj(wI - M) G', so the
// numerator at z^m is P_m 10^(s + l) + L'_ij c_m 10^(g + h).
bool citatelKanalu(const CelyStav& s, int i, int j, std::vector<Cele>& citatel) {
    const int n = s.n;
    Cele posunP, posunL;
    if (!mocninaDeseti(s.F.s + s.L.s, posunP) || !mocninaDeseti(s.G.s + s.H.s, posunL)) return false;
    citatel.assign(static_cast<std::size_t>(n + 1), 0);
    for (int m = 0; m <= n; ++m) {
        Cele P = 0, t, primy;
        for (int r = 0; m < n && r < n; ++r)
            for (int q = 0; q < n; ++q) {
                const Cele adj = s.N[static_cast<std::size_t>(n - m)][static_cast<std::size_t>(r * n + q)];
                if (!soucin(s.H.hodnoty[static_cast<std::size_t>(i * n + r)], adj, t) ||
                    !soucin(t, s.G.hodnoty[static_cast<std::size_t>(q * s.vstupy + j)], t) || !soucet(P, t, P))
                    return false;
            }
        Cele& cil = citatel[static_cast<std::size_t>(m)];
        if (!soucin(P, posunP, cil) || !soucin(s.L.hodnoty[static_cast<std::size_t>(i * s.vstupy + j)], s.c[static_cast<std::size_t>(m)], primy) ||
            !soucin(primy, posunL, primy) || !soucet(cil, primy, cil))
            return false;
    }
    while (citatel.size() > 1 && citatel.back() == 0) citatel.pop_back();
    return true;
}

bool celyStav(const PresnyStav& stav, CelyStav& s) {
    s.n = stav.F.get_rows();
    s.vstupy = stav.G.get_columns();
    s.vystupy = stav.H.get_rows();
    const int n = s.n;
    if (n < 1 || n > MAX_STAVU || s.vstupy * s.vystupy > MAX_DVOJIC || stav.F.get_columns() != n ||
        stav.G.get_rows() != n || stav.H.get_columns() != n || stav.L.get_rows() != s.vystupy ||
        stav.L.get_columns() != s.vstupy)
        return false;
    return skalujMatici(stav.F, s.F) && skalujMatici(stav.G, s.G) && skalujMatici(stav.H, s.H) &&
           skalujMatici(stav.L, s.L) && charakteristicky(s.F.hodnoty, n, s.c, s.N);
}

}  // namespace

bool malyPrenos(const PresnyStav& stav, Polynom& A, Matrix<Polynom>& B) {
    CelyStav s;
    if (!celyStav(stav, s)) return false;
    const int n = s.n;
    // A_m = c_m / 10^(s (n - m)).
    std::vector<double> a(static_cast<std::size_t>(n + 1));
    for (int m = 0; m <= n; ++m)
        if (!podilDeseti(s.c[static_cast<std::size_t>(m)], s.F.s * (n - m), a[static_cast<std::size_t>(m)])) return false;
    Matrix<Polynom> citatele(s.vystupy, s.vstupy, Matrix<Polynom>::ZEROS);
    std::vector<Cele> citatel;
    for (int i = 0; i < s.vystupy; ++i)
        for (int j = 0; j < s.vstupy; ++j) {
            if (!citatelKanalu(s, i, j, citatel)) return false;
            std::vector<double> b(citatel.size());
            for (std::size_t m = 0; m < citatel.size(); ++m)
                if (!podilDeseti(citatel[m], s.F.s * (n - static_cast<long>(m)) + s.G.s + s.H.s + s.L.s, b[m])) return false;
            citatele(i, j) = polynom(b);
        }
    A = polynom(a);
    B = citatele;
    return true;
}

bool malaRealizace(const PresnyVnejsi& vnejsi, Matrix<double>& F, Matrix<double>& G, Matrix<double>& H,
                   Matrix<double>& L) {
    if (vnejsi.A.get_rows() != 1 || vnejsi.A.get_columns() != 1 || vnejsi.B.get_rows() != 1 || vnejsi.B.get_columns() != 1)
        return false;
    const std::vector<std::string> textyA = vnejsi.A.prvek(0, 0), textyB = vnejsi.B.prvek(0, 0);
    std::vector<std::string> texty = textyA;
    texty.insert(texty.end(), textyB.begin(), textyB.end());
    Skalovane v;
    if (!skaluj(texty, v)) return false;
    const std::vector<Cele> a(v.hodnoty.begin(), v.hodnoty.begin() + static_cast<long>(textyA.size()));
    const std::vector<Cele> b(v.hodnoty.begin() + static_cast<long>(textyA.size()), v.hodnoty.end());
    int n = static_cast<int>(a.size()) - 1;
    while (n >= 0 && a[static_cast<std::size_t>(n)] == 0) --n;
    if (n < 1) return false;
    const Cele an = a[static_cast<std::size_t>(n)];
    auto koeficientB = [&b](int k) { return k < static_cast<int>(b.size()) ? b[static_cast<std::size_t>(k)] : Cele(0); };
    Cele deset, jmenovatelH;
    if (!mocninaDeseti(v.s, deset) || !soucin(an, deset, jmenovatelH)) return false;
    Matrix<double> f(n, n, Matrix<double>::ZEROS), g(n, 1, Matrix<double>::ZEROS), h(1, n, Matrix<double>::ZEROS),
        l(1, 1, Matrix<double>::ZEROS);
    // F: the companion row -a_j / a_n; G = 10^s / a_n; H_j = (b_j a_n - a_j b_n) / (a_n 10^s); L = b_n / a_n.
    for (int i = 0; i + 1 < n; ++i) f(i, i + 1) = 1.0;
    for (int j = 0; j < n; ++j) {
        Cele x, y;
        if (!podil(-a[static_cast<std::size_t>(j)], an, f(n - 1, j)) || !soucin(koeficientB(j), an, x) ||
            !soucin(a[static_cast<std::size_t>(j)], koeficientB(n), y) || __builtin_sub_overflow(x, y, &x) ||
            !podil(x, jmenovatelH, h(0, j)))
            return false;
    }
    if (!podil(deset, an, g(n - 1, 0)) || !podil(koeficientB(n), an, l(0, 0))) return false;
    F = f;
    G = g;
    H = h;
    L = l;
    return true;
}
