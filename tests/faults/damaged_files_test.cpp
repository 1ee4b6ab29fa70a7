// The shapes a real program folder can hold, through every reader of bytes from disk: the
// start-up's reading of the administrator file, the count of the recordings, the report's
// scan. Each reader shows what the table says, changes no byte it should not, and copies
// no damaged record as if it were an entry.
#include <gtest/gtest.h>

#include <functional>

#include "report/controller_window.h"
#include "support/modes.h"

namespace kov {
namespace {

using test::kCreated;
using test::storedRecord;

using Records = std::vector<std::string>;

std::string concatenated(const Records& records) {
  std::string bytes;
  for (const std::string& record : records) bytes += record;
  return bytes;
}

// The file made of a file's records (`filler` pads the large ones).
using Make = std::function<std::string(Records records, const std::string& filler)>;

// The file of these records with its second record damaged in one way.
Make second(const std::function<void(std::string&)>& damage) {
  return [damage](Records records, const std::string&) {
    damage(records.at(1));
    return concatenated(records);
  };
}

// The file of these records followed by `filler` records up to `total`.
Make filledTo(std::size_t total) {
  return [total](const Records& records, const std::string& filler) {
    std::string bytes = concatenated(records);
    bytes.reserve(total * 256);
    for (std::size_t n = records.size(); n < total; ++n) bytes += filler;
    return bytes;
  };
}

struct Shape {
  const char* name;
  Make make;
  // Start-up over an administrator file of this shape: its mode, and how many records
  // could not be unscrambled.
  const test::Mode* start;
  std::size_t unscramblingErrors;
  // The report over entries a, b, c of the period in a recordings file of this shape: the
  // record numbers shown as damaged, and the entries copied.
  std::vector<int> damaged;
  std::string copied;
  // Bytes of a copied entry's record that its marking rewrites: 253 where the record's end
  // is not its own (a record one byte short ends with the next record's first byte).
  std::size_t rewritten = 256;
};

const test::Mode* const kSetUp = &test::kAdministratorSetUp;
const test::Mode* const kChoice = &test::kRoleChoice;
// clang-format off
const Shape kShapes[] = {
    {"0 bytes", [](const Records&, const std::string&) { return std::string(); },
     kSetUp, 0, {}, ""},
    {"a torn record at the end",
     [](const Records& r, const std::string&) { return concatenated(r) + r[0].substr(0, 100); },
     kChoice, 0, {}, "abc"},
    {"a record without its bar", second([](std::string& record) { record[253] = ' '; }),
     kChoice, 0, {}, "abc"},
    {"records ended by LF only",
     [](Records r, const std::string&) {
       for (std::string& record : r) record = record.substr(0, 254) + "\n";
       return concatenated(r);
     },
     kChoice, 0, {2}, "a", 253},
    // The NULs end no line: the next record joins them and the user record is not read.
    {"a record of NULs", second([](std::string& record) { record.assign(256, '\0'); }),
     kSetUp, 1, {}, "ac"},
    {"a record that unscrambles to nothing",
     second([](std::string& record) { record = storedRecord(""); }), kChoice, 0, {2}, "ac"},
    {"a line longer than 256 bytes",
     second([](std::string& record) { record.insert(253, 44, ' '); }), kChoice, 0, {3}, "ab", 253},
    {"100 MiB", filledTo((std::size_t{100} << 20) / 256), kChoice, 0, {}, "abc"},
    {"32,768 records", filledTo(32768), kChoice, 0, {}, "abc"},
};
// clang-format on

// Entry a is of 10/12/2026, b of 11/12/2026, c of 12/12/2026.
std::string dateOf(char name) {
  return "1" + std::string(1, name - 'a' + '0') + "/12/2026";
}
std::string entryOf(char name) {
  return test::entryText('N', dateOf(name), std::string(1, name));
}

TEST(DamagedFiles, EveryReaderOverEveryShape) {
  for (const Shape& shape : kShapes) {
    SCOPED_TRACE(shape.name);

    // Start-up over an administrator file of this shape.
    {
      test::Window w;
      w.storeBothRoles();
      Records records;
      for (std::size_t at = 0; at < 1024; at += 256)
        records.push_back(w.folder.read("KoV").substr(at, 256));
      const std::string administrator = shape.make(records, storedRecord(""));
      w.folder.write("KoV", administrator);
      ASSERT_TRUE(w.load());
      test::expectMode(w, *shape.start);
      EXPECT_EQ(w.platform.messages.size(), shape.unscramblingErrors);
      for (const test::Message& m : w.platform.messages) {
        EXPECT_EQ(m.text, test::trappedText("Cripta_Decripta",
                                            "5-Chiamata di routine o argomento non validi"));
      }
      EXPECT_TRUE(w.folder.read("KoV") == administrator);
    }

    // The count and the report over a recordings file of this shape, holding the entries
    // a, b and c of December; the large ones hold entries reported long ago besides.
    const Records entries = {storedRecord(entryOf('a')), storedRecord(entryOf('b')),
                             storedRecord(entryOf('c'))};
    const std::string recordings =
        shape.make(entries, storedRecord(test::entryText('S', "01/01/2020", "vecchia")));
    test::Controller w(recordings);
    const std::size_t count = recordings.size() / 256;
    EXPECT_EQ(w.find<QLabel>("N_Accessi")->text(), QString::number(count));
    EXPECT_TRUE(w.platform.messages.empty());
    w.period("01122026", "31122026");
    w.click("Cmd_Gp");

    std::vector<std::string> expected;
    for (const int n : shape.damaged) {
      expected.push_back("La riga <" + std::to_string(n) +
                         "> del file delle rilevazioni risulta corrotta.Verr\xE0 pertanto "
                         "scartata.");
    }
    std::string report = test::kHeadingRecord;
    std::string after = recordings;
    for (const char name : shape.copied) {
      report += test::reportedLine(dateOf(name), std::string(1, name));
      const std::size_t at = recordings.find(storedRecord(entryOf(name)).substr(0, 253));
      ASSERT_EQ(at % 256, 0U) << name;
      after.replace(at, shape.rewritten, test::markedRecord(entryOf(name)), 0, shape.rewritten);
    }
    if (shape.copied.empty()) {
      expected.push_back("Non sono state trovate scritture per il periodo selezionato");
      EXPECT_FALSE(w.folder.exists("report/20261231_0905_Log.txt"));
    } else {
      expected.push_back("Sono state rilevate n.  " + std::to_string(shape.copied.size()) +
                         " scritture in " + w.folder.path() + "\\report\\20261231_0905_Log.txt");
      expected.push_back(test::confirmation("PC-01", "Titolare", kCreated));
      EXPECT_TRUE(w.report() == report);
      // A torn last record is filled with NULs, and the entry logged starts on a boundary.
      after.append((256 - after.size() % 256) % 256, '\0');
      after += test::loggedRecord(kCreated);
    }
    // The counter and the advice tell the records the file holds after the run, a torn record
    // filled included.
    EXPECT_EQ(w.find<QLabel>("N_Accessi")->text(), QString::number(after.size() / 256));
    if (after.size() / 256 > 32767) {
      expected.push_back("Il file delle rilevazioni contiene n. " +
                         std::to_string(after.size() / 256) +
                         " scritture: le versioni precedenti della procedura ne leggono al "
                         "massimo 32767. Si consiglia di rimuoverlo con l'opzione \"Rimuovi i "
                         "Report esistenti\" appena non ci sono pi\xF9 scritture da rilevare.");
    }
    EXPECT_EQ(w.platform.texts(), expected);
    EXPECT_TRUE(w.recordings() == after);
  }
}

}  // namespace
}  // namespace kov
