#pragma once
// Decimal numbers typed in dialogs or stored in files, read in the C locale.
#include <string>

// Each reads as the C library's conversion does: leading blanks skipped, as much of the text as forms a
// number, 0 when nothing does; `end`, when given, receives the first character not used.
long double parseLongDouble(const char* text, char** end = nullptr);
double parseDouble(const char* text, char** end = nullptr);
float parseFloat(const char* text, char** end = nullptr);
long long parseLongLong(const char* text, char** end = nullptr);

inline long double parseLongDouble(const std::string& text) { return parseLongDouble(text.c_str()); }
inline double parseDouble(const std::string& text) { return parseDouble(text.c_str()); }
inline float parseFloat(const std::string& text) { return parseFloat(text.c_str()); }
