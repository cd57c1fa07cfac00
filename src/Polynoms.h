#ifndef POLYNOMS_H
#define POLYNOMS_H

#include <cstddef>
#include <vector>
#include <ostream>

#include "Pole.h"

// Real polynomial with a capacity of 500 coefficients.
// Index k holds the coefficient of promena^k (or promena^-k when znamenko is true).
class Polynom {
public:
    static const int MAX_DELKA = 500;
    // The message of a refused length (with vyjm::Max_sizePolynom).
    static constexpr const char* ZPRAVA_KAPACITA = "Prekrocena max velikost Polynomu 500";

private:
    // The coefficients the polynomial has touched: every position below the size of the vector
    // holds its stored value (above the length too, where arithmetic left it), every position
    // from there up to the capacity of 500 is zero and takes memory only when written.
    std::vector<double> pole_polynoms;
    int delka_polynom;  // coefficients in use, normally stupen + 1; 0 when empty
    int stupen;         // index of the highest coefficient in use; 0 when empty
    char promena;
    bool znamenko;

    // Raises vyjm::Max_sizePolynom when delka_polynom exceeds the capacity.
    void kontrolaVelikosti();
    // Raises vyjm::Max_sizePolynom for a write at index i beyond the capacity.
    [[noreturn]] static void odmitniIndex(std::size_t i);
    // Stores positions up to konec (at most the capacity), new ones as zeros.
    void pripravDo(int konec);
    void bezZapornehoStupne();
    // A copy of the coefficients 0 ... length - 1, without what lies above the length.
    Polynom kopieDelky() const;
    double koeficient(int i) const {
        return i >= 0 && static_cast<std::size_t>(i) < pole_polynoms.size() ? pole_polynoms[static_cast<std::size_t>(i)] : 0.0;
    }
    // Lowers the degree of this sum or difference of p and q past top coefficients that are
    // zero up to rounding against the operands' coefficients of the same power.
    void odeberZaokrouhleneNahore(const Polynom& p, const Polynom& q);
    double nejvetsiKoeficient() const;

public:
    Polynom(char promena = 'x', bool znamenko = false);
    explicit Polynom(const int& delka, char promena = 'x', bool znamenko = false);
    Polynom(const double* pole, const int& delka, char promena = 'x', bool znamenko = false);
    Polynom(const Pole<double>& pole, char promena = 'x', bool znamenko = false);
    Polynom(const Pole<double>& pole, const int& delka, char promena = 'x', bool znamenko = false);
    Polynom(const double& nultyClen, char promena = 'x', bool znamenko = false);
    Polynom(const double& cislo, const int& stupen, char promena = 'x', bool znamenko = false);

    // Sets the coefficient of power stupen, raising the degree when needed.
    void add(const double& cislo, const int& stupen);
    // Copy without its top coefficient; the empty polynomial for degree 0 or less.
    Polynom odeberPosledniStupen() const;
    // Drops top coefficients that are zero up to rounding against the largest coefficient
    // (|top| <= 16 eps max |coefficient|), never below degree 0. No absolute size is judged:
    // 1e-30 z + 1e-40 keeps its degree.
    void reduceDegree();
    // Lowers the degree past top coefficients of magnitude at most `mez` (by default the exact
    // zeros), never below degree 0.
    void odeberNulyNahore(double mez = 0.0);
    // Copy with the coefficients reversed (over maxstupen when it is not 0) and znamenko toggled.
    Polynom zrcadleni(int maxstupen) const;
    // Copy that holds only the coefficients 0 .. degree. Arithmetic may leave dropped
    // coefficients stored above the degree; a mirror over a larger degree would otherwise move
    // them into the low powers.
    Polynom bezZbytku() const;
    // Removes zero low-order coefficients, shifting the rest down.
    void zarovnaniNaKraj();

    // A position beyond the capacity (index 500 or more) would need more than 500 coefficients:
    // raises vyjm::Max_sizePolynom with that length instead of touching storage it does not have.
    double& operator[](std::size_t i) {
        if (i >= static_cast<std::size_t>(MAX_DELKA)) odmitniIndex(i);
        pripravDo(static_cast<int>(i) + 1);
        return pole_polynoms[i];
    }
    // A position never written, or beyond the capacity, reads as 0; reading stores nothing.
    double operator[](std::size_t i) const { return koeficient(static_cast<int>(i)); }

    const int& get_stupen() const { return stupen; }
    const int& get_delkaPolynomy() const { return delka_polynom; }
    const char& get_promena() const { return promena; }
    const bool& get_znamenko() const { return znamenko; }

    Polynom operator+(const double& cislo) const;
    Polynom operator-(const double& cislo) const;
    Polynom operator*(const double& cislo) const;
    Polynom operator/(const double& cislo) const;
    // Twin for non-const operands, which the in-place polynomial division would otherwise shadow.
    Polynom operator/(const double& cislo) { return static_cast<const Polynom&>(*this) / cislo; }

    Polynom operator+(const Polynom& p) const;
    Polynom operator-(const Polynom& p) const;
    Polynom operator*(const Polynom& p) const;
    // Quotient of the long division; normalises this dividend in place first.
    Polynom operator/(const Polynom& p);
    // Remainder of the long division.
    Polynom operator%(const Polynom& p) const;

    bool operator==(double cislo);
    bool operator==(double cislo) const;
    bool operator!=(const double& cislo);
    bool operator!=(const double& cislo) const;
    bool operator==(const Polynom& p) const;
    bool operator!=(const Polynom& p) const;
    // Orderings by degree, then by coefficients from the top down.
    bool operator>(const Polynom& p) const;
    bool operator<(const Polynom& p) const;
    bool operator>(const double& cislo) const;
    bool operator<(const double& cislo) const;

    friend std::ostream& operator<<(std::ostream& os, const Polynom& p);
};

// Coefficients from the highest power down, fixed with 4 decimals, each followed by " ".
std::ostream& operator<<(std::ostream& os, const Polynom& p);

#endif
