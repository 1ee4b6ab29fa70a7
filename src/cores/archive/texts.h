// What kov-verifica prints, for auditors: one line per finding, then a summary. UTF-8 here:
// the lines go to a terminal, not into the program's files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kov::archive_text {

inline std::string s(std::int64_t n) {
  return std::to_string(n);
}
inline std::string str(std::string_view text) {
  return std::string(text);
}

inline constexpr std::string_view kUsage =
    "Uso: kov-verifica <cartella del programma> <cartella dei report> <file dell'archivio>...";
inline std::string notAFolder(std::string_view folder) {
  return "Non è una cartella leggibile: " + str(folder);
}
inline std::string unreadable(std::string_view file, std::string_view description) {
  return "Impossibile leggere " + str(file) + ": " + str(description);
}
inline std::string notJson(std::string_view file, std::int64_t line) {
  return str(file) + ", riga " + s(line) + ": non è un oggetto JSON su una riga";
}
inline std::string tooLarge(std::string_view file) {
  return "Il file delle operazioni è troppo grande per essere del programma: " + str(file);
}

inline std::string where(std::string_view file, std::int64_t line) {
  return "(" + str(file) + ", riga " + s(line) + ")";
}

inline std::string altered(std::int64_t record, std::string_view inFile, std::int64_t copy,
                           std::string_view inCopy) {
  return s(record) + ": alterata: nel file " + str(inFile) + " ; nella copia n. " + s(copy) + " " +
         str(inCopy);
}
inline std::string deleted(std::int64_t record, std::int64_t copy, std::string_view line) {
  return s(record) + ": eliminata: la copia n. " + s(copy) + " la riporta: " + str(line);
}
inline std::string removedNotReported(std::int64_t record, std::int64_t copy,
                                      std::string_view line) {
  return s(record) + ": rimossa con il file delle operazioni ma assente dai report: la copia n. " +
         s(copy) + " la riporta: " + str(line);
}
inline std::string withoutCopy(std::int64_t record, std::string_view line) {
  return s(record) + ": senza copia: " + str(line);
}
inline std::string damagedWithoutCopy(std::int64_t record) {
  return s(record) + ": senza copia: il record non si legge come una scrittura";
}
inline std::string removedHeldMore(std::int64_t record, std::int64_t copy) {
  return s(record) +
         ": senza copia: il file rimosso conteneva, prima della scrittura della copia n. " +
         s(copy) + ", scritture di cui l'archivio non ha copia";
}
inline std::string missingCopies(std::int64_t first, std::int64_t last) {
  return first == last
             ? "copia mancante nell'archivio: la n. " + s(first)
             : "copie mancanti nell'archivio: dalla n. " + s(first) + " alla n. " + s(last);
}
inline std::string waitingCopies(std::int64_t first, std::int64_t last) {
  return "copie non ancora nell'archivio, in attesa nella cartella del programma: dalla n. " +
         s(first) + " alla n. " + s(last);
}
inline std::string foreignCopy(std::string_view at, std::string_view message) {
  return "copia non inviata da KoV " + str(at) + ": " + str(message);
}
inline std::string restarted(std::string_view at, std::string_view message) {
  return "catena delle copie ricominciata senza il suo stato " + str(at) + ": " + str(message);
}

inline constexpr std::string_view kSummary = "Riepilogo";
inline std::string count(std::string_view what, std::int64_t n) {
  return str(what) + ": " + s(n);
}

}  // namespace kov::archive_text
