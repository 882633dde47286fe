#include "Simulatedecu.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "Simulatorhooks.h"

namespace orv::plugins::simulator {

namespace {

constexpr std::uint32_t kArrayBit = 0x100;
constexpr std::uint32_t kTwoBytesBit = 0x200;
constexpr std::uint32_t kSignedBit = 0x400;
constexpr std::size_t kLogCapacity = 65536;

// Raw bytes of the catalogue's default values, limits switched off, bit
// fields sharing a byte merged. Addresses not listed hold 0.
struct TFactoryByte {
  int Address;
  std::uint8_t Value;
};
constexpr TFactoryByte kFactoryBytes[] = {
    {161, 0},    // CHECKUP
    {162, 32},   // FLAG_GONFIGURAZIONE
    {163, 68},   // TIPO_ACCENSIONE 4 | TIPO_CAMBIO 0 | TIPO_EMULAZIONE 2 (64)
    {164, 0},    // TipoSensore, FLAG_CONFIGURAZIONE_2, TIPO_SEGNALE_GIRI, TIPO_TPS: 0
    {165, 0},    // TIPO_SONDA_LAMBDA 0 | FLAG_CONFIGURAZIONE_3 16 (bit 4 inverted)
    {166, 143},  // TPS_PER_AFFONDATA 2.8 V
    {167, 100},  // POSIZIONE_IN_AFFONDATA
    {168, 100},  // POSIZIONE_DEFAULT
    {169, 18},   // NUMERO_VOLTE_ALTO 0.36 s
    {170, 18},   // NUVERO_VOLTE_BASSO 0.36 s
    {171, 0},    // NUMERO_VOLTE_TRI
    {172, 1},    // NUMERO_RIPETIZIONI_ONDA
    {173, 0},    // NUMERO_RIPETIZIONI_TRI
    {174, 60},   // VelIngrMinimo
    {175, 80},   // VelSmagrMinimo
    {176, 20},   // VelocitaFuga
    {177, 35},   // VelIngrCrociera
    {178, 60},   // VelSmagrCrociera
    {179, 20},   // OrvNumberVelIngrSbana
    {180, 80},   // OrvNumberVelSmagrSbana
    {182, 0},    // FrazDefEntroMinimo
    {183, 5},    // FrazDefEscoMinimo
    {184, 25},   // MassimaAperturaAlMinimo
    {185, 25},   // AperturaSfigFuoriMin
    {186, 8},    // AperturaSfigFuoriMinEco
    {187, 25},   // MinimaAperturaAlMinimo
    {188, 255},  // MassimaAperturaInCrociera
    {189, 255},  // MinimaAperturaInCrociera
    {190, 10},   // MinAperturaInFuga
    {191, 10},   // MaxAperturaInFuga
    {194, 7},    // ISTERESI_MINIMO_TPS 0.14 V
    {195, 71},   // ValoreMinimoTPS 1.4 V
    {196, 102},  // TPSFasciaApprendimento 2 V
    {197, 179},  // OrvNumberTPSRif2 3.5 V
    {198, 28},   // RifLambdaRiccoFreddo 0.55 V
    {199, 28},   // RifLambdaAlMinimo 0.55 V
    {200, 28},   // RifLambdaFuoriMinimo 0.55 V
    {202, 28},   // RifLambdaInPotenza 0.55 V
    {204, 78},   // GiriCutOff 1500 RPM
    {205, 1},    // RITARDO_LETTURA_SONDA 5 s
    {206, 80},   // POSIZIONE_IN_CUTOFF
    {207, 240},  // MASSIMA_APERTURA_ATTUATORE
    {208, 20},   // MINIMA_APERTURA_ATTUATORE
    {209, 120},  // RitardoSmagrPrimoGrasso
    {210, 1},    // NPassiPrimoMagroCrociera
    {211, 4},    // NPassiTestMagroPower
    {212, 10},   // TempoTraTestMagroPower 0.2 s
    {213, 33},   // GiriSbananata 3600 RPM
    {214, 4},    // NPassiPrimoMagroPower
    {215, 179},  // TPSSbananata 3.5 V
    {216, 101},  // TEMPO_SOVRAPPOSIZIONE 0.4 s
    {218, 100},  // PosizioneInOpenLoop
    {219, 0},    // PosizioneASondaFredda
    {223, 59},   // GiriPerCambio 2000 RPM
    {224, 128},  // TEMPERATURA_PER_CAMBIO 25 C
    {225, 10},   // GiriFuoriGiri 12000 RPM
    {226, 5},    // TIPO_COMMUTATORE 0
};

// Thermistor ratio raw / (255 - raw) at -55, -50, ..., 180 C.
constexpr double kThermistorRatio[48] = {
    97.578, 67.65,   47.538,  33.831,   24.359, 17.753,  13.067,  9.7228,  7.3007,  5.5361,  4.2332,  3.266,
    2.5392, 1.9902,  1.5709,  1.2492,   1.0,    0.805,   0.65326, 0.5329,  0.4371,  0.36,    0.299,   0.2493,
    0.2088, 0.1757,  0.148,   0.1262,   0.1076, 0.09215, 0.07922, 0.0683,  0.05924, 0.05153, 0.04492, 0.0392,
    0.0343, 0.03018, 0.02665, 0.023594, 0.0209, 0.0186,  0.0166,  0.01486, 0.01332, 0.01198, 0.01079, 0.00974};

std::uint8_t TemperatureByte(double celsius) {
  const double position = std::clamp((celsius + 55.0) / 5.0, 0.0, 47.0);
  const int k = std::min(46, static_cast<int>(position));
  const double f = position - k;
  const double ratio = kThermistorRatio[k] + (kThermistorRatio[k + 1] - kThermistorRatio[k]) * f;
  const double raw = 255.0 * ratio / (1.0 + ratio);
  return static_cast<std::uint8_t>(std::clamp(std::lround(raw), 1L, 254L));
}

std::uint8_t VoltByte(double volts) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(volts * 255.0 / 5.0), 0L, 255L));
}

