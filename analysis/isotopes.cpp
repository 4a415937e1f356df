// Kelvorin - desktop workbench for vibrational calculations.
#include "analysis/isotopes.hpp"

#include "base/basic_error.hpp"
#include "base/convert.hpp"
#include "base/strings.hpp"
#include "readers/read_helpers.hpp"

#include <cmath>

namespace kel {

namespace {

constexpr std::string_view BadItem = "mass item not N=MASS or SYMBOL=MASS: ";
constexpr std::string_view NoSuchAtom = "no atom ";
constexpr std::string_view NoElement = "no atom of element ";
constexpr std::string_view BadMassValue = "mass not in 0..1000: ";
constexpr std::string_view ModesDiffer = "the two sets of masses give different mode counts";

constexpr double MaxMass = 1000.0;

std::vector<std::string> items(std::string_view list) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const auto p = list.find(',', start);
    parts.push_back(trim(list.substr(start, p == std::string_view::npos ? p : p - start)));
    if (p == std::string_view::npos) return parts;
    start = p + 1;
  }
}

/// log of the product rule's right side for one set of masses, without the atoms' own term.
double rigidLog(const ModKel& m, const std::vector<double>& masses, bool linear) {
  double total = 0;
  for (double w : masses) total += w;
  double moments[3];
  principalMoments(m, masses, moments);
  const double inertia =
      linear ? std::log(moments[2]) : std::log(moments[0] * moments[1] * moments[2]);
  return 1.5 * std::log(total) + 0.5 * inertia;
}

void compute(const ModKel& m, const std::vector<double>& before, const std::vector<double>& after,
             IsotopeShift& out) {
  out = IsotopeShift{};
  analyseModes(m, before, out.before);
  analyseModes(m, after, out.after);
  if (!out.before.message.empty() || !out.after.message.empty()) {
    out.message = out.before.message.empty() ? out.after.message : out.before.message;
    return;
  }
  if (out.before.count() != out.after.count()) {
    out.message = ModesDiffer;
    return;
  }
  double left = 0;
  for (int k = 0; k < out.before.count(); ++k)
    left += std::log(std::fabs(out.after.frequencies[std::size_t(k)]) /
                     std::fabs(out.before.frequencies[std::size_t(k)]));
  double right = 0;
  for (std::size_t a = 0; a < before.size(); ++a) right += 1.5 * std::log(before[a] / after[a]);
  const bool linear = out.before.linear;
  right += rigidLog(m, after, linear) - rigidLog(m, before, linear);
  out.productRatio = std::exp(left - right);
  out.invariance = forceConstantInvariance(m);
}

}  // namespace

bool applyMassList(const ModKel& m, std::string_view list, std::vector<double>& masses,
                   std::string& message) {
  std::vector<double> next = masses;
  for (const auto& item : items(list)) {
    const auto eq = item.find('=');
    if (eq == std::string::npos || eq == 0 || !isNumber(trim(item.substr(eq + 1)))) {
      message = std::string(BadItem) + item;
      return false;
    }
    const std::string key = trim(item.substr(0, eq));
    const double mass = Val(item.substr(eq + 1));
    if (!(mass > 0 && mass <= MaxMass)) {
      message = std::string(BadMassValue) + item;
      return false;
    }
    if (isDigits(key)) {
      const long long i = std::stoll(key.substr(0, std::min<std::size_t>(key.size(), 9)));
      if (i < 1 || i > m.NAt || i > static_cast<long long>(next.size())) {
        message = std::string(NoSuchAtom) + key;
        return false;
      }
      next[std::size_t(i - 1)] = mass;
      continue;
    }
    const int z = exactElement(m, key);
    bool any = false;
    for (int i = 1; i <= m.NAt && i <= int(next.size()); ++i)
      if (z > 0 && m.AtZ(i) == z) {
        next[std::size_t(i - 1)] = mass;
        any = true;
      }
    if (!any) {
      message = std::string(NoElement) + key;
      return false;
    }
  }
  masses = std::move(next);
  return true;
}

double forceConstantInvariance(const ModKel& m) {
  const int dim = 3 * m.NAt;
  if (dim < 3) return 0;
  double column = 0;
  for (int j = 1; j <= dim; ++j) {
    double s = 0;
    for (int i = 1; i <= dim; ++i) s += m.Fcc(i, j) * m.Fcc(i, j);
    column = std::max(column, s);
  }
  if (column == 0) return 0;
  const std::vector<double> unit(std::size_t(m.NAt), 1.0);
  double worst = 0;
  for (const auto& e : rigidMotions(m, unit, false)) {
    double s = 0;
    for (int i = 1; i <= dim; ++i) {
      double fe = 0;
      for (int j = 1; j <= dim; ++j) fe += m.Fcc(i, j) * e[std::size_t(j - 1)];
      s += fe * fe;
    }
    worst = std::max(worst, s);
  }
  return std::sqrt(worst / column);
}

void isotopeShifts(const ModKel& m, const std::vector<double>& before,
                   const std::vector<double>& after, IsotopeShift& out) noexcept {
  guardWith(
      [&](std::string_view name, int number) {
        out = IsotopeShift{};
        out.message = std::string(name) + ": " + std::string(errorDescription(number));
      },
      "isotopeShifts", [&] { compute(m, before, after, out); });
}

}  // namespace kel
