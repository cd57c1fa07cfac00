#ifndef PRESNAMATICE_H
#define PRESNAMATICE_H

#include <string>
#include <vector>


// The exact values of a matrix whose elements are polynomials (a real matrix has one
// coefficient per element, a single polynomial is a 1 x 1 matrix): every coefficient kept as
// the text that spells it, so that a value such as 0.1 or 1.00000000000000000001 keeps the
// value it was written with and not that of its nearest double.
class PresnaMatice {
    int radky = 0;
    int sloupce = 0;
    std::vector<std::string> texty;  // the coefficients of all elements, row by row
    std::vector<std::size_t> konce;  // konce[e]: end of element e in texty

public:
    int get_rows() const { return radky; }
    int get_columns() const { return sloupce; }
    // Coefficients of element (i, j) from power 0 up; empty for an element of value 0.
    std::vector<std::string> prvek(int i, int j) const;

    // Appends the next element in row-major order (rows and columns as given).
    void pridejPrvek(std::vector<std::string> koeficienty);
    // Appends a row of real values, one element each.
    void pridejRadek(const std::vector<std::string>& hodnoty);
    // Starts afresh with the given shape; elements are then appended.
    void novyTvar(int radky, int sloupce);
    void nastavTvar(int radky, int sloupce) { this->radky = radky; this->sloupce = sloupce; }

    // The leading n x n block, zeros where the matrix is smaller.
    PresnaMatice ctverec(int n) const;
};

// The exact values of the matrices of a state-space system, and of an external description.
struct PresnyStav {
    PresnaMatice F, G, H, L;
};
struct PresnyVnejsi {
    PresnaMatice A, B;
};

// The exact value of a finite double in the hexadecimal floating form of printf's %a, e.g.
// 0.1 gives 0x1.999999999999ap-4.
std::string presnyText(double x);

#endif
