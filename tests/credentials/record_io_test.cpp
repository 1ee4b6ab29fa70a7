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

// Reading and writing a record in place are Records'; the faults of Rw_Record, with their
// messages and the records they leave, are FaultWalk's.
TEST(Rw_Record, Tells99ForARecordPastTheEnd) {
  test::TempFolder folder;
  test::FakePlatform platform;
  folder.write("KoV", record('1'));
  std::int16_t rw = 0;
  std::string text = "unchanged";
  Rw_Record(platform, folder.file("KoV"), rw, 2, text);
  EXPECT_EQ(rw, 99);
  EXPECT_EQ(text, "unchanged");
  EXPECT_EQ(folder.read("KoV"), record('1'));
  EXPECT_TRUE(platform.messages.empty());
}

TEST(CredentialRecord, AFieldTextThatCannotBeScrambledNeverReplacesAStoredRecord) {
  test::TempFolder folder;
  test::FakePlatform platform;
  const std::string stored = storedRecord(pad("titolare", 20) + pad("segreto1", 20));
  folder.write("TdT", stored);
  Kov_Par par;
  par.File_Record = folder.file("TdT");
  std::int16_t mode = 0;
  EXPECT_FALSE(storeFieldText(platform, par, mode, 1, userFieldText("titolare", "segreto\xFF")));
  EXPECT_EQ(folder.read("TdT"), stored);
  ASSERT_EQ(platform.messages.size(), 1U);
  EXPECT_EQ(platform.messages[0].text,
            "Si \xE8 verificato il seguente errore nella Sub Cripta_Decripta :\n\r"
            "5-Chiamata di routine o argomento non validi");
}

}  // namespace
}  // namespace kov
