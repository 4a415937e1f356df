// Kelvorin - desktop workbench for vibrational calculations.
// Controls as plain state: the logic sets them, the windowing layer mirrors them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kel {

/// A packed colour: red + 256 green + 65536 blue.
using Colour = std::int32_t;
constexpr Colour rgb(int r, int g, int b) {
  return Colour(r + 256 * g + 65536 * b);
}

constexpr Colour LightGrey = 12632256;  // C0C0C0
constexpr Colour LightGreen = 14745568;
constexpr Colour LightCyan = 16777152;

/// One control of a form: the state a text box, label, button or check box shows.
struct Control {
  std::string text;  ///< text of a text box, caption of a label or button
  std::string tag;
  std::string toolTip;
  bool visible = true;
  bool enabled = true;
  Colour backColour = rgb(224, 224, 224);
  Colour foreColour = 0;
  double fontSize = 8.25;
  int value = 0;  ///< check box: 1 checked; list: selected index
  int left = 0, top = 0, width = 0, height = 0;
};

/// A vertical scroll bar.
struct ScrollBar {
  int value = 0;
  int min = 0, max = 9200;
  int smallChange = 24, largeChange = 240;
  bool visible = true;
};

/// A list box: its items and the selected index (-1 none).
struct ListBox {
  std::vector<std::string> items;
  int listIndex = -1;
  bool visible = true;
  bool enabled = true;
};

}  // namespace kel
