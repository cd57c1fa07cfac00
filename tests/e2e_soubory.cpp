// Result files appear whole or not at all, whatever happens to the run: a signal at any moment,
// a full disk, a second run writing the same file, a verdict that fails while the report is
// written, a closed standard output. Links and permission bits of the target survive.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "e2e.h"

namespace {
namespace e2e_soubory {

namespace {

namespace fs = std::filesystem;

// How a child run of the tool is set up.
struct Nastaveni {
    std::string vystup = "/dev/null";  // standard output; empty: a pipe whose reader has gone
    long limitSouboru = -1;            // RLIMIT_FSIZE in bytes, -1 none
    int maska = -1;                    // umask, -1 inherited
};

pid_t spustNaPozadi(const std::vector<std::string>& argumenty, const Nastaveni& n = {}) {
    int roura[2] = {-1, -1};
    if (n.vystup.empty()) {
        if (::pipe(roura) != 0) return -1;
        ::close(roura[0]);  // the reader is gone before the tool starts
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ}) ::signal(s, SIG_DFL);
        if (n.vystup.empty()) {
            ::dup2(roura[1], 1);
        } else if (!std::freopen(n.vystup.c_str(), "w", stdout)) {
            std::_Exit(126);
        }
        if (n.limitSouboru >= 0) {
            const rlimit limit{static_cast<rlim_t>(n.limitSouboru), static_cast<rlim_t>(n.limitSouboru)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (n.maska >= 0) ::umask(static_cast<mode_t>(n.maska));
        std::vector<char*> argv{const_cast<char*>(CLDDS_BINARY)};
        for (const auto& a : argumenty) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(CLDDS_BINARY, argv.data());
        std::_Exit(127);
    }
    if (n.vystup.empty()) ::close(roura[1]);
    return pid;
}

// The exit status, or 128 + the signal that ended the run.
int pockej(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int spustACekej(const std::vector<std::string>& argumenty, const Nastaveni& n = {}) {
    return pockej(spustNaPozadi(argumenty, n));
}

std::vector<std::string> obsahAdresare(const std::string& adresar) {
    std::vector<std::string> jmena;
    for (const auto& polozka : fs::directory_iterator(adresar)) jmena.push_back(polozka.path().filename().string());
    std::sort(jmena.begin(), jmena.end());
    return jmena;
}

// A stable state-space system of 8 inputs and outputs: with --kroky 100000 its report has
// 1.6 MB, so signals and limits meet it while it is being written.
std::string velkySystem(double a) {
    const int n = 8;
    std::string text;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) text += (j ? " " : "") + std::string(i == j ? std::to_string(a) : (j == i + 1 ? "0.1" : "0"));
        text += "\n";
    }
    for (int blok = 0; blok < 3; ++blok) {
        text += "\n";
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) text += (j ? " " : "") + std::string(blok < 2 && i == j ? "1" : "0");
            text += "\n";
        }
    }
    text += "\n";
    for (int i = 0; i < n; ++i) text += "1\n";
    return text;
}

class CeleSoubory : public e2e::SAdresarem {
protected:
    std::string system = adresar + "/system.txt";
    std::string vysledek = adresar + "/vysledek.txt";
    const std::string STARY = "the report of an earlier run\n";

    void SetUp() override {
        e2e::zapis(system, velkySystem(0.5));
        e2e::zapis(vysledek, STARY);
    }
    std::vector<std::string> velkaOdezva(const std::string& cil) const {
        return {"--kroky", "100000", "StavMIMO", system, "Impulse", cil};
    }
    // The report of an undisturbed run into another file.
    std::string vzor(const std::vector<std::string>& argumenty) {
        const std::string cesta = adresar + "/vzor.txt";
        std::vector<std::string> a = argumenty;
        a.back() = cesta;
        EXPECT_EQ(spustACekej(a), 0);
        const std::string text = e2e::precti(cesta);
        fs::remove(cesta);
        return text;
    }
};

}  // namespace

