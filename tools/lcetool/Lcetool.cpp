// lcetool: configuration files and headless ECU access from the command
// line, on the same code as the program (no windows: messages go to standard
// error, the main thread is this process's only thread of work).
//
// Exit codes: 0 done (check: every parameter readable; diff: no
// differences), 1 check found unreadable parameters or diff found
// differences, 2 wrong usage, 3 the operation failed. Nothing is written to
// an existing target unless the whole new file is ready.

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "orv/items/Serialdata.h"
#include "orv/link/Orvconnection.h"
#include "orv/paramset/Configfile.h"
#include "orv/paramset/Dati.h"
#include "orv/paramset/Lcefile.h"
#include "orv/paramset/Orvmeminifile.h"
#include "orv/platform/Dialogs.h"
#include "orv/platform/MainThread.h"
#include "orv/platform/NumberText.h"

namespace {

using namespace orv;

constexpr int kExitOk = 0;
constexpr int kExitFindings = 1;
constexpr int kExitUsage = 2;
constexpr int kExitFailed = 3;

const char* const kUsage =
    "Usage: lcetool [OPTIONS] COMMAND [ARGUMENTS]\n"
    "\n"
    "Configuration files (extension lce) of the lambda-probe ECU:\n"
    "  decode FILE     print the INI text of FILE on standard output\n"
    "  encode IN OUT   encipher the INI text file IN into the configuration file OUT\n"
    "  check FILE      report every parameter as present and readable, missing or\n"
    "                  not a number, with the limits a user entry would get\n"
    "  diff A B        list the parameters whose values differ between A and B\n"
    "The ECU, through the communication library beside the program (SerOrvDL):\n"
    "  read OUT        connect, save the ECU's configuration into OUT, disconnect\n"
    "  write FILE      connect, load FILE into the ECU, disconnect\n"
    "\n"
    "Options:\n"
    "  --port N        port for read and write: 0-3 COM1-COM4, 4 USB (default 4)\n"
    "  --library PATH  communication library to use instead of SerOrvDL.dll\n"
    "  --help          show this text\n"
    "\n"
    "Values are read with either \".\" or \",\" as the decimal separator and\n"
    "written with the separator of the user's locale.\n"
    "\n"
    "Exit status: 0 done, 1 check found unreadable parameters or diff found\n"
    "differences, 2 wrong usage, 3 the operation failed. An existing output\n"
    "file is replaced only by a complete new file.\n";

// Message boxes of the shared code, as lines on standard error.
class TConsoleDialogs final : public platform::IDialogService {
 public:
  int MessageBox(const std::string& text, const std::string& caption, platform::TMsgDlgType, unsigned buttons,
                 unsigned) override {
    std::cerr << "lcetool: " << (caption.empty() ? "" : caption + ": ") << text << '\n';
    if ((buttons & platform::mbOK) != 0) return platform::mrOk;
    if ((buttons & platform::mbYes) != 0) return platform::mrYes;
    return platform::mrCancel;
  }
  bool OpenFileDialog(const platform::TFileDialogSpec&, std::string&) override { return false; }
  bool SaveFileDialog(const platform::TFileDialogSpec&, std::string&) override { return false; }
  void Beep() override {}
};

// The data module as saving and loading see it, with the texts of a console
// tool instead of the language library's and no wait window.
class TToolHost final : public paramset::IConfigFileHost {
 public:
  explicit TToolHost(paramset::TSerialDataModule& module) : FModule(module) {}
  platform::TComponent& Module() override { return FModule; }
  std::string Text(int stringId) override {
    switch (stringId) {
      case 93:
        return "Loading the configuration";
      case 94:
        return "Saving the configuration";
      case 95:
        return "Load";
      case 96:
        return "Save";
      case 97:
        return "the existing file cannot be replaced";
      case 98:
        return "error";
      case 99:
        return "the file cannot be enciphered or deciphered";
      default:
        return FModule.Text(stringId);
    }
  }
  void OpenWaitWindow(const std::string&, const std::string&) override {}
  void SetWaitProgress(std::uint8_t, bool) override {}
  void CloseWaitWindow() override {}
  void ResetAllToDefaults() override { FModule.ResetAllToDefaults(); }