std::vector<TCodedData> FactoryCoded() {
  std::vector<TCodedData> coded(6);
  coded[0] = {1, 1, {0}};
  coded[1] = {1, 16, {}};
  for (int i = 0; i < 16; ++i) coded[1].Values.push_back(10 * i);
  coded[2] = {1, 8, {}};
  for (int i = 0; i < 8; ++i) coded[2].Values.push_back(1000 * (i + 1));
  coded[3] = {8, 8, {}};
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 8; ++c) coded[3].Values.push_back(64 + 8 * r + c);
  }
  coded[4] = {1, 8, {}};
  for (int i = 0; i < 8; ++i) coded[4].Values.push_back(20 * (i + 1));
  coded[5] = {1, 8, {}};
  for (int i = 0; i < 8; ++i) coded[5].Values.push_back(32 * i);
  return coded;
}

std::int32_t CutToWidth(std::uint32_t desc, std::int32_t value) {
  return (desc & kTwoBytesBit) != 0 ? (value & 0xFFFF) : (value & 0xFF);
}

std::int32_t ReadAsDescribed(std::uint32_t desc, std::int32_t stored) {
  std::int32_t v = CutToWidth(desc, stored);
  if ((desc & kSignedBit) != 0) {
    v = (desc & kTwoBytesBit) != 0 ? static_cast<std::int16_t>(v) : static_cast<std::int8_t>(v);
  }
  return v;
}

std::vector<int> ParseList(const std::string& text, bool* ok) {
  std::vector<int> list;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, ';')) {
    char* end = nullptr;
    const long v = std::strtol(part.c_str(), &end, 10);
    if (part.empty() || end == nullptr || *end != '\0') {
      *ok = false;
      continue;
    }
    list.push_back(static_cast<int>(v));
  }
  return list;
}

bool ParseInt(const std::string& text, int* out) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (end == nullptr || *end != '\0') return false;
  *out = static_cast<int>(v);
  return true;
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  const auto e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool Contains(const std::vector<int>& list, int value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

std::string DefaultEepromPath() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (data != nullptr && *data != '\0') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return {};
    base = std::string(home) + "/.local/share";
  }
  return base + "/orvconfig/serorvdl-eeprom.bin";
}

}  // namespace

