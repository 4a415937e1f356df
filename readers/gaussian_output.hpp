// Kelvorin - desktop workbench for vibrational calculations.
// The Gaussian output reader: outputs, formatted checkpoints and the program's own layout.
#pragma once

#include <string>
#include <string_view>

namespace kel {

struct Work;
class LineReader;

/// Reads file f (dispatching structure files to fmtGeo) into the model.
void FmtIn(Work& w, std::string f) noexcept;
/// The output reader itself: f is read as a Gaussian output, checkpoint or the program's own
/// layout, whatever its name says of a structure file.
void readOutputFile(Work& w, std::string f) noexcept;
/// The name's last seven characters hold a structure-file extension.
bool structureName(std::string_view f);

/// Rows of a Gaussian orientation table after its column header into atoms offset + 1 ..
/// offset + n (dummy atoms and translation vectors passed over). False with message, the
/// text that follows the file name, when a row is incomplete, has no element or the file
/// ends inside the table.
bool readOrientationRows(Work& w, LineReader& in, bool typeColumn, int offset, int& n,
                         std::string& message);

}  // namespace kel
