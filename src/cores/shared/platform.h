// Everything the program asks of the world outside it. The windows use the Qt
// implementation; tests replace it, so no test ever waits on a modal box.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/datetime.h"
#include "runtime/system_log.h"

namespace kov {

enum class Icon { None, Information, Critical };

struct ScreenSize {
  int width = 0;
  int height = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box with an OK button alone. Texts are Windows-1252; a line break
  // is a line feed followed by a carriage return.
  virtual void message(Icon icon, std::string_view text, std::string_view title) = 0;
  // A modal question with the buttons Yes and No, No the default; true for Yes. Texts as
  // for message.
  virtual bool ask(std::string_view text, std::string_view title) = 0;
  virtual void beep() = 0;
  // Asks `ready` again every little while until it answers true or `limit` has passed; true
  // when it answered true. Meanwhile the windows are drawn and their timers run, but they take
  // no key, click or close request (nothing can start a second write), and once the wait lasts
  // a small modal box says `notice` (Windows-1252).
  virtual bool waitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit,
                       std::string_view notice) = 0;

  virtual DateTime now() = 0;
  // The date and the time of day in the workstation's regional forms (a four-digit year),
  // in UTF-8 as the system writes them, whatever characters they use: the clock shows them
  // as they are, and a caller that stores one converts it to Windows-1252 first.
  virtual std::string regionalDate(const DateTime& at) = 0;
  virtual std::string regionalTime(const DateTime& at) = 0;

  // The operating system's names, whole, in Windows-1252.
  virtual std::string userName() = 0;
  virtual std::string computerName() = 0;

  // The folder that holds the program file, without a trailing separator, exactly as the
  // operating system names it (native bytes, not Windows-1252).
  virtual std::string programFolder() = 0;
  virtual ScreenSize screenSize() = 0;
  // Shows the folder (a native name) in the desktop's file manager; false when the desktop
  // could not open it.
  virtual bool openFolder(std::string_view folder) = 0;

  // A copy of an event in the operating system's log. It never fails the caller.
  virtual void copyToSystemLog(const SystemLogEvent& event) = 0;
};

}  // namespace kov
