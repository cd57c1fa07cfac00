#ifndef VYJIMKY_H
#define VYJIMKY_H

#include <stdexcept>
#include <string>

// Every failure the program detects is one of these types; only the driver catches them.
// They share one base, through which the driver prints the message of every kind that needs
// nothing more; none of the eleven derives from another.
namespace vyjm {

class Chyba : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class FileError : public Chyba {
public:
    explicit FileError(const std::string& error) : Chyba(error) {}
};

class ConvertError : public Chyba {
public:
    explicit ConvertError(const std::string& error) : Chyba(error) {}
};

class ArgumentError : public Chyba {
public:
    explicit ArgumentError(const std::string& error) : Chyba(error) {}
};

class Null_det : public Chyba {
public:
    explicit Null_det(const std::string& objekt) : Chyba(objekt) {}
};

class Max_sizePolynom : public Chyba {
    int velikost;

public:
    Max_sizePolynom(const int& velikost, const std::string& objekt)
        : Chyba(objekt), velikost(velikost) {}
    const int& get_velikost() const { return velikost; }
};

class Bad_index : public Chyba {
    int bi;
    int velikost;

public:
    Bad_index(const int& bi, const int& velikost, const std::string& objekt)
        : Chyba(objekt), bi(bi), velikost(velikost) {}
    const int& chybny_index() const { return bi; }
    const int& dana_velikost() const { return velikost; }
};

class CLDDS_MIMO : public Chyba {
    int l;
    int m;

public:
    CLDDS_MIMO(const int& l, const int& m, const std::string& objekt)
        : Chyba(objekt), l(l), m(m) {}
    const int& get_l() const { return l; }
    const int& get_m() const { return m; }
};

class CLDDS_Vnejsi_MIMO : public Chyba {
    int r;
    int s;

public:
    CLDDS_Vnejsi_MIMO(const int& r, const int& s, const std::string& objekt)
        : Chyba(objekt), r(r), s(s) {}
    const int& get_r() const { return r; }
    const int& get_s() const { return s; }
};

class CLDDS_Vnejsi_SISO : public Chyba {
    int r;
    int s;

public:
    CLDDS_Vnejsi_SISO(const int& r, const int& s, const std::string& objekt)
        : Chyba(objekt), r(r), s(s) {}
    const int& get_r() const { return r; }
    const int& get_s() const { return s; }
};

class CLDDS_Stav_MIMO : public Chyba {
    int n;

public:
    CLDDS_Stav_MIMO(const int& n, const std::string& objekt) : Chyba(objekt), n(n) {}
    const int& get_n() const { return n; }
};

class CLDDS_Stav_SISO : public Chyba {
    int n;
    int l;
    int m;

public:
    CLDDS_Stav_SISO(const int& n, const int& l, const int& m, const std::string& objekt)
        : Chyba(objekt), n(n), l(l), m(m) {}
    const int& get_n() const { return n; }
    const int& get_l() const { return l; }
    const int& get_m() const { return m; }
};

}  // namespace vyjm

#endif