 private:
  paramset::TSerialDataModule& FModule;
};

struct TOptions {
  int Port = 4;
  std::string Library;
};

int Fail(const std::string& message) {
  std::cerr << "lcetool: " << message << '\n';
  return kExitFailed;
}

int Usage(const std::string& message) {
  std::cerr << "lcetool: " << message << "\n\n" << kUsage;
  return kExitUsage;
}

std::string Number(double value) { return platform::FloatToStr(value, '.'); }

// The INI text of a configuration file, or a message on standard error.
std::optional<std::string> DecodeFile(const std::string& file) {
  const auto bytes = paramset::ReadFileBytes(file);
  if (!bytes) {
    Fail("cannot read " + file);
    return std::nullopt;
  }
  if (bytes->size() < paramset::LceBodyOffset) {
    Fail(file + " is not a configuration file (shorter than " + std::to_string(paramset::LceBodyOffset) + " bytes)");
    return std::nullopt;
  }
  auto text = paramset::DecryptBytes(*bytes);
  if (!text) Fail("cannot decipher " + file);
  return text;
}

std::unique_ptr<paramset::TSerialDataModule> MakeModule(const TOptions& options) {
  auto module = std::make_unique<paramset::TSerialDataModule>();
  if (!options.Library.empty() && module->OrvConnection != nullptr) {
    // The catalogue's connection may have loaded its default library already.
    module->OrvConnection->UnloadDll();
    module->OrvConnection->SetDllName(options.Library);
  }
  return module;
}

// The parameters of configuration files, in catalogue order.
std::vector<items::TOrvNumber*> FileParameters(paramset::TSerialDataModule& module) {
  std::vector<items::TOrvNumber*> result;
  for (int i = 0; i < module.ComponentCount(); ++i) {
    auto* number = dynamic_cast<items::TOrvNumber*>(module.Components(i));
    if (number != nullptr && !number->FileSection.empty() && !number->FileKey().empty()) result.push_back(number);
  }
  return result;
}

// A parameter's value in a file, read as loading reads it.
struct TFileValue {
  enum { Missing, NotANumber, Present } State = Missing;
  std::string Text;
  double Value = 0.0;
};

TFileValue ValueIn(paramset::TMemIniData& ini, const items::TOrvNumber& number) {
  TFileValue v;
  const std::string key = number.FileKey();
  if (!ini.ValueExists(number.FileSection, key)) return v;
  v.Text = ini.ReadString(number.FileSection, key, "");
  if (number.StoreUserValue) {
    const double a = ini.ReadFloat(number.FileSection, key, 0.0);
    const double b = ini.ReadFloat(number.FileSection, key, 1.0);
    v.State = a == b ? TFileValue::Present : TFileValue::NotANumber;
    v.Value = a;
  } else {
    const long a = ini.ReadInteger(number.FileSection, key, 0);
    const long b = ini.ReadInteger(number.FileSection, key, 1);
    v.State = a == b ? TFileValue::Present : TFileValue::NotANumber;
    v.Value = static_cast<double>(a);
  }
  return v;
}

std::string Unit(const items::TOrvNumber& number) {
  return number.MeasureUnit.empty() ? std::string() : " " + number.MeasureUnit;
}

std::string Where(const items::TOrvNumber& number) {
  return number.Name() + " [" + number.FileSection + "] " + number.FileKey();
}

int Decode(const std::string& file) {
  const auto text = DecodeFile(file);
  if (!text) return kExitFailed;
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

int Check(const std::string& file, const TOptions& options) {
  const auto text = DecodeFile(file);
  if (!text) return kExitFailed;
  paramset::TIniBuffer buffer = paramset::MakeIniBuffer(*text, false);
  paramset::TMemIniData ini(&buffer);
  auto module = MakeModule(options);
  int problems = 0;
  int count = 0;
  for (items::TOrvNumber* number : FileParameters(*module)) {
    ++count;
    const TFileValue v = ValueIn(ini, *number);
    std::ostringstream line;
    const double lo = number->ValueMin();
    const double hi = number->ValueMax();
    const bool limited = lo != 0.0 || hi != 0.0;
    switch (v.State) {
      case TFileValue::Missing:
        ++problems;
        line << "missing       " << Where(*number);
        break;
      case TFileValue::NotANumber:
        ++problems;
        line << "not a number  " << Where(*number) << " = \"" << v.Text << "\"";
        break;
      case TFileValue::Present:
        line << "ok            " << Where(*number) << " = " << Number(v.Value) << Unit(*number);
        if (limited && (v.Value < lo || v.Value > hi)) line << "  (outside the limits: loaded as saved)";
        break;
    }
    if (limited) {
      line << "  limits " << Number(lo) << " .. " << Number(hi) << Unit(*number);
    } else {
      line << "  no limits";
    }
    if (number->ReadOnly) line << "  (read-only: not loaded)";
    std::cout << line.str() << '\n';
  }
  std::cout << count << " parameters, " << problems << (problems == 1 ? " problem" : " problems") << '\n';
  return problems == 0 ? kExitOk : kExitFindings;
}

int Diff(const std::string& fileA, const std::string& fileB, const TOptions& options) {
  const auto textA = DecodeFile(fileA);
  const auto textB = DecodeFile(fileB);
  if (!textA || !textB) return kExitFailed;
  paramset::TIniBuffer bufferA = paramset::MakeIniBuffer(*textA, false);
  paramset::TIniBuffer bufferB = paramset::MakeIniBuffer(*textB, false);
  paramset::TMemIniData iniA(&bufferA);
  paramset::TMemIniData iniB(&bufferB);
  auto module = MakeModule(options);
  const auto show = [](const TFileValue& v, const items::TOrvNumber& number) -> std::string {
    switch (v.State) {
      case TFileValue::Missing:
        return "(missing)";
      case TFileValue::NotANumber:
        return "\"" + v.Text + "\" (not a number)";
      case TFileValue::Present:
        break;
    }
    return Number(v.Value) + Unit(number);
  };
  int differences = 0;
  for (items::TOrvNumber* number : FileParameters(*module)) {
    const TFileValue a = ValueIn(iniA, *number);
    const TFileValue b = ValueIn(iniB, *number);
    const bool same =
        a.State == b.State &&
        (a.State == TFileValue::Present ? a.Value == b.Value : a.State == TFileValue::Missing || a.Text == b.Text);
    if (same) continue;
    ++differences;
    std::cout << Where(*number) << ": " << show(a, *number) << " -> " << show(b, *number) << '\n';
  }
  std::cout << differences << (differences == 1 ? " parameter differs" : " parameters differ") << '\n';
  return differences == 0 ? kExitOk : kExitFindings;
}

// Connects the module to the ECU; false after a message when the link is
// not open.
bool ConnectEcu(paramset::TSerialDataModule& module, const TOptions& options) {
  const int result = module.Connect(options.Port, 0);
  if (module.IsLinkOpen()) return true;
  switch (result) {
    case paramset::kConnectNoAnswer:
      Fail("the ECU does not answer");
      break;
    case paramset::kConnectBadAnswer:
      Fail("the ECU gave an unexpected answer");
      break;
    default:
      if (module.OrvConnection == nullptr || !module.OrvConnection->IsLoaded()) {
        const std::string why = module.OrvConnection != nullptr ? module.OrvConnection->LastError() : "";
        Fail("the communication library cannot be loaded" + (why.empty() ? "" : ": " + why));
      } else {
        Fail("the ECU is not a compatible one, or it refused the link");
      }
      break;
  }
  module.Disconnect(false);
  return false;
}

int Read(const std::string& out, const TOptions& options) {
  if (!paramset::CanReplaceFile(out)) return Fail("cannot write " + out);
  auto module = MakeModule(options);
  if (!ConnectEcu(*module, options)) return kExitFailed;
  TToolHost host(*module);
  const bool ok = paramset::SaveConfiguration(host, out);
  module->Disconnect(false);
  return ok ? kExitOk : Fail("the configuration was not saved completely");
}

int Write(const std::string& file, const TOptions& options) {
  if (!DecodeFile(file)) return kExitFailed;
  auto module = MakeModule(options);
  if (!ConnectEcu(*module, options)) return kExitFailed;
  TToolHost host(*module);
  const bool ok = paramset::LoadConfiguration(host, file);
  module->Disconnect(false);
  return ok ? kExitOk : Fail("the configuration was not loaded completely");
}

int Run(std::vector<std::string> args) {
  TOptions options;
  // Options come before the command.
  while (!args.empty() && args.front().rfind("--", 0) == 0) {
    const std::string option = args.front();
    args.erase(args.begin());
    if (option == "--help") {
      std::cout << kUsage;
      return kExitOk;
    }
    if (args.empty()) return Usage(option + " needs a value");
    const std::string value = args.front();
    args.erase(args.begin());
    if (option == "--port") {
      const auto port = platform::TryStrToInt(value);
      if (!port || *port < 0 || *port > 4) return Usage("--port takes 0 to 4");
      options.Port = static_cast<int>(*port);
    } else if (option == "--library") {
      options.Library = value;
    } else {
      return Usage("unknown option " + option);
    }
  }
  if (args.empty()) return Usage("no command given");
  const std::string& command = args[0];
  if (command == "-h" || command == "help") {
    std::cout << kUsage;
    return kExitOk;
  }
  const auto form = [&](std::size_t count, const char* text) -> bool {
    if (args.size() == count + 1) return true;
    Usage(std::string("usage: lcetool ") + text);
    return false;
  };
  if (command == "decode") return form(1, "decode FILE") ? Decode(args[1]) : kExitUsage;
  if (command == "encode") return form(2, "encode IN OUT") ? Encode(args[1], args[2]) : kExitUsage;
  if (command == "check") return form(1, "check FILE") ? Check(args[1], options) : kExitUsage;
  if (command == "diff") return form(2, "diff A B") ? Diff(args[1], args[2], options) : kExitUsage;
  if (command == "read") return form(1, "read OUT") ? Read(args[1], options) : kExitUsage;
  if (command == "write") return form(1, "write FILE") ? Write(args[1], options) : kExitUsage;
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
