#pragma once

#include <optional>
#include <string_view>

// The value of a text that is one decimal number: an optional sign, digits with an optional
// fraction (at least one digit in all), an optional exponent, blanks (space, tab) around it
// allowed. Anything else gives std::nullopt. A value too large for a double comes back as an
// infinity of its sign, one too small as zero, so callers can range-check it like any other.
// Used for the numbers of the settings file and for the track number typed in the dialog.
std::optional<double> DecimalTextValue(std::string_view text);
