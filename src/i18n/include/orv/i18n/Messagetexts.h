#pragma once
// The nine message texts the data module keeps for the windows and its own
// operations, in the current language. Empty until a language is applied.

#include <string>

namespace orv::i18n {

class TTranslator;

struct TMessageTexts {
  std::string TextConnected;     // status panel while the ECU link is open
  std::string TextNotConnected;  // status panel while the link is closed
  std::string TextCommError1;    // first line of the "ECU does not answer" message
  std::string TextCommError2;    // its second line
  std::string TextWaitCaption;   // wait window caption: connecting, EEPROM erase
  std::string TextWaitMessage;   // wait window message line for the same
  std::string TextCompleted;     // word after the percentage on the wait window
  std::string TextEraseConfirm;  // question before the EEPROM erase
  std::string TextBadAnswer;     // the ECU gave an unexpected kind of answer
};

// Fills every text from the translator's current language.
void LoadMessageTexts(TTranslator& translator, TMessageTexts& texts);

}  // namespace orv::i18n
