// Kelvorin - desktop workbench for vibrational calculations.
// The JSON document: the model and every analysis result in one stable layout, keys in a
// fixed order, absent data as null or an empty array.
#pragma once

#include "analysis/normal_modes.hpp"
#include "analysis/ped.hpp"
#include "analysis/report.hpp"
#include "model/model.hpp"

#include <string>
#include <utility>

namespace kel {

/// What the document says about the run besides the model.
struct JsonStatus {
  std::string version;  ///< "2.2"
  std::string file;     ///< the name as given
  bool ok = true;
  std::string text3, text4;
};

/// The results an "analysis" object holds; null members stay empty in the document.
struct JsonAnalysis {
  const NormalModes* modes = nullptr;  ///< computed from Fcc (null: none)
  const Ped* ped = nullptr;
  const FrequencyReport* report = nullptr;
};

/// The whole document (internal coordinates as the model holds them: rows 1..IcRows).
std::string jsonDocument(const ModKel& m, const JsonStatus& status, const JsonAnalysis* analysis);

/// The atomic number of atom i (the model keeps deuterium as 2).
int atomicNumber(const ModKel& m, int i);

/// A number as JSON: the shortest text that reads back to the same double; null when not
/// finite.
std::string jsonNumber(double x);

/// A string as JSON, quoted, with quotes, backslashes and control characters escaped.
std::string jsonString(std::string_view s);

}  // namespace kel
