// The copies of events that the recordings file does not record: a refused sign-in and a
// change of the workstation parameters. The recordings file keeps its own wordings; these
// go to the system log alone.
#pragma once

#include <cstdint>
#include <string_view>

#include "cores/credentials/credential_record.h"
#include "runtime/datetime.h"
#include "runtime/system_log.h"

namespace kov {

enum class SignInRefusal { Account, Password };

// Who tried: the role chosen (Tipo_Utente), the account typed (never the password), the
// workstation and the operating system's user.
struct SignInAttempt {
  DateTime at;
  std::int16_t role = 0;
  std::string_view account;
  std::string_view workstation;
  std::string_view osUser;
};

SystemLogEvent signInRefusedCopy(const SignInAttempt& attempt, SignInRefusal refusal);

// The administrator `account` changed the parameters `was` to `now`.
SystemLogEvent parametersCopy(const DateTime& at, std::string_view account,
                              const WorkstationParameters& was, const WorkstationParameters& now);

}  // namespace kov
