#include "orv/i18n/Messagetexts.h"

#include "orv/i18n/Stringids.h"
#include "orv/i18n/Translator.h"

namespace orv::i18n {

void LoadMessageTexts(TTranslator& translator, TMessageTexts& texts) {
  texts.TextConnected = translator.GetString(kStrTextConnected);
  texts.TextBadAnswer = translator.GetString(kStrTextBadAnswer);
  texts.TextNotConnected = translator.GetString(kStrTextNotConnected);
  texts.TextCommError1 = translator.GetString(kStrTextCommError1);
  texts.TextCommError2 = translator.GetString(kStrTextCommError2);
  texts.TextWaitCaption = translator.GetString(kStrTextWaitCaption);
  texts.TextWaitMessage = translator.GetString(kStrTextWaitMessage);
  texts.TextCompleted = translator.GetString(kStrTextCompleted);
  texts.TextEraseConfirm = translator.GetString(kStrTextEraseConfirm);
}

}  // namespace orv::i18n
