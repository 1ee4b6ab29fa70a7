#include <gtest/gtest.h>

#include <QAction>

#include "support/window.h"
#include "window/focus/idle_lock.h"

namespace kov {
namespace {

using test::Window;

const QString kTyped = QStringLiteral("Sostituito disco del server, in attesa di");

// The ten idle minutes, made one millisecond, then ten minutes again.
void idle(Window& w) {
  w.window->setIdleLimit(std::chrono::milliseconds(1));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !w.find("Frm_KoV")->isEnabled(); }));
  w.window->setIdleLimit(kIdleLimit);
}

// The idle sign-out keeps a comment half typed and gives it back at the next sign-in in place
// of the proposal, ready to go on with; an untouched proposal is proposed again.
TEST(UnsavedComment, TheIdleSignOutKeepsAHalfTypedComment) {
  for (const QString& typed : {kTyped, QString()}) {
    SCOPED_TRACE(typed.toStdString());
    Window w;
    w.showMode(0);
    w.keys("Opz_KOV_0", typed);
    idle(w);
    w.unlock("password1");
    Window::settle();
    EXPECT_TRUE(w.box("Opz_KOV_0")->hasFocus());
    w.keys("Opz_KOV_0", " ricambio");
    EXPECT_EQ(w.text("Opz_KOV_0"), typed.isEmpty() ? " ricambio" : toCp1252(kTyped) + " ricambio");
  }
}

struct CloseCase {
  const char* name = "";
  QString typed{};       // in the comment box; none: the proposal as the sign-in put it
  bool idle = false;     // the idle sign-out before closing
  bool yes = false;      // the answer to the question, whose default is No
  bool viaMenu = false;  // File > Esci; otherwise as the close button and Alt+F4 do
};

void PrintTo(const CloseCase& c, std::ostream* out) {
  *out << c.name;
}

class ClosingWith : public testing::TestWithParam<CloseCase> {};

// Closing the window with a comment typed and not saved asks first; No keeps the window and
// the comment.
TEST_P(ClosingWith, ACommentNotSavedAsksFirst) {
  const CloseCase& c = GetParam();
  Window w;
  w.showMode(0);
  w.keys("Opz_KOV_0", c.typed);
  if (c.idle) idle(w);
  w.platform.answer = c.yes;
  if (c.viaMenu) {
    w.window->findChild<QAction*>("Esci")->trigger();
  } else {
    w.window->close();
  }
  const std::string question =
      "Il commento scritto non \xE8 stato salvato nel file delle operazioni:\n\r" +
      toCp1252(c.typed) + "\n\rChiudere comunque KoV? Il commento andr\xE0 perso.";
  ASSERT_EQ(w.platform.asked.size(), c.typed.isEmpty() ? 0U : 1U);
  for (const auto& [after, asked] : w.platform.asked) EXPECT_EQ(asked.text, question);
  EXPECT_EQ(w.window->isVisible(), !c.typed.isEmpty() && !c.yes);
  EXPECT_EQ(w.text("Opz_KOV_0"), c.typed.isEmpty() ? test::kBackup : toCp1252(c.typed));
}

INSTANTIATE_TEST_SUITE_P(
    Comments, ClosingWith,
    testing::Values(CloseCase{.name = "TypedNo", .typed = kTyped},
                    CloseCase{.name = "TypedYes", .typed = kTyped, .yes = true},
                    CloseCase{.name = "TypedFromTheMenuNo", .typed = kTyped, .viaMenu = true},
                    CloseCase{.name = "KeptByTheIdleSignOutNo", .typed = kTyped, .idle = true},
                    CloseCase{.name = "TheProposalUntouched"},
                    CloseCase{.name = "TheProposalAfterTheIdleSignOut", .idle = true}),
    [](const testing::TestParamInfo<CloseCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kov
