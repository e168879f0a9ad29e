#include "game/shell/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace quorel {
namespace {

constexpr int kDefault = 42;

int readValue(const std::string& value) {
  return IniFile::parse("[S]\r\nK=" + value + "\r\n").readInteger("S", "K", kDefault);
}

TEST(IniInteger, HexadecimalOnlyAfterZeroXAndWholeValueMustBeANumber) {
  struct Case {
    const char* value;
    int expected;
  };
  const Case cases[] = {
      {"0x1F", 31},      {"0X10", 16},        {"0x", kDefault},   {"12", 12},
      {"abc", kDefault}, {" 7 ", 7},          {"-3", -3},         {"+5", 5},
      {"010", 10},       {"0xFFFFFFFF", -1},  {"0x1G", kDefault}, {"0x123456789", kDefault},
      {"", kDefault},    {"12abc", kDefault}, {"1 2", kDefault},  {"99999999999", kDefault},
      {"-", kDefault},   {"+-3", kDefault},   {"0x-1", kDefault}, {"-0x10", kDefault},
  };
  for (const Case& c : cases) EXPECT_EQ(readValue(c.value), c.expected) << '"' << c.value << '"';
}

TEST(IniInteger, BooleansAreIntegersAndAnyNonZeroIsOn) {
  const IniFile ini = IniFile::parse("[S]\nON=1\nTWO=2\nMINUS=-1\nOFF=0\nJUNK=yes\n");
  EXPECT_TRUE(ini.readBool("S", "ON", false));
  EXPECT_TRUE(ini.readBool("S", "TWO", false));
  EXPECT_TRUE(ini.readBool("S", "MINUS", false));
  EXPECT_FALSE(ini.readBool("S", "OFF", true));
  EXPECT_TRUE(ini.readBool("S", "JUNK", true));
  EXPECT_FALSE(ini.readBool("S", "JUNK", false));
  EXPECT_TRUE(ini.readBool("S", "MISSING", true));
}

TEST(IniRead, NamesIgnoreCaseAndSurroundingWhitespace) {
  const IniFile ini = IniFile::parse("  [ config ]  \n  joy stick =  0 \nS.e.=7\n");
  EXPECT_EQ(ini.readString("CONFIG", "JOY STICK"), "0");
  EXPECT_EQ(ini.readInteger("Config", "s.E.", kDefault), 7);
}

TEST(IniRead, AValueInMatchingQuotesIsReadWithoutThem) {
  const IniFile ini = IniFile::parse(
      "[CONFIG]\nBIT=\"32\"\nGAMEWAIT='7'\nNAME=\" two words \"\nEMPTY=\"\"\n"
      "HALF=\"32\nMIXED=\"32'\nLONE=\"\nINSIDE=a\"b\"\n");
  EXPECT_EQ(ini.readInteger("CONFIG", "BIT", kDefault), 32);
  EXPECT_EQ(ini.readInteger("CONFIG", "GAMEWAIT", kDefault), 7);
  EXPECT_EQ(ini.readString("CONFIG", "NAME"), " two words ");
  EXPECT_EQ(ini.readString("CONFIG", "EMPTY"), "");
  EXPECT_EQ(ini.readInteger("CONFIG", "HALF", kDefault), kDefault);
  EXPECT_EQ(ini.readString("CONFIG", "MIXED"), "\"32'");
  EXPECT_EQ(ini.readString("CONFIG", "LONE"), "\"");
  EXPECT_EQ(ini.readString("CONFIG", "INSIDE"), "a\"b\"");
}

TEST(IniRead, KeysBelongToTheirSectionAndTheFirstMatchWins) {
  const IniFile ini = IniFile::parse(
      "LOOSE=1\n"
      "[A]\nK=1\nK=2\nnot an entry\n"
      "[B]\nONLYB=3\n"
      "[a]\nK=9\nLATE=4\n");
  EXPECT_EQ(ini.readInteger("A", "K", kDefault), 1);
  EXPECT_EQ(ini.readInteger("A", "ONLYB", kDefault), kDefault);
  EXPECT_EQ(ini.readInteger("B", "K", kDefault), kDefault);
  EXPECT_EQ(ini.readInteger("", "LOOSE", kDefault), kDefault);
  // A repeated section is not searched: the first one answers.
  EXPECT_EQ(ini.readInteger("A", "LATE", kDefault), kDefault);
  EXPECT_EQ(ini.readString("MISSING", "K"), std::nullopt);
}

TEST(IniRead, EveryLineEndAndAByteOrderMarkAreUnderstood) {
  const char* texts[] = {
      "[S]\r\nA=1\r\nB=2\r\n",
      "[S]\nA=1\nB=2\n",
      "[S]\rA=1\rB=2",
      "\xEF\xBB\xBF[S]\r\nA=1\nB=2\r",
      // A file saved twice by a careless editor.
      "\xEF\xBB\xBF\xEF\xBB\xBF[S]\nA=1\nB=2\n",
  };
  for (const char* text : texts) {
    const IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.readInteger("S", "A", kDefault), 1) << text;
    EXPECT_EQ(ini.readInteger("S", "B", kDefault), 2) << text;
  }
}

