// utils string helpers: paths, case, cropping, the text forms of numbers,
// vectors, dates and times that the log prints, and names for duplicates.
//
// Every helper returns a new string and allocates freely; none is meant for
// an inner loop. Only the 26 ASCII letters are ever changed in case.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "platform/d3dx/d3dxMathTypes.h"

namespace utils {

// ---- Paths ('/' and '\' both separate folders)

// Drops a three-letter extension with its dot ('a.bmp' -> 'a'); any other
// path ('a.jpeg', 'a.fx', 'README') comes back unchanged.
std::string stripExtension(std::string path);
// The folder part with '\' turned into '/' and a trailing '/'. A leading
// double quote (a quoted first token of a command line) is skipped. A bare
// name with no folder gives "./", the folder it is found relative to.
std::string getDirectory(std::string path);
// The one rule for putting a relative path under a folder: exactly one '/'
// between them, whether or not the folder already ends with a separator. An
// empty folder gives the relative path unchanged.
std::string joinPath(const std::string& folder, const std::string& relative);
// The characters after the last separator; the whole path without one.
std::string getFileName(std::string path);
// The extension of one to three letters without its dot, passed through
// convertCase(caseMode); two blanks when there is none, which matches no
// known extension.
std::string getExtension(std::string path, int caseMode);

// ---- Text

// 0 lower case, 1 first letter upper case, 2 upper case, anything else unchanged.
std::string convertCase(std::string text, int mode);
// n clipped to the length; keepStart gives the first n characters, otherwise
// the characters from position n on.
std::string cropString(std::string text, int n, bool keepStart);

// ---- Text forms used by the log

// printf into a new string.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string toString(const char* text);
std::string toString(double value);          // "%0.5f"
std::string toString(int value);             // "%d"
std::string toString(const d3dx::Vector2& v);  // "[%0.4f,%0.4f]"

// "dd/mm/yyyy" and "hh:mm:ss" of a broken-down local time, and of now.
std::string formatDate(const std::tm& time);
std::string formatTime(const std::tm& time);
std::string getDateString();
std::string getTimeString();

// "%f" with the decimals cut short: 1.25 -> "1.25", 1.2 -> "1.2",
// 0.0123 -> "0.012", 2.125 -> "2.12", 3 -> "3.0".
std::string floatToShortString(float value);
// "%0.0f" when the range or the value reaches 100, "%0.1f" when the range
// reaches 1, else "%0.2f".
std::string formatValueForRange(float value, float min, float max);

// ---- Names of duplicates

// A name equal to no entry of names: the name itself when free, else
// "<base> Copy", "<base> Copy 2", "<base> Copy 3", ... where a name that
// already ends in " Copy" or " Copy <n>" continues its own count.
std::string makeUniqueCopyName(std::string name, const std::vector<std::string>& names);

}  // namespace utils
