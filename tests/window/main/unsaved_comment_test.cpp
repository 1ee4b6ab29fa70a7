#include <gtest/gtest.h>

#include <QAction>

#include "support/window.h"

namespace kov {
namespace {

using test::Window;

const QString kTyped = QStringLiteral("Sostituito disco del server, in attesa di");

struct CloseCase {
  const char* name = "";
  QString typed{};       // in the comment box; none: the proposal as the sign-in put it
  bool idle = false;     // the idle sign-out before closing
  bool yes = false;      // the answer to the question, whose default is No
  bool viaMenu = false;  // File > Esci; otherwise as the close button does
};

// Closing the window with a comment typed and not saved asks first; No keeps the window and
// the comment, which the idle sign-out keeps too.
TEST(UnsavedComment, ClosingTheWindowAsksFirstAndTheIdleSignOutKeepsIt) {
  const CloseCase rows[] = {
      {.name = "typed, No", .typed = kTyped},
      {.name = "typed, Yes", .typed = kTyped, .yes = true},
      {.name = "typed, File > Esci, No", .typed = kTyped, .viaMenu = true},
      {.name = "kept by the idle sign-out, No", .typed = kTyped, .idle = true},
      {.name = "the proposal untouched"},
      {.name = "the proposal after the idle sign-out", .idle = true},
  };
  for (const CloseCase& c : rows) {
    SCOPED_TRACE(c.name);
    Window w;
    w.showMode(0);
    w.keys("Opz_KOV_0", c.typed);
    if (c.idle) w.idle(w.find("Frm_KoV"));
    w.platform.answer = c.yes;
    if (c.viaMenu) {
      w.window->findChild<QAction*>("Esci")->trigger();
    } else {
      w.window->close();  // as the close button and Alt+F4 do
    }
    EXPECT_EQ(w.platform.asked.size(), c.typed.isEmpty() ? 0U : 1U);
    for (const auto& [after, asked] : w.platform.asked) {
      EXPECT_EQ(asked.text,
                "Il commento scritto non \xE8 stato salvato nel file delle operazioni:\n\r" +
                    toCp1252(c.typed) + "\n\rChiudere comunque KoV? Il commento andr\xE0 perso.");
    }
    EXPECT_EQ(w.window->isVisible(), !c.typed.isEmpty() && !c.yes);
    EXPECT_EQ(w.text("Opz_KOV_0"), c.typed.isEmpty() ? test::kBackup : toCp1252(c.typed));
    if (!c.idle || !w.window->isVisible()) continue;
    // Kept by the idle sign-out, the comment comes back at the next sign-in, ready to go on.
    w.unlock("password1");
    Window::settle();
    w.keys("Opz_KOV_0", " ricambio");
    EXPECT_EQ(w.text("Opz_KOV_0"), toCp1252(kTyped) + " ricambio");
  }
}

}  // namespace
}  // namespace kov
