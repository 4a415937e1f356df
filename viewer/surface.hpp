// Kelvorin - desktop workbench for vibrational calculations.
// What the viewer needs of a drawing surface, the clipboard and the printer. Lengths are in
// surface units (twips: 15 to a pixel); colours are packed red + 256 green + 65536 blue.
#pragma once

#include "base/forms.hpp"

#include <string>
#include <string_view>

namespace kel {

/// Twips per pixel of the surface.
constexpr double TwipsPerPixel = 15.0;

/// How a circle is filled: solid, hatched, or not at all (the outline only).
enum class FillStyle { Solid, DiagonalCross, None };

/// The viewer's drawing surface: a retained picture drawn with these operations only.
class Surface {
 public:
  virtual ~Surface() = default;
  /// Width and height of the picture in surface units.
  virtual double scaleWidth() const = 0;
  virtual double scaleHeight() const = 0;
  virtual void clear() = 0;
  /// Pen width in pixels for circles and lines.
  virtual void setLineWidth(int pixels) = 0;
  virtual void setFillColour(Colour c) = 0;
  virtual void setFillStyle(FillStyle s) = 0;
  /// Circle with centre (x, y) and radius r, outlined in outline, filled per the fill style.
  virtual void circle(double x, double y, double r, Colour outline) = 0;
  virtual void line(double x1, double y1, double x2, double y2, Colour c) = 0;
  virtual void setTextPos(double x, double y) = 0;
  virtual void setFontSize(double points) = 0;
  /// Prints text at the text position in black (top-left of the text at the position).
  virtual void printText(std::string_view text) = 0;
  /// Width and height of text in surface units, in the bold label font of that size.
  virtual void textSize(std::string_view text, double points, double& w, double& h) = 0;
  /// Saves the picture (".png" by extension, otherwise a Windows bitmap); false on failure.
  virtual bool savePicture(const std::string& file) = 0;
};

/// A surface that keeps no picture: the size only, and text measured from its length.
class NullSurface : public Surface {
 public:
  NullSurface(double widthPx = 800, double heightPx = 600)
      : w_(widthPx * TwipsPerPixel), h_(heightPx * TwipsPerPixel) {}
  void resize(double widthPx, double heightPx) {
    w_ = widthPx * TwipsPerPixel;
    h_ = heightPx * TwipsPerPixel;
  }
  double scaleWidth() const override { return w_; }
  double scaleHeight() const override { return h_; }
  void clear() override {}
  void setLineWidth(int) override {}
  void setFillColour(Colour) override {}
  void setFillStyle(FillStyle) override {}
  void circle(double, double, double, Colour) override {}
  void line(double, double, double, double, Colour) override {}
  void setTextPos(double, double) override {}
  void setFontSize(double) override {}
  void printText(std::string_view) override {}
  /// A bold character is about 0.6 of the font size wide; a line 1.5 of it high (20 twips
  /// to the point).
  void textSize(std::string_view text, double points, double& w, double& h) override {
    w = double(text.size()) * points * 12.0;
    h = points * 30.0;
  }
  bool savePicture(const std::string&) override { return false; }

 private:
  double w_, h_;
};

/// The clipboard: cleared, then given the surface's picture.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void clear() = 0;
  virtual void setPicture(Surface& picture) = 0;
};

/// The printer: the picture drawn on the page at (x, y) twips, then the job ended and sent.
class Printer {
 public:
  virtual ~Printer() = default;
  virtual void drawPicture(Surface& picture, double x, double y) = 0;
  virtual void endDoc() = 0;
};

}  // namespace kel
