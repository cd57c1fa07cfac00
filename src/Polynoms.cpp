#include "Polynoms.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>

#include "Vyjimky.h"

namespace {
// A computed coefficient counts as zero when it is within this many units of rounding of the
// size it was computed from: a few roundings of the operands, never an absolute size.
const double ZAOKROUHLENI = 16.0 * std::numeric_limits<double>::epsilon();

// The largest magnitude that counts as zero beside coefficients of size `meritko`. A size that
// is not finite tells nothing about rounding: then only exact zeros count.
double mezNuly(double meritko) { return std::isfinite(meritko) ? ZAOKROUHLENI * meritko : 0.0; }
}  // namespace

void Polynom::kontrolaVelikosti() {
    if (delka_polynom > MAX_DELKA) throw vyjm::Max_sizePolynom(delka_polynom, ZPRAVA_KAPACITA);
}

void Polynom::odmitniIndex(std::size_t i) {
    // The length the write would need, capped where an int ends.
    const std::size_t delka = std::min<std::size_t>(i, std::numeric_limits<int>::max() - 1) + 1;
    throw vyjm::Max_sizePolynom(static_cast<int>(delka), ZPRAVA_KAPACITA);
}

Polynom Polynom::kopieDelky() const {
    Polynom kopie(delka_polynom, promena, znamenko);
    for (int k = 0; k < delka_polynom; ++k) kopie.pole_polynoms.push_back(koeficient(k));
    return kopie;
}

Polynom Polynom::bezZbytku() const {
    const int horni = stupen < 0 ? 0 : stupen;
    Polynom kopie(horni + 1, promena, znamenko);
    for (int k = 0; k <= horni; ++k) kopie.pole_polynoms.push_back(koeficient(k));
    return kopie;
}

void Polynom::bezZapornehoStupne() {
    // Two empty operands give an empty result, which must still test equal to zero.
    if (stupen < 0) stupen = 0;
}

void Polynom::pripravDo(int konec) {
    konec = std::min(konec, static_cast<int>(MAX_DELKA));
    if (konec > static_cast<int>(pole_polynoms.size())) pole_polynoms.resize(static_cast<std::size_t>(konec), 0.0);
}

Polynom::Polynom(char promena, bool znamenko) : delka_polynom(0), stupen(0), promena(promena), znamenko(znamenko) {}

Polynom::Polynom(const int& delka, char promena, bool znamenko)
    : delka_polynom(std::max(delka, 0)), stupen(std::max(delka, 0) - 1), promena(promena), znamenko(znamenko) {
    kontrolaVelikosti();
}

Polynom::Polynom(const double* pole, const int& delka, char promena, bool znamenko)
    : delka_polynom(std::max(delka, 0)), stupen(std::max(delka, 0) - 1), promena(promena), znamenko(znamenko) {
    kontrolaVelikosti();
    pole_polynoms.assign(pole, pole + delka_polynom);
}

Polynom::Polynom(const Pole<double>& pole, char promena, bool znamenko)
    : Polynom(pole, pole.get_length(), promena, znamenko) {}

Polynom::Polynom(const Pole<double>& pole, const int& delka, char promena, bool znamenko)
    : delka_polynom(std::max(delka, 0)), stupen(std::max(delka, 0) - 1), promena(promena), znamenko(znamenko) {
    kontrolaVelikosti();
    // Never read past the array: positions it does not have stay zero.
    const int kopie = std::min(delka_polynom, pole.get_length());
    for (int k = 0; k < kopie; ++k) pole_polynoms.push_back(pole[k]);
}

Polynom::Polynom(const double& nultyClen, char promena, bool znamenko)
    : pole_polynoms{nultyClen}, delka_polynom(1), stupen(0), promena(promena), znamenko(znamenko) {}

Polynom::Polynom(const double& cislo, const int& stupen, char promena, bool znamenko)
    : delka_polynom(0), stupen(0), promena(promena), znamenko(znamenko) {
    if (stupen < 0) return;  // no such monomial: the empty polynomial
    delka_polynom = stupen + 1;
    kontrolaVelikosti();
    this->stupen = stupen;
    pripravDo(stupen + 1);
    pole_polynoms[stupen] = cislo;
}

void Polynom::add(const double& cislo, const int& stupen) {
    if (stupen < 0) return;
    if (stupen > this->stupen) {
        if (stupen + 1 > MAX_DELKA) throw vyjm::Max_sizePolynom(stupen + 1, ZPRAVA_KAPACITA);
        delka_polynom = stupen + 1;
        this->stupen = stupen;
    }
    (*this)[static_cast<std::size_t>(stupen)] = cislo;
}