// A signal at a random moment of a long run: the old report byte for byte or the whole new
// one, never a mixture; after SIGTERM, SIGINT or SIGHUP no temporary file is left.
TEST_F(CeleSoubory, SignalAtAnyMomentLeavesTheOldOrTheWholeNewReport) {
    const std::string novy = vzor(velkaOdezva(vysledek));
    ASSERT_GT(novy.size(), 1000000u);
    const auto zacatek = std::chrono::steady_clock::now();
    ASSERT_EQ(spustACekej(velkaOdezva(adresar + "/mereni.txt")), 0);
    const auto trvani = std::chrono::steady_clock::now() - zacatek;
    fs::remove(adresar + "/mereni.txt");
    std::mt19937 nahoda(22);
    int stary = 0;
    for (const int signal : {SIGKILL, SIGTERM, SIGINT, SIGHUP}) {
        for (int pokus = 0; pokus < 4; ++pokus) {
            SCOPED_TRACE("signal " + std::to_string(signal) + ", attempt " + std::to_string(pokus));
            e2e::zapis(vysledek, STARY);
            const pid_t pid = spustNaPozadi(velkaOdezva(vysledek));
            std::this_thread::sleep_for(trvani * std::uniform_real_distribution<double>(0.0, 1.2)(nahoda));
            ::kill(pid, signal);
            const int status = pockej(pid);
            const std::string text = e2e::precti(vysledek);
            EXPECT_TRUE(text == STARY || text == novy) << "status " << status << ", " << text.size() << " bytes";
            stary += text == STARY;
            if (signal == SIGKILL) {
                for (const std::string& jmeno : obsahAdresare(adresar))
                    if (jmeno.rfind("vysledek.txt.", 0) == 0) fs::remove(adresar + "/" + jmeno);
            } else {
                EXPECT_EQ(obsahAdresare(adresar), (std::vector<std::string>{"system.txt", "vysledek.txt"}));
            }
        }
    }
    // Most signals met the run before its rename; otherwise the test says little.
    EXPECT_GT(stary, 0);
}

// A full disk, and a file size limit: status 1, the path named, the old report kept and no
// temporary file left. The disk is a small tmpfs where the superuser can mount one.
TEST_F(CeleSoubory, FullDiskOrSizeLimitKeepsTheOldReport) {
    Nastaveni limit;
    limit.limitSouboru = 64 * 1024;
    limit.vystup = adresar + "/konzole.txt";
    EXPECT_EQ(spustACekej(velkaOdezva(vysledek), limit), 1);
    EXPECT_EQ(e2e::precti(vysledek), STARY);
    const std::string konzole = e2e::precti(limit.vystup);
    EXPECT_NE(konzole.find("Soubor :" + vysledek + " se nepodarilo zapsat"), std::string::npos) << konzole;
    fs::remove(limit.vystup);
    EXPECT_EQ(obsahAdresare(adresar), (std::vector<std::string>{"system.txt", "vysledek.txt"}));

    const std::string disk = adresar + "/disk";
    fs::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "no tmpfs can be mounted here";
    const std::string naDisku = disk + "/vysledek.txt";
    e2e::zapis(naDisku, STARY);
    const int status = spustACekej(velkaOdezva(naDisku));
    const std::string text = e2e::precti(naDisku);
    const std::vector<std::string> soubory = obsahAdresare(disk);
    ::umount(disk.c_str());
    EXPECT_EQ(status, 1);
    EXPECT_EQ(text, STARY);
    EXPECT_EQ(soubory, std::vector<std::string>{"vysledek.txt"});
}

// Two runs writing one result at the same time each succeed, and the file is one whole report.
TEST_F(CeleSoubory, TwoConcurrentRunsLeaveOneWholeReport) {
    const std::string jiny = adresar + "/jiny.txt";
    e2e::zapis(jiny, velkySystem(0.25));
    const std::string prvni = vzor(velkaOdezva(vysledek));
    std::vector<std::string> druhyPrikaz = velkaOdezva(vysledek);
    druhyPrikaz[3] = jiny;
    const std::string druhy = vzor(druhyPrikaz);
    ASSERT_NE(prvni, druhy);
    for (int pokus = 0; pokus < 4; ++pokus) {
        const pid_t a = spustNaPozadi(velkaOdezva(vysledek));
        const pid_t b = spustNaPozadi(druhyPrikaz);
        EXPECT_EQ(pockej(a), 0);
        EXPECT_EQ(pockej(b), 0);
        const std::string text = e2e::precti(vysledek);
        EXPECT_TRUE(text == prvni || text == druhy) << text.size() << " bytes";
    }
    EXPECT_EQ(obsahAdresare(adresar), (std::vector<std::string>{"jiny.txt", "system.txt", "vysledek.txt"}));
}