TFaults ParseFaults(const std::string& text, int* unknown) {
  TFaults f;
  int bad = 0;
  std::stringstream in(text);
  std::string token;
  while (std::getline(in, token, ',')) {
    token = Trim(token);
    if (token.empty()) continue;
    const auto eq = token.find('=');
    const std::string name = token.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : token.substr(eq + 1);
    const bool hasValue = eq != std::string::npos;
    bool ok = true;
    int n = 0;
    if (name == "noanswer" && !hasValue) {
      f.NoAnswer = true;
    } else if (name == "openfail" && !hasValue) {
      f.OpenFail = true;
    } else if (name == "packetfail" && !hasValue) {
      f.PacketFail = true;
    } else if ((name == "kind" || name == "code" || name == "variant") && ParseInt(value, &n) && n >= 0 && n <= 255) {
      (name == "kind" ? f.Kind : name == "code" ? f.Code : f.Variant) = n;
    } else if (name == "readfail") {
      if (hasValue) {
        f.ReadFailAddresses = ParseList(value, &ok);
      } else {
        f.ReadFailAll = true;
      }
    } else if (name == "writefail") {
      if (hasValue) {
        f.WriteFailAddresses = ParseList(value, &ok);
      } else {
        f.WriteFailAll = true;
      }
    } else if (name == "status" && hasValue) {
      const auto at = value.find('@');
      ok = ParseInt(value.substr(0, at), &f.Status);
      if (at != std::string::npos) f.StatusAddresses = ParseList(value.substr(at + 1), &ok);
    } else if (name == "droplink" && ParseInt(value, &n) && n >= 0) {
      f.DropLinkAfter = n;
    } else if (name == "latency" && ParseInt(value, &n) && n >= 0) {
      f.LatencyMs = std::min(n, 10000);
    } else {
      ok = false;
    }
    if (!ok) ++bad;
  }
  if (unknown != nullptr) *unknown = bad;
  return f;
}

std::array<std::uint8_t, kMemorySize> FactoryImage() {
  std::array<std::uint8_t, kMemorySize> image{};
  for (const TFactoryByte& b : kFactoryBytes) image[static_cast<std::size_t>(b.Address)] = b.Value;
  return image;
}

TSimulatedEcu& TSimulatedEcu::Instance() {
  static TSimulatedEcu ecu;
  return ecu;
}

TSimulatedEcu::TSimulatedEcu() = default;

void TSimulatedEcu::EnsureStarted() {
  if (!FStarted) RestartLocked();
}

void TSimulatedEcu::Restart() {
  std::lock_guard lock(FMutex);
  RestartLocked();
}

void TSimulatedEcu::RestartLocked() {
  FStarted = true;
  const char* path = std::getenv("SERORVDL_EEPROM");
  if (path == nullptr) {
    FEepromPath = DefaultEepromPath();
  } else if (std::string(path) == "-") {
    FEepromPath.clear();
  } else {
    FEepromPath = path;
  }
  const char* faults = std::getenv("SERORVDL_FAULTS");
  int unknown = 0;
  FFaults = ParseFaults(faults != nullptr ? faults : "", &unknown);
  if (unknown > 0) std::fprintf(stderr, "SerOrvDL: %d fault switch(es) in SERORVDL_FAULTS not understood\n", unknown);
  const char* scenario = std::getenv("SERORVDL_SCENARIO");
  FScenario = scenario != nullptr ? scenario : "idle";
  LoadFactory();
  LoadEeprom();
  FLinkOpen = false;
  FExchangesSinceOpen = 0;
  FStatus = kStatusOk;
  FPort = 4;
  FLog.clear();
  FStart = std::chrono::steady_clock::now();
}

int TSimulatedEcu::SetFaults(const char* text) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  if (text == nullptr) text = std::getenv("SERORVDL_FAULTS");
  int unknown = 0;
  FFaults = ParseFaults(text != nullptr ? text : "", &unknown);
  return unknown;
}

void TSimulatedEcu::LoadFactory() {
  FMemory = FactoryImage();
  FCoded = FactoryCoded();
}

void TSimulatedEcu::LoadEeprom() {
  if (FEepromPath.empty()) return;
  std::ifstream in(FEepromPath, std::ios::binary);
  if (!in) return;
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < kMemorySize) return;
  std::copy_n(bytes.begin(), kMemorySize, FMemory.begin());
  std::size_t pos = kMemorySize;
  for (std::size_t code = 0; code < FCoded.size(); ++code) {
    if (pos + 2 > bytes.size()) break;
    TCodedData& data = FCoded[code];
    const std::size_t count = bytes[pos + 1];
    if (bytes[pos] != code || count != data.Values.size() || pos + 2 + 2 * count > bytes.size()) break;
    for (std::size_t i = 0; i < count; ++i) {
      data.Values[i] = bytes[pos + 2 + 2 * i] | (bytes[pos + 3 + 2 * i] << 8);
    }
    pos += 2 + 2 * count;
  }
}

