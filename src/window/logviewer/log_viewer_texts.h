// The texts of the window "Registro delle operazioni", as the window shows them.
#pragma once

#include <QString>
#include <array>

namespace kov::log_viewer_text {

inline const QString kTitle = QStringLiteral("Registro delle operazioni");
inline const QString kFrom = QStringLiteral("&Da");
inline const QString kTo = QStringLiteral("&A");
inline const QString kSearch = QStringLiteral("&Cerca");
inline const QString kRows = QStringLiteral("&Scritture");
inline const QString kClose = QStringLiteral("Chi&udi");
// The columns, in the order of LogColumn.
inline const std::array<QString, 7> kColumns = {
    QStringLiteral("Riga"),        QStringLiteral("Data"),           QStringLiteral("Ora"),
    QStringLiteral("WorkStation"), QStringLiteral("Account Utente"), QStringLiteral("Descrizione"),
    QStringLiteral("Nel report")};

// "Scritture mostrate: <shown> di <all>"
inline QString shownCount(qsizetype shown, qsizetype all) {
  return QStringLiteral("Scritture mostrate: %1 di %2").arg(shown).arg(all);
}

}  // namespace kov::log_viewer_text
