// A Platform that records message boxes, questions, beeps and the folders it opened; the
// clock, names, folder and answers are set.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cores/shared/platform.h"

namespace kov::test {

struct Message {
  Icon icon = Icon::None;
  std::string text, title;
};

class FakePlatform : public Platform {
 public:
  std::vector<Message> messages;
  std::vector<std::pair<std::size_t, Message>> asked;  // each after that many messages
  bool answer = false;                                 // the button pressed: No
  std::size_t choice = SIZE_MAX;  // of the named buttons, the index pressed; none: the default
  std::vector<std::vector<std::string>> offered;  // the buttons of each named question
  std::vector<std::string> opened;                // what the desktop opened
  bool openFails = false;
  int beeps = 0;
  DateTime clock{2026, 12, 4, 9, 5, 3};
  std::string user = "mario.rossi", computer = "PC-UFFICIO", folder;
  ScreenSize screen{1920, 1080};
  std::function<void(const Message&)> onMessage;           // runs while the box would be open
  std::function<void(const SystemLogEvent&)> onSystemLog;  // the copies the log took
  bool logDown = false;                                    // the log takes no copy
  // A wait for a lock; none: one more attempt and no waiting.
  std::function<bool(const std::function<bool()>&, std::chrono::milliseconds, std::string_view)>
      onWait;

  void message(Icon icon, std::string_view text, std::string_view title) override {
    messages.push_back({icon, std::string(text), std::string(title)});
    if (onMessage) onMessage(messages.back());
  }
  bool ask(std::string_view text, std::string_view title) override {
    asked.push_back({messages.size(), {Icon::None, std::string(text), std::string(title)}});
    return answer;
  }
  std::size_t choose(std::string_view text, std::string_view title,
                     const std::vector<std::string>& buttons) override {
    ask(text, title);
    offered.push_back(buttons);
    return std::min(choice, buttons.size() - 1);
  }
  void beep() override { ++beeps; }
  bool waitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit,
               std::string_view notice) override {
    return onWait ? onWait(ready, limit, notice) : ready();
  }
  DateTime now() override { return clock; }
  std::string regionalDate(const DateTime& at) override { return formatDate(at); }
  std::string regionalTime(const DateTime& at) override { return formatTime(at); }
  std::string userName() override { return user; }
  std::string computerName() override { return computer; }
  std::string programFolder() override { return folder; }
  ScreenSize screenSize() override { return screen; }
  bool openWithDesktop(std::string_view name) override {
    if (!openFails) opened.emplace_back(name);
    return !openFails;
  }
  bool copyToSystemLog(const SystemLogEvent& event) override {
    if (logDown) return false;
    if (onSystemLog) onSystemLog(event);
    return true;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (const Message& m : messages) result.push_back(m.text);
    return result;
  }
};

}  // namespace kov::test
