#ifndef MODULOBALY_H
#define MODULOBALY_H

// Owning values of the FLINT, Arb, GMP and MPFR objects that the module uses: each initialises
// its object in the constructor and clears it in the destructor, so that no path (an
// exception included) leaks one. get() hands the object to the library's functions.

#include <algorithm>
#include <vector>

#include <acb.h>
#include <acb_mat.h>
#include <acb_poly.h>
#include <arb.h>
#include <arf.h>
#include <flint/fmpq.h>
#include <flint/fmpq_mat.h>
#include <flint/fmpq_poly.h>
#include <flint/fmpz.h>
#include <flint/fmpz_mat.h>
#include <flint/fmpz_poly.h>
#include <flint/fmpz_poly_factor.h>
#include <flint/fmpz_poly_mat.h>
#include <flint/fmpz_vec.h>
#include <flint/nmod_mat.h>
#include <flint/nmod_poly.h>
#include <gmp.h>
#include <mag.h>
#include <mpfr.h>

// Forbids copying; the wrappers below are moved nowhere either, since FLINT objects are
// handed out by address.
class BezKopie {
protected:
    BezKopie() = default;
    ~BezKopie() = default;

public:
    BezKopie(const BezKopie&) = delete;
    BezKopie& operator=(const BezKopie&) = delete;
};

// Integer (fmpz).
class CeleCislo {
    fmpz_t x;

public:
    CeleCislo() { fmpz_init(x); }
    explicit CeleCislo(long hodnota) { fmpz_init_set_si(x, hodnota); }
    CeleCislo(const CeleCislo& jine) { fmpz_init_set(x, jine.x); }
    CeleCislo& operator=(const CeleCislo& jine) {
        fmpz_set(x, jine.x);
        return *this;
    }
    ~CeleCislo() { fmpz_clear(x); }
    fmpz* get() { return x; }
    const fmpz* get() const { return x; }
};

// Array of integers (fmpz), at least one element.
class CelaCisla : BezKopie {
    long n;
    fmpz* v;

public:
    explicit CelaCisla(long n) : n(std::max(n, 1L)), v(_fmpz_vec_init(this->n)) {}
    ~CelaCisla() { _fmpz_vec_clear(v, n); }
    fmpz* data() { return v; }
    fmpz* operator[](long i) { return v + i; }
};

// Rational (fmpq).
class Racionalni {
    fmpq_t q;

public:
    Racionalni() { fmpq_init(q); }
    Racionalni(const Racionalni& jiny) {
        fmpq_init(q);
        fmpq_set(q, jiny.q);
    }
    Racionalni& operator=(const Racionalni& jiny) {
        fmpq_set(q, jiny.q);
        return *this;
    }
    ~Racionalni() { fmpq_clear(q); }
    fmpq* get() { return q; }
    const fmpq* get() const { return q; }
};

// Integer polynomial (fmpz_poly), an owning value that copies and moves.
class CelyPolynom {
    fmpz_poly_t p;

public:
    CelyPolynom() { fmpz_poly_init(p); }
    CelyPolynom(const CelyPolynom& jiny) {
        fmpz_poly_init(p);
        fmpz_poly_set(p, jiny.p);
    }
    CelyPolynom(CelyPolynom&& jiny) noexcept {
        fmpz_poly_init(p);
        fmpz_poly_swap(p, jiny.p);
    }
    CelyPolynom& operator=(CelyPolynom jiny) noexcept {
        fmpz_poly_swap(p, jiny.p);
        return *this;
    }
    ~CelyPolynom() { fmpz_poly_clear(p); }

    // From coefficients written as integers (index = power).
    static CelyPolynom zCelych(const std::vector<long>& koeficienty) {
        CelyPolynom vysledek;
        for (std::size_t k = 0; k < koeficienty.size(); ++k)
            fmpz_poly_set_coeff_si(vysledek.p, static_cast<long>(k), koeficienty[k]);
        return vysledek;
    }

    fmpz_poly_struct* get() { return p; }
    const fmpz_poly_struct* get() const { return p; }
    // -1 for the zero polynomial.
    long stupen() const { return fmpz_poly_degree(p); }
    bool operator==(const CelyPolynom& jiny) const { return fmpz_poly_equal(p, jiny.p) != 0; }
};

