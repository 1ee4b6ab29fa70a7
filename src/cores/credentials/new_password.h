// What the password dialog does with a new password: its checks, and the records it
// stores for the chosen role.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "cores/shared/kov_par.h"

namespace kov {

inline constexpr std::size_t kMinPasswordLength = 8;

struct PasswordRefusal {
  std::int16_t ok;  // 1: the new password is at fault, 2: the check password
  std::string_view message;
};

// The first check that refuses the new password and its check password as the dialog's
// boxes hold them; none when the new password may be stored.
std::optional<PasswordRefusal> newPasswordRefusal(std::string_view newPassword,
                                                  std::string_view checkPassword);

// Stores the role's user record with the new password (the administrator's record 4, the
// data controller's record 1), for the administrator after the pending workstation
// parameters of Parametri_Postazione, when there are any (records 1 to 3), and the offer to
// create their report folder when it does not exist. `mode` is the caller's record mode.
// When the user record has reached the disk the role's entry of Pw_Utenti takes the new
// password, so that the next sign-in accepts it, and the result is true.
bool storeNewPassword(Platform& platform, Kov_Par& par, std::int16_t& mode,
                      std::string_view password);

}  // namespace kov
