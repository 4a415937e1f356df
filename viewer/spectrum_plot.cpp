// Kelvorin - desktop workbench for vibrational calculations.
#include "viewer/spectrum_plot.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kel {

namespace {

constexpr std::string_view IrName = "IR";
constexpr std::string_view RamanName = "Raman";
constexpr std::string_view WavenumberAxis = "Wavenumber / cm\u207b\u00b9";
constexpr std::string_view RamanShiftAxis = "Raman shift / cm\u207b\u00b9";
constexpr std::string_view AbsorbanceAxis = "Absorbance (normalised)";
constexpr std::string_view TransmittanceAxis = "Transmittance / %";
constexpr std::string_view ActivityAxis = "Raman activity (normalised)";
constexpr std::string_view ComputedLegend = "computed";
constexpr std::string_view ModesLegend = "modes";
constexpr std::string_view MeasuredLegend = "measured";
constexpr std::string_view NoRamanHeld = "no Raman activities held";

// Pixels around the panels.
constexpr double Left = 84, Right = 26, Top = 64, Bottom = 60, Gap = 50;
constexpr double MajorTick = 7, MinorTick = 4;
constexpr double TickFont = 13, LabelFont = 14, TitleFont = 16, CaptionFont = 13;
constexpr double HeadRoom = 1.08;  ///< the normalised curve's top sits below the frame

constexpr Colour Black = rgb(0, 0, 0);
constexpr Colour Grey = rgb(90, 90, 90);
constexpr Colour IrColour = rgb(20, 70, 160);
constexpr Colour RamanColour = rgb(0, 120, 70);
constexpr Colour StickColour = rgb(200, 40, 40);
constexpr Colour MeasuredColour = rgb(40, 40, 40);

struct Panel {
  double x0, x1, y0, y1;  ///< frame, pixels
  bool ir;
};

/// Number of a tick label: no decimals for whole steps, else as many as the step needs.
std::string tickLabel(double v, double step) {
  int decimals = 0;
  while (decimals < 6 && std::fabs(step * std::pow(10.0, decimals) -
                                   std::round(step * std::pow(10.0, decimals))) > 1e-9)
    ++decimals;
  if (std::fabs(v) < step * 1e-9) v = 0;  // no "-0"
  char buf[48];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  return {buf, r.ptr};
}

class Layout {
 public:
  Layout(const Spectrum& s, const PlotOptions& o, const PlotOverlay* ov) : s_(s), o_(o), ov_(ov) {}

  PlotScene run() {
    p_.width = o_.width;
    p_.height = o_.height;
    header();
    const bool both = o_.kind == PlotKind::Both && s_.ramanHeld;
    const bool raman = o_.kind == PlotKind::Raman;
    // IR reads from high to low wavenumber, Raman from low to high
    decreasing_ = (raman ? false : true) != o_.reverse;
    const double h = o_.height - Top - Bottom;
    if (both) {
      const double each = (h - Gap) / 2;
      panel({Left, o_.width - Right, Top, Top + each, true}, false);
      panel({Left, o_.width - Right, Top + each + Gap, Top + h, false}, true);
    } else {
      panel({Left, o_.width - Right, Top, Top + h, !raman}, true);
    }
    return std::move(p_);
  }

 private:
  double xOf(const Panel& q, double v) const {
    const double f = (v - s_.from) / (s_.to - s_.from);
    return decreasing_ ? q.x1 - f * (q.x1 - q.x0) : q.x0 + f * (q.x1 - q.x0);
  }
  /// Pixel row of a normalised value u (0 = baseline, 1 = the highest peak).
  double yOf(const Panel& q, double u) const {
    double frac;
    if (q.ir && o_.transmittance)
      frac = 100 * std::pow(10.0, -u) / (100 * HeadRoom);  // 100 % near the top
    else
      frac = u / HeadRoom;
    frac = std::clamp(frac, 0.0, 1.0);
    return q.y1 - frac * (q.y1 - q.y0);
  }

  void line(std::vector<double> pts, Colour c, double w = 1) {
    p_.lines.push_back({std::move(pts), c, w});
  }
  void text(double x, double y, std::string t, double size, TextAnchor a, Colour c = Black,
            bool vertical = false) {
    p_.texts.push_back({x, y, std::move(t), size, a, vertical, c});
  }

  void header() {
    text(Left, 26, o_.title, TitleFont, TextAnchor::Start);
    text(Left, 48, o_.caption, CaptionFont, TextAnchor::Start, Grey);
    // legend: a sample of each line and its name, from the right edge leftwards
    std::vector<std::pair<std::string_view, Colour>> items = {
        {ComputedLegend, o_.kind == PlotKind::Raman ? RamanColour : IrColour},
        {ModesLegend, StickColour}};
    if (ov_ && !ov_->x.empty() && o_.kind != PlotKind::Raman)
      items.push_back({MeasuredLegend, MeasuredColour});
    double x = o_.width - Right - 110.0 * double(items.size());
    for (auto [name, colour] : items) {
      if (name == ModesLegend)
        line({x + 11, 50, x + 11, 36}, colour, 1.5);
      else
        line({x, 44, x + 22, 44}, colour, 2);
      text(x + 30, 48, std::string(name), CaptionFont, TextAnchor::Start);
      x += 110;
    }
  }

