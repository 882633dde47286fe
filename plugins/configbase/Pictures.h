#pragma once
// Pictures of the resource library, drawn into RGBA pixels and stored as
// 32-bit Windows bitmaps.

#include <cstdint>
#include <vector>

namespace orv::configbase {

struct TRgba {
  std::uint8_t R = 0, G = 0, B = 0, A = 255;
};

class TPicture {
 public:
  TPicture(int width, int height, TRgba fill = {});
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TRgba& At(int x, int y) { return FPixels[static_cast<std::size_t>(y * FWidth + x)]; }
  void Rect(int x0, int y0, int x1, int y1, TRgba colour);  // [x0, x1) x [y0, y1), clipped
  void Disc(double cx, double cy, double radius, TRgba colour);
  // A line of the given thickness, with soft edges.
  void Line(double x0, double y0, double x1, double y1, double thickness, TRgba colour);
  // Bottom-up 32-bit BI_RGB bitmap file bytes, alpha in the fourth byte.
  std::vector<std::uint8_t> ToBitmapFile() const;

 private:
  void Blend(int x, int y, TRgba colour, double coverage);
  int FWidth;
  int FHeight;
  std::vector<TRgba> FPixels;
};

// The pictures the library offers.
TPicture DrawIcon();              // 32 x 32: a lambda-probe gauge
TPicture DrawAboutPicture();      // 249 x 81: a probe signal over a dark band
TPicture DrawFlag(int language);  // 53 x 36: 0 Italy, 1 United Kingdom, 2 Germany

}  // namespace orv::configbase
