// A copy of the program's events in the operating system's log, from where an office
// collects them off the workstation: the system journal (or syslog where there is no
// journal) on Linux, the Event Log on Windows. On the workstation itself whoever administers
// it can rewrite or delete that log as he can the recordings file: only the copy held on
// another machine, where the chain of the copies can be checked, makes the log unalterable.
// Sending never waits; it tells whether the log took the copy.
#pragma once

#include <ctime>
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
// Reports the event to the Event Log as an information of the source "kov"; true when the
// Event Log took it.
bool sendToSystemLog(const SystemLogEvent& event);
#else
// Where the copies go: the system's own sockets, or a test's.
struct SystemLogSockets {
  std::string journal = "/run/systemd/journal/socket";
  std::string syslog = "/dev/log";
};

// The journal's datagram, in UTF-8: MESSAGE, the priority, the facility authpriv, the
// identifier "kov", then the event's fields.
std::string journalDatagram(const SystemLogEvent& event);
// The syslog message of facility authpriv in the form of RFC 5424, in UTF-8: the time `at`
// in local time with its offset from UTC, the host, "kov", the process, and as its text
// "@cee:" followed by one JSON object that holds the same fields as the journal's datagram,
// under the same names.
std::string syslogDatagram(const SystemLogEvent& event, long pid, std::time_t at,
                           const std::string& host);
// To the journal, or to syslog when the journal does not take it; true when one took it.
bool sendToSystemLog(const SystemLogEvent& event, const SystemLogSockets& sockets = {});
#endif

}  // namespace kov
