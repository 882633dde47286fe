// The catalogue read back: every component of the data module in order, with
// the values of the parameter and live-value tables.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Modulefixture.h"
#include "orv/i18n/Translator.h"
#include "orv/items/Serialdata.h"
#include "orv/link/Datarefresher.h"
#include "orv/link/Orvconnection.h"
#include "orv/paramset/Catalogue.h"
#include "orv/paramset/Dati.h"

namespace orv::paramset {
namespace {

using items::TOrvNumber;
using items::TOrvPacketData;
using items::TOrvSerialData;
using items::ttCustom;
using items::ttFormula;
using items::ttNone;
using items::ttNonLinearTabled;
using items::ttTabled;

struct TExpectedItem {
  int No;
  const char* Name;
  bool Packet;
  int Address;  // -1: by serial code (or a live value)
  int Mask;
  items::TransformationType Transformation;
  double Coeffs[4];
  const char* Unit;
  double Precision, ValueMin, ValueMax, Default;
  bool DisableLimits;
  int Group;
  const char* Section;
  const char* Key;
  int Offset;  // live values
  int TableCount;
  const char* OnGetData;
  const char* OnSetData;
  const char* OnConvertToEcu;
  const char* OnConvertToUser;
};

// clang-format off
const TExpectedItem kItems[] = {
    {1, "TIPO_ACCENSIONE", false, 163, 7, ttNone, {1, 0, 0, 1}, "", 0, 0, 0, 4, true, 0, "CONFIGURAZIONE", "TIPO ACCENSIONE", -1, 0, "TIPO_ACCENSIONEGetData", "TIPO_ACCENSIONESetData", "", ""},
    {2, "TIPO_SEGNALE_GIRI", false, 164, 16, ttFormula, {1, 0, 0, 16}, "", 0, 0, 0, 0, true, 0, "CONFIGURAZIONE", "TIPO SEGNALE GIRI", -1, 0, "", "", "", ""},
    {3, "TIPO_CAMBIO", false, 163, 8, ttFormula, {1, 0, 0, 8}, "", 0, 0, 0, 0, true, 0, "CONFIGURAZIONE", "TIPO CAMBIO", -1, 0, "", "", "", ""},
    {4, "TEMPO_SOVRAPPOSIZIONE", false, 216, 255, ttFormula, {4, -4, 0, 1000}, "s", 0.01, 0, 1, 0.4, false, 0, "CONFIGURAZIONE", "TEMPO DI SOVRAPPOSIZIONE", -1, 0, "", "", "", ""},
    {5, "TIPO_TPS", false, 164, 224, ttFormula, {1, 0, 0, 32}, "", 0, 0, 0, 0, true, 0, "CONFIGURAZIONE", "TIPO DI TPS", -1, 0, "TIPO_TPSSetData", "TIPO_TPSSetData", "", ""},
    {6, "TIPO_SONDA_LAMBDA", false, 165, 224, ttFormula, {1, 0, 0, 32}, "", 0, 0, 0, 0, true, 0, "CONFIGURAZIONE", "TIPO SONDA LAMBDA", -1, 0, "", "TIPO_SONDA_LAMBDASetData", "", ""},
    {7, "RITARDO_LETTURA_SONDA", false, 205, 255, ttFormula, {5, 0, 0, 1}, "s", 5, 0, 1275, 5, false, 0, "CONFIGURAZIONE", "RITARDO LETTURA SONDA", -1, 0, "", "", "", ""},
    {8, "MASSIMA_APERTURA_ATTUATORE", false, 207, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 240, 240, false, 0, "CONFIGURAZIONE", "MASSIMA APERTURA ATTUATORE", -1, 0, "MASSIMA_APERTURA_ATTUATORESetData", "MASSIMA_APERTURA_ATTUATORESetData", "", ""},
    {9, "MINIMA_APERTURA_ATTUATORE", false, 208, 255, ttNone, {1, 0, 0, 1}, "", 1, 20, 240, 20, false, 0, "CONFIGURAZIONE", "MINIMA APERTURA ATTUATORE", -1, 0, "MASSIMA_APERTURA_ATTUATORESetData", "MASSIMA_APERTURA_ATTUATORESetData", "", ""},
    {10, "FLAG_GONFIGURAZIONE", false, 162, 255, ttNone, {1, 0, 0, 1}, "", 0, 0, 0, 32, true, 0, "CONFIGURAZIONE", "FLAG DI CONFIGURAZIONE", -1, 0, "", "FLAG_GONFIGURAZIONESetData", "", ""},
    {11, "POSIZIONE_IN_AFFONDATA", false, 167, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 240, 100, false, 0, "CONFIGURAZIONE", "POSIZIONE IN AFFONDATA", -1, 0, "", "", "", ""},
    {12, "TPS_PER_AFFONDATA", false, 166, 255, ttFormula, {5, 0, 0, 255}, "V", 0.1, 0, 5, 2.8, false, 0, "CONFIGURAZIONE", "TPS PER AFFONDATA", -1, 0, "", "", "", ""},
    {13, "POSIZIONE_IN_CUTOFF", false, 206, 255, ttNone, {1, 0, 0, 1}, "", 1, 20, 240, 80, false, 0, "CONFIGURAZIONE", "POSIZIONE IN CUTOFF", -1, 0, "", "", "", ""},
    {14, "POSIZIONE_DEFAULT", false, 168, 255, ttNone, {1, 0, 0, 1}, "", 1, 20, 240, 100, false, 0, "CONFIGURAZIONE", "POSIZIONE DEFAULT FISSO", -1, 0, "", "", "", ""},
    {15, "FLAG_CONFIGURAZIONE_2", false, 164, 8, ttNone, {1, 0, 0, 1}, "", 0, 0, 0, 0, true, 0, "CONFIGURAZIONE", "FLAG CONFIGURAZIONE 2", -1, 0, "", "", "", ""},
    {16, "ISTERESI_MINIMO_TPS", false, 194, 255, ttFormula, {5, 0, 0, 255}, "V", 0.01, 0, 0.5, 0.14, false, 0, "CONFIGURAZIONE", "ISTERESI MINIMO TPS", -1, 0, "", "", "", ""},
    {17, "CHECKUP", false, 161, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 0, 0, true, 0, "CONFIGURAZIONE", "CHECKUP", -1, 0, "", "", "", ""},
    {18, "VALORE_LAMBDA", true, -1, 255, ttFormula, {5, 0, 0, 255}, "", 0.01, 0, 0, 0, true, 0, "", "", 1, 0, "", "", "", ""},
    {19, "TEMPERATURA_PER_CAMBIO", false, 224, 255, ttNonLinearTabled, {5, 0, -5, 1275}, "\u00b0C", 1, 0, 40, 25, false, 0, "CONFIGURAZIONE", "TEMPERATURA PER CAMBIO", -1, 48, "", "", "", ""},
    {20, "VALOR_TPS", true, -1, 255, ttFormula, {5, 0, 0, 255}, "", 0.01, 0, 0, 0, true, 0, "", "", 2, 0, "", "", "", ""},
    {21, "VALORE_MINIMO_TPS", true, -1, 255, ttFormula, {5, 0, 0, 255}, "", 0.01, 0, 0, 0, true, 0, "", "", 3, 0, "", "", "", ""},
    {22, "POSIZIONE_ATTUATORE", true, -1, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 0, 0, true, 0, "", "", 4, 0, "", "", "", ""},
    {23, "VALORE_POSIZIONE_DEFAULT", true, -1, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 0, 0, true, 0, "", "", 5, 0, "", "", "", ""},
    {24, "FASCIA_TPS", true, -1, 255, ttNone, {1, 0, 0, 1}, "", 0, 0, 0, 0, true, 0, "", "", 7, 0, "FASCIA_TPSGetData", "", "", ""},
    {25, "FASCIA_LAMBDA", true, -1, 255, ttNone, {1, 0, 0, 1}, "", 0, 0, 0, 0, true, 0, "", "", 6, 0, "FASCIA_LAMBDAGetData", "", "", ""},
    {26, "TIPO_COMMUTATORE", false, 226, 255, ttTabled, {1, 0, 0, 1}, "", 0, 0, 0, 0, true, 0, "CONFIGURAZIONE", "TIPO COMMUTATORE", -1, 2, "", "", "", ""},
    {27, "RIPROGRAMMAZIONE", false, -1, 255, ttNone, {1, 0, 0, 1}, "", 0, 0, 0, 0, true, 0, "COMANDI", "RIPROGRAMMAZIONE", -1, 0, "", "", "", ""},
    {28, "VAL_TEMPERATURA", true, -1, 255, ttNonLinearTabled, {5, 0, -5, 1275}, "", 1, 0, 0, 0, true, 0, "", "", 8, 48, "", "", "", ""},
    {29, "VAL_GIRI", true, -1, 255, ttFormula, {0, 117000, 1, 0}, "", 10, 0, 0, 0, true, 0, "", "", 0, 0, "VAL_GIRIGetData", "", "", ""},
    {30, "GiriPerCambio", false, 223, 255, ttFormula, {0, 117000, 1, 0}, "RPM", 100, 0, 6000, 2000, false, 1, "CONFIGURAZIONE", "RIFERIMENTO GIRI CAMBIO", -1, 0, "", "", "", ""},
    {31, "GiriSbananata", false, 213, 255, ttFormula, {0, 117000, 1, 0}, "RPM", 100, 0, 8000, 3600, false, 1, "CONFIGURAZIONE", "GIRI_SBANANATA", -1, 0, "", "", "", ""},
    {32, "GiriCutOff", false, 204, 255, ttFormula, {0, 117000, 1, 0}, "RPM", 100, 0, 8000, 1500, false, 1, "CONFIGURAZIONE", "GIRI CUTOFF", -1, 0, "", "", "", ""},
    {33, "GiriFuoriGiri", false, 225, 255, ttFormula, {0, 117000, 1, 0}, "RPM", 100, 0, 8000, 12000, false, 1, "CONFIGURAZIONE", "GIRI FUORI GIRI", -1, 0, "", "", "", ""},
    {34, "TipoSensore", false, 164, 7, ttTabled, {1, 0, 0, 1}, "", 0, 0, 0, 0, true, 0, "CONFIGURAZIONE", "TIPO DI SENSORE", -1, 4, "", "", "", ""},
    {35, "NUMERO_VOLTE_ALTO", false, 169, 255, ttFormula, {20, 0, 0, 1000}, "s", 0.01, 0, 5, 0.36, false, 0, "CONFIGURAZIONE", "NUMERO DI VOLTE ALTO", -1, 0, "", "", "", ""},
    {36, "NUVERO_VOLTE_BASSO", false, 170, 255, ttFormula, {20, 0, 0, 1000}, "s", 0.01, 0, 5, 0.36, false, 0, "CONFIGURAZIONE", "NUMERO DI VOLTE BASSO", -1, 0, "", "", "", ""},
    {37, "NUMERO_VOLTE_TRI", false, 171, 255, ttNone, {1, 0, 0, 1}, "s", 1, 0, 255, 0, false, 0, "CONFIGURAZIONE", "NUMERO DI VOLTE TRI", -1, 0, "", "", "", ""},
    {38, "NUMERO_RIPETIZIONI_ONDA", false, 172, 255, ttNone, {1, 0, 0, 1}, "s", 1, 0, 255, 1, false, 0, "CONFIGURAZIONE", "NUMERO RIPETIZIONI ONDA", -1, 0, "", "", "", ""},
    {39, "NUMERO_RIPETIZIONI_TRI", false, 173, 255, ttNone, {1, 0, 0, 1}, "s", 0.01, 0, 255, 0, false, 0, "CONFIGURAZIONE", "NUMERO RIPETIZIONI TRI", -1, 0, "", "", "", ""},
    {40, "RifLambdaAlMinimo", false, 199, 255, ttFormula, {5, 0, 0, 255}, "V", 0.01, 0.5, 5, 0.55, false, 0, "CONFIGURAZIONE", "RIF LAMBDA MINIMO", -1, 0, "", "RifLambdaAlMinimoSetData", "", ""},
    {41, "RifLambdaFuoriMinimo", false, 200, 255, ttFormula, {5, 0, 0, 255}, "V", 0.01, 0.5, 5, 0.55, false, 0, "CONFIGURAZIONE", "RIF LAMBDA FUORI MINIMO", -1, 0, "", "", "", ""},
    {42, "RifLambdaRiccoFreddo", false, 198, 255, ttFormula, {5, 0, 0, 255}, "V", 0.01, 0, 5, 0.55, false, 0, "CONFIGURAZIONE", "RICCO FREDDO", -1, 0, "", "", "", ""},
    {43, "TIPO_EMULAZIONE", false, 163, 96, ttTabled, {1, 0, 0, 32}, "", 0, 0, 0, 2, true, 0, "CONFIGURAZIONE", "TIPO DI EMULAZIONE", -1, 3, "", "", "", ""},
    {44, "AperturaSfigFuoriMin", false, 185, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 255, 25, false, 0, "CONFIGURAZIONE", "FRAZ DEF SOPRA DEF SFIG", -1, 0, "", "", "", ""},
    {45, "FLAG_CONFIGURAZIONE_3", false, 165, 255, ttCustom, {1, 0, 0, 1}, "", 0, 0, 0, 16, true, 0, "CONFIGURAZIONE", "FLAG CONFIGURAZIONE 3", -1, 0, "", "", "FLAG_CONFIGURAZIONE_3ConvertToEcu", "FLAG_CONFIGURAZIONE_3ConvertToUser"},
    {46, "AperturaSfigFuoriMinEco", false, 186, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 250, 8, false, 0, "CONFIGURAZIONE", "FRAZ DEF SOTTO DEF SFIG ECO", -1, 0, "", "", "", ""},
    {47, "TPSFasciaApprendimento", false, 196, 255, ttFormula, {5, 0, 0, 255}, "V", 0.1, 1.4, 3.4, 2, false, 0, "CONFIGURAZIONE", "TPS FASCIA APPRENDIMENTO", -1, 0, "", "", "", ""},
    {48, "PosizioneASondaFredda", false, 219, 255, ttCustom, {1, 0, 0, 1}, "", 1, -127, 128, 0, false, 0, "CONFIGURAZIONE", "POSIZIONE DOPO CAMBIO", -1, 256, "", "", "PosizioneASondaFreddaConvertToEcu", "PosizioneASondaFreddaConvertToUser"},
    {49, "RifLambdaInPotenza", false, 202, 255, ttFormula, {5, 0, 0, 255}, "V", 0.01, 0.5, 5, 0.55, false, 0, "CONFIGURAZIONE", "RIF LAMBDA IN POTENZA", -1, 0, "", "", "", ""},
    {50, "TempoTraTestMagroPower", false, 212, 255, ttFormula, {20, 0, 0, 1000}, "s", 0.01, 0, 5, 0.2, false, 0, "CONFIGURAZIONE", "NUMERO DI PASSI AL PRIMO GRASSO IN SBANANATA", -1, 0, "", "", "", ""},
    {51, "NPassiPrimoMagroPower", false, 214, 255, ttNone, {1, 0, 0, 1}, "", 1, 1, 20, 4, false, 0, "CONFIGURAZIONE", "NUMERO DI PASSI AL PRIMO MAGRO IN SBANANATA", -1, 0, "", "", "", ""},
    {52, "NPassiTestMagroPower", false, 211, 255, ttNone, {1, 0, 0, 1}, "", 1, 1, 20, 4, false, 0, "CONFIGURAZIONE", "NUMERO DI PASSI AL PRIMO MAGRO IN SBANANATA", -1, 0, "", "", "", ""},
    {53, "TPSSbananata", false, 215, 255, ttFormula, {5, 0, 0, 255}, "V", 0.1, 0, 5, 3.5, false, 0, "CONFIGURAZIONE", "TPS INIZIO FASCIA SBANANATA", -1, 0, "", "", "", ""},
    {54, "OrvNumberTPSRif2", false, 197, 255, ttFormula, {5, 0, 0, 255}, "V", 0.1, 0, 5, 3.5, false, 0, "CONFIGURAZIONE", "TPS SBANANATA", -1, 0, "", "", "", ""},
    {55, "PosizioneInOpenLoop", false, 218, 255, ttNone, {1, 0, 0, 1}, "", 1, 20, 240, 100, false, 0, "CONFIGURAZIONE", "POSIZIONE IN OPEN LOOP", -1, 0, "", "", "", ""},
    {56, "VelIngrMinimo", false, 174, 255, ttNone, {1, 0, 0, 1}, "ms", 1, 2, 255, 60, false, 0, "CONFIGURAZIONE", "TEMPO TRA PASSI AD INGRASSARE AL MINIMO", -1, 0, "", "", "", ""},
    {57, "VelSmagrMinimo", false, 175, 255, ttNone, {1, 0, 0, 1}, "ms", 1, 2, 255, 80, false, 0, "CONFIGURAZIONE", "TEMPO TRA PASSI A SMAGRIRE AL MINIMO", -1, 0, "", "", "", ""},
    {58, "VelIngrCrociera", false, 177, 255, ttNone, {1, 0, 0, 1}, "ms", 1, 2, 255, 35, false, 0, "CONFIGURAZIONE", "TEMPO TRA PASSI AD INGRASSARE IN CROCIERA", -1, 0, "", "", "", ""},
    {59, "VelSmagrCrociera", false, 178, 255, ttNone, {1, 0, 0, 1}, "ms", 1, 2, 255, 60, false, 0, "CONFIGURAZIONE", "TEMPO TRA PASSI A SMAGRIRE IN CROCIERA", -1, 0, "", "", "", ""},
    {60, "MinimaAperturaAlMinimo", false, 187, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 240, 25, false, 0, "CONFIGURAZIONE", "MINIMA APERTURA ATTUATORE AL MINIMO", -1, 0, "MASSIMA_APERTURA_ATTUATORESetData", "MASSIMA_APERTURA_ATTUATORESetData", "", ""},
    {61, "MassimaAperturaAlMinimo", false, 184, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 240, 25, false, 0, "CONFIGURAZIONE", "MASSIMA APERTURA ATTUATORE AL MINIMO", -1, 0, "", "", "", ""},
    {62, "MinimaAperturaInCrociera", false, 189, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 255, 255, false, 0, "CONFIGURAZIONE", "MINIMA APERTURA ATTUATORE IN CROCIERA", -1, 0, "", "", "", ""},
    {63, "MassimaAperturaInCrociera", false, 188, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 255, 255, false, 0, "CONFIGURAZIONE", "MASSIMA APERTURA ATTUATORE IN CROCIERA", -1, 0, "", "", "", ""},
    {64, "FrazDefEntroMinimo", false, 182, 255, ttCustom, {1, 0, 0, 1}, "", 1, -100, 100, 0, false, 0, "CONFIGURAZIONE", "POSIZIONE IN ENTRATA AL MINIMO", -1, 0, "MASSIMA_APERTURA_ATTUATORESetData", "MASSIMA_APERTURA_ATTUATORESetData", "PosizioneASondaFreddaConvertToEcu", "PosizioneASondaFreddaConvertToUser"},
    {65, "FrazDefEscoMinimo", false, 183, 255, ttCustom, {1, 0, 0, 1}, "", 1, -100, 100, 5, false, 0, "CONFIGURAZIONE", "POSIZIONE IN USCITA DAL MINIMO", -1, 0, "MASSIMA_APERTURA_ATTUATORESetData", "MASSIMA_APERTURA_ATTUATORESetData", "PosizioneASondaFreddaConvertToEcu", "PosizioneASondaFreddaConvertToUser"},
    {66, "ValoreMinimoTPS", false, 195, 255, ttFormula, {5, 0, 0, 255}, "V", 0.1, 0, 5, 1.4, false, 0, "CONFIGURAZIONE", "MINIMO TPS", -1, 0, "", "", "", ""},
    {67, "RitardoSmagrPrimoGrasso", false, 209, 255, ttNone, {1, 0, 0, 1}, "ms", 1, 0, 255, 120, false, 0, "CONFIGURAZIONE", "NUMERO DI PASSI AL PRIMO GRASSO IN CROCIERA", -1, 0, "", "", "", ""},
    {68, "NPassiPrimoMagroCrociera", false, 210, 255, ttNone, {1, 0, 0, 1}, "", 1, 1, 20, 1, false, 0, "CONFIGURAZIONE", "NUMERO DI PASSI AL PRIMO MAGRO IN CROCIERA", -1, 0, "", "", "", ""},
    {69, "OrvNumberVelSmagrSbana", false, 180, 255, ttNone, {1, 0, 0, 1}, "ms", 1, 2, 255, 80, false, 0, "CONFIGURAZIONE", "TEMPO TRA PASSI A SMAGRIRE SBANA", -1, 0, "", "", "", ""},
    {70, "OrvNumberVelIngrSbana", false, 179, 255, ttNone, {1, 0, 0, 1}, "ms", 1, 2, 255, 20, false, 0, "CONFIGURAZIONE", "TEMPO TRA PASSI AD INGRASSARE SBANA", -1, 0, "", "", "", ""},
    {71, "VelocitaFuga", false, 176, 255, ttNone, {1, 0, 0, 1}, "ms", 1, 2, 255, 20, false, 0, "CONFIGURAZIONE", "TEMPO TRA PASSI IN FUGA", -1, 0, "", "", "", ""},
    {72, "MinAperturaInFuga", false, 190, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 50, 10, false, 0, "CONFIGURAZIONE", "FRAZ DEF FUGA MAGRA", -1, 0, "", "", "", ""},
    {73, "MaxAperturaInFuga", false, 191, 255, ttNone, {1, 0, 0, 1}, "", 1, 0, 50, 10, false, 0, "CONFIGURAZIONE", "FRAZ DEF FUGA GRASSA", -1, 0, "", "", "", ""},
};
// clang-format on

class CatalogueTable : public testing::ModuleFixture {};

TEST_F(CatalogueTable, SeventySixComponentsInCatalogueOrder) {
  ASSERT_EQ(Module->ComponentCount(), 76);
  std::vector<std::string> expected = {"OrvConnection", "DataRefresher"};
  for (const TExpectedItem& e : kItems) {
    if (e.No == 33) expected.push_back("Translator");
    expected.push_back(e.Name);
  }
  ASSERT_EQ(expected.size(), 76u);
  for (int i = 0; i < 76; ++i) EXPECT_EQ(Module->Components(i)->Name(), expected[static_cast<std::size_t>(i)]) << i;
  EXPECT_STREQ(Module->Components(0)->ClassName(), "TOrvConnection");
  EXPECT_STREQ(Module->Components(1)->ClassName(), "TDataRefresher");
  EXPECT_STREQ(Module->Components(34)->ClassName(), "TTranslator");
}

TEST_F(CatalogueTable, ServiceComponents) {
  auto fresh = std::make_unique<TSerialDataModule>();
  ASSERT_NE(fresh->OrvConnection, nullptr);
  ASSERT_NE(fresh->DataRefresher, nullptr);
  ASSERT_NE(fresh->Translator, nullptr);
  EXPECT_EQ(fresh->OrvConnection->DllName(), "SerOrvDL.dll");
  EXPECT_TRUE(fresh->OrvConnection->AutoLoadLibrary());
  EXPECT_EQ(fresh->DataRefresher->Connection(), fresh->OrvConnection);
  EXPECT_EQ(fresh->DataRefresher->SleepTime(), 20);
  EXPECT_EQ(fresh->DataRefresher->Priority(), platform::TThreadPriority::tpNormal);
  EXPECT_EQ(fresh->FormAttesa(), nullptr);
  EXPECT_TRUE(fresh->Texts.TextCompleted.empty());
}

TEST_F(CatalogueTable, EveryItemAsTabled) {
  int index = 2;
  for (const TExpectedItem& e : kItems) {
    if (e.No == 33) ++index;  // the translator
    SCOPED_TRACE(std::string(e.Name));
    auto* item = dynamic_cast<TOrvSerialData*>(Module->Components(index++));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Name(), e.Name);
    EXPECT_EQ(item->DataMask(), e.Mask);
    EXPECT_EQ(item->Transformation, e.Transformation);
    EXPECT_EQ(item->CoeffA, e.Coeffs[0]);
    EXPECT_EQ(item->CoeffB, e.Coeffs[1]);
    EXPECT_EQ(item->CoeffC, e.Coeffs[2]);
    EXPECT_EQ(item->CoeffD, e.Coeffs[3]);
    EXPECT_EQ(item->MeasureUnit, e.Unit);
    EXPECT_EQ(item->Precision(), e.Precision);
    EXPECT_EQ(item->ValueMin(), e.ValueMin);
    EXPECT_EQ(item->ValueMax(), e.ValueMax);
    EXPECT_EQ(item->DisableLimits, e.DisableLimits);
    EXPECT_EQ(item->DataGroup, e.Group);
    EXPECT_EQ(item->TableCount(), e.TableCount);
    EXPECT_EQ(static_cast<bool>(item->OnGetData), *e.OnGetData != '\0');
    EXPECT_EQ(static_cast<bool>(item->OnSetData), *e.OnSetData != '\0');
    EXPECT_EQ(static_cast<bool>(item->OnConvertToEcu), *e.OnConvertToEcu != '\0');
    EXPECT_EQ(static_cast<bool>(item->OnConvertToUser), *e.OnConvertToUser != '\0');
    EXPECT_FALSE(static_cast<bool>(item->BeforeGetData));
    EXPECT_FALSE(static_cast<bool>(item->BeforeSetData));
    // Settings shared by every item.
    EXPECT_EQ(item->DataLength(), 1);
    EXPECT_FALSE(item->Signed());
    EXPECT_EQ(item->SerialCode(), 0);
    EXPECT_EQ(item->RowIndex(), -1);
    EXPECT_EQ(item->ColIndex(), -1);
    EXPECT_TRUE(item->StoreUserValue);
    EXPECT_FALSE(item->OldReadFileMode);
    if (e.Packet) {
      auto* packet = dynamic_cast<TOrvPacketData*>(item);
      ASSERT_NE(packet, nullptr);
      EXPECT_EQ(packet->Offset, e.Offset);
      EXPECT_EQ(packet->TimeInterval(), 100);
      EXPECT_TRUE(packet->Active());
      EXPECT_TRUE(packet->Registered());
      EXPECT_EQ(packet->DataRefresher(), Module->DataRefresher);
      EXPECT_TRUE(packet->FileSection.empty());
      EXPECT_TRUE(packet->FileKeyName.empty());
      EXPECT_EQ(packet->DataDescriptor(), items::kDescPacket);
    } else {
      auto* number = dynamic_cast<TOrvNumber*>(item);
      ASSERT_NE(number, nullptr);
      EXPECT_EQ(number->ByAddress, e.Address >= 0);
      if (e.Address >= 0) {
        EXPECT_EQ(number->Address, e.Address);
      }
      EXPECT_EQ(number->DefaultValue, e.Default);
      EXPECT_EQ(number->Connection(), Module->OrvConnection);
      EXPECT_EQ(number->FileSection, e.Section);
      EXPECT_EQ(number->FileKeyName, e.Key);
      EXPECT_FALSE(number->ReadOnly);
      EXPECT_EQ(number->DataDescriptor(), 0u);
    }
  }
}

TEST_F(CatalogueTable, SharedBytesAndFreeAddresses) {
  std::vector<int> owners(256, 0);
  int numbers = 0;
  for (int i = 0; i < Module->ComponentCount(); ++i) {
    auto* number = dynamic_cast<TOrvNumber*>(Module->Components(i));
    if (number == nullptr) continue;
    ++numbers;
    if (number->ByAddress) ++owners[static_cast<std::size_t>(number->Address)];
  }
  EXPECT_EQ(numbers, 64);
  const std::vector<int> free = {181, 192, 193, 201, 203, 217, 220, 221, 222};
  for (int a = 161; a <= 226; ++a) {
    int expected = 1;
    if (a == 163) expected = 3;
    if (a == 164) expected = 4;
    if (a == 165) expected = 2;
    if (std::find(free.begin(), free.end(), a) != free.end()) expected = 0;
    EXPECT_EQ(owners[static_cast<std::size_t>(a)], expected) << a;
  }
}

TEST_F(CatalogueTable, TemperatureTables) {
  const double ecu[48] = {97.578,  67.65,  47.538,  33.831,  24.359,  17.753,  13.067,  9.7228,  7.3007,  5.5361,
                          4.2332,  3.266,  2.5392,  1.9902,  1.5709,  1.2492,  1.0,     0.805,   0.65326, 0.5329,
                          0.4371,  0.36,   0.299,   0.2493,  0.2088,  0.1757,  0.148,   0.1262,  0.1076,  0.09215,
                          0.07922, 0.0683, 0.05924, 0.05153, 0.04492, 0.0392,  0.0343,  0.03018, 0.02665, 0.023594,
                          0.0209,  0.0186, 0.0166,  0.01486, 0.01332, 0.01198, 0.01079, 0.00974};
  for (TOrvSerialData* item : {static_cast<TOrvSerialData*>(Module->TEMPERATURA_PER_CAMBIO),
                               static_cast<TOrvSerialData*>(Module->VAL_TEMPERATURA)}) {
    ASSERT_NE(item, nullptr);
    ASSERT_EQ(item->TableCount(), 48);
    for (int i = 0; i < 48; ++i) {
      EXPECT_EQ(item->GetEcuTableValue(i), ecu[i]) << item->Name() << " " << i;
      EXPECT_EQ(item->GetUserTableValue(i), -55.0 + 5.0 * i) << item->Name() << " " << i;
    }
    // Raw 128 is the ratio 1.00787, between 20 and 25 degrees: 25.
    EXPECT_EQ(item->ConvertValueToUser(128), 25.0);
  }
}

TEST_F(CatalogueTable, TabledItems) {
  struct Case {
    TOrvSerialData* Item;
    std::vector<double> Ecu, User;
  };
  std::vector<double> signEcu, signUser;
  for (int i = 0; i < 256; ++i) {
    signEcu.push_back(i);
    signUser.push_back(i < 128 ? i : -(i - 128));
  }
  const Case cases[] = {
      {Module->TIPO_COMMUTATORE, {5, 132}, {0, 1}},
      {Module->TipoSensore, {0, 1, 2, 4}, {0, 1, 2, 3}},
      {Module->TIPO_EMULAZIONE, {0, 32, 64}, {0, 1, 2}},
      {Module->PosizioneASondaFredda, signEcu, signUser},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.Item, nullptr);
    ASSERT_EQ(c.Item->TableCount(), static_cast<int>(c.Ecu.size())) << c.Item->Name();
    for (std::size_t i = 0; i < c.Ecu.size(); ++i) {
      EXPECT_EQ(c.Item->GetEcuTableValue(static_cast<int>(i)), c.Ecu[i]) << c.Item->Name() << " " << i;
      EXPECT_EQ(c.Item->GetUserTableValue(static_cast<int>(i)), c.User[i]) << c.Item->Name() << " " << i;
    }
  }
}

