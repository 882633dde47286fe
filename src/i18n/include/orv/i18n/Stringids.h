#pragma once
// The string ids of every text the program takes from the language library.
// A text's resource number in the library is its id plus the current
// language's index times the library's strings per language.

#include <array>
#include <cstddef>

namespace orv::i18n {

// Each language's own name, with "&" before its access letter.
inline constexpr int kStrLanguageName = 0;

// Main window.
inline constexpr int kStrCaption = 2;  // also the connect messages' caption and the about box
inline constexpr int kStrLabelMenu = 3;
inline constexpr int kStrLabelConfVettura = 4;  // also the configuration window's caption
inline constexpr int kStrLabelLoadFile = 5;
inline constexpr int kStrLabelDownLoadFile = 6;
inline constexpr int kStrLabelUscita = 7;
inline constexpr int kStrMenuAiuto = 8;
inline constexpr int kStrActionAbout = 9;
inline constexpr int kStrTextConnected = 10;
inline constexpr int kStrTextNotConnected = 11;
inline constexpr int kStrMenuFile = 12;
inline constexpr int kStrMenuComunicazione = 13;
inline constexpr int kStrActionEsci = 14;
inline constexpr int kStrActionConnect = 15;
inline constexpr int kStrActionDisconnect = 16;
inline constexpr int kStrTextCommError1 = 17;
inline constexpr int kStrTextCommError2 = 18;
inline constexpr int kStrTextWaitCaption = 19;
inline constexpr int kStrTextWaitMessage = 20;
inline constexpr int kStrTextCompleted = 21;
inline constexpr int kStrTextEraseConfirm = 22;
inline constexpr int kStrLabelConfSoft = 108;

// Vehicle configuration window.
inline constexpr int kStrButtonReset = 23;
inline constexpr int kStrTabSheet1 = 24;
inline constexpr int kStrTabSheet2 = 25;
inline constexpr int kStrTabSheet3 = 26;
inline constexpr int kStrComboTipoAcc = 27;
inline constexpr std::array<int, 7> kStrTipoAccItems = {28, 29, 30, 31, 32, 33, 34};
inline constexpr int kStrComboTipoSegnaleGiri = 35;
inline constexpr std::array<int, 2> kStrTipoSegnaleGiriItems = {36, 37};
inline constexpr int kStrComboTipoCambio = 38;
inline constexpr std::array<int, 2> kStrTipoCambioItems = {39, 40};
inline constexpr int kStrValEditTempCambio = 41;
inline constexpr int kStrValEditNGiriCambio = 42;
inline constexpr int kStrValEditTempSovr = 43;
inline constexpr int kStrValEditRitardoSonda = 44;
inline constexpr int kStrComboCommutatore = 45;
inline constexpr std::array<int, 2> kStrCommutatoreItems = {46, 47};
inline constexpr int kStrComboTipoSensore = 48;
inline constexpr std::array<int, 4> kStrTipoSensoreItems = {49, 51, 52, 53};  // 50 is not used
inline constexpr int kStrComboTipoTPS = 54;
inline constexpr std::array<int, 6> kStrTipoTPSItems = {55, 56, 57, 58, 59, 60};
inline constexpr int kStrComboTipoSonda = 61;
inline constexpr std::array<int, 6> kStrTipoSondaItems = {62, 63, 64, 65, 66, 67};
inline constexpr int kStrComboTipoEmul = 68;
inline constexpr std::array<int, 3> kStrTipoEmulItems = {69, 70, 71};
inline constexpr int kStrOrvLabelGiri = 72;
inline constexpr int kStrOrvLabelTemperatura = 73;
inline constexpr int kStrOrvLabelMinTPS = 74;
inline constexpr int kStrOrvLabelMotore = 75;
inline constexpr int kStrOrvLabelDefault = 76;
inline constexpr int kStrOrvLabelLambda = 77;
inline constexpr int kStrOrvLabelTPS = 78;
inline constexpr int kStrCheckBoxAff = 79;
inline constexpr int kStrValEditPosAff = 80;
inline constexpr int kStrValEditTPSAff = 81;
inline constexpr int kStrCheckBoxCutOff = 82;
inline constexpr int kStrValEditGiriCutOff = 83;
inline constexpr int kStrValEditPosCutOff = 84;
inline constexpr int kStrCheckBoxDef = 85;
inline constexpr int kStrValEditPosDef = 86;
inline constexpr int kStrValEditMaxPos = 87;
inline constexpr int kStrValEditMinPos = 88;
inline constexpr int kStrCheckBoxFuoriGiri = 89;
inline constexpr int kStrValueEditExFuoriGiri = 90;
inline constexpr int kStrCheckBoxGuidaEco = 91;
inline constexpr int kStrValEditIstMinTPS = 92;
inline constexpr int kStrButtonOndaCostruita = 104;

// Configuration files: wait window while loading and saving, error messages.
inline constexpr int kStrWaitMessageLoad = 93;
inline constexpr int kStrWaitMessageSave = 94;
inline constexpr int kStrWaitCaptionLoad = 95;
inline constexpr int kStrWaitCaptionSave = 96;
inline constexpr int kStrFileCannotReplace = 97;
inline constexpr int kStrFileErrorCaption = 98;
inline constexpr int kStrFileCipherError = 99;

// Constructed-wave window.
inline constexpr int kStrTempoAlto = 100;
inline constexpr int kStrTempoBasso = 101;
inline constexpr int kStrNumeroOnde = 102;
inline constexpr int kStrTempoSondaSconnessa = 103;

// Connecting: the ECU gave an unexpected kind of answer.
inline constexpr int kStrTextBadAnswer = 105;

// About box: the word before the program's version.
inline constexpr int kStrVersion = 146;

// Every id above, ascending: 0, 2 to 49, 51 to 105, 108 and 146.
inline constexpr auto kUsedStringIds = [] {
  std::array<int, 106> ids{};
  std::size_t n = 0;
  ids[n++] = kStrLanguageName;
  for (int id = 2; id <= 105; ++id) {
    if (id != 50) ids[n++] = id;
  }
  ids[n++] = kStrLabelConfSoft;
  ids[n++] = kStrVersion;
  return ids;
}();

static_assert([] {
  for (std::size_t i = 1; i < kUsedStringIds.size(); ++i) {
    if (kUsedStringIds[i] <= kUsedStringIds[i - 1]) return false;
  }
  return kUsedStringIds.back() == kStrVersion;
}());

}  // namespace orv::i18n
