// Kelvorin - desktop workbench for vibrational calculations.
// String and path helpers shared by every Part. Paths accept '/' and '\' as separators.
#pragma once

#include <string>
#include <string_view>

namespace kel {

/// Removes trailing blanks; kl = the new length.
void rig(std::string& ay, int& kl);
/// Removes leading blanks; kl = the new length.
void lef(std::string& ay, int& kl);
std::string rtrim(std::string_view s);
std::string ltrim(std::string_view s);
std::string trim(std::string_view s);

/// Length of the part of ay before the first by inside its file-name part (after the last
/// folder separator), counted from the start of ay; 0 when by does not occur there.
int zna(std::string_view ay, std::string_view by);
/// ay without its folder part.
std::string znaU(std::string_view c);
/// Position just after the last folder separator ('/' or '\'); 0 when there is none.
std::size_t fileNameStart(std::string_view path);

std::string lower(std::string_view s);
std::string upper(std::string_view s);
/// Case-blind search (ASCII); npos when absent.
std::size_t findCi(std::string_view hay, std::string_view needle, std::size_t from = 0);
inline bool containsCi(std::string_view hay, std::string_view needle) {
  return findCi(hay, needle) != std::string_view::npos;
}
inline bool contains(std::string_view hay, std::string_view needle) {
  return hay.find(needle) != std::string_view::npos;
}
/// The last n characters of s (all of s when shorter).
std::string_view tail(std::string_view s, std::size_t n);

/// Makes the folder of path ay the current directory: i = 0 on success (also when ay has no
/// folder part), -1 when the change fails.
void ZnaD(std::string_view ay, int& i);
/// Counts the changes of the current directory made by ZnaD (the log file follows them).
long cwdChanges();

void sws(std::string& a, std::string& b);
void swapa(double& a, double& b);
void swapi(short& i, short& j);

}  // namespace kel