TEST_F(CatalogueTable, HeldValuesAreTheDefaultsAfterCreation) {
  struct Case {
    TOrvNumber* Item;
    int Raw;
  };
  const Case cases[] = {
      {Module->TIPO_ACCENSIONE, 4},
      {Module->TEMPO_SOVRAPPOSIZIONE, 101},
      {Module->RITARDO_LETTURA_SONDA, 1},
      {Module->TPS_PER_AFFONDATA, 143},
      {Module->GiriPerCambio, 59},
      {Module->FLAG_CONFIGURAZIONE_3, 0},
      {Module->TEMPERATURA_PER_CAMBIO, 128},
      {Module->TIPO_EMULAZIONE, 64},
      {Module->FLAG_GONFIGURAZIONE, 32},
      {Module->FrazDefEscoMinimo, 5},
      // Creation applies the limits: 12000 RPM is held as 8000 RPM until a
      // reset to defaults switches them off.
      {Module->GiriFuoriGiri, 15},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.Item, nullptr);
    EXPECT_EQ(c.Item->EcuValue, c.Raw) << c.Item->Name();
  }
}

TEST(CatalogueDescription, IsCompiledIn) {
  const std::string_view text = SerialDataModuleDescription();
  EXPECT_EQ(text.substr(0, 2), "//");
  EXPECT_NE(text.find("object SerialDataModule: TSerialDataModule"), std::string_view::npos);
  EXPECT_NE(text.find("object MaxAperturaInFuga: TOrvNumber"), std::string_view::npos);
  EXPECT_EQ(text.back(), '\n');
}

}  // namespace
}  // namespace orv::paramset