void TSimulatedEcu::SaveEeprom() {
  if (FEepromPath.empty()) return;
  std::vector<char> bytes(FMemory.begin(), FMemory.end());
  for (std::size_t code = 0; code < FCoded.size(); ++code) {
    bytes.push_back(static_cast<char>(code));
    bytes.push_back(static_cast<char>(FCoded[code].Values.size()));
    for (std::int32_t v : FCoded[code].Values) {
      bytes.push_back(static_cast<char>(v & 0xFF));
      bytes.push_back(static_cast<char>((v >> 8) & 0xFF));
    }
  }
  // The folder may not exist yet on a first run.
  std::error_code ignored;
  const std::filesystem::path folder = std::filesystem::path(FEepromPath).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  const std::string temp = FEepromPath + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) return;
  }
  std::rename(temp.c_str(), FEepromPath.c_str());
}

void TSimulatedEcu::AddLog(int entry) {
  if (FLog.size() < kLogCapacity) FLog.push_back(entry);
}

bool TSimulatedEcu::BeginExchange(std::vector<TNotice>& notices) {
  if (FFaults.LatencyMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(FFaults.LatencyMs));
  if (!FLinkOpen) {
    FStatus = kStatusLinkClosed;
    return false;
  }
  if (FFaults.DropLinkAfter >= 0 && FExchangesSinceOpen >= FFaults.DropLinkAfter) {
    FLinkOpen = false;
    FStatus = kStatusLinkClosed;
    notices.push_back({kMsgLinkChanged, 0, 0});
    return false;
  }
  ++FExchangesSinceOpen;
  return true;
}

bool TSimulatedEcu::Identify(EcuIdentity* identity, std::vector<TNotice>& notices) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  AddLog(kLogIdentify);
  if (FFaults.LatencyMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(FFaults.LatencyMs));
  notices.push_back({kMsgProgress, 0, 0});
  if (identity == nullptr) {
    FStatus = kStatusBadRequest;
    return false;
  }
  if (FFaults.NoAnswer) {
    FStatus = kStatusLinkClosed;
    return false;
  }
  *identity = EcuIdentity{};
  identity->Bytes[0] = static_cast<std::uint8_t>(FFaults.Kind.value_or(1));
  identity->Bytes[1] = static_cast<std::uint8_t>(FFaults.Code.value_or(36));
  identity->Bytes[2] = static_cast<std::uint8_t>(FFaults.Variant.value_or(1));
  FStatus = kStatusOk;
  notices.push_back({kMsgProgress, 5, 1});
  return true;
}

int TSimulatedEcu::OpenLink(std::vector<TNotice>& notices) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  AddLog(kLogOpenLink);
  if (FFaults.OpenFail) {
    FStatus = kStatusRefused;
    return 0;
  }
  FExchangesSinceOpen = 0;
  FStatus = kStatusOk;
  if (!FLinkOpen) {
    FLinkOpen = true;
    notices.push_back({kMsgLinkChanged, 0, 1});
  }
  return 1;
}

void TSimulatedEcu::CloseLink(std::vector<TNotice>& notices) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  if (!FLinkOpen) return;
  AddLog(kLogCloseLink);
  FLinkOpen = false;
  notices.push_back({kMsgLinkChanged, 0, 0});
}

int TSimulatedEcu::IsLinkOpen() {
  std::lock_guard lock(FMutex);
  return FLinkOpen ? 1 : 0;
}

int TSimulatedEcu::LastStatus() {
  std::lock_guard lock(FMutex);
  return FStatus;
}

int TSimulatedEcu::Port() {
  std::lock_guard lock(FMutex);
  return FPort;
}

void TSimulatedEcu::SelectPort(int port) {
  std::lock_guard lock(FMutex);
  FPort = port;
}

bool TSimulatedEcu::ReadByAddress(std::uint32_t desc, int address, std::int32_t* out, std::vector<TNotice>& notices) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  AddLog(address >= 0 && address < kMemorySize ? address : -1);
  if (!BeginExchange(notices)) return false;
  const bool two = (desc & kTwoBytesBit) != 0;
  if (out == nullptr || address < 0 || address + (two ? 1 : 0) >= kMemorySize) {
    FStatus = kStatusBadRequest;
    return false;
  }
  if (FFaults.ReadFailAll || Contains(FFaults.ReadFailAddresses, address)) {
    FStatus = kStatusRefused;
    return false;
  }
  std::int32_t stored = FMemory[static_cast<std::size_t>(address)];
  if (two) stored |= FMemory[static_cast<std::size_t>(address + 1)] << 8;
  *out = ReadAsDescribed(desc, stored);
  FStatus =
      (FFaults.StatusAddresses.empty() || Contains(FFaults.StatusAddresses, address)) ? FFaults.Status : kStatusOk;
  return true;
}

