// lcetool as a user runs it: the built program, its output and exit codes.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kShared = ORV_SHARED_TESTDATA_DIR;
const fs::path kTool = fs::path(ORV_BIN_DIR) / "lcetool";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class LcetoolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() / ("orv_lcetool_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(FDir);
    fs::create_directories(FDir);
    ::setenv("SERORVDL_EEPROM", (FDir / "eeprom.bin").c_str(), 1);
    ::setenv("SERORVDL_FAULTS", "", 1);
  }
  void TearDown() override {
    ::unsetenv("SERORVDL_EEPROM");
    ::unsetenv("SERORVDL_FAULTS");
    fs::remove_all(FDir);
  }

  // Runs lcetool with the arguments; Out and Err receive its output.
  int Run(const std::string& args) {
    const std::string command = Quote(kTool.string()) + " " + args + " >" + Quote((FDir / "out.txt").string()) + " 2>" +
                                Quote((FDir / "err.txt").string());
    const int status = std::system(command.c_str());
    Out = ReadText(FDir / "out.txt");
    Err = ReadText(FDir / "err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string P(const std::string& name) const { return Quote((FDir / name).string()); }

  fs::path FDir;
  std::string Out;
  std::string Err;
};

TEST_F(LcetoolTest, DecodePrintsTheSharedFileExactly) {
  ASSERT_TRUE(fs::exists(kTool));
  EXPECT_EQ(Run("decode " + Quote((kShared / "workshop.lce").string())), 0) << Err;
  EXPECT_EQ(Out, ReadText(kShared / "workshop.ini"));
}

TEST_F(LcetoolTest, EncodeThenDecodeGivesTheTextBack) {
  const std::string text = "[CONFIGURAZIONE]\r\nTIPO ACCENSIONE=2\r\n\r\n";
  WriteText(FDir / "in.ini", text);
  EXPECT_EQ(Run("encode " + P("in.ini") + " " + P("out.lce")), 0) << Err;
  EXPECT_EQ(fs::file_size(FDir / "out.lce"), 166 + text.size());
  EXPECT_EQ(Run("decode " + P("out.lce")), 0) << Err;
  EXPECT_EQ(Out, text);
}

TEST_F(LcetoolTest, FailuresAndWrongUsageGiveMessagesAndExitCodes) {
  struct TCase {
    std::string Args;
    int Exit;
  };
  fs::create_directories(FDir / "folder.lce");
  WriteText(FDir / "short.lce", std::string(100, 'x'));
  WriteText(FDir / "in.ini", "[A]\r\n");
  const TCase cases[] = {
      {"", 2},
      {"frobnicate", 2},
      {"decode", 2},
      {"encode " + P("in.ini"), 2},
      {"--port 9 read " + P("x.lce"), 2},
      {"--colour red decode " + P("x.lce"), 2},
      {"decode " + P("missing.lce"), 3},
      {"decode " + P("short.lce"), 3},
      {"encode " + P("missing.ini") + " " + P("x.lce"), 3},
      {"encode " + P("in.ini") + " " + P("folder.lce"), 3},
      {"check " + P("short.lce"), 3},
      {"diff " + P("short.lce") + " " + Quote((kShared / "workshop.lce").string()), 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.Args), c.Exit) << c.Args;
    EXPECT_NE(Err.find("lcetool: "), std::string::npos) << c.Args;
  }
  EXPECT_TRUE(fs::is_directory(FDir / "folder.lce"));
  EXPECT_FALSE(fs::exists(FDir / "x.lce"));
  EXPECT_EQ(Run("--help"), 0);
  EXPECT_NE(Out.find("decode FILE"), std::string::npos);
}

