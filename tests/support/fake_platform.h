// A Platform for tests: records every message box and beep instead of showing them, and
// gives the clock, the names and the program folder that the test sets.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cores/shared/platform.h"

namespace kov::test {

struct Message {
  Icon icon = Icon::None;
  std::string text;
  std::string title;
};

class FakePlatform : public Platform {
 public:
  std::vector<Message> messages;
  int beeps = 0;
  DateTime clock{2026, 12, 4, 9, 5, 3};
  std::string user = "mario.rossi";
  std::string computer = "PC-UFFICIO";
  std::string folder;
  ScreenSize screen{1920, 1080};
  // Runs while a message box would be open (a test may act on the window meanwhile).
  std::function<void(const Message&)> onMessage;
  // Gives the regional forms when set (the real platform on a chosen locale).
  Platform* regional = nullptr;

  void message(Icon icon, std::string_view text, std::string_view title) override {
    messages.push_back({icon, std::string(text), std::string(title)});
    if (onMessage) onMessage(messages.back());
  }
  void beep() override { ++beeps; }
  DateTime now() override { return clock; }
  std::string regionalDate(const DateTime& at) override {
    return regional != nullptr ? regional->regionalDate(at) : formatDate(at);
  }
  std::string regionalTime(const DateTime& at) override {
    return regional != nullptr ? regional->regionalTime(at) : formatTime(at);
  }
  std::string userName() override { return user; }
  std::string computerName() override { return computer; }
  std::string programFolder() override { return folder; }
  ScreenSize screenSize() override { return screen; }

  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (const Message& m : messages) result.push_back(m.text);
    return result;
  }
};

}  // namespace kov::test
