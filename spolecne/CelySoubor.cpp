#include "CelySoubor.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <vector>

#include "UklidDocasnych.h"

namespace {

std::string zprava(ChybaSouboru::Druh druh, const std::string& cesta) {
    return "Soubor :" + cesta + (druh == ChybaSouboru::Druh::Otevreni ? " se nepodarilo otervrit" : " se nepodarilo zapsat");
}

// A path into /proc (/dev/stdout, /dev/fd/N lead there) names a file that is already open,
// not a place in a folder: it is written in place.
bool otevrenySoubor(const std::string& cesta) {
    for (const char* zacatek : {"/proc/", "/dev/fd/", "/dev/std"})
        if (cesta.rfind(zacatek, 0) == 0) return true;
    return false;
}

// Follows the symbolic links of the path's last component to the file they finally name (the
// file a dangling link would create). Empty for a path through /proc, and after too many links.
std::string konecOdkazu(const std::string& cesta) {
    std::string cil = cesta;
    std::vector<char> odkaz(PATH_MAX);
    for (int skok = 0; skok < 40; ++skok) {
        if (otevrenySoubor(cil)) return "";
        struct stat st {};
        if (::lstat(cil.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return cil;
        const ssize_t delka = ::readlink(cil.c_str(), odkaz.data(), odkaz.size());
        if (delka <= 0 || static_cast<std::size_t>(delka) >= odkaz.size()) return "";
        const std::string text(odkaz.data(), static_cast<std::size_t>(delka));
        const std::size_t lomitko = cil.rfind('/');
        cil = text[0] == '/' || lomitko == std::string::npos ? text : cil.substr(0, lomitko + 1) + text;
    }
    return "";
}

mode_t obvyklaPrava() {
    const mode_t maska = ::umask(0);
    ::umask(maska);
    return 0666 & ~maska;
}

// "FOLDER/NAME.XXXXXX" beside the target, the name cut so that the whole stays within the
// 255 bytes a file name may have.
std::string vzorDocasneho(const std::string& cil) {
    const std::size_t lomitko = cil.rfind('/');
    const std::size_t zacatek = lomitko == std::string::npos ? 0 : lomitko + 1;
    return cil.substr(0, zacatek) + cil.substr(zacatek, 200) + ".XXXXXX";
}

}  // namespace

ChybaSouboru::ChybaSouboru(Druh druh, const std::string& cesta)
    : std::runtime_error(zprava(druh, cesta)), druh_(druh), cesta_(cesta) {}

CelySoubor::CelySoubor(const std::string& cesta) : cesta_(cesta) {
    const ChybaSouboru nelze(ChybaSouboru::Druh::Otevreni, cesta);
    struct stat st {};
    const bool existuje = !cesta.empty() && ::stat(cesta.c_str(), &st) == 0;
    if (cesta.empty() || (existuje && S_ISDIR(st.st_mode))) throw nelze;
    cil_ = existuje && !S_ISREG(st.st_mode) ? "" : konecOdkazu(cesta);
    if (cil_.empty()) {
        // A device, a FIFO or an open file: written in place, as nothing can replace it.
        proud_.open(cesta, std::ios::out | std::ios::trunc);
        if (!proud_.is_open()) throw nelze;
        return;
    }
    existoval_ = existuje;
    prava_ = existuje ? (st.st_mode & 0777) : obvyklaPrava();
    vlastnik_ = st.st_uid;
    skupina_ = st.st_gid;
    // The file is replaced, not opened: the permission to write it is checked here.
    if (existuje && ::access(cil_.c_str(), W_OK) != 0) throw nelze;
    const std::string vzor = vzorDocasneho(cil_);
    std::vector<char> jmeno(vzor.begin(), vzor.end());
    jmeno.push_back('\0');
    {
        BezUklidovychSignalu bezSignalu;
        deskriptor_ = ::mkstemp(jmeno.data());
        if (deskriptor_ < 0) throw nelze;
        docasna_ = jmeno.data();
        misto_ = zapamatujDocasny(docasna_);
    }
    proud_.open(docasna_, std::ios::out | std::ios::trunc);
    if (!proud_.is_open()) {
        zahod();
        throw nelze;
    }
}

CelySoubor::~CelySoubor() {
    if (!hotovo_) zahod();
}

void CelySoubor::potvrd() {
    const ChybaSouboru nelze(ChybaSouboru::Druh::Zapis, cesta_);
    proud_.flush();
    proud_.close();
    bool zapsano = !proud_.fail();
    if (docasna_.empty()) {
        if (!zapsano) throw nelze;
        hotovo_ = true;
        return;
    }
    // The owner first: changing it may clear permission bits. A process that may not give the
    // file its old owner (not the superuser) leaves the replaced file its own.
    if (existoval_ && (vlastnik_ != ::geteuid() || skupina_ != ::getegid()) &&
        ::fchown(deskriptor_, vlastnik_, skupina_) != 0) {
        // Not the superuser: the file becomes the writer's, with its old permission bits.
    }
    zapsano = zapsano && ::fchmod(deskriptor_, prava_) == 0 && ::fsync(deskriptor_) == 0;
    zapsano = ::close(deskriptor_) == 0 && zapsano;
    deskriptor_ = -1;
    if (zapsano) {
        BezUklidovychSignalu bezSignalu;
        zapsano = ::rename(docasna_.c_str(), cil_.c_str()) == 0;
        if (zapsano) {
            zapomenDocasny(misto_);
            docasna_.clear();
        }
    }
    if (!zapsano) {
        zahod();
        throw nelze;
    }
    hotovo_ = true;
}

void CelySoubor::zahod() noexcept {
    if (proud_.is_open()) proud_.close();
    if (deskriptor_ >= 0) ::close(deskriptor_);
    deskriptor_ = -1;
    if (docasna_.empty()) return;
    BezUklidovychSignalu bezSignalu;
    ::unlink(docasna_.c_str());
    zapomenDocasny(misto_);
    misto_ = -1;
    docasna_.clear();
}
