#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <ctime>

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

}  // namespace

std::string journalDatagram(const SystemLogEvent& event) {
  std::string datagram;
  addField(datagram, "MESSAGE", utf8FromCp1252(event.message));
  addField(datagram, "PRIORITY", std::to_string(kInformational));
  addField(datagram, "SYSLOG_FACILITY", std::to_string(kAuthpriv));
  addField(datagram, "SYSLOG_IDENTIFIER", "kov");
  for (const auto& [name, value] : event.fields) addField(datagram, name, utf8FromCp1252(value));
  return datagram;
}

std::string syslogDatagram(const SystemLogEvent& event, long pid) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%s %2d %02d:%02d:%02d", kMonths[local.tm_mon], local.tm_mday,
                local.tm_hour, local.tm_min, local.tm_sec);
  return "<" + std::to_string(kAuthpriv * 8 + kInformational) + ">" + stamp + " kov[" +
         std::to_string(pid) + "]: " + utf8FromCp1252(event.message);
}

void sendToSystemLog(const SystemLogEvent& event, const SystemLogSockets& sockets) {
  if (!sendDatagram(sockets.journal, journalDatagram(event))) {
    sendDatagram(sockets.syslog, syslogDatagram(event, ::getpid()));
  }
}

}  // namespace kov
