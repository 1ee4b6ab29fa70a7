// The program's Platform on a real desktop: Qt's message boxes and beep, the system clock
// and regional settings, the operating system's names.
#pragma once

#include <QLocale>
#include <optional>

#include "cores/shared/platform.h"

namespace kov {

class QtPlatform : public Platform {
 public:
  QtPlatform() = default;
  // The regional forms of this locale instead of the system's.
  explicit QtPlatform(const QLocale& regional) : regional_(regional) {}

  void message(Icon icon, std::string_view text, std::string_view title) override;
  bool ask(std::string_view text, std::string_view title) override;
  std::size_t choose(std::string_view text, std::string_view title,
                     const std::vector<std::string>& buttons) override;
  void beep() override;
  bool waitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit,
               std::string_view notice) override;
  DateTime now() override;
  std::string regionalDate(const DateTime& at) override;
  std::string regionalTime(const DateTime& at) override;
  std::string userName() override;
  std::string computerName() override;
  std::string programFolder() override;
  ScreenSize screenSize() override;
  bool openWithDesktop(std::string_view name) override;
  bool copyToSystemLog(const SystemLogEvent& event) override;

 private:
  QLocale regional() const { return regional_.value_or(QLocale::system()); }

  std::optional<QLocale> regional_;
};

}  // namespace kov