// The verdict in the report's header fails after the system, and for Vystup the signal, were
// read: five outputs of diagonal degree 101 make det A of 506 coefficients. The old report stays.
TEST_F(CeleSoubory, VerdictFailingWhileTheReportIsWrittenKeepsTheOldReport) {
    std::string b;
    std::string a;
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
            b += std::string(j ? ";" : "") + (i == j ? "1" : "0");
            std::string diagonala = "1";
            for (int k = 0; k < 100; ++k) diagonala += " 0";
            diagonala += " 1";
            a += std::string(j ? ";" : "") + (i == j ? diagonala : "0");
        }
        b += "\n";
        a += "\n";
    }
    e2e::zapis(system, b + "\n" + a);
    const std::string signal = adresar + "/signal.txt";
    e2e::zapis(signal, "1 0 0\n0 1 0\n0 0 1\n1 1 1\n0 0 0\n");
    const std::string zprava = "Prekrocena max velikost Polynomu 500Dana velikost je 506\n";
    for (const std::vector<std::string>& prikaz :
         {std::vector<std::string>{"VnejsiMIMO", system, "Impulse", vysledek},
          {"VnejsiMIMO", system, "Prechod", vysledek},
          {"VnejsiMIMO", system, "Vystup", vysledek, signal}}) {
        const e2e::Vysledek v = e2e::spust(prikaz);
        EXPECT_EQ(v.exit_status, 1) << prikaz[2];
        EXPECT_EQ(v.stdout_text, e2e::nacteno(system) + zprava) << prikaz[2];
        EXPECT_EQ(e2e::precti(vysledek), STARY) << prikaz[2];
    }
    EXPECT_EQ(obsahAdresare(adresar), (std::vector<std::string>{"signal.txt", "system.txt", "vysledek.txt"}));
}

// A standard output whose reader has gone ends the run with status 1, not by SIGPIPE; the
// report is still written whole.
TEST_F(CeleSoubory, ClosedStandardOutputIsStatusOneAndTheReportIsWhole) {
    const std::string novy = vzor(velkaOdezva(vysledek));
    Nastaveni zavreny;
    zavreny.vystup = "";
    EXPECT_EQ(spustACekej(velkaOdezva(vysledek), zavreny), 1);
    EXPECT_EQ(e2e::precti(vysledek), novy);
    EXPECT_EQ(spustACekej({"VnejsiSISO", e2e::priklad("vnejsi_siso.txt"), "Stabilita"}, zavreny), 1);
    EXPECT_EQ(spustACekej({"--help"}, zavreny), 1);
}

// A symbolic link is written through and stays a link; an existing file keeps its permission
// bits, a new one gets those of the umask; a target the user may not write is refused.
TEST_F(CeleSoubory, LinksAndPermissionBitsSurvive) {
    const std::vector<std::string> odezva = {"VnejsiSISO", e2e::priklad("vnejsi_siso.txt"), "Impulse"};
    auto prikaz = [&odezva](const std::string& cil) {
        std::vector<std::string> p = odezva;
        p.push_back(cil);
        return p;
    };
    const std::string novy = vzor(prikaz(vysledek));
    const std::string odkaz = adresar + "/odkaz.txt";
    ASSERT_EQ(::chmod(vysledek.c_str(), 0640), 0);
    fs::create_symlink("vysledek.txt", odkaz);
    EXPECT_EQ(spustACekej(prikaz(odkaz)), 0);
    EXPECT_TRUE(fs::is_symlink(odkaz));
    EXPECT_EQ(e2e::precti(vysledek), novy);
    EXPECT_EQ(fs::status(vysledek).permissions(), fs::perms(0640));

    // A dangling link creates the file it names; a new file follows the umask.
    const std::string visici = adresar + "/visici.txt";
    fs::create_symlink("novy.txt", visici);
    Nastaveni maska;
    maska.maska = 027;
    EXPECT_EQ(spustACekej(prikaz(visici), maska), 0);
    EXPECT_TRUE(fs::is_symlink(visici));
    EXPECT_EQ(e2e::precti(adresar + "/novy.txt"), novy);
    EXPECT_EQ(fs::status(adresar + "/novy.txt").permissions(), fs::perms(0640));

    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(vysledek.c_str(), 0444), 0);
        const e2e::Vysledek v = e2e::spust(prikaz(vysledek));
        EXPECT_EQ(v.exit_status, 1);
        EXPECT_NE(v.stdout_text.find(e2e::nelzeOtevrit(vysledek)), std::string::npos);
        ::chmod(vysledek.c_str(), 0644);
    }
}

}  // namespace e2e_soubory
}  // namespace
