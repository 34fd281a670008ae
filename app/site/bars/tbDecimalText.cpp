#include "app/site/bars/tbDecimalText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

float tbReadDecimal(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first != last && (*first == ' ' || *first == '\t')) ++first;
    if (first != last && *first == '+') ++first;
    float value = 0.0f;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end == first || !std::isfinite(value)) return 0.0f;
    return value;
}

std::string tbDecimalText(float value) {
    char text[48];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
    if (error != std::errc()) return "0.0";
    return std::string(text, end);
}
