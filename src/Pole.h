#ifndef POLE_H
#define POLE_H

#include <ostream>
#include <string>
#include <typeinfo>
#include <vector>

// One-dimensional array with an explicit length; the storage of every matrix. Defined here in
// full, so that every layer can use it for its own element types.
template <typename T>
class Pole {
    std::vector<T> pole;
    int delka;

public:
    Pole() : pole(), delka(0) {}
    explicit Pole(const int& delka) : pole(), delka(delka > 0 ? delka : 0) {
        pole.resize(static_cast<std::size_t>(this->delka));
    }
    Pole(const T* pole, const int& delka) : pole(), delka(delka > 0 ? delka : 0) {
        if (this->delka > 0) this->pole.assign(pole, pole + this->delka);
    }
    Pole(const Pole& other) = default;
    Pole(Pole&& other) noexcept = default;
    Pole& operator=(const Pole& other) = default;
    Pole& operator=(Pole&& other) noexcept = default;
    ~Pole() = default;

    // Keeps the first elements; new ones at the end are zero elements.
    void _resize(const int& velikost) {
        delka = velikost > 0 ? velikost : 0;
        pole.resize(static_cast<std::size_t>(delka));
    }

    T& operator[](const int& i) { return pole[static_cast<std::size_t>(i)]; }
    const T& operator[](const int& i) const { return pole[static_cast<std::size_t>(i)]; }

    const int& get_length() const { return delka; }
    std::vector<T>& get_pole() { return pole; }
    const std::vector<T>& get_pole() const { return pole; }

    std::string toString() const { return std::string("Pole ") + typeid(T).name() + "\n"; }
};

// Listing "pole[i] = value" a line each; leaves the stream in fixed, precision 3, showpos.
std::ostream& operator<<(std::ostream& os, const Pole<double>& pole);

#endif
