#include "Zlomek.h"

#include <typeinfo>

namespace {

// The constant one of a part type.
template <typename T>
T jednicka();
template <>
double jednicka<double>() { return 1.0; }
template <>
Polynom jednicka<Polynom>() { return Polynom(1.0); }

// The zero of a part type as a fresh fraction part.
template <typename T>
T nula();
template <>
double nula<double>() { return 0.0; }
template <>
Polynom nula<Polynom>() { return Polynom(); }

// Division of a part by a part: real division, or the quotient of the long division.
double podil(double citatel, double jmenovatel) { return citatel / jmenovatel; }
Polynom podil(Polynom citatel, const Polynom& jmenovatel) { return citatel / jmenovatel; }

bool jeNula(const double& cislo) { return !(cislo != 0.0); }
bool jeNula(const Polynom& p) { return !(p != 0.0); }

}  // namespace

template <typename T>
Zlomek<T>::Zlomek() : citatel(nula<T>()), jmenovatel(jednicka<T>()), chyba(nula<T>()) {}

template <typename T>
Zlomek<T>::Zlomek(const double& cislo) : citatel(T(cislo)), jmenovatel(jednicka<T>()), chyba(nula<T>()) {}

template <typename T>
Zlomek<T>::Zlomek(const T& citatel, const T& jmenovatel)
    : citatel(citatel), jmenovatel(jeNula(jmenovatel) ? jednicka<T>() : jmenovatel), chyba(nula<T>()) {}

template <typename T>
Zlomek<T> Zlomek<T>::operator+(const int& cislo) const {
    return Zlomek(citatel + jmenovatel * static_cast<double>(cislo), jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator-(const int& cislo) const {
    return Zlomek(citatel - jmenovatel * static_cast<double>(cislo), jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator*(const int& cislo) const {
    return Zlomek(citatel * static_cast<double>(cislo), jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator/(const int& cislo) const {
    if (cislo == 0) return Zlomek();
    return Zlomek(citatel / static_cast<double>(cislo), jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator+(const T& cislo) const {
    return Zlomek(citatel + cislo * jmenovatel, jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator-(const T& cislo) const {
    return Zlomek(citatel - cislo * jmenovatel, jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator*(const T& cislo) const {
    return Zlomek(citatel * cislo, jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator/(const T& cislo) const {
    if (jeNula(cislo)) return Zlomek();
    return Zlomek(podil(citatel, cislo), jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator+(const Zlomek& zlomek) const {
    if (jmenovatel == zlomek.jmenovatel) return Zlomek(citatel + zlomek.citatel, zlomek.jmenovatel);
    return Zlomek(citatel * zlomek.jmenovatel + zlomek.citatel * jmenovatel, jmenovatel * zlomek.jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator-(const Zlomek& zlomek) const {
    if (jmenovatel == zlomek.jmenovatel) return Zlomek(citatel - zlomek.citatel, zlomek.jmenovatel);
    return Zlomek(citatel * zlomek.jmenovatel - zlomek.citatel * jmenovatel, jmenovatel * zlomek.jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator*(const Zlomek& zlomek) const {
    return Zlomek(citatel * zlomek.citatel, jmenovatel * zlomek.jmenovatel);
}

template <typename T>
Zlomek<T> Zlomek<T>::operator/(const Zlomek& zlomek) const {
    if (jeNula(zlomek.citatel)) return Zlomek();
    return Zlomek(citatel * zlomek.jmenovatel, jmenovatel * zlomek.citatel);
}

template <typename T>
T Zlomek<T>::odstraneniZlomku() const {
    return podil(citatel, jmenovatel);
}

template <typename T>
T& Zlomek<T>::operator[](int index) {
    if (index == 1) return citatel;
    if (index == 2) return jmenovatel;
    return chyba;
}

template <typename T>
const T& Zlomek<T>::operator[](int index) const {
    if (index == 1) return citatel;
    if (index == 2) return jmenovatel;
    return chyba;
}

template <typename T>
bool Zlomek<T>::operator==(const double& cislo) const {
    return citatel == cislo;
}

template <typename T>
bool Zlomek<T>::operator!=(double cislo) const {
    return citatel != cislo;
}

template <typename T>
std::string Zlomek<T>::toString() const {
    return std::string("Zlomek ") + typeid(T).name() + "\n";
}

std::ostream& operator<<(std::ostream& os, const Zlomek<double>& z) {
    return os << "|" << z.get_citatel() << " / " << z.get_jmenovatel() << "|";
}

std::ostream& operator<<(std::ostream& os, const Zlomek<Polynom>& z) {
    return os << "|" << z.get_citatel() << " / " << z.get_jmenovatel() << "|";
}

template class Zlomek<double>;
template class Zlomek<Polynom>;
