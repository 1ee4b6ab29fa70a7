#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "cp1252.h"
#include "system_log.h"

namespace kov {
namespace {

constexpr int kAuthpriv = 10;
constexpr int kInformational = 6;

// A field of the journal's native protocol; a value that holds a line feed goes with its
// length in front, as eight bytes, little-endian.
void addField(std::string& datagram, std::string_view name, std::string_view value) {
  datagram += name;
  if (value.find('\n') == std::string_view::npos) {
    datagram += '=';
  } else {
    datagram += '\n';
    for (int byte = 0; byte < 8; ++byte) {
      datagram += static_cast<char>((std::uint64_t{value.size()} >> (8 * byte)) & 0xFFu);
    }
  }
  datagram += value;
  datagram += '\n';
}

bool sendDatagram(const std::string& path, const std::string& datagram) {
  sockaddr_un address{};
  if (path.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, path.size());
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool sent = ::sendto(fd, datagram.data(), datagram.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                             reinterpret_cast<const sockaddr*>(&address),
                             sizeof address) == static_cast<ssize_t>(datagram.size());
  ::close(fd);
  return sent;
}

// Every field of a copy, in UTF-8: the ones the program sets itself on each, then the
// event's. The journal and the syslog message carry the same.
std::vector<std::pair<std::string, std::string>> journalFields(const SystemLogEvent& event) {
  std::vector<std::pair<std::string, std::string>> fields{
      {"MESSAGE", utf8FromCp1252(event.message)},
      {"PRIORITY", std::to_string(kInformational)},
      {"SYSLOG_FACILITY", std::to_string(kAuthpriv)},
      {"SYSLOG_IDENTIFIER", "kov"}};
  for (const auto& [name, value] : event.fields) fields.emplace_back(name, utf8FromCp1252(value));
  return fields;
}

void appendJsonString(std::string& json, std::string_view text) {
  json += '"';
  for (const char c : text) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          std::array<char, 8> escaped{};
          std::snprintf(escaped.data(), escaped.size(), "\\u%04x", static_cast<unsigned>(c));
          json += escaped.data();
        } else {
          json += c;
        }
    }
  }
  json += '"';
}

}  // namespace

std::string journalDatagram(const SystemLogEvent& event) {
  std::string datagram;
  for (const auto& [name, value] : journalFields(event)) addField(datagram, name, value);
  return datagram;
}

std::string syslogDatagram(const SystemLogEvent& event, long pid, std::time_t at,
                           const std::string& host) {
  std::tm local{};
  ::localtime_r(&at, &local);
  const long offset = local.tm_gmtoff / 60;
  std::array<char, 64> stamp{};
  std::snprintf(stamp.data(), stamp.size(), "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld",
                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec, offset < 0 ? '-' : '+', std::labs(offset) / 60,
                std::labs(offset) % 60);
  std::string json;
  for (const auto& [name, value] : journalFields(event)) {
    json += json.empty() ? '{' : ',';
    appendJsonString(json, name);
    json += ':';
    appendJsonString(json, value);
  }
  json += '}';
  return "<" + std::to_string(kAuthpriv * 8 + kInformational) + ">1 " + stamp.data() + " " +
         (host.empty() ? "-" : host) + " kov " + std::to_string(pid) + " - - @cee:" + json;
}

bool sendToSystemLog(const SystemLogEvent& event, const SystemLogSockets& sockets) {
  if (sendDatagram(sockets.journal, journalDatagram(event))) return true;
  std::array<char, 256> host{};
  ::gethostname(host.data(), host.size() - 1);
  return sendDatagram(sockets.syslog,
                      syslogDatagram(event, ::getpid(), std::time(nullptr), host.data()));
}

}  // namespace kov
