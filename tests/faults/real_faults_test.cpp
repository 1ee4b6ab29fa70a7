// Real faults of the program folder, as the operating system gives them. Each test checks
// the exact messages and that nothing stored is lost.
#include <gtest/gtest.h>

#include <filesystem>

#include "report/report_files.h"
#include "support/window.h"
#ifndef _WIN32  // permissions

namespace kov {
namespace {

namespace fs = std::filesystem;
using test::entryText;
using test::storedRecord;
using test::trappedText;

const std::string kNotOpen = "52-Nome o numero di file non valido";

// A file the program's user may write but not read, or a folder where the file should be.
enum class Fault { WriteOnly, Folder };

void spoil(const test::Window& w, const char* name, Fault fault) {
  if (fault == Fault::WriteOnly) {
    w.folder.setOwnerAccess(name, 2);
  } else {
    fs::remove(w.folder.file(name));
    w.folder.makeFolder(name);
  }
}

TEST(RealFaults, ACredentialFileThatCannotBeReadEndsTheStartAndKeepsEveryRecord) {
  const struct {
    const char* file;
    Fault fault;
    std::string error;
  } cases[] = {
      {"KoV", Fault::WriteOnly, "70-Autorizzazione negata"},
      {"TdT", Fault::WriteOnly, "70-Autorizzazione negata"},
      {"KoV", Fault::Folder, "75-Errore di accesso al percorso/file"},
      {"TdT", Fault::Folder, "75-Errore di accesso al percorso/file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " " << c.error);
    test::Window w;
    w.storeBothRoles();
    const std::string entries = storedRecord(entryText('N', "10/12/2026", "a"));
    w.folder.write("OdV", entries);
    const std::string administrator = w.folder.read("KoV");
    const std::string controller = w.folder.read("TdT");
    spoil(w, c.file, c.fault);
    {
      test::Unprivileged user(w.folder);
      // A role that could not be read is not offered for a set-up that would overwrite it.
      EXPECT_FALSE(w.load());
    }
    EXPECT_EQ(w.platform.texts(),
              (std::vector<std::string>{trappedText("Leggi_Parametri_KOV", c.error),
                                        trappedText("Leggi_Parametri_KOV", kNotOpen)}));
    for (const test::Message& m : w.platform.messages) EXPECT_EQ(m.icon, Icon::Critical);
    if (c.fault == Fault::WriteOnly || std::string(c.file) != "KoV") {
      EXPECT_EQ(w.folder.read("KoV"), administrator);
    }
    if (c.fault == Fault::WriteOnly || std::string(c.file) != "TdT") {
      EXPECT_EQ(w.folder.read("TdT"), controller);
    }
    EXPECT_EQ(w.folder.read("OdV"), entries);
  }
}

}  // namespace
}  // namespace kov
#endif
