#pragma once
// A bitmap as text, one character per pixel and one line per row, so pixel tests read like
// the picture they expect: '.' white, '#' black, 'r' red, 'g' lime, 'b' blue, 'y' yellow,
// 's' silver, '?' any other colour.

#include "raster/Bitmap.h"

#include <map>
#include <string>

namespace corvana::test {

inline std::string Dump(const Bitmap &bitmap, const std::map<TColor, char> &extra = {}) {
  std::map<TColor, char> legend{{clWhite, '.'}, {clBlack, '#'},  {clRed, 'r'},   {clLime, 'g'},
                                {clBlue, 'b'},  {clYellow, 'y'}, {clSilver, 's'}};
  for (const auto &[color, ch] : extra)
    legend[color] = ch;
  std::string out = "\n";
  for (int y = 0; y < bitmap.height(); ++y) {
    for (int x = 0; x < bitmap.width(); ++x) {
      const auto it = legend.find(bitmap.pixel(x, y));
      out += it == legend.end() ? '?' : it->second;
    }
    out += '\n';
  }
  return out;
}

inline int Count(const Bitmap &bitmap, TColor color) {
  int n = 0;
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x)
      n += bitmap.pixel(x, y) == color;
  return n;
}

} // namespace corvana::test
