#include "KontrolaKnihovny.h"

#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

#if defined(__x86_64__)
const int STROJ = EM_X86_64;
#elif defined(__aarch64__)
const int STROJ = EM_AARCH64;
#elif defined(__i386__)
const int STROJ = EM_386;
#else
const int STROJ = EM_NONE;  // not checked
#endif

#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
const unsigned char PORADI = ELFDATA2LSB;
#else
const unsigned char PORADI = ELFDATA2MSB;
#endif

const unsigned char TRIDA = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;

// A file descriptor closed on every path.
struct Deskriptor {
    int fd;
    ~Deskriptor() {
        if (fd >= 0) ::close(fd);
    }
};

bool precti(int fd, void* kam, std::size_t kolik, std::uint64_t odkud) {
    std::size_t precteno = 0;
    while (precteno < kolik) {
        const ssize_t kus = ::pread(fd, static_cast<char*>(kam) + precteno, kolik - precteno,
                                    static_cast<off_t>(odkud + precteno));
        if (kus <= 0) return false;
        precteno += static_cast<std::size_t>(kus);
    }
    return true;
}

// [odkud, odkud + kolik) within a file of `velikost` bytes, without overflow.
bool vSouboru(std::uint64_t odkud, std::uint64_t kolik, std::uint64_t velikost) {
    return odkud <= velikost && kolik <= velikost - odkud;
}

bool spravnaHlavicka(const ElfW(Ehdr)& h, std::uint64_t velikost) {
    return std::memcmp(h.e_ident, ELFMAG, SELFMAG) == 0 && h.e_ident[EI_CLASS] == TRIDA &&
           h.e_ident[EI_DATA] == PORADI && h.e_type == ET_DYN && (STROJ == EM_NONE || h.e_machine == STROJ) &&
           h.e_phentsize == sizeof(ElfW(Phdr)) && h.e_phnum > 0 &&
           vSouboru(h.e_phoff, std::uint64_t{h.e_phnum} * sizeof(ElfW(Phdr)), velikost) &&
           (h.e_shnum == 0 || vSouboru(h.e_shoff, std::uint64_t{h.e_shnum} * h.e_shentsize, velikost));
}

}  // namespace

bool celaKnihovna(const std::string& cesta) {
    const Deskriptor soubor{::open(cesta.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat st {};
    if (soubor.fd < 0 || ::fstat(soubor.fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const std::uint64_t velikost = static_cast<std::uint64_t>(st.st_size);
    ElfW(Ehdr) hlavicka {};
    if (!precti(soubor.fd, &hlavicka, sizeof hlavicka, 0) || !spravnaHlavicka(hlavicka, velikost)) return false;
    std::vector<ElfW(Phdr)> useky(hlavicka.e_phnum);
    if (!precti(soubor.fd, useky.data(), useky.size() * sizeof(ElfW(Phdr)), hlavicka.e_phoff)) return false;
    for (const ElfW(Phdr)& usek : useky) {
        if ((usek.p_type == PT_LOAD || usek.p_type == PT_DYNAMIC) && !vSouboru(usek.p_offset, usek.p_filesz, velikost))
            return false;
    }
    return true;
}
