// kov-verifica over a full recordings file (32,767 entries) and an archive of 100,000
// copies as the central machine writes them (the entries' copies and 67,233 others, each
// with the fields a journal export adds), beside its floor: the same bytes read in 1 MiB
// pieces.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "cores/archive/verifier.h"
#include "cores/oplog/copy_chain.h"
#include "cores/oplog/entry.h"
#include "runtime/records.h"
#include "support/expected.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

constexpr int kEntries = 32767;
constexpr int kCopies = 100000;

std::string jsonLine(const SystemLogEvent& copy) {
  std::string line = "{\"MESSAGE\":\"" + copy.message +
                     "\",\"SYSLOG_IDENTIFIER\":\"kov\",\"PRIORITY\":\"6\",\"SYSLOG_FACILITY\":"
                     "\"10\",\"_PID\":\"4242\",\"_UID\":\"1000\",\"_EXE\":\"/opt/kov/kov\"";
  for (const auto& [name, value] : copy.fields) line += ",\"" + name + "\":\"" + value + "\"";
  return line + "}\n";
}

// The program folder, its empty report folder and the archive, written once.
class Office {
 public:
  Office() {
    std::string pattern = (fs::temp_directory_path() / "kov-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern;
    fs::create_directory(folder_ / "report");
    std::string records, archive;
    Digest hash{}, link{};
    const auto add = [&](SystemLogEvent copy, int seq) {
      copy.fields.emplace_back("KOV_SEQ", std::to_string(seq));
      copy.fields.emplace_back("KOV_PREV", hexOf(hash));
      Fields all{{"MESSAGE", copy.message}};
      all.insert(all.end(), copy.fields.begin(), copy.fields.end());
      hash = copyHash(hash, all);
      copy.fields.emplace_back("KOV_HASH", hexOf(hash));
      archive += jsonLine(copy);
    };
    add({"Inizio della catena delle copie",
         {{"KOV_EVENT", "CHAIN_START"}, {"KOV_RECORDS", "0"}, {"KOV_LINK", hexOf(link)}}},
        1);
    int entry = 0;
    for (int seq = 2; seq <= kCopies; ++seq) {
      if (entry < kEntries && seq % 3 != 0) {
        const std::string text = test::entryText(
            'N', "04/12/2026", "Verificato il salvataggio n. " + std::to_string(++entry));
        records += test::storedRecord(text);
        link = nextLink(link, entryLinkText(text));
        SystemLogEvent copy = systemLogCopy(text, entry);
        copy.fields.emplace_back("KOV_LINK", hexOf(link));
        add(copy, seq);
      } else {
        add({"Accesso rifiutato, password errata per l'account: Admin (Amministratore di Sistema)",
             {{"KOV_EVENT", "SIGNIN_REFUSED"},
              {"KOV_ACCOUNT", "Admin"},
              {"KOV_REASON", "PASSWORD"}}},
            seq);
      }
    }
    std::ofstream(folder_ / "OdV", std::ios::binary) << records;
    std::ofstream(folder_ / "archivio.json", std::ios::binary) << archive;
  }
  ~Office() { fs::remove_all(folder_); }
  std::string path(const char* name = "") const { return (folder_ / name).string(); }

 private:
  fs::path folder_;
};

const Office& office() {
  static const Office made;
  return made;
}

void BM_Verify(benchmark::State& state) {
  const Office& o = office();
  for (auto _ : state) {
    const VerifyResult result = verify({o.path(), o.path("report"), {o.path("archivio.json")}});
    if (!result.counts.allConfirmed() || result.counts.confirmed != kEntries) std::abort();
    benchmark::DoNotOptimize(result);
  }
  state.SetLabel("32,767 entries, 100,000 copies");
}
BENCHMARK(BM_Verify)->Unit(benchmark::kMillisecond);

// The floor: the recordings file and the archive read in 1 MiB pieces.
void BM_ReadSameBytes(benchmark::State& state) {
  const Office& o = office();
  std::string piece(std::size_t{1} << 20, '\0');
  for (auto _ : state) {
    for (const std::string& name : {o.path("OdV"), o.path("archivio.json")}) {
      const int fd = ::open(name.c_str(), O_RDONLY);
      while (::read(fd, piece.data(), piece.size()) > 0) benchmark::DoNotOptimize(piece);
      ::close(fd);
    }
  }
  state.SetLabel("the same bytes");
}
BENCHMARK(BM_ReadSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kov

BENCHMARK_MAIN();
