#include "zmx/app/config_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "zmx/app/command_line.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;
constexpr const char* kCreated = "<PKT><GBN>0</GBN></PKT>";

// A fresh directory per test, removed afterwards.
class ConfigFile : public testing::Test {
 protected:
  void SetUp() override {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("zmx_app_") + info->test_suite_name() + "_" + info->name() + "_" +
                       std::to_string(std::random_device{}());
    for (char& c : name)
      if (c == '/') c = '_';
    dir_ = fs::temp_directory_path() / name;
    fs::create_directories(dir_);
    cipher_.SetKey(zm::MakeConfigKey(42).c_str());
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  std::string Dir() const { return dir_.string(); }
  fs::path File() const { return dir_ / "config.dat"; }

  void WriteFile(const Bytes& bytes) const {
    std::ofstream out(File(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  Bytes ReadFile() const {
    std::ifstream in(File(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  // What a start-up does: the record as created, then LoadConfig.
  std::string Load(const CRijndael& cipher) const {
    Packet record(0);
    zm::LoadConfig(cipher, Dir(), &record);
    return record.GetText();
  }
  std::string Load() const { return Load(cipher_); }

  fs::path dir_;
  CRijndael cipher_;
};

TEST_F(ConfigFile, PathIsDirectorySeparatorAndName) {
  const char sep = zm::kPathSeparator;
  EXPECT_EQ(zm::ConfigFilePath("D"), std::string("D") + sep + "config.dat");
  std::ofstream(zm::ConfigFilePath(Dir()), std::ios::binary) << "x";
  EXPECT_TRUE(fs::exists(File()));
}

TEST_F(ConfigFile, EncryptTextPadsWithAtLeastOneZeroByte) {
  const std::pair<size_t, size_t> cases[] = {{0, 16}, {1, 16}, {15, 16}, {16, 32}, {17, 32}, {31, 32}, {32, 48}};
  for (auto [length, expected] : cases) {
    const std::string text(length, 'a');
    const Bytes data = zm::EncryptText(cipher_, text);
    ASSERT_EQ(data.size(), expected) << length;
    Bytes plain(data.size());
    cipher_.DecryptBuffer(data.data(), plain.data(), data.size());
    EXPECT_EQ(std::string(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(length)), text);
    EXPECT_TRUE(std::all_of(plain.begin() + static_cast<std::ptrdiff_t>(length), plain.end(),
                            [](unsigned char b) { return b == 0; }))
        << length;
    EXPECT_EQ(zm::DecryptText(cipher_, data), text);
  }
}

TEST_F(ConfigFile, DecryptTextEndsAtTheFirstZeroByteOrTheData) {
  unsigned char plain[32] = {'a', 'b', 0, 'c'};
  Bytes data(32);
  cipher_.EncryptBuffer(plain, data.data(), 32);
  EXPECT_EQ(zm::DecryptText(cipher_, data), "ab");
  std::fill(plain, plain + 32, 'z');  // a foreign file may hold no zero at all
  cipher_.EncryptBuffer(plain, data.data(), 32);
  EXPECT_EQ(zm::DecryptText(cipher_, data), std::string(32, 'z'));
}

TEST_F(ConfigFile, SavedRecordLoadsBackUnderTheSameKeyOnly) {
  Packet record(0);
  record.AddString("ZME_ID", "홍길동");
  record.AddString("ZME_PWD", "pw");
  record.AddString("ZME_AUTOLOGIN", "1");
  ASSERT_TRUE(zm::SaveConfig(cipher_, Dir(), &record));
  EXPECT_EQ(ReadFile().size() % 16, 0u);
  EXPECT_EQ(Load(), record.GetText());

  CRijndael other;
  other.SetKey(zm::MakeConfigKey(43).c_str());
  EXPECT_EQ(Load(other), kCreated);
}

TEST_F(ConfigFile, PercentComesBackFullWidth) {
  Packet record("<PKT></PKT>");
  record.AddString("R_MSG", "50%");
  ASSERT_TRUE(zm::SaveConfig(cipher_, Dir(), &record));
  EXPECT_EQ(Load(), "<PKT><R_MSG>50％</R_MSG></PKT>");
}

TEST_F(ConfigFile, MissingFileGivesTheEmptyPacket) { EXPECT_EQ(Load(), "<PKT></PKT>"); }

TEST_F(ConfigFile, UnusableFilesLeaveTheRecordAsCreated) {
  const auto enciphered = [&](const std::string& text) { return zm::EncryptText(cipher_, text); };
  Bytes ragged = enciphered("<PKT><ACCT>1</ACCT></PKT>");
  ragged.push_back(0x55);
  const std::pair<const char*, Bytes> cases[] = {
      {"empty", {}},
      {"5 bytes", Bytes(5, 0x41)},
      {"10 bytes", Bytes(10, 0x41)},
      {"17 bytes", Bytes(17, 0x41)},
      {"good file plus one byte", ragged},
      {"garbage blocks", Bytes(64, 0xa5)},
      {"empty text", enciphered("")},
      {"no closing marker", enciphered("<PKT><ACCT>1</ACCT>")},
  };
  for (const auto& [name, bytes] : cases) {
    WriteFile(bytes);
    EXPECT_EQ(Load(), kCreated) << name;
  }
  // Without a key nothing deciphers, and nothing is thrown either.
  WriteFile(enciphered("<PKT></PKT>"));
  EXPECT_EQ(Load(CRijndael()), kCreated);
  EXPECT_EQ(Load(), "<PKT></PKT>");  // the smallest usable file: one block
}

TEST_F(ConfigFile, LargeRecordsAreWrittenWhole) {
  for (size_t size : {size_t{65535}, size_t{65536}, size_t{100000}}) {
    const std::string text = "<PKT><BIG>" + std::string(size - 22, 'a') + "</BIG></PKT>";
    Packet record(text);
    ASSERT_TRUE(zm::SaveConfig(cipher_, Dir(), &record)) << size;
    EXPECT_EQ(ReadFile().size(), size - size % 16 + 16);
    EXPECT_EQ(Load(), text) << size;
  }
}

TEST_F(ConfigFile, ReadStopsAtTheLimit) {
  // 200 KB with the closing marker at its end: the part read lacks it.
  const std::string big = "<PKT><BIG>" + std::string(200000, 'a') + "</BIG></PKT>";
  Packet record(big);
  ASSERT_TRUE(zm::SaveConfig(cipher_, Dir(), &record));
  const Bytes file = ReadFile();
  ASSERT_EQ(file.size(), big.size() - big.size() % 16 + 16);
  EXPECT_EQ(zm::DecryptText(cipher_, file), big);
  EXPECT_EQ(Load(), kCreated);

  // With the marker within the limit the record is the part read.
  const std::string early = "<PKT><A>1</A></PKT>" + std::string(200000, 'b');
  record.SetText(early);
  ASSERT_TRUE(zm::SaveConfig(cipher_, Dir(), &record));
  EXPECT_EQ(Load(), early.substr(0, zm::kConfigReadLimit));
}

TEST_F(ConfigFile, AccountSurvivesALoginUpdate) {
  Packet stored("<PKT><ACCT>12345678</ACCT><ZME_ID>old</ZME_ID></PKT>");
  ASSERT_TRUE(zm::SaveConfig(cipher_, Dir(), &stored));
  Packet record(0);
  zm::LoadConfig(cipher_, Dir(), &record);
  // The gateway's update on a login without the boxes set.
  record.RemoveField("ZME_ID");
  ASSERT_TRUE(zm::SaveConfig(cipher_, Dir(), &record));
  EXPECT_EQ(Load(), "<PKT><ACCT>12345678</ACCT></PKT>");
}

TEST_F(ConfigFile, SaveFailsQuietlyAndLeavesTheOldFile) {
  Packet record("<PKT><ACCT>1</ACCT></PKT>");
  ASSERT_TRUE(zm::SaveConfig(cipher_, Dir(), &record));
  const Bytes before = ReadFile();
  Packet other("<PKT></PKT>");
  EXPECT_FALSE(zm::SaveConfig(cipher_, Dir(), nullptr));
  EXPECT_FALSE(zm::SaveConfig(CRijndael(), Dir(), &other));
  EXPECT_EQ(ReadFile(), before);
  EXPECT_FALSE(zm::SaveConfig(cipher_, (dir_ / "missing").string(), &record));
}

}  // namespace