  void axes(const Panel& q, bool bottomLabel) {
    line({q.x0, q.y0, q.x1, q.y0, q.x1, q.y1, q.x0, q.y1, q.x0, q.y0}, Black, 1);
    double major = 0, minor = 0;
    tickSteps(s_.to - s_.from, 8, major, minor);
    const double eps = minor * 1e-6;
    for (double v = std::ceil((s_.from - eps) / minor) * minor; v <= s_.to + eps; v += minor) {
      const double x = xOf(q, v);
      const bool isMajor = std::fabs(v / major - std::round(v / major)) < 1e-6;
      line({x, q.y1, x, q.y1 + (isMajor ? MajorTick : MinorTick)}, Black, 1);
      if (isMajor) text(x, q.y1 + 22, tickLabel(v, major), TickFont, TextAnchor::Middle);
    }
    if (bottomLabel)
      text((q.x0 + q.x1) / 2, q.y1 + 46,
           std::string(o_.kind == PlotKind::Raman ? RamanShiftAxis : WavenumberAxis), LabelFont,
           TextAnchor::Middle);
    const bool t = q.ir && o_.transmittance;
    const double top = t ? 100 : 1, step = t ? 20 : 0.2;
    for (int k = 0; k <= 5; ++k) {
      const double v = k * step;
      const double y = t ? q.y1 - v / (100 * HeadRoom) * (q.y1 - q.y0) : yOf(q, v);
      line({q.x0 - MajorTick, y, q.x0, y}, Black, 1);
      text(q.x0 - 10, y + 4.5, tickLabel(v, step), TickFont, TextAnchor::End);
      if (v >= top) break;
    }
    text(q.x0 - 58, (q.y0 + q.y1) / 2,
         std::string(q.ir ? (t ? TransmittanceAxis : AbsorbanceAxis) : ActivityAxis), LabelFont,
         TextAnchor::Middle, Black, true);
    text(q.x0 + 10, q.y0 + 20, std::string(q.ir ? IrName : RamanName), LabelFont,
         TextAnchor::Start);
  }

  /// The curve: every point, or per pixel column its lowest and highest in order, so that a
  /// fine step gives no more than a few points a pixel.
  void curve(const Panel& q, const std::vector<double>& y, double scale, Colour c) {
    std::vector<double> pts;
    const std::size_t n = s_.x.size();
    const double columns = q.x1 - q.x0;
    const bool thin = double(n) > 4 * columns;
    long column = -1;
    std::size_t lo = 0, hi = 0;
    auto flush = [&] {
      if (column < 0) return;
      for (std::size_t k : {std::min(lo, hi), std::max(lo, hi)}) {
        pts.push_back(xOf(q, s_.x[k]));
        pts.push_back(yOf(q, y[k] * scale));
        if (lo == hi) break;
      }
    };
    for (std::size_t i = 0; i < n; ++i) {
      if (!thin) {
        pts.push_back(xOf(q, s_.x[i]));
        pts.push_back(yOf(q, y[i] * scale));
        continue;
      }
      const long col = long(std::floor((s_.x[i] - s_.from) / (s_.to - s_.from) * columns));
      if (col != column) {
        flush();
        column = col;
        lo = hi = i;
      }
      if (y[i] < y[lo]) lo = i;
      if (y[i] > y[hi]) hi = i;
    }
    if (thin) flush();
    line(std::move(pts), c, 1.6);
  }

  /// Each stick as high as its own line at its centre, in the curve's scale: a stick
  /// never rises above the curve, and the curve above it shows what its neighbours add.
  void sticks(const Panel& q, bool raman, double scale) {
    for (const auto& st : s_.sticks) {
      if (st.x < s_.from || st.x > s_.to) continue;
      const double x = xOf(q, st.x);
      const double i = raman ? st.raman : st.ir;
      if (scale > 0 && i > 0)
        line({x, yOf(q, 0), x, yOf(q, i * s_.unitPeak * scale)}, StickColour, 1.2);
      p_.peaks.push_back({st.mode, x, q.y0, q.y1});
    }
  }

