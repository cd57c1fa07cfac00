#ifndef ZLOMEK_H
#define ZLOMEK_H

#include <ostream>
#include <string>

#include "Polynoms.h"

// Fraction citatel / jmenovatel over double or Polynom; never reduced.
template <typename T>
class Zlomek {
    T citatel;
    T jmenovatel;  // never the zero constant: a zero denominator becomes 1
    T chyba;       // spare part returned by operator[] for an unknown index

public:
    Zlomek();
    Zlomek(const double& cislo);
    Zlomek(const T& citatel, const T& jmenovatel);

    Zlomek operator+(const int& cislo) const;
    Zlomek operator-(const int& cislo) const;
    Zlomek operator*(const int& cislo) const;
    Zlomek operator/(const int& cislo) const;

    Zlomek operator+(const T& cislo) const;
    Zlomek operator-(const T& cislo) const;
    Zlomek operator*(const T& cislo) const;
    Zlomek operator/(const T& cislo) const;

    Zlomek operator+(const Zlomek& zlomek) const;
    Zlomek operator-(const Zlomek& zlomek) const;
    Zlomek operator*(const Zlomek& zlomek) const;
    Zlomek operator/(const Zlomek& zlomek) const;

    // citatel / jmenovatel as a T (real division or polynomial quotient).
    T odstraneniZlomku() const;

    // 1: numerator, 2: denominator, anything else: the spare part.
    T& operator[](int index);
    const T& operator[](int index) const;

    const T& get_citatel() const { return citatel; }
    const T& get_jmenovatel() const { return jmenovatel; }

    bool operator==(const double& cislo) const;
    bool operator!=(double cislo) const;

    std::string toString() const;
};

std::ostream& operator<<(std::ostream& os, const Zlomek<double>& z);
std::ostream& operator<<(std::ostream& os, const Zlomek<Polynom>& z);

#endif
