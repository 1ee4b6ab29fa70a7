#include <windows.h>

#include "system_log.h"

namespace kov {
namespace {

std::wstring wideFromCp1252(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(::MultiByteToWideChar(1252, 0, text.data(), size, nullptr, 0)),
      L'\0');
  ::MultiByteToWideChar(1252, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

}  // namespace

std::wstring eventLogText(const SystemLogEvent& event) {
  std::wstring text = wideFromCp1252(event.message);
  for (const auto& [name, value] : event.fields) {
    text += L"\r\n" + wideFromCp1252(name) + L"=" + wideFromCp1252(value);
  }
  return text;
}

bool sendToSystemLog(const SystemLogEvent& event) {
  HANDLE source = ::RegisterEventSourceW(nullptr, L"kov");
  if (source == nullptr) return false;
  const std::wstring text = eventLogText(event);
  const wchar_t* strings[] = {text.c_str()};
  const bool reported =
      ::ReportEventW(source, EVENTLOG_INFORMATION_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr) != 0;
  ::DeregisterEventSource(source);
  return reported;
}

}  // namespace kov
