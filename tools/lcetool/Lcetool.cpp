// lcetool: configuration files from the command line.
//
//   lcetool decode FILE        print the INI text of a configuration file
//   lcetool encode IN OUT      encipher INI text into a configuration file
//
// Exit codes: 0 done, 1 the operation failed (or found problems), 2 wrong
// usage. Messages go to standard error; nothing is written to an existing
// target unless the whole new file is ready.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "orv/paramset/Lcefile.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/MainThread.h"

namespace {

using namespace orv;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

const char* const kUsage =
    "Usage: lcetool COMMAND [ARGUMENTS]\n"
    "\n"
    "Configuration files (extension lce) of the lambda-probe ECU:\n"
    "  decode FILE     print the INI text of FILE on standard output\n"
    "  encode IN OUT   encipher the INI text file IN into the configuration file OUT\n"
    "  --help          show this text\n"
    "\n"
    "Exit status: 0 done, 1 the operation failed, 2 wrong usage.\n"
    "An existing OUT is replaced only by a complete new file.\n";

// Message boxes of the shared code, as lines on standard error.
class TConsoleDialogs final : public platform::IDialogService {
 public:
  int MessageBox(const std::string& text, const std::string& caption, platform::TMsgDlgType, unsigned buttons,
                 unsigned) override {
    std::cerr << "lcetool: " << caption << ": " << text << '\n';
    if ((buttons & platform::mbOK) != 0) return platform::mrOk;
    if ((buttons & platform::mbYes) != 0) return platform::mrYes;
    return platform::mrCancel;
  }
  bool OpenFileDialog(const platform::TFileDialogSpec&, std::string&) override { return false; }
  bool SaveFileDialog(const platform::TFileDialogSpec&, std::string&) override { return false; }
  void Beep() override {}
};

int Fail(const std::string& message) {
  std::cerr << "lcetool: " << message << '\n';
  return kExitFailed;
}

int Usage(const std::string& message) {
  std::cerr << "lcetool: " << message << "\n\n" << kUsage;
  return kExitUsage;
}

int Decode(const std::string& file) {
  const auto bytes = paramset::ReadFileBytes(file);
  if (!bytes) return Fail("cannot read " + file);
  if (bytes->size() < paramset::LceBodyOffset)
    return Fail(file + " is not a configuration file (shorter than " + std::to_string(paramset::LceBodyOffset) +
                " bytes)");
  const auto text = paramset::DecryptBytes(*bytes);
  if (!text) return Fail("cannot decipher " + file);
  std::fwrite(text->data(), 1, text->size(), stdout);
  return std::fflush(stdout) == 0 ? kExitOk : Fail("cannot write the text to standard output");
}

int Encode(const std::string& in, const std::string& out) {
  const auto plain = paramset::ReadFileBytes(in);
  if (!plain) return Fail("cannot read " + in);
  if (!paramset::CanReplaceFile(out)) return Fail("cannot write " + out);
  const std::string_view text(reinterpret_cast<const char*>(plain->data()), plain->size());
  if (!paramset::EncryptTextToFile(text, out)) return Fail("cannot write " + out + "; it was left as it was");
  return kExitOk;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return Usage("no command given");
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << kUsage;
    return kExitOk;
  }
  const auto expect = [&](std::size_t count, const char* form) -> bool {
    if (args.size() == count + 1) return true;
    Usage(std::string("usage: lcetool ") + form);
    return false;
  };
  if (command == "decode") return expect(1, "decode FILE") ? Decode(args[1]) : kExitUsage;
  if (command == "encode") return expect(2, "encode IN OUT") ? Encode(args[1], args[2]) : kExitUsage;
  return Usage("unknown command \"" + command + "\"");
}

}  // namespace

int main(int argc, char** argv) {
  TConsoleDialogs dialogs;
  platform::TScopedDialogs scopedDialogs(dialogs);
  platform::TMainThreadQueue mainThread;
  platform::TScopedMainThread scopedMainThread(mainThread);
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    return Fail(std::string("unexpected failure: ") + e.what());
  }
}
