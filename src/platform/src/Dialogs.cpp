#include "orv/platform/Dialogs.h"

#include <atomic>
#include <iostream>

namespace orv::platform {

namespace {
int DefaultAnswer(unsigned buttons) {
  if ((buttons & mbOK) != 0) return mrOk;
  if ((buttons & mbYes) != 0) return mrYes;
  return mrCancel;
}
}  // namespace

int TRecordingDialogs::MessageBox(const std::string& text, const std::string& caption, TMsgDlgType type,
                                  unsigned buttons, unsigned defaultButton) {
  Messages.push_back({text, caption, type, buttons, defaultButton});
  if (!Answers.empty()) {
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  return DefaultAnswer(buttons);
}

bool TRecordingDialogs::OpenFileDialog(const TFileDialogSpec& dialog, std::string& fileName) {
  FileDialogs.push_back(dialog);
  if (FileNames.empty()) return false;
  fileName = FileNames.front();
  FileNames.pop_front();
  return !fileName.empty();
}

bool TRecordingDialogs::SaveFileDialog(const TFileDialogSpec& dialog, std::string& fileName) {
  return OpenFileDialog(dialog, fileName);
}

namespace {
// Without a window system: messages go to standard error.
class TConsoleDialogs final : public TRecordingDialogs {
 public:
  int MessageBox(const std::string& text, const std::string& caption, TMsgDlgType type, unsigned buttons,
                 unsigned defaultButton) override {
    std::cerr << caption << ": " << text << '\n';
    Messages.clear();
    return TRecordingDialogs::MessageBox(text, caption, type, buttons, defaultButton);
  }
};

TConsoleDialogs gConsoleDialogs;
std::atomic<IDialogService*> gDialogs{nullptr};
}  // namespace

IDialogService& Dialogs() {
  IDialogService* d = gDialogs.load();
  return d != nullptr ? *d : gConsoleDialogs;
}

void SetDialogs(IDialogService* service) { gDialogs.store(service); }

}  // namespace orv::platform
