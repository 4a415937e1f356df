// Kelvorin - desktop workbench for vibrational calculations.
// Run-time errors with the classic BASIC numbers, and the one guard per procedure.
#pragma once

#include <new>
#include <string>
#include <string_view>

namespace kel {

/// A run-time error of the procedure in progress: 6 Overflow, 9 Subscript out of range,
/// 11 Division by zero, 13 Type mismatch, 52 Bad file name or number, 53 File not found,
/// 57 Device I/O error, 61 Disk full, 62 Input past end of file, 70 Permission denied,
/// 75 Path/File access error (7 Out of memory when an allocation fails).
struct BasicError {
  int number;
};

/// The description that goes with an error number ("Subscript out of range").
std::string_view errorDescription(int number);

/// Runs body; a BasicError (or bad_alloc, as 7) is reported through report(name, number)
/// and the guard returns false. Nothing escapes to the caller.
template <typename Report, typename Body>
bool guardWith(Report&& report, std::string_view name, Body&& body) noexcept {
  int number = 0;
  try {
    body();
    return true;
  } catch (const BasicError& e) {
    number = e.number;
  } catch (const std::bad_alloc&) {
    number = 7;
  } catch (...) {
    number = 51;  // Internal error
  }
  try {
    report(name, number);
  } catch (...) {
  }
  return false;
}

}  // namespace kel