  void overlay(const Panel& q) {
    if (!ov_ || ov_->x.size() != ov_->y.size()) return;
    double top = 0;
    for (std::size_t i = 0; i < ov_->x.size(); ++i)
      if (ov_->x[i] >= s_.from && ov_->x[i] <= s_.to) top = std::max(top, ov_->y[i]);
    if (!(top > 0)) return;
    std::vector<double> pts;
    for (std::size_t i = 0; i < ov_->x.size(); ++i) {
      if (ov_->x[i] < s_.from || ov_->x[i] > s_.to) continue;
      pts.push_back(xOf(q, ov_->x[i]));
      pts.push_back(yOf(q, ov_->y[i] / top));
    }
    line(std::move(pts), MeasuredColour, 1);
  }

  void panel(const Panel& q, bool bottomLabel) {
    const std::vector<double>& y = q.ir ? s_.ir : s_.raman;
    double top = 0;
    for (double v : y) top = std::max(top, v);
    const double scale = top > 0 ? 1 / top : 0;
    sticks(q, !q.ir, scale);
    curve(q, y, scale, q.ir ? IrColour : RamanColour);
    if (q.ir) overlay(q);
    if (!q.ir && !s_.ramanHeld)
      text((q.x0 + q.x1) / 2, (q.y0 + q.y1) / 2, std::string(NoRamanHeld), LabelFont,
           TextAnchor::Middle, Grey);
    axes(q, bottomLabel);
  }

  const Spectrum& s_;
  const PlotOptions& o_;
  const PlotOverlay* ov_;
  PlotScene p_;
  bool decreasing_ = true;
};

/// A pixel coordinate with at most two decimals, never a comma.
void appendPixel(std::string& out, double v) {
  char buf[48];
  auto r = std::to_chars(buf, buf + sizeof buf, std::round(v * 100) / 100);
  out.append(buf, r.ptr);
}

void appendColour(std::string& out, Colour c) {
  static constexpr char Hex[] = "0123456789abcdef";
  out += '#';
  for (int part : {c & 255, (c >> 8) & 255, (c >> 16) & 255}) {
    out += Hex[part >> 4];
    out += Hex[part & 15];
  }
}

void appendEscaped(std::string& out, std::string_view t) {
  for (char c : t) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
}

}  // namespace

void tickSteps(double range, int wanted, double& major, double& minor) {
  const double raw = range / std::max(1, wanted);
  const double p = std::pow(10.0, std::floor(std::log10(raw > 0 ? raw : 1)));
  major = 10 * p;
  for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
    if (m * p >= raw) {
      major = m * p;
      break;
    }
  minor = std::fabs(major / p - 2) < 1e-9 ? major / 4 : major / 5;
}

PlotScene layoutSpectrum(const Spectrum& s, const PlotOptions& o, const PlotOverlay* overlay) {
  if (s.x.empty() || !(s.to > s.from)) {
    PlotScene p;
    p.width = o.width;
    p.height = o.height;
    return p;
  }
  return Layout(s, o, overlay).run();
}

int peakAt(const PlotScene& p, double x, double y) {
  constexpr double Reach = 5;
  int best = 0;
  double dist = Reach;
  for (const auto& k : p.peaks) {
    if (y < k.top - Reach || y > k.bottom + Reach) continue;
    const double d = std::fabs(k.x - x);
    if (d <= dist) {
      dist = d;
      best = k.mode;
    }
  }
  return best;
}

std::string plotSvg(const PlotScene& p) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"";
  out += " width=\"";
  appendPixel(out, p.width);
  out += "\" height=\"";
  appendPixel(out, p.height);
  out += "\" viewBox=\"0 0 ";
  appendPixel(out, p.width);
  out += ' ';
  appendPixel(out, p.height);
  out += "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\">\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  for (const auto& l : p.lines) {
    out += "<polyline fill=\"none\" stroke-linejoin=\"round\" stroke=\"";
    appendColour(out, l.colour);
    out += "\" stroke-width=\"";
    appendPixel(out, l.width);
    out += "\" points=\"";
    for (std::size_t i = 0; i + 1 < l.points.size(); i += 2) {
      if (i > 0) out += ' ';
      appendPixel(out, l.points[i]);
      out += ',';
      appendPixel(out, l.points[i + 1]);
    }
    out += "\"/>\n";
  }
  for (const auto& t : p.texts) {
    if (t.text.empty()) continue;
    out += "<text x=\"";
    appendPixel(out, t.x);
    out += "\" y=\"";
    appendPixel(out, t.y);
    out += "\" font-size=\"";
    appendPixel(out, t.size);
    out += "\" fill=\"";
    appendColour(out, t.colour);
    out += '"';
    if (t.anchor != TextAnchor::Start)
      out += t.anchor == TextAnchor::Middle ? " text-anchor=\"middle\"" : " text-anchor=\"end\"";
    if (t.vertical) {
      out += " transform=\"rotate(-90 ";
      appendPixel(out, t.x);
      out += ' ';
      appendPixel(out, t.y);
      out += ")\"";
    }
    out += '>';
    appendEscaped(out, t.text);
    out += "</text>\n";
  }
  out += "</svg>\n";
  return out;
}

}  // namespace kel