// Rational polynomial (fmpq_poly).
class RacionalniPolynom : BezKopie {
    fmpq_poly_t p;

public:
    RacionalniPolynom() { fmpq_poly_init(p); }
    ~RacionalniPolynom() { fmpq_poly_clear(p); }
    fmpq_poly_struct* get() { return p; }
    const fmpq_poly_struct* get() const { return p; }
};

// Polynomial over Z/pZ (nmod_poly).
class ModularniPolynom : BezKopie {
    nmod_poly_t p;

public:
    explicit ModularniPolynom(mp_limb_t modul) { nmod_poly_init(p, modul); }
    ~ModularniPolynom() { nmod_poly_clear(p); }
    nmod_poly_struct* get() { return p; }
    const nmod_poly_struct* get() const { return p; }
};

// Integer matrix (fmpz_mat).
class CelaMatice : BezKopie {
    fmpz_mat_t m;

public:
    CelaMatice(long radky, long sloupce) { fmpz_mat_init(m, radky, sloupce); }
    ~CelaMatice() { fmpz_mat_clear(m); }
    fmpz_mat_struct* get() { return m; }
    const fmpz_mat_struct* get() const { return m; }
    fmpz* prvek(long i, long j) { return fmpz_mat_entry(m, i, j); }
    const fmpz* prvek(long i, long j) const { return fmpz_mat_entry(m, i, j); }
    long radku() const { return fmpz_mat_nrows(m); }
    long sloupcu() const { return fmpz_mat_ncols(m); }
};

// Rational matrix (fmpq_mat).
class RacionalniMatice : BezKopie {
    fmpq_mat_t m;

public:
    RacionalniMatice(long radky, long sloupce) { fmpq_mat_init(m, radky, sloupce); }
    ~RacionalniMatice() { fmpq_mat_clear(m); }
    fmpq_mat_struct* get() { return m; }
    const fmpq_mat_struct* get() const { return m; }
    fmpq* prvek(long i, long j) { return fmpq_mat_entry(m, i, j); }
    long radku() const { return fmpq_mat_nrows(m); }
    long sloupcu() const { return fmpq_mat_ncols(m); }
};

// Matrix over Z/pZ (nmod_mat).
class ModularniMatice : BezKopie {
    nmod_mat_t m;

public:
    ModularniMatice(long radky, long sloupce, mp_limb_t modul) { nmod_mat_init(m, radky, sloupce, modul); }
    ~ModularniMatice() { nmod_mat_clear(m); }
    nmod_mat_struct* get() { return m; }
};

// Matrix of integer polynomials (fmpz_poly_mat).
class PolynomialniMatice : BezKopie {
    fmpz_poly_mat_t m;

public:
    PolynomialniMatice(long radky, long sloupce) { fmpz_poly_mat_init(m, radky, sloupce); }
    ~PolynomialniMatice() { fmpz_poly_mat_clear(m); }
    fmpz_poly_mat_struct* get() { return m; }
    fmpz_poly_struct* prvek(long i, long j) { return fmpz_poly_mat_entry(m, i, j); }
};

// Factorisation of an integer polynomial (fmpz_poly_factor).
class RozkladPolynomu : BezKopie {
    fmpz_poly_factor_t f;

public:
    RozkladPolynomu() { fmpz_poly_factor_init(f); }
    ~RozkladPolynomu() { fmpz_poly_factor_clear(f); }
    fmpz_poly_factor_struct* get() { return f; }
};

// Real ball (arb), complex ball (acb), upper bound of a magnitude (mag), binary floating
// number (arf).
class RealnyInterval {
    arb_t x;

public:
    RealnyInterval() { arb_init(x); }
    RealnyInterval(const RealnyInterval& jiny) {
        arb_init(x);
        arb_set(x, jiny.x);
    }
    RealnyInterval& operator=(const RealnyInterval& jiny) {
        arb_set(x, jiny.x);
        return *this;
    }
    ~RealnyInterval() { arb_clear(x); }
    arb_ptr get() { return x; }
    arb_srcptr get() const { return x; }
};