TEST(IniWrite, ReplacesInPlaceAppendsToTheSectionAndAddsNewSectionsAtTheEnd) {
  IniFile ini = IniFile::parse(
      "; kept as it is\n"
      "[MINIMUM]\n"
      "stage1 = 12\n"
      "STAGE2=20\n"
      "\n"
      "[OTHER]\n"
      "X=y\n");
  ini.writeInteger("minimum", "STAGE1", 5);   // replaced in place, named as written
  ini.writeInteger("MINIMUM", "STAGE3", 31);  // after STAGE2, before the blank line
  ini.writeBool("CONFIG", "BGM", false);      // a new section at the end
  ini.writeBool("CONFIG", "S.E.", true);
  ini.writeInteger("OTHER", "X", -3);
  EXPECT_EQ(ini.text(),
            "; kept as it is\r\n"
            "[MINIMUM]\r\n"
            "STAGE1=5\r\n"
            "STAGE2=20\r\n"
            "STAGE3=31\r\n"
            "\r\n"
            "[OTHER]\r\n"
            "X=-3\r\n"
            "[CONFIG]\r\n"
            "BGM=0\r\n"
            "S.E.=1\r\n");
}

TEST(IniWrite, ANewKeyOfAnEmptySectionFollowsItsHeader) {
  IniFile ini = IniFile::parse("[A]\n[B]\nK=1\n");
  ini.writeInteger("A", "K", 2);
  EXPECT_EQ(ini.text(), "[A]\r\nK=2\r\n[B]\r\nK=1\r\n");
}

TEST(IniWrite, LineBreaksCannotSmuggleInEntries) {
  IniFile ini;
  ini.writeString("S", "K", "1\r\n[CONFIG]\nSUM=6913");
  EXPECT_EQ(ini.readString("CONFIG", "SUM"), std::nullopt);
  EXPECT_EQ(IniFile::parse(ini.text()).readString("CONFIG", "SUM"), std::nullopt);
}

TEST(IniFileOnDisk, SavesAndLoadsAndAMissingFileIsEmpty) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("ini_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "a.ini").string();

  EXPECT_EQ(IniFile::load(path).text(), "");
  IniFile ini;
  ini.writeInteger("S", "K", 7);
  ASSERT_TRUE(ini.save(path));
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(bytes, "[S]\r\nK=7\r\n");
  EXPECT_EQ(IniFile::load(path).readInteger("S", "K", kDefault), 7);
  // A folder where the file should be reads as an empty file.
  EXPECT_EQ(IniFile::load(folder.string()).text(), "");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quorel
