// Numbers typed into the site's bars: "2.5" is two and a half whatever the
// user's locale, and a text that is no number reads 0, as the bars have
// always treated one. Leading spaces are skipped; anything after the number
// is ignored ("3 m/s" is 3).
#pragma once

#include <string>

float tbReadDecimal(const std::string& text);
// "%0.1f", with a dot in every locale.
std::string tbDecimalText(float value);