bool TSimulatedEcu::WriteByAddress(std::uint32_t desc, int address, std::int32_t value, std::vector<TNotice>& notices) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  AddLog(address >= 0 && address < kMemorySize ? kLogWriteByAddress + address : -1);
  if (!BeginExchange(notices)) return false;
  const bool two = (desc & kTwoBytesBit) != 0;
  if (address < 0 || address + (two ? 1 : 0) >= kMemorySize) {
    FStatus = kStatusBadRequest;
    return false;
  }
  if (FFaults.WriteFailAll || Contains(FFaults.WriteFailAddresses, address)) {
    FStatus = kStatusRefused;
    return false;
  }
  if (address == kCheckupAddress && !two && (value & 0xFF) == kEraseCommand) {
    // EEPROM erase: every stored parameter returns to the factory image.
    LoadFactory();
  } else {
    FMemory[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(value & 0xFF);
    if (two) FMemory[static_cast<std::size_t>(address + 1)] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
  }
  FStatus = kStatusOk;
  SaveEeprom();
  return true;
}

TCodedData* TSimulatedEcu::Coded(std::uint32_t desc) {
  const std::size_t code = desc & 0xFF;
  return code < FCoded.size() ? &FCoded[code] : nullptr;
}

bool TSimulatedEcu::ReadCoded(std::uint32_t desc, TCodedRead how, std::int32_t* out, int a, int b,
                              std::vector<TNotice>& notices) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  AddLog(kLogReadByCode + static_cast<int>(desc & 0xFF));
  if (!BeginExchange(notices)) return false;
  TCodedData* data = Coded(desc);
  if (out == nullptr || data == nullptr) {
    FStatus = kStatusBadRequest;
    return false;
  }
  if (FFaults.ReadFailAll) {
    FStatus = kStatusRefused;
    return false;
  }
  const int size = static_cast<int>(data->Values.size());
  const int wordCols = static_cast<int>((desc >> 12) & 0xFF);
  const int cols = wordCols > 0 ? wordCols : data->Cols;
  int first = 0;
  int count = 1;
  switch (how) {
    case TCodedRead::Data:
      count = (desc & kArrayBit) != 0 ? size : 1;
      break;
    case TCodedRead::Index:
      if (data->Rows > 1) {
        first = a * cols;
        count = cols;
      } else {
        first = a;
      }
      break;
    case TCodedRead::RowCol:
      if (b < 0 || b >= cols)
        first = -1;
      else
        first = a * cols + b;
      break;
  }
  if (a < 0 || first < 0 || first + count > size) {
    FStatus = kStatusBadRequest;
    return false;
  }
  for (int i = 0; i < count; ++i) out[i] = ReadAsDescribed(desc, data->Values[static_cast<std::size_t>(first + i)]);
  FStatus = FFaults.StatusAddresses.empty() ? FFaults.Status : kStatusOk;
  return true;
}

bool TSimulatedEcu::WriteCoded(std::uint32_t desc, TCodedWrite how, const std::int32_t* values, int a, int b,
                               std::int32_t value, std::vector<TNotice>& notices) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  AddLog(kLogWriteByCode + static_cast<int>(desc & 0xFF));
  if (!BeginExchange(notices)) return false;
  TCodedData* data = Coded(desc);
  const bool needsValues = how == TCodedWrite::Array || how == TCodedWrite::Row;
  if (data == nullptr || (needsValues && values == nullptr)) {
    FStatus = kStatusBadRequest;
    return false;
  }
  if (FFaults.WriteFailAll) {
    FStatus = kStatusRefused;
    return false;
  }
  const int size = static_cast<int>(data->Values.size());
  const int wordCols = static_cast<int>((desc >> 12) & 0xFF);
  const int cols = wordCols > 0 ? wordCols : data->Cols;
  int first = 0;
  int count = 1;
  switch (how) {
    case TCodedWrite::Data:
      break;
    case TCodedWrite::Index:
      first = a;
      break;
    case TCodedWrite::RowCol:
      first = (b < 0 || b >= cols) ? -1 : a * cols + b;
      break;
    case TCodedWrite::Array:
      count = size;
      break;
    case TCodedWrite::Row:
      first = a * cols;
      count = cols;
      break;
  }
  if (a < 0 || first < 0 || first + count > size) {
    FStatus = kStatusBadRequest;
    return false;
  }
  for (int i = 0; i < count; ++i) {
    data->Values[static_cast<std::size_t>(first + i)] = CutToWidth(desc, needsValues ? values[i] : value);
  }
  FStatus = kStatusOk;
  SaveEeprom();
  return true;
}

