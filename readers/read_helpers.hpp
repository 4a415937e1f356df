// Kelvorin - desktop workbench for vibrational calculations.
// Small pieces shared by the structure readers and the renumbering: element look-ups, field
// splitting, the three-decimal-point test, coordinate fields and the atom listing line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kel {

struct Work;
struct ModKel;

/// Atomic number whose symbol equals cand (case-blind, blanks around it ignored); lowest Z
/// wins; 0 when none of 1..83 matches.
int exactElement(const ModKel& m, std::string_view cand);
/// "Containing" look-up of a candidate of at most two characters: the first element whose
/// two-letter symbol occurs in it, else the lowest Z whose one-letter symbol occurs; 0 when none.
int containingElement(const ModKel& m, std::string_view cand);

/// Three '.' found one after the other, none of them the last character of s. third receives
/// the position of the third one.
bool threeDots(std::string_view s, std::size_t* third = nullptr);

/// Splits off the first field at the first run of two blanks: first = the text before it,
/// rest = the text after it, left-trimmed. False (and rest empty) when s holds no "  ".
bool splitTwoBlanks(std::string_view s, std::string& first, std::string& rest);

/// Fields separated by blanks and tabs.
std::vector<std::string> splitFields(std::string_view s);

/// True when the whole of s is one decimal number (sign, digits, point, exponent).
bool isNumber(std::string_view s);
/// True when s is a non-empty run of digits.
bool isDigits(std::string_view s);

/// Up to three numbers from the start of s: numbers are separated by blanks or tabs, or start
/// at a sign that directly follows a digit ("-12.345-123.456"). Returns how many were found;
/// the others are left as they were.
int readCoordinates(std::string_view s, double xyz[3]);

/// A number rounded (halves to even) and held within +-1e9, so that a wild field never
/// overflows an integer.
long long roundField(double v);

/// One listing line of atom i: number (3), atomic number (4), two blanks and the label, then
/// x, y, z and the mass (each 12 wide, six decimals), as a new console line.
void listAtom(Work& w, int i);

/// The message for an input of length 0: "file f is empty" when it exists, else missing + f.
std::string emptyOrMissing(const std::string& f, std::string_view missing);

/// ShowNam from FilNam, and the captions of the main window and the viewer that show it.
void showNames(Work& w);

}  // namespace kel
