// A copy of the program's events in the operating system's log, which the workstation's
// administrator cannot rewrite and an office may collect from every machine: the system
// journal (or syslog where there is no journal) on Linux, the Event Log on Windows. Sending
// never waits and never fails the caller: a log that cannot be reached is left alone.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kov {

// Texts in Windows-1252, as every text the program keeps.
struct SystemLogEvent {
  std::string message;  // one readable line
  // Names of capitals, digits and "_", values as the program keeps them.
  std::vector<std::pair<std::string, std::string>> fields;
};

#ifdef _WIN32
// The Event Log's text: the message, then one "NAME=value" line per field.
std::wstring eventLogText(const SystemLogEvent& event);
// Reports the event to the Event Log as an information of the source "kov".
void sendToSystemLog(const SystemLogEvent& event);
#else
// Where the copies go: the system's own sockets, or a test's.
struct SystemLogSockets {
  std::string journal = "/run/systemd/journal/socket";
  std::string syslog = "/dev/log";
};

// The journal's datagram, in UTF-8: MESSAGE, the priority, the facility authpriv, the
// identifier "kov", then the event's fields.
std::string journalDatagram(const SystemLogEvent& event);
// The syslog line of facility authpriv, in UTF-8: "<86>Dec  4 09:05:03 kov[pid]: message",
// stamped with the system's local time.
std::string syslogDatagram(const SystemLogEvent& event, long pid);
// To the journal, or to syslog when the journal does not take it.
void sendToSystemLog(const SystemLogEvent& event, const SystemLogSockets& sockets = {});
#endif

}  // namespace kov
