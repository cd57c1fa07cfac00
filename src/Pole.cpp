#include "Pole.h"

#include <iomanip>
#include <typeinfo>

#include "Matrix.h"
#include "Polynoms.h"
#include "Zlomek.h"

template <typename T>
Pole<T>::Pole() : pole(), delka(0) {}

template <typename T>
Pole<T>::Pole(const int& delka) : pole(), delka(delka > 0 ? delka : 0) {
    pole.resize(static_cast<std::size_t>(this->delka));
}

template <typename T>
Pole<T>::Pole(const T* pole, const int& delka) : pole(), delka(delka > 0 ? delka : 0) {
    if (this->delka > 0) this->pole.assign(pole, pole + this->delka);
}

template <typename T>
void Pole<T>::_resize(const int& velikost) {
    delka = velikost > 0 ? velikost : 0;
    pole.resize(static_cast<std::size_t>(delka));
}

template <typename T>
std::string Pole<T>::toString() const {
    return std::string("Pole ") + typeid(T).name() + "\n";
}

std::ostream& operator<<(std::ostream& os, const Pole<double>& pole) {
    for (int i = 0; i < pole.get_length(); ++i) {
        os << "pole[" << i << "] = " << std::fixed << std::setprecision(3) << std::showpos << pole[i]
           << std::endl;
    }
    return os;
}

template class Pole<int>;
template class Pole<double>;
template class Pole<Polynom>;
template class Pole<Zlomek<Polynom>>;
template class Pole<Matrix<double>>;
