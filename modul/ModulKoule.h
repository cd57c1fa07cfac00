#ifndef MODULKOULE_H
#define MODULKOULE_H

#include <algorithm>

#include <acb.h>
#include <arb.h>
#include <arf.h>
#include <mag.h>
#include <flint/fmpq.h>
#include <flint/fmpz.h>

// Owning values of Arb's balls and floating-point numbers and of FLINT's integers and
// rationals: each initialises its object and clears it once, whatever way the scope ends.

class RealnaKoule {
    arb_t x;

public:
    RealnaKoule() { arb_init(x); }
    RealnaKoule(const RealnaKoule& jina) {
        arb_init(x);
        arb_set(x, jina.x);
    }
    RealnaKoule& operator=(const RealnaKoule& jina) {
        arb_set(x, jina.x);
        return *this;
    }
    ~RealnaKoule() { arb_clear(x); }
    arb_ptr get() { return x; }
    arb_srcptr get() const { return x; }
};

class KomplexniBod {
    acb_t z;

public:
    KomplexniBod() { acb_init(z); }
    KomplexniBod(const KomplexniBod& jiny) {
        acb_init(z);
        acb_set(z, jiny.z);
    }
    KomplexniBod& operator=(const KomplexniBod& jiny) {
        acb_set(z, jiny.z);
        return *this;
    }
    ~KomplexniBod() { acb_clear(z); }
    acb_ptr get() { return z; }
    acb_srcptr get() const { return z; }
};

class Plovouci {
    arf_t x;

public:
    Plovouci() { arf_init(x); }
    Plovouci(const Plovouci&) = delete;
    Plovouci& operator=(const Plovouci&) = delete;
    ~Plovouci() { arf_clear(x); }
    arf_ptr get() { return x; }
    arf_srcptr get() const { return x; }
};

class HorniMez {
    mag_t x;

public:
    HorniMez() { mag_init(x); }
    HorniMez(const HorniMez&) = delete;
    HorniMez& operator=(const HorniMez&) = delete;
    ~HorniMez() { mag_clear(x); }
    mag_ptr get() { return x; }
    mag_srcptr get() const { return x; }
};

class CeleCislo {
    fmpz_t x;

public:
    CeleCislo() { fmpz_init(x); }
    explicit CeleCislo(long hodnota) { fmpz_init_set_si(x, hodnota); }
    CeleCislo(const CeleCislo&) = delete;
    CeleCislo& operator=(const CeleCislo&) = delete;
    ~CeleCislo() { fmpz_clear(x); }
    fmpz* get() { return x; }
    const fmpz* get() const { return x; }
};

class RacionalniCislo {
    fmpq_t q;

public:
    RacionalniCislo() { fmpq_init(q); }
    RacionalniCislo(const RacionalniCislo& jine) {
        fmpq_init(q);
        fmpq_set(q, jine.q);
    }
    RacionalniCislo& operator=(const RacionalniCislo& jine) {
        fmpq_set(q, jine.q);
        return *this;
    }
    ~RacionalniCislo() { fmpq_clear(q); }
    fmpq* get() { return q; }
    const fmpq* get() const { return q; }
};

// Owning arrays of complex and of real balls (at least one element, so that an empty array
// still has a valid pointer).
class KomplexniKoule {
    acb_ptr v;
    long n;

public:
    explicit KomplexniKoule(long n) : v(_acb_vec_init(std::max(n, 1L))), n(std::max(n, 1L)) {}
    KomplexniKoule(const KomplexniKoule&) = delete;
    KomplexniKoule& operator=(const KomplexniKoule&) = delete;
    ~KomplexniKoule() { _acb_vec_clear(v, n); }
    acb_ptr data() { return v; }
    acb_ptr operator[](long i) { return v + i; }
};

class RealneKoule {
    arb_ptr v;
    long n;

public:
    explicit RealneKoule(long n) : v(_arb_vec_init(std::max(n, 1L))), n(std::max(n, 1L)) {}
    RealneKoule(const RealneKoule&) = delete;
    RealneKoule& operator=(const RealneKoule&) = delete;
    ~RealneKoule() { _arb_vec_clear(v, n); }
    arb_ptr data() { return v; }
    arb_ptr operator[](long i) { return v + i; }
};

#endif
