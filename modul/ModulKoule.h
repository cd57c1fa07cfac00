#ifndef MODULKOULE_H
#define MODULKOULE_H

#include <acb.h>
#include <acb_mat.h>
#include <acb_poly.h>
#include <arb.h>

// Owning values of Arb's balls: a real ball, a complex ball, a complex polynomial and a complex
// matrix.
class RealnaKoule {
    arb_t x;

public:
    RealnaKoule() { arb_init(x); }
    RealnaKoule(const RealnaKoule&) = delete;
    RealnaKoule& operator=(const RealnaKoule&) = delete;
    ~RealnaKoule() { arb_clear(x); }
    arb_ptr get() { return x; }
    arb_srcptr get() const { return x; }
};

class Koule {
    acb_t z;

public:
    Koule() { acb_init(z); }
    Koule(const Koule&) = delete;
    Koule& operator=(const Koule&) = delete;
    ~Koule() { acb_clear(z); }
    acb_ptr get() { return z; }
    acb_srcptr get() const { return z; }
};

class KoulovyPolynom {
    acb_poly_t p;

public:
    KoulovyPolynom() { acb_poly_init(p); }
    KoulovyPolynom(const KoulovyPolynom&) = delete;
    KoulovyPolynom& operator=(const KoulovyPolynom&) = delete;
    ~KoulovyPolynom() { acb_poly_clear(p); }
    acb_poly_struct* get() { return p; }
};

class KoulovaMatice {
    acb_mat_t m;

public:
    KoulovaMatice(long radky, long sloupce) { acb_mat_init(m, radky, sloupce); }
    KoulovaMatice(const KoulovaMatice&) = delete;
    KoulovaMatice& operator=(const KoulovaMatice&) = delete;
    ~KoulovaMatice() { acb_mat_clear(m); }
    acb_mat_struct* get() { return m; }
    acb_ptr prvek(long i, long j) { return acb_mat_entry(m, i, j); }
};

#endif
