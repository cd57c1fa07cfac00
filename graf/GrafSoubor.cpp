#include "GrafSoubor.h"

#include "CelySoubor.h"
#include "GrafChyba.h"

void zapisCelySoubor(const std::string& cesta, const std::string& obsah) {
    try {
        CelySoubor soubor(cesta);
        soubor.proud() << obsah;
        soubor.potvrd();
    } catch (const ChybaSouboru&) {
        throw GrafChyba("Soubor :" + cesta + " se nepodarilo zapsat");
    }
}
