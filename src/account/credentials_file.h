#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "account/login.h"
#include "platform/dialogs.h"

namespace account {

// The remembered credentials live in one file beside the program, a single GBK line:
// "帐号：" user name "----" password "密码", without line break. The password is in clear text
// because stored files are read that way; the file is therefore readable by its owner only.
std::filesystem::path CredentialsFilePath(const std::filesystem::path& directory);

std::string CredentialsFileBytes(const Credentials& credentials);

// The user name is what stands between "帐号：" and the first "----", the password what stands
// between that "----" and the next "密码"; a missing marker gives an empty value.
Credentials ParseCredentialsFile(std::string_view bytes);

// nullopt when there is no file in `directory`.
std::optional<Credentials> ReadCredentialsFile(const std::filesystem::path& directory);

// Replaces the file as a whole (mode 0600): the old file stays until the new one is complete.
bool WriteCredentialsFile(const std::filesystem::path& directory, const Credentials& credentials);

bool DeleteCredentialsFile(const std::filesystem::path& directory);

// The remember box was clicked and is now `nowTicked`. Empty boxes refuse it with a message and
// leave the file alone; otherwise ticking writes the file and unticking deletes it. Returns
// whether the box is to be ticked.
bool OnRememberBoxClicked(bool nowTicked, const Credentials& boxes,
                          const std::filesystem::path& directory, platform::Dialogs& dialogs);

// On close: while the box is ticked the file is written from the boxes as they are, empty or
// not; an unticked box leaves the file as it was.
void RewriteCredentialsAtClose(bool ticked, const Credentials& boxes,
                               const std::filesystem::path& directory);

}  // namespace account
