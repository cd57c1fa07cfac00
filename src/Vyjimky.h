#ifndef VYJIMKY_H
#define VYJIMKY_H

#include <stdexcept>
#include <string>

// Every failure the program detects is one of these types; only the driver catches them.
// None derives from another, so each handler in main sees exactly its own kind.
namespace vyjm {

class FileError : public std::logic_error {
public:
    explicit FileError(const std::string& error) : std::logic_error(error) {}
};

class ConvertError : public std::logic_error {
public:
    explicit ConvertError(const std::string& error) : std::logic_error(error) {}
};

class ArgumentError : public std::logic_error {
public:
    explicit ArgumentError(const std::string& error) : std::logic_error(error) {}
};

class Null_det : public std::logic_error {
public:
    explicit Null_det(const std::string& objekt) : std::logic_error(objekt) {}
};

class Max_sizePolynom : public std::logic_error {
    int velikost;

public:
    Max_sizePolynom(const int& velikost, const std::string& objekt)
        : std::logic_error(objekt), velikost(velikost) {}
    const int& get_velikost() const { return velikost; }
};

class Bad_index : public std::logic_error {
    int bi;
    int velikost;

public:
    Bad_index(const int& bi, const int& velikost, const std::string& objekt)
        : std::logic_error(objekt), bi(bi), velikost(velikost) {}
    const int& chybny_index() const { return bi; }
    const int& dana_velikost() const { return velikost; }
};

class CLDDS_MIMO : public std::logic_error {
    int l;
    int m;

public:
    CLDDS_MIMO(const int& l, const int& m, const std::string& objekt)
        : std::logic_error(objekt), l(l), m(m) {}
    const int& get_l() const { return l; }
    const int& get_m() const { return m; }
};

class CLDDS_Vnejsi_MIMO : public std::logic_error {
    int r;
    int s;

public:
    CLDDS_Vnejsi_MIMO(const int& r, const int& s, const std::string& objekt)
        : std::logic_error(objekt), r(r), s(s) {}
    const int& get_r() const { return r; }
    const int& get_s() const { return s; }
};

class CLDDS_Vnejsi_SISO : public std::logic_error {
    int r;
    int s;

public:
    CLDDS_Vnejsi_SISO(const int& r, const int& s, const std::string& objekt)
        : std::logic_error(objekt), r(r), s(s) {}
    const int& get_r() const { return r; }
    const int& get_s() const { return s; }
};

class CLDDS_Stav_MIMO : public std::logic_error {
    int n;

public:
    CLDDS_Stav_MIMO(const int& n, const std::string& objekt) : std::logic_error(objekt), n(n) {}
    const int& get_n() const { return n; }
};

class CLDDS_Stav_SISO : public std::logic_error {
    int n;
    int l;
    int m;

public:
    CLDDS_Stav_SISO(const int& n, const int& l, const int& m, const std::string& objekt)
        : std::logic_error(objekt), n(n), l(l), m(m) {}
    const int& get_n() const { return n; }
    const int& get_l() const { return l; }
    const int& get_m() const { return m; }
};

}  // namespace vyjm

#endif