TEST_F(LcetoolTest, CheckReportsMissingAndNonNumericParameters) {
  EXPECT_EQ(Run("check " + Quote((kShared / "workshop.lce").string())), 0) << Err;
  EXPECT_NE(Out.find("64 parameters, 0 problems"), std::string::npos) << Out;
  EXPECT_NE(Out.find("ok            TEMPO_SOVRAPPOSIZIONE [CONFIGURAZIONE] TEMPO DI SOVRAPPOSIZIONE = 0.55 s"),
            std::string::npos)
      << Out;

  std::string text = ReadText(kShared / "workshop.ini");
  text = Replace(text, "GIRI CUTOFF=1800\r\n", "");
  text = Replace(text, "TIPO DI TPS=1\r\n", "TIPO DI TPS=uno\r\n");
  text = Replace(text, "TEMPO DI SOVRAPPOSIZIONE=0.55", "TEMPO DI SOVRAPPOSIZIONE=0,75");
  WriteText(FDir / "damaged.ini", text);
  ASSERT_EQ(Run("encode " + P("damaged.ini") + " " + P("damaged.lce")), 0) << Err;
  EXPECT_EQ(Run("check " + P("damaged.lce")), 1) << Err;
  EXPECT_NE(Out.find("missing       GiriCutOff [CONFIGURAZIONE] GIRI CUTOFF  limits"), std::string::npos) << Out;
  EXPECT_NE(Out.find("not a number  TIPO_TPS [CONFIGURAZIONE] TIPO DI TPS = \"uno\""), std::string::npos) << Out;
  EXPECT_NE(Out.find("TEMPO DI SOVRAPPOSIZIONE = 0.75 s  limits 0 .. 1 s"), std::string::npos) << Out;
  EXPECT_NE(Out.find("64 parameters, 2 problems"), std::string::npos) << Out;
}

TEST_F(LcetoolTest, DiffListsChangedValuesWithUnits) {
  const std::string shared = Quote((kShared / "workshop.lce").string());
  EXPECT_EQ(Run("diff " + shared + " " + shared), 0) << Err;
  EXPECT_EQ(Out, "0 parameters differ\n");

  std::string text = ReadText(kShared / "workshop.ini");
  text = Replace(text, "TEMPO DI SOVRAPPOSIZIONE=0.55", "TEMPO DI SOVRAPPOSIZIONE=0,7");
  text = Replace(text, "GIRI CUTOFF=1800\r\n", "");
  WriteText(FDir / "other.ini", text);
  ASSERT_EQ(Run("encode " + P("other.ini") + " " + P("other.lce")), 0) << Err;
  EXPECT_EQ(Run("diff " + shared + " " + P("other.lce")), 1) << Err;
  EXPECT_EQ(Out,
            "TEMPO_SOVRAPPOSIZIONE [CONFIGURAZIONE] TEMPO DI SOVRAPPOSIZIONE: 0.55 s -> 0.7 s\n"
            "GiriCutOff [CONFIGURAZIONE] GIRI CUTOFF: 1800 RPM -> (missing)\n"
            "2 parameters differ\n");
}

TEST_F(LcetoolTest, ReadAndWriteRoundTripTheEcuConfiguration) {
  const std::string shared = Quote((kShared / "workshop.lce").string());
  ASSERT_EQ(Run("read " + P("factory.lce")), 0) << Err;
  EXPECT_EQ(Run("check " + P("factory.lce")), 0) << Out;
  EXPECT_EQ(Run("diff " + shared + " " + P("factory.lce")), 1);  // the ECU started from its factory image

  ASSERT_EQ(Run("write " + shared), 0) << Err;
  ASSERT_EQ(Run("read " + P("back.lce")), 0) << Err;
  EXPECT_EQ(Run("diff " + shared + " " + P("back.lce")), 0) << Out;
  ASSERT_EQ(Run("decode " + P("back.lce")), 0);
  EXPECT_EQ(Out, ReadText(kShared / "workshop.ini"));

  ASSERT_EQ(Run("write " + P("factory.lce")), 0) << Err;
  ASSERT_EQ(Run("read " + P("again.lce")), 0) << Err;
  EXPECT_EQ(Run("diff " + P("factory.lce") + " " + P("again.lce")), 0) << Out;
}

TEST_F(LcetoolTest, EcuCommandsFailCleanlyWithoutTheLibraryOrTheEcu) {
  WriteText(FDir / "keep.lce", "old");
  EXPECT_EQ(Run("--library " + P("NoSuchLibrary.so") + " read " + P("keep.lce")), 3);
  EXPECT_NE(Err.find("communication library cannot be loaded"), std::string::npos) << Err;
  EXPECT_EQ(ReadText(FDir / "keep.lce"), "old");
  ::setenv("SERORVDL_FAULTS", "noanswer", 1);
  EXPECT_EQ(Run("read " + P("keep.lce")), 3);
  EXPECT_EQ(ReadText(FDir / "keep.lce"), "old");
  EXPECT_EQ(Run("write " + P("keep.lce")), 3);  // not a configuration file: no connection tried
}

}  // namespace
