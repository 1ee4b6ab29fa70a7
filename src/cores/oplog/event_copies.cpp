#include "event_copies.h"

#include "texts.h"

namespace kov {
namespace {

std::string_view roleName(std::int16_t role) {
  return role == 0 ? oplog_text::kAdministratorRole : oplog_text::kControllerRole;
}

std::string flag(bool set) {
  return set ? "S" : "N";
}

}  // namespace

SystemLogEvent signInRefusedCopy(const SignInAttempt& attempt, SignInRefusal refusal) {
  const bool account = refusal == SignInRefusal::Account;
  return {oplog_text::signInRefused(account, attempt.account, roleName(attempt.role)),
          {{"KOV_EVENT", "SIGNIN_REFUSED"},
           {"KOV_DATE", formatDate(attempt.at)},
           {"KOV_TIME", formatTime(attempt.at)},
           {"KOV_ROLE", std::string(roleName(attempt.role))},
           {"KOV_ACCOUNT", std::string(attempt.account)},
           {"KOV_REASON", account ? "ACCOUNT" : "PASSWORD"},
           {"KOV_WORKSTATION", std::string(attempt.workstation)},
           {"KOV_OS_USER", std::string(attempt.osUser)}}};
}

SystemLogEvent parametersCopy(const DateTime& at, std::string_view account,
                              const WorkstationParameters& was, const WorkstationParameters& now) {
  return {oplog_text::parametersChanged(account),
          {{"KOV_EVENT", "PARAMETERS"},
           {"KOV_DATE", formatDate(at)},
           {"KOV_TIME", formatTime(at)},
           {"KOV_ACCOUNT", std::string(account)},
           {"KOV_OLD_WORKSTATION", was.name},
           {"KOV_NEW_WORKSTATION", now.name},
           {"KOV_OLD_RESTRICTED", flag(was.restricted)},
           {"KOV_NEW_RESTRICTED", flag(now.restricted)},
           {"KOV_OLD_REPORT_NAME", was.reportName},
           {"KOV_NEW_REPORT_NAME", now.reportName},
           {"KOV_OLD_REPORT_PATH", was.reportPath},
           {"KOV_NEW_REPORT_PATH", now.reportPath}}};
}

}  // namespace kov
