#include "credentials/record_io.h"

#include <gtest/gtest.h>

#include "credentials/credential_record.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::pad;
using test::storedRecord;

std::string record(char fill) {
  return std::string(253, fill) + "|\r\n";
}

TEST(Rw_Record, ReadsAWholeRecordAndTells99PastTheEnd) {
  test::TempFolder folder;
  test::FakePlatform platform;
  const std::string four = record('1') + record('2') + record('3') + record('4');
  folder.write("KoV", four);
  const std::string name = folder.path() + "\\KoV";
  std::int16_t rw = 0;
  std::string text = "unchanged";
  Rw_Record(platform, name, rw, 3, text);
  EXPECT_EQ(rw, 0);
  EXPECT_EQ(text, record('3'));
  text = "unchanged";
  Rw_Record(platform, name, rw, 5, text);
  EXPECT_EQ(rw, 99);
  EXPECT_EQ(text, "unchanged");
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(folder.read("KoV"), four);
}

TEST(Rw_Record, WritingOneRecordLeavesTheOthersByteForByte) {
  test::TempFolder folder;
  test::FakePlatform platform;
  const std::string four = record('1') + record('2') + record('3') + record('4');
  folder.write("KoV", four);
  std::int16_t rw = 1;
  std::string text = record('n');
  EXPECT_TRUE(Rw_Record(platform, folder.path() + "\\KoV", rw, 1, text));
  EXPECT_EQ(folder.read("KoV"), record('n') + four.substr(256));
  text = "short";
  Rw_Record(platform, folder.path() + "\\KoV", rw, 2, text);
  EXPECT_EQ(folder.read("KoV").substr(256, 256), "short" + std::string(251, ' '));
  EXPECT_TRUE(platform.messages.empty());
}

TEST(Rw_Record, AMissingFolderIsReportedForTheOpenAndForTheWrite) {
  test::TempFolder folder;
  test::FakePlatform platform;
  std::int16_t rw = 1;
  std::string text = record('x');
  EXPECT_FALSE(Rw_Record(platform, folder.path() + "\\missing\\KoV", rw, 1, text));
  const std::string heading = "Si \xE8 verificato il seguente errore nella Sub Rw_Record :\n\r";
  EXPECT_EQ(platform.texts(),
            (std::vector<std::string>{heading + "76-Impossibile trovare il percorso",
                                      heading + "52-Nome o numero di file non valido"}));
  rw = 0;
  text = "unchanged";
  platform.messages.clear();
  Rw_Record(platform, folder.path() + "\\missing\\KoV", rw, 1, text);
  EXPECT_EQ(rw, 99);
  EXPECT_EQ(text, "unchanged");
  EXPECT_EQ(platform.messages.size(), 2U);
}

#ifndef _WIN32  // under wine, run as root, a read-only attribute does not hold
TEST(Rw_Record, AReadOnlyFileRefusesTheWriteAndKeepsItsRecord) {
  test::TempFolder folder;
  test::FakePlatform platform;
  folder.write("TdT", record('1'));
  folder.setOwnerAccess("TdT", 4);
  test::Unprivileged user(folder);
  std::int16_t rw = 1;
  std::string text = record('2');
  EXPECT_FALSE(Rw_Record(platform, folder.path() + "\\TdT", rw, 1, text));
  ASSERT_EQ(platform.messages.size(), 1U);
  EXPECT_EQ(platform.messages[0].text,
            "Si \xE8 verificato il seguente errore nella Sub Rw_Record :\n\r"
            "70-Autorizzazione negata");
  EXPECT_EQ(folder.read("TdT"), record('1'));
}
#endif

TEST(CredentialRecord, FieldTextsAndStoredRecordsAreExact) {
  EXPECT_EQ(userFieldText("mario", "password"), pad("mario", 20) + pad("password", 20));
  EXPECT_EQ(userFieldText(std::string(20, 'u'), "pw"), std::string(20, 'u') + pad("pw", 20));
  EXPECT_EQ(userFieldText(std::string(25, 'u'), "pw").size(), 40U);
  EXPECT_EQ(workstationFieldText("PC 1", true), pad("PC 1", 20) + "1");
  EXPECT_EQ(workstationFieldText("PC 1", false), pad("PC 1", 20) + "0");

  test::TempFolder folder;
  test::FakePlatform platform;
  Kov_Par par;
  par.File_Record = folder.path() + "\\TdT";
  std::int16_t mode = 0;
  EXPECT_TRUE(storeFieldText(platform, par, mode, 1, userFieldText("titolare", "segreto1")));
  EXPECT_EQ(mode, 1);
  const std::string bytes = folder.read("TdT");
  // 40 scrambled characters, 213 plain spaces, "|", CR, LF.
  EXPECT_EQ(bytes, test::shifted(
                       "titolare" + std::string(12, ' ') + "segreto1" + std::string(12, ' '), 2) +
                       std::string(213, ' ') + "|\r\n");
  EXPECT_EQ(bytes, storedRecord(pad("titolare", 20) + pad("segreto1", 20)));
  EXPECT_EQ(bytes.substr(8, 12), std::string(12, '"'));
}

TEST(CredentialRecord, AFieldTextThatCannotBeScrambledNeverReplacesAStoredRecord) {
  test::TempFolder folder;
  test::FakePlatform platform;
  const std::string stored = storedRecord(pad("titolare", 20) + pad("segreto1", 20));
  folder.write("TdT", stored);
  Kov_Par par;
  par.File_Record = folder.path() + "\\TdT";
  std::int16_t mode = 0;
  EXPECT_FALSE(storeFieldText(platform, par, mode, 1, userFieldText("titolare", "segreto\xFF")));
  EXPECT_EQ(folder.read("TdT"), stored);
  ASSERT_EQ(platform.messages.size(), 1U);
  EXPECT_NE(platform.messages[0].text.find("Cripta_Decripta"), std::string::npos);
}

TEST(CredentialRecord, ALineBecomesItsFieldTextAgain) {
  test::FakePlatform platform;
  const std::string line = storedRecord(pad("  PC 1", 20) + "1").substr(0, 254);
  const std::string text = unscrambleLine(platform, line);
  EXPECT_EQ(text, pad("  PC 1", 20) + "1");
  EXPECT_EQ(fieldOf(text, 1, 20), "PC 1");
  EXPECT_EQ(fieldOf(text, 21, 1), "1");
  EXPECT_EQ(fieldOf(text, 22, 1), "");
  EXPECT_EQ(unscrambleLine(platform, std::string(253, ' ') + "|"), "");
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace kov
