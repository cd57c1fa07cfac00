// Stability verdicts of the real tool on systems whose poles are known exactly, many of them
// within rounding of the unit circle, the module of exact arithmetic that decides those, and
// conversions whose exact result does not fit a double.
#include <gtest/gtest.h>

#include <string>

#include "e2e.h"

namespace {
namespace e2e_presnost {

namespace {

using e2e::data;
using e2e::nacteno;
using e2e::spust;

const char* const STABILNI = "Je stabilni\n";
const char* const NESTABILNI = "Neni stabilni\n";

bool konciNa(const std::string& text, const std::string& konec) {
    return text.size() >= konec.size() && text.compare(text.size() - konec.size(), konec.size(), konec) == 0;
}

TEST(Stabilita, VerdictOfTheSystemAsWritten) {
    const struct {
        const char* druh;
        const char* soubor;
        const char* verdikt;
    } pripady[] = {
        // eigenvalues 1.1, -0.9, 0.5 behind couplings of 1e6
        {"StavSISO", "stabilita_stav_siso_trojuhelnikova.txt", NESTABILNI},
        {"StavMIMO", "stabilita_stav_mimo_trojuhelnikova.txt", NESTABILNI},
        // eigenvalues 0.6 +- 0.8i, exactly on the circle only in decimals
        {"StavSISO", "stabilita_stav_siso_rotace.txt", STABILNI},
        // poles 0.6 +- 0.8i times 1 + 1e-9
        {"VnejsiSISO", "stabilita_vnejsi_siso_par_nad_kruhem.txt", NESTABILNI},
        // a pole at 1 + 1e-20, which no double tells from 1
        {"VnejsiSISO", "stabilita_vnejsi_siso_dvacet_cislic.txt", NESTABILNI},
        // (z - 1)^8 - 1e-12: eight simple poles up to 1.03 away from the origin
        {"VnejsiSISO", "stabilita_vnejsi_siso_blizke_koreny.txt", NESTABILNI},
        // (z^2 + 1)^17
        {"VnejsiSISO", "stabilita_vnejsi_siso_nasobne_na_kruhu.txt", STABILNI},
        // (z - 1.000000000001)(z - 0.999997999999), whose doubles have both roots inside
        {"VnejsiSISO", "stabilita_vnejsi_siso_desetinne_za_kruhem.txt", NESTABILNI},
        // (z - 0.999999999999)(z - 0.999998), whose doubles have a root outside
        {"VnejsiSISO", "stabilita_vnejsi_siso_desetinne_pred_kruhem.txt", STABILNI},
        // (z - 1.25)(z - 0.8), a pair mirrored in the circle
        {"VnejsiSISO", "stabilita_vnejsi_siso_zrcadlovy_par.txt", NESTABILNI},
        // z^2 - 1.95 z + 1, a pair on the circle
        {"VnejsiSISO", "stabilita_vnejsi_siso_par_na_kruhu.txt", STABILNI},
        // det A = (0.001 z - 0.002)^2
        {"VnejsiMIMO", "stabilita_vnejsi_mimo_poly_ve_dvou.txt", NESTABILNI},
        // det A = z^2 + 1
        {"VnejsiMIMO", "stabilita_vnejsi_mimo_na_kruhu.txt", STABILNI},
        // det A = L1 L2 z^2 + b c with b c just above L1 L2, its block companion matrix of rounded
        // quotients just inside
        {"VnejsiMIMO", "stabilita_vnejsi_mimo_desetinne_za_kruhem.txt", NESTABILNI},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.soubor);
        const e2e::Vysledek v = spust({p.druh, data(p.soubor), "Stabilita"});
        EXPECT_EQ(v.exit_status, 0);
        EXPECT_EQ(v.stdout_text.rfind(nacteno(data(p.soubor)), 0), 0u) << v.stdout_text;
        EXPECT_TRUE(konciNa(v.stdout_text, p.verdikt)) << v.stdout_text;
        EXPECT_EQ(v.stderr_text, "");
    }
}

TEST(Stabilita, ExactArithmeticIsLoadedOnlyWhenAVerdictNeedsIt) {
    // The tool alone, without the module beside it or where an installation puts it.
    const std::string adresar = e2e::docasnyAdresar();
    const std::string nastroj = adresar + "/cldds";
    ASSERT_EQ(std::system(("cp '" CLDDS_BINARY "' '" + nastroj + "'").c_str()), 0);

    const e2e::Vysledek jasny = spust({"VnejsiSISO", data("driver_vnejsi_siso.txt"), "Stabilita"}, "", nastroj);
    EXPECT_EQ(jasny.exit_status, 0);
    EXPECT_TRUE(konciNa(jasny.stdout_text, STABILNI)) << jasny.stdout_text;

    const std::string soubor = data("stabilita_vnejsi_siso_dvacet_cislic.txt");
    const e2e::Vysledek tesny = spust({"VnejsiSISO", soubor, "Stabilita"}, "", nastroj);
    EXPECT_EQ(tesny.exit_status, 1);
    EXPECT_EQ(tesny.stdout_text, nacteno(soubor) + "Modul presne aritmetiky se nepodarilo nacist (" + adresar +
                                     "/libcldds_presne.so, " + adresar + "/../lib/cldds/libcldds_presne.so)\n");
}

TEST(Prevody, ACoefficientBeyondTheRangeOfDoubleLeavesNoFile) {
    const std::string adresar = e2e::docasnyAdresar();
    const std::string system = adresar + "/system.txt";
    const std::string vysledek = adresar + "/vysledek.txt";
    e2e::zapis(system, "1e300 1e300\n1e300 -1e300\n\n1\n0\n\n1 0\n\n0\n\n0\n0\n");
    const e2e::Vysledek v = spust({"StavSISO", system, "PrevodNaVnejsi", vysledek});
    EXPECT_EQ(v.exit_status, 1);
    EXPECT_EQ(v.stdout_text, nacteno(system) + "Koeficient vysledku prevodu presahuje rozsah cisel double\n");
    EXPECT_FALSE(e2e::existuje(vysledek));
}

}  // namespace

}  // namespace e2e_presnost
}  // namespace
