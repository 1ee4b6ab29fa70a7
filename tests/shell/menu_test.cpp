// The menu bar from the keyboard: its menus, the guide on F1, the information box, the report
// folder, Esci. The menu bar takes the keys, not the focus: the box being typed in is not left.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPainter>
#include <QTableView>
#include <QTextBrowser>

#include "support/window.h"
#include "window/guide.h"
#include "window/log_viewer.h"

namespace kov {
namespace {

using test::Window;

QWidget* openedPopup() {
  QWidget* popup = nullptr;
  EXPECT_TRUE(QTest::qWaitFor([&] { return (popup = QApplication::activePopupWidget()); }));
  return popup;
}

TEST(Menu, KeysOpenTheMenusTheGuideTheInformationAndEsci) {
  Window w;
  w.showMode(2, -1);
  w.type("Utente", "Admin");
  w.tab("Utente");
  QTest::keyClicks(w.box("Pw"), "sbagliata");
  QTest::keyClick(w.box("Pw"), Qt::Key_F, Qt::AltModifier);
  QWidget* popup = openedPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(qobject_cast<QMenu*>(popup)->title(), "&File");
  QTest::keyClick(popup, Qt::Key_Escape);
  QTest::keyClick(w.menu(), Qt::Key_Escape);
  EXPECT_TRUE(w.box("Pw")->hasFocus());
  EXPECT_EQ(w.platform.texts(), std::vector<std::string>{});

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  auto* guide = w.window->findChild<Guide*>();
  ASSERT_NE(guide, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(guide));
  auto* browser = guide->findChild<QTextBrowser*>();
  const QTextDocument* text = browser->document();
  EXPECT_EQ(text->metaInformation(QTextDocument::DocumentTitle), "Guida di KoV");
  EXPECT_TRUE(text->toPlainText().contains("Il report mensile, passo per passo"));
  const QPointer<Guide> open(guide);
  QTest::keyClick(browser, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return open == nullptr; }));

  w.window->findChild<QAction*>("InformazioniSu")->trigger();
  auto* about = w.window->findChild<QMessageBox*>("Informazioni");
  ASSERT_NE(about, nullptr);
  for (const QString& part : {QStringLiteral("Versione "), QStringLiteral("Licenza MIT"),
                              QString::fromStdString(w.folder.path())}) {
    EXPECT_TRUE(about->text().contains(part)) << part.toStdString();
  }
  about->close();

  w.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
  w.signIn(1, "Titolare", "segreto99");
  w.folder.makeFolder("report");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
  QTest::keyClick(openedPopup(), Qt::Key_A);
  EXPECT_EQ(w.platform.opened, std::vector{w.folder.file("report")});
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
  QTest::keyClick(openedPopup(), Qt::Key_E);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !w.window->isVisible(); }));
}

// The administrator's log lists his own entries, whatever the letter case they were signed
// in with; signing out closes it.
TEST(Menu, TheAdministratorSeesHisOwnEntriesUntilHeSignsOut) {
  Window w;
  w.folder.write("OdV", test::loggedEntry("PC-01", "Admin", "uno") +
                            test::loggedEntry("PC-01", "Titolare", "report") +
                            test::loggedEntry("PC-01", "ADMIN", "due"));
  w.showMode(2, 0);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
  QWidget* menu = openedPopup();
  ASSERT_NE(menu, nullptr);
  if (const QString folder = qEnvironmentVariable("KOV_SCREENSHOTS"); !folder.isEmpty()) {
    QPixmap picture = w.window->grab();
    QPainter(&picture).drawPixmap(w.window->mapFromGlobal(menu->pos()), menu->grab());
    EXPECT_TRUE(picture.save(folder + "/menu.png"));
  }
  QTest::keyClick(menu, Qt::Key_V);
  auto* log = w.window->findChild<LogViewer*>();
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(log->findChild<QTableView*>()->model()->rowCount(), 2);
  const QPointer<LogViewer> open(log);
  w.window->activateWindow();
  w.box("Pw")->setFocus();
  EXPECT_TRUE(QTest::qWaitFor([&] { return open == nullptr; }));
}

}  // namespace
}  // namespace kov
