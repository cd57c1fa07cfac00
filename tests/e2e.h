#ifndef CLDDS_TESTS_E2E_H
#define CLDDS_TESTS_E2E_H

// Runs the real tool as a separate process and captures what a user would see.

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace e2e {

struct Vysledek {
    std::string stdout_text;
    std::string stderr_text;
    int exit_status = -1;
    long pametKB = 0;  // peak resident memory of the run
};

// Under AddressSanitizer freed blocks stay in quarantine and shadow memory doubles the rest, so a
// run's peak memory says nothing about the tool's own; memory bounds are checked in plain builds.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool pametMeritelna = false;
#else
constexpr bool pametMeritelna = true;
#endif

inline std::string precti(const std::string& cesta) {
    std::ifstream f(cesta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void zapis(const std::string& cesta, const std::string& obsah) {
    std::ofstream f(cesta, std::ios::binary | std::ios::trunc);
    f << obsah;
}

inline bool existuje(const std::string& cesta) {
    struct stat st;
    return ::stat(cesta.c_str(), &st) == 0;
}

// A fresh empty directory for one test's files.
inline std::string docasnyAdresar() {
    char vzor[] = "/tmp/cldds_e2e_XXXXXX";
    const char* d = ::mkdtemp(vzor);
    return d ? std::string(d) : std::string("/tmp");
}

// A test with a fresh directory of its own, removed with everything in it after the test.
class SAdresarem : public ::testing::Test {
protected:
    std::string adresar = docasnyAdresar();
    ~SAdresarem() override {
        if (adresar.rfind("/tmp/cldds_e2e_", 0) == 0) std::filesystem::remove_all(adresar);
    }
    // The file `jmeno` of the directory written with `obsah`; its path.
    std::string soubor(const std::string& jmeno, const std::string& obsah) const {
        zapis(adresar + "/" + jmeno, obsah);
        return adresar + "/" + jmeno;
    }
};

// Runs build/cldds (or another program) with the given arguments (no shell involved), stdin
// from /dev/null. Standard output is captured, or goes to the file `kamVystup` when one is given.
inline Vysledek spust(const std::vector<std::string>& argumenty, const std::string& kamVystup = "",
                      const std::string& program = CLDDS_BINARY) {
    const std::string adresar = docasnyAdresar();
    const std::string out = adresar + "/stdout";
    const std::string err = adresar + "/stderr";
    Vysledek v;
    pid_t pid = ::fork();
    if (pid == 0) {
        std::freopen("/dev/null", "r", stdin);
        std::freopen(kamVystup.empty() ? out.c_str() : kamVystup.c_str(), "w", stdout);
        std::freopen(err.c_str(), "w", stderr);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : argumenty) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        std::_Exit(127);
    }
    int status = 0;
    struct rusage spotreba {};
    ::wait4(pid, &status, 0, &spotreba);
    v.pametKB = spotreba.ru_maxrss;
    v.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    v.stdout_text = precti(out);
    v.stderr_text = precti(err);
    ::unlink(out.c_str());
    ::unlink(err.c_str());
    ::rmdir(adresar.c_str());
    return v;
}

// The console lines of the tool: the load line, the file line, and the message for a file
// that cannot be opened.
inline std::string nacteno(const std::string& cesta) { return cesta + " Soubor Nacten!\n\n"; }
inline std::string vytvoreno(const std::string& cesta) { return cesta + " Soubor Vytvoren  i s vysledkem \n\n"; }
inline std::string nelzeOtevrit(const std::string& cesta) { return "Soubor :" + cesta + " se nepodarilo otervrit"; }

inline std::string data(const std::string& jmeno) { return std::string(CLDDS_TEST_DATA) + "/" + jmeno; }
inline std::string priklad(const std::string& jmeno) { return std::string(CLDDS_EXAMPLES) + "/" + jmeno; }

}  // namespace e2e

#endif
