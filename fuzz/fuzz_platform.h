// A silent Platform for fuzzing: message boxes and beeps are counted, never shown; the clock
// is set by the target, and the program folder is a scratch folder in memory-backed storage.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cores/shared/platform.h"

namespace kov::fuzz {

class SilentPlatform : public Platform {
 public:
  int messages = 0;
  int beeps = 0;
  DateTime clock{2026, 12, 4, 9, 5, 3};
  std::string folder;

  SilentPlatform() {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    folder = (base / ("kov-fuzz-" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(folder);
  }
  ~SilentPlatform() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  SilentPlatform(const SilentPlatform&) = delete;
  SilentPlatform& operator=(const SilentPlatform&) = delete;

  void message(Icon, std::string_view, std::string_view) override { ++messages; }
  void beep() override { ++beeps; }
  DateTime now() override { return clock; }
  std::string regionalDate(const DateTime& at) override { return formatDate(at); }
  std::string regionalTime(const DateTime& at) override { return formatTime(at); }
  std::string userName() override { return "fuzz"; }
  std::string computerName() override { return "FUZZ"; }
  std::string programFolder() override { return folder; }
  ScreenSize screenSize() override { return {1024, 768}; }

  // Replaces a file of the program folder with these bytes (none: the file is removed).
  void put(const std::string& name, const uint8_t* data, size_t size) const {
    const std::string path = folder + "/" + name;
    std::filesystem::remove(path);
    if (data == nullptr) return;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
};

}  // namespace kov::fuzz
