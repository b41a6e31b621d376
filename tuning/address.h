#pragma once

#include <string>

// The text an address's fragment carries into the frequency field: its
// escapes decoded as UTF-8 and cut where typing into the field stops
// (FieldLength characters). An escape cut short at the end, where a link
// was cut, is left out; a fragment that is no text at all carries none. At
// most 12 characters a field's character (its longest escapes) are read.
std::string typedFromAddress(const std::string &fragment);
