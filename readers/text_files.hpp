// Kelvorin - desktop workbench for vibrational calculations.
// The check of a text file before a reader opens it.
#pragma once

#include <string>

namespace kel {

struct Work;

/// Size and state of a text file before a reader opens it: n = its length (-1 when f is
/// empty); ier = 1 missing or empty (never deleted), 0 a text file with line ends
/// (LF, CR LF or CR: every one is read as it stands, the file is never rewritten),
/// 2 no line end in its first 1024 bytes (two log lines say so).
void SplB(Work& w, const std::string& f, double& n, int& ier);

}  // namespace kel