Polynom Polynom::odeberPosledniStupen() const {
    if (stupen <= 0) return Polynom('x', false);
    Polynom kopie(*this);
    kopie[static_cast<std::size_t>(stupen)] = 0.0;
    --kopie.stupen;
    --kopie.delka_polynom;
    return kopie;
}

void Polynom::odeberNulyNahore(double mez) {
    while (stupen > 0 && std::fabs(koeficient(stupen)) <= mez) {
        --stupen;
        --delka_polynom;
    }
}

double Polynom::nejvetsiKoeficient() const {
    double nejvetsi = 0.0;
    for (int i = 0; i <= stupen; ++i) nejvetsi = std::max(nejvetsi, std::fabs(koeficient(i)));
    return nejvetsi;
}

void Polynom::reduceDegree() { odeberNulyNahore(mezNuly(nejvetsiKoeficient())); }

void Polynom::odeberZaokrouhleneNahore(const Polynom& p, const Polynom& q) {
    // The sum of two doubles is rounded once, so the result at a power is zero up to rounding
    // only against the operands at that same power: a small coefficient beside large ones stays.
    while (stupen > 0) {
        const double meritko = std::fabs(p.koeficient(stupen)) + std::fabs(q.koeficient(stupen));
        if (!(std::fabs(koeficient(stupen)) <= mezNuly(meritko))) break;
        --stupen;
        --delka_polynom;
    }
}

Polynom Polynom::zrcadleni(int maxstupen) const {
    Polynom kopie(*this);
    kopie.znamenko = !znamenko;
    if (maxstupen == 0) {
        kopie.pripravDo(stupen + 1);
        for (int i = 0; i < delka_polynom / 2; ++i) {
            if (stupen - i < 0) break;
            std::swap(kopie.pole_polynoms[i], kopie.pole_polynoms[stupen - i]);
        }
        return kopie;
    }
    if (maxstupen < 0) return kopie;
    if (maxstupen + 1 > MAX_DELKA) throw vyjm::Max_sizePolynom(maxstupen + 1, ZPRAVA_KAPACITA);
    kopie.stupen = maxstupen;
    kopie.delka_polynom = maxstupen + 1;
    kopie.pripravDo(maxstupen + 1);
    for (int i = maxstupen; i > maxstupen / 2; --i) {
        std::swap(kopie.pole_polynoms[i], kopie.pole_polynoms[maxstupen - i]);
    }
    return kopie;
}

void Polynom::zarovnaniNaKraj() {
    pripravDo(delka_polynom);
    while (stupen > 0 && koeficient(0) == 0.0) {
        for (int k = 0; k + 1 < delka_polynom; ++k) pole_polynoms[k] = pole_polynoms[k + 1];
        if (delka_polynom > 0) pole_polynoms[delka_polynom - 1] = 0.0;
        --delka_polynom;
        --stupen;
    }
}

Polynom Polynom::operator+(const double& cislo) const {
    if (delka_polynom <= 0) return Polynom('x', false);
    Polynom vysledek = kopieDelky();
    vysledek.pole_polynoms[0] = vysledek.pole_polynoms[0] + cislo;
    return vysledek;
}

Polynom Polynom::operator-(const double& cislo) const {
    if (delka_polynom <= 0) return Polynom('x', false);
    Polynom vysledek = kopieDelky();
    vysledek.pole_polynoms[0] = vysledek.pole_polynoms[0] - cislo;
    return vysledek;
}

Polynom Polynom::operator*(const double& cislo) const {
    if (delka_polynom <= 0) return Polynom('x', false);
    Polynom vysledek = kopieDelky();
    for (int i = 0; i < delka_polynom; ++i) vysledek.pole_polynoms[static_cast<std::size_t>(i)] *= cislo;
    vysledek.odeberNulyNahore(0.0);  // scaling keeps every non-zero coefficient non-zero
    return vysledek;
}

Polynom Polynom::operator/(const double& cislo) const {
    if (delka_polynom <= 0 || cislo == 0.0) return Polynom('x', false);
    Polynom vysledek = kopieDelky();
    for (int i = 0; i < delka_polynom; ++i) vysledek.pole_polynoms[static_cast<std::size_t>(i)] /= cislo;
    vysledek.odeberNulyNahore(0.0);
    return vysledek;
}

Polynom Polynom::operator+(const Polynom& p) const {
    const int L = std::max(delka_polynom, p.delka_polynom);
    Polynom vysledek(L, promena, znamenko);
    vysledek.pripravDo(L);
    for (int i = L - 1; i >= 0; --i) vysledek.pole_polynoms[i] = koeficient(i) + p.koeficient(i);
    vysledek.odeberZaokrouhleneNahore(*this, p);
    vysledek.bezZapornehoStupne();
    return vysledek;
}

