#include "GrafSoubor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "GrafChyba.h"

namespace {

bool zapisVse(int soubor, const std::string& obsah) {
    std::size_t zapsano = 0;
    while (zapsano < obsah.size()) {
        const ssize_t kus = ::write(soubor, obsah.data() + zapsano, obsah.size() - zapsano);
        if (kus < 0) return false;
        zapsano += static_cast<std::size_t>(kus);
    }
    return true;
}

// mkstemp creates the file readable by its owner only; the output gets the usual rights.
void obvyklaPrava(int soubor) {
    const mode_t maska = ::umask(0);
    ::umask(maska);
    ::fchmod(soubor, 0666 & ~maska);
}

}  // namespace

void zapisCelySoubor(const std::string& cesta, const std::string& obsah) {
    std::string vzor = cesta + ".XXXXXX";
    std::vector<char> jmeno(vzor.begin(), vzor.end());
    jmeno.push_back('\0');
    const int soubor = ::mkstemp(jmeno.data());
    if (soubor < 0) throw GrafChyba("Soubor :" + cesta + " se nepodarilo zapsat");
    obvyklaPrava(soubor);
    const bool zapsan = zapisVse(soubor, obsah);
    const bool zavren = ::close(soubor) == 0;
    if (!zapsan || !zavren || std::rename(jmeno.data(), cesta.c_str()) != 0) {
        std::remove(jmeno.data());
        throw GrafChyba("Soubor :" + cesta + " se nepodarilo zapsat");
    }
}