bool TSimulatedEcu::ReadPacket(std::uint8_t* data, std::int32_t* length, std::vector<TNotice>& notices) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  AddLog(kLogReadPacket);
  if (!BeginExchange(notices)) return false;
  if (data == nullptr || length == nullptr) {
    FStatus = kStatusBadRequest;
    return false;
  }
  if (FFaults.PacketFail || FFaults.ReadFailAll) {
    FStatus = kStatusRefused;
    return false;
  }
  std::uint8_t packet[kPacketLength] = {};
  FillPacket(packet);
  // *length arrives as the buffer's capacity in 32-bit words, the length
  // word included; never write past it.
  const int room = std::max(0, (*length - 1) * 4);
  const int n = std::min(room, kPacketLength);
  std::copy_n(packet, n, data);
  *length = n;
  FStatus = kStatusOk;
  return true;
}

void TSimulatedEcu::FillPacket(std::uint8_t* bytes) {
  const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - FStart).count();
  constexpr double kPi = 3.14159265358979323846;
  const bool cruise = FScenario == "cruise";
  // Engine speed: idle with a slow wobble and a throttle blip every 12 s,
  // or a cruise around 3000 RPM.
  const double phase = std::fmod(t, 12.0);
  const double blip = phase < 2.0 ? std::sin(kPi * phase / 2.0) : 0.0;
  double rpm = cruise ? 3000.0 + 400.0 * std::sin(t * 0.3) : 850.0 + 60.0 * std::sin(t * 0.8) + 1800.0 * blip;
  double tps = cruise ? 2.2 + 0.4 * std::sin(t * 0.3) : 0.70 + 2.0 * blip;
  const double lambda = 0.5 + 0.4 * std::sin(2.0 * kPi * t / 1.5);
  const double temperature = 90.0 - 75.0 * std::exp(-t / 120.0);
  bytes[0] = static_cast<std::uint8_t>(std::clamp(std::lround(117000.0 / rpm), 1L, 254L));
  bytes[1] = VoltByte(lambda);
  bytes[2] = VoltByte(tps);
  bytes[3] = VoltByte(0.70);
  const int defaultPosition = FMemory[168];
  bytes[4] = static_cast<std::uint8_t>(
      std::clamp(defaultPosition + static_cast<int>(std::lround(20.0 * std::sin(t * 1.3))), 0, 255));
  bytes[5] = static_cast<std::uint8_t>(defaultPosition);
  bytes[6] = static_cast<std::uint8_t>(lambda < 0.35 ? 0 : lambda > 0.65 ? 2 : 1);
  bytes[7] = static_cast<std::uint8_t>(tps < 1.0 ? 0 : tps < 2.0 ? 1 : tps < 3.0 ? 2 : 3);
  bytes[8] = TemperatureByte(temperature);
}

void TSimulatedEcu::ResetLog() {
  std::lock_guard lock(FMutex);
  FLog.clear();
}

int TSimulatedEcu::Log(int* entries, int capacity) {
  std::lock_guard lock(FMutex);
  if (entries != nullptr) {
    const int n = std::min(capacity, static_cast<int>(FLog.size()));
    for (int i = 0; i < n; ++i) entries[i] = FLog[static_cast<std::size_t>(i)];
  }
  return static_cast<int>(FLog.size());
}

int TSimulatedEcu::Peek(int address) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  if (address < 0 || address >= kMemorySize) return -1;
  return FMemory[static_cast<std::size_t>(address)];
}

void TSimulatedEcu::Poke(int address, int value) {
  std::lock_guard lock(FMutex);
  EnsureStarted();
  if (address < 0 || address >= kMemorySize) return;
  FMemory[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace orv::plugins::simulator