Polynom Polynom::operator-(const Polynom& p) const {
    const int L = std::max(delka_polynom, p.delka_polynom);
    Polynom vysledek(L, promena, znamenko);
    vysledek.pripravDo(L);
    for (int i = L - 1; i >= 0; --i) vysledek.pole_polynoms[i] = koeficient(i) - p.koeficient(i);
    vysledek.odeberZaokrouhleneNahore(*this, p);
    vysledek.bezZapornehoStupne();
    return vysledek;
}

Polynom Polynom::operator*(const Polynom& p) const {
    // Room for the product is reserved as twice the longer factor, so a factor longer
    // than 250 coefficients fails the capacity test even when the product would fit.
    const int M = std::max(delka_polynom, p.delka_polynom);
    Polynom vysledek(2 * M, promena, znamenko);
    if (stupen >= 0 && p.stupen >= 0) {
        vysledek.pripravDo(stupen + p.stupen + 1);
        for (int i = stupen; i >= 0; --i) {
            for (int j = p.stupen; j >= 0; --j) {
                const std::size_t k = static_cast<std::size_t>(i + j);
                vysledek.pole_polynoms[k] = p.koeficient(j) * koeficient(i) + vysledek.pole_polynoms[k];
            }
        }
    }
    // The top of a product is the product of the tops: zero only when one of them is.
    vysledek.odeberNulyNahore(0.0);
    vysledek.bezZapornehoStupne();
    return vysledek;
}

Polynom Polynom::operator/(const Polynom& p) {
    reduceDegree();
    if (stupen == 0 && koeficient(0) == 0.0) return Polynom(0.0, 0, 'x', false);
    if (p.stupen == 0 && p.koeficient(0) == 0.0 && p.delka_polynom != 1) return p;
    // A constant divisor divides every coefficient, whatever its stored length.
    if (p.stupen == 0 && (p.delka_polynom == 1 || p.koeficient(0) != 0.0)) return *this / p.koeficient(0);
    if (p.stupen <= 0 || stupen < p.stupen) return Polynom(0.0, 0, promena, znamenko);

    Polynom Q(std::max(delka_polynom - p.delka_polynom + 1, 1), promena, znamenko);
    Polynom R(*this);
    // What is left of the dividend is rounding when it is rounding against the dividend's size.
    const double mez = mezNuly(nejvetsiKoeficient());
    const double vedouci = p.koeficient(p.stupen);
    do {
        const int i = R.stupen;
        Q[static_cast<std::size_t>(i - p.stupen)] = R.koeficient(i) / vedouci;
        // The newest quotient term alone, as a monomial at its position.
        Polynom clen(Q.pole_polynoms.data(), i - p.stupen + 1, promena, znamenko);
        R = R - p * clen;
        // The top term cancels by construction; rounding must not leave it behind.
        R[static_cast<std::size_t>(i)] = 0.0;
        R.odeberNulyNahore(mez);
    } while (R.stupen - p.stupen >= 0 && R.stupen > 0);
    return Q;
}

Polynom Polynom::operator%(const Polynom& p) const {
    Polynom delenec(*this);
    Polynom podil = delenec / p;
    Polynom zbytek = delenec - p * podil;
    zbytek.odeberNulyNahore(mezNuly(delenec.nejvetsiKoeficient()));
    return zbytek;
}

bool Polynom::operator==(double cislo) { return stupen == 0 && koeficient(0) == cislo; }
bool Polynom::operator==(double cislo) const { return stupen == 0 && koeficient(0) == cislo; }
bool Polynom::operator!=(const double& cislo) { return stupen != 0 || koeficient(0) != cislo; }
bool Polynom::operator!=(const double& cislo) const { return stupen != 0 || koeficient(0) != cislo; }

bool Polynom::operator==(const Polynom& p) const {
    if (stupen != p.stupen) return false;
    for (int i = 0; i < delka_polynom; ++i) {
        if (koeficient(i) != p.koeficient(i)) return false;
    }
    return true;
}

bool Polynom::operator!=(const Polynom& p) const { return !(*this == p); }

bool Polynom::operator>(const Polynom& p) const {
    if (stupen != p.stupen) return stupen > p.stupen;
    for (int i = stupen; i >= 0; --i) {
        if (koeficient(i) != p.koeficient(i)) return koeficient(i) > p.koeficient(i);
    }
    return false;
}

bool Polynom::operator<(const Polynom& p) const { return p > *this; }
bool Polynom::operator>(const double& cislo) const { return *this > Polynom(cislo); }
bool Polynom::operator<(const double& cislo) const { return *this < Polynom(cislo); }

std::ostream& operator<<(std::ostream& os, const Polynom& p) {
    for (int i = p.stupen; i >= 0; --i) os << std::fixed << std::setprecision(4) << p.koeficient(i) << " ";
    return os;
}
