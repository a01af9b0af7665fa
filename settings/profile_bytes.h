#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A profile (INI) file read and edited as bytes, for systems whose code page cannot carry every
// byte of the file: there the system's profile functions would not find a key whose name the
// code page cannot read, and would rewrite every line of the file through the code page, so a
// line of another system's bytes would come back changed.
//
// Lines are "[section]" and "key=value", ended by LF or CR LF. A name made only of ASCII bytes
// matches without regard to ASCII case, as the profile functions match; any other name matches
// byte for byte. Values lose surrounding blanks and tabs and one pair of surrounding quotes.

// The value of `key` in `section` of the file's bytes; std::nullopt when the key or the section
// is missing.
std::optional<std::string> FindProfileValue(std::string_view file, std::string_view section,
                                            std::string_view key);

// One key to set to its value, or to remove when there is no value.
using ProfileChange = std::pair<std::string, std::optional<std::string>>;

// The file's bytes with `changes` made in `section`: a key that is there has its line replaced
// by "key=value" (or removed); a new key goes after the section's last line that is not blank; a
// missing section is added at the end. Every other line keeps its bytes and its line end.
std::string ChangeProfileValues(std::string_view file, std::string_view section,
                                const std::vector<ProfileChange>& changes);
