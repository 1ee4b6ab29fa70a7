// Everything the program asks of the world outside it. The windows use the Qt
// implementation; tests replace it, so no test ever waits on a modal box.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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
  // A modal question with a button for each caption, in their order: the last one is the
  // default and answers Escape. The index of the button pressed. Texts as for message.
  virtual std::size_t choose(std::string_view text, std::string_view title,
                             const std::vector<std::string>& buttons) = 0;
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
  // Opens a file or a folder (a native name) with the desktop's program for it, a folder in
  // the file manager; false when the desktop could not open it.
  virtual bool openWithDesktop(std::string_view name) = 0;

  // A copy of an event in the operating system's log; true when the log took it. It never
  // waits and never fails the caller.
  virtual bool copyToSystemLog(const SystemLogEvent& event) = 0;
};

}  // namespace kov
