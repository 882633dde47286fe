#pragma once
// Message boxes, file dialogs and the error beep go through one service, so
// that the Qt-free logic can show them and tests can record them. The
// program installs the Qt implementation; tests install TRecordingDialogs.

#include <deque>
#include <string>
#include <vector>

namespace orv::platform {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons of a message box (a set).
enum TMsgDlgButton : unsigned {
  mbYes = 1,
  mbNo = 2,
  mbOK = 4,
  mbCancel = 8,
  mbAbort = 16,
  mbRetry = 32,
  mbIgnore = 64
};

// Results of a message box or a modal window.
enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7
};

struct TFileDialogSpec {
  std::string Title;
  std::string DefaultExt;  // "lce"
  std::string Filter;      // "File : |*.lce"
  std::string InitialDir;  // ".\Configurazioni"
  std::string FileName;    // proposed name
};

class IDialogService {
 public:
  virtual ~IDialogService() = default;
  // Shows a modal message box; returns the TModalResult of the button chosen.
  // defaultButton is one TMsgDlgButton (0: the first).
  virtual int MessageBox(const std::string& text, const std::string& caption, TMsgDlgType type, unsigned buttons,
                         unsigned defaultButton = 0) = 0;
  // File dialogs: true with the chosen path, false when cancelled.
  virtual bool OpenFileDialog(const TFileDialogSpec& spec, std::string& fileName) = 0;
  virtual bool SaveFileDialog(const TFileDialogSpec& spec, std::string& fileName) = 0;
  virtual void Beep() = 0;
};

// Records every message box and beep; answers with scripted results
// (default mrOk / the first of Yes-No: mrYes) and scripted file names
// (none: cancelled).
class TRecordingDialogs : public IDialogService {
 public:
  struct TShownMessage {
    std::string Text;
    std::string Caption;
    TMsgDlgType Type;
    unsigned Buttons;
    unsigned DefaultButton;
  };

  int MessageBox(const std::string& text, const std::string& caption, TMsgDlgType type, unsigned buttons,
                 unsigned defaultButton = 0) override;
  bool OpenFileDialog(const TFileDialogSpec& spec, std::string& fileName) override;
  bool SaveFileDialog(const TFileDialogSpec& spec, std::string& fileName) override;
  void Beep() override { ++Beeps; }

  std::vector<TShownMessage> Messages;
  std::vector<TFileDialogSpec> FileDialogs;
  std::deque<int> Answers;            // next message box results
  std::deque<std::string> FileNames;  // next file dialog results; "" cancels
  int Beeps = 0;
};

// The service the process uses; until one is installed, a service that
// writes messages to standard error and answers like TRecordingDialogs.
IDialogService& Dialogs();
void SetDialogs(IDialogService* service);

class TScopedDialogs {
 public:
  explicit TScopedDialogs(IDialogService& s) : FPrevious(&Dialogs()) { SetDialogs(&s); }
  ~TScopedDialogs() { SetDialogs(FPrevious); }
  TScopedDialogs(const TScopedDialogs&) = delete;
  TScopedDialogs& operator=(const TScopedDialogs&) = delete;

 private:
  IDialogService* FPrevious;
};

}  // namespace orv::platform
