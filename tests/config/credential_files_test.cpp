#include "cores/config/credential_files.h"

#include <gtest/gtest.h>

#include "runtime/file.h"
#include "support/expected.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace kov {
namespace {

using test::pad;
using test::storedRecord;

// The fields each shape of the administrator file gives; a missing one is created without
// touching the entries. Faults and their messages are checked through the window (StartUp,
// RealFaults, FaultWalk, DamagedFiles).
TEST(ReadCredentialFiles, EachShapeGivesItsFields) {
  const std::string path = "\\\\server\\report" + std::string(184, 'p');  // 199 characters
  const std::string entries = storedRecord("N04/12/202609:05:03") + storedRecord("S01/12/2026");
  const struct {
    std::string administrator, fields;  // name|restricted|report name|path|user|password
    std::string message{};
  } cases[] = {
      {test::administratorFile("  PC 1  ", true, "Log.txt", path, "Admin", "password1") +
           storedRecord("a fifth line has no effect"),
       "PC 1|1|Log.txt|" + path + "|Admin|password1"},
      {storedRecord(pad("PC", 20) + "0"), "PC|0||||"},
      {storedRecord("PC"), "PC|0||||"},
      {storedRecord(pad("PC", 20) + "x"), "PC|0||||"},
      {storedRecord(pad("PC", 20) + "7"), "PC|0||||",
       "Si \xE8 verificato il seguente errore nella Sub Leggi_Parametri_KOV :\n\r380-Valore "
       "della propriet\xE0 non valido"},
      {std::string(1024, ' '), "|0||||"},  // records without text
      {storedRecord("x") + storedRecord("y") + storedRecord("z") + "\x80\x81\x82",
       "x|0|y|z|~\x7F\x80|"},
      {"", "|0||||"},  // none: created, and the entries kept
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fields);
    test::TempFolder folder;
    test::FakePlatform platform;
    platform.folder = folder.path();
    if (!c.administrator.empty()) folder.write("KoV", c.administrator);
    folder.write("OdV", entries);
    folder.write("TdT", test::controllerFile("Titolare", "segreto99"));
    Kov_Par par;
    Imposta_Versione(par, folder.path());
    WorkstationParameters p;
    const CredentialsRead read = readCredentialFiles(platform, par, p);
    EXPECT_FALSE(read.creating || read.unreadable);
    EXPECT_EQ(p.name + "|" + (p.restricted ? "1" : "0") + "|" + p.reportName + "|" + p.reportPath +
                  "|" + par.Utenti[0] + "|" + par.Pw_Utenti[0],
              c.fields);
    EXPECT_EQ(par.Utenti[1], c.administrator.empty() ? "" : "Titolare");
    EXPECT_EQ(platform.texts(),
              c.message.empty() ? std::vector<std::string>{} : std::vector{c.message});
    EXPECT_EQ(folder.read("OdV"), entries);
    EXPECT_TRUE(isHidden(dataFileName(folder.path(), "\\KoV")) == c.administrator.empty());
  }
}

}  // namespace
}  // namespace kov
