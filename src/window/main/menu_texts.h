// The texts of the menu bar, the guide and the information box, as the window shows them.
#pragma once

#include <QString>

namespace kov::menu_text {

inline const QString kFile = QStringLiteral("&File");
inline const QString kOpenReportFolder = QStringLiteral("&Apri cartella dei report");
inline const QString kQuit = QStringLiteral("&Esci");
// "Registro" and "Aiuto" share their only letter that the window's access keys leave free:
// the log takes it, and the help is reached with F1 or with the arrows from the menu bar.
inline const QString kLog = QStringLiteral("Reg&istro");
inline const QString kViewLog = QStringLiteral("&Visualizza registro…");
inline const QString kHelp = QStringLiteral("Aiuto");
inline const QString kGuide = QStringLiteral("&Guida");
inline const QString kAbout = QStringLiteral("&Informazioni su KoV");

inline const QString kAboutTitle = QStringLiteral("Informazioni su KoV");
inline const QString kGuideTitle = QStringLiteral("Guida di KoV");

// The information box: the name, the version as the title bar states it and the release it
// is, the licence and where the program's files are.
inline QString about(const QString& version, const QString& release, const QString& programFolder,
                     const QString& recordings, qsizetype waitingCopies) {
  return QStringLiteral(
             "KoV - Log Accessi Amministratore\n"
             "Versione %1 (release %2)\n\n"
             "Licenza MIT: il testo è nel file LICENSE accanto al programma.\n\n"
             "Cartella del programma: %3\n"
             "Parametri dell'Amministratore di Sistema: il file KoV nella cartella del programma\n"
             "Parametri del Titolare del Trattamento: il file TdT nella cartella del programma\n"
             "File delle operazioni: %4\n\n"
             "Copie in attesa per il registro di sistema: %5")
      .arg(version, release, programFolder, recordings, QString::number(waitingCopies));
}

}  // namespace kov::menu_text