class KomplexniInterval {
    acb_t z;

public:
    KomplexniInterval() { acb_init(z); }
    KomplexniInterval(const KomplexniInterval& jiny) {
        acb_init(z);
        acb_set(z, jiny.z);
    }
    KomplexniInterval& operator=(const KomplexniInterval& jiny) {
        acb_set(z, jiny.z);
        return *this;
    }
    ~KomplexniInterval() { acb_clear(z); }
    acb_ptr get() { return z; }
    acb_srcptr get() const { return z; }
};

class HorniMez : BezKopie {
    mag_t m;

public:
    HorniMez() { mag_init(m); }
    ~HorniMez() { mag_clear(m); }
    mag_ptr get() { return m; }
    mag_srcptr get() const { return m; }
};

class BinarniCislo : BezKopie {
    arf_t x;

public:
    BinarniCislo() { arf_init(x); }
    ~BinarniCislo() { arf_clear(x); }
    arf_ptr get() { return x; }
    arf_srcptr get() const { return x; }
};

// Upper bounds of magnitudes (mag), an array.
class HorniMeze : BezKopie {
    long n;
    mag_ptr v;

public:
    explicit HorniMeze(long n) : n(std::max(n, 1L)), v(_mag_vec_init(this->n)) {}
    ~HorniMeze() { _mag_vec_clear(v, n); }
    mag_ptr operator[](long i) { return v + i; }
    mag_srcptr operator[](long i) const { return v + i; }
};

// Arrays of real and complex balls (at least one element, so that an empty array is valid).
class RealneIntervaly : BezKopie {
    long n;
    arb_ptr v;

public:
    explicit RealneIntervaly(long n) : n(std::max(n, 1L)), v(_arb_vec_init(this->n)) {}
    ~RealneIntervaly() { _arb_vec_clear(v, n); }
    arb_ptr data() { return v; }
    arb_ptr operator[](long i) { return v + i; }
};

class KomplexniIntervaly : BezKopie {
    long n;
    acb_ptr v;

public:
    explicit KomplexniIntervaly(long n) : n(std::max(n, 1L)), v(_acb_vec_init(this->n)) {}
    ~KomplexniIntervaly() { _acb_vec_clear(v, n); }
    acb_ptr data() { return v; }
    acb_ptr operator[](long i) { return v + i; }
};

// Complex ball polynomial (acb_poly) and complex ball matrix (acb_mat).
class KomplexniPolynom : BezKopie {
    acb_poly_t p;

public:
    KomplexniPolynom() { acb_poly_init(p); }
    ~KomplexniPolynom() { acb_poly_clear(p); }
    acb_poly_struct* get() { return p; }
    const acb_poly_struct* get() const { return p; }
};

class KomplexniMatice : BezKopie {
    acb_mat_t m;

public:
    KomplexniMatice(long radky, long sloupce) { acb_mat_init(m, radky, sloupce); }
    ~KomplexniMatice() { acb_mat_clear(m); }
    acb_mat_struct* get() { return m; }
    acb_ptr prvek(long i, long j) { return acb_mat_entry(m, i, j); }
};

// GMP rational (mpq) and MPFR number of a given precision.
class GmpRacionalni : BezKopie {
    mpq_t q;

public:
    GmpRacionalni() { mpq_init(q); }
    ~GmpRacionalni() { mpq_clear(q); }
    mpq_ptr get() { return q; }
};

class MpfrCislo : BezKopie {
    mpfr_t x;

public:
    explicit MpfrCislo(mpfr_prec_t bitu) { mpfr_init2(x, bitu); }
    ~MpfrCislo() { mpfr_clear(x); }
    mpfr_ptr get() { return x; }
};

// MPFR's exponent range set for the lifetime of the guard; the range it found is restored at its end.
class RozsahMpfr : BezKopie {
    mpfr_exp_t puvodniMin, puvodniMax;

public:
    RozsahMpfr(mpfr_exp_t nejmensi, mpfr_exp_t nejvetsi) : puvodniMin(mpfr_get_emin()), puvodniMax(mpfr_get_emax()) {
        mpfr_set_emin(nejmensi);
        mpfr_set_emax(nejvetsi);
    }
    ~RozsahMpfr() {
        mpfr_set_emin(puvodniMin);
        mpfr_set_emax(puvodniMax);
    }
};

#endif
