// One step of an office's day in a process of its own, for the tests that need one: the real
// window on the fake platform, driven with keys and clicks as its users drive it.
//
//   office_day STEP [FOLDER]
//
// STEP is administrator-set-up, controller-set-up, entry (the administrator's backup check) or
// report (the data controller's December with removal, "report" written on the standard
// output just before Ok is pressed). FOLDER is the program folder, by default the folder of
// this program. The exit status is 1 when a check of the helpers failed or an error message
// was shown, 2 for a step it does not know.
#include <gtest/gtest.h>

#include <QApplication>
#include <iostream>
#include <map>

#include "support/window.h"
#include "window/platform/carried_fonts.h"

namespace kov::test {
namespace {

void report(const Window& w) {
  w.signIn(Role::Controller, "Titolare", "segreto99");
  w.period("01122026", "31122026");
  w.click("Rimuovi");
  std::cout << "report" << std::endl;
  w.click("Cmd_Gp");
}

const std::map<std::string, void (*)(const Window&)> kSteps = {
    {"administrator-set-up",
     [](const Window& w) { w.setUpAdministrator(w.platform.folder + "/report"); }},
    {"controller-set-up", [](const Window& w) { w.setUpController(); }},
    {"entry",
     [](const Window& w) {
       w.signIn(Role::Administrator, "Admin", "password1");
       w.click("Cmd_Op");
     }},
    {"report", report},
};

}  // namespace
}  // namespace kov::test

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  kov::useCarriedFonts();
  ::testing::InitGoogleTest(&argc, argv);  // the helpers' failed checks are printed
  if (argc < 2 || !kov::test::kSteps.contains(argv[1])) {
    std::cerr << "office_day: administrator-set-up, controller-set-up, entry or report\n";
    return 2;
  }
  kov::test::Window w;
  w.platform.folder = argc > 2 ? argv[2] : QCoreApplication::applicationDirPath().toStdString();
  w.show();
  kov::test::kSteps.at(argv[1])(w);
  bool failed = ::testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed();
  for (const kov::test::Message& m : w.platform.messages) {
    if (m.icon != kov::Icon::Critical) continue;
    std::cerr << m.text << '\n';
    failed = true;
  }
  return failed ? 1 : 0;
}
