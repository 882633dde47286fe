#include "Pictures.h"

#include <algorithm>
#include <cmath>

namespace orv::configbase {

namespace {
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
constexpr double kPi = 3.14159265358979323846;
}  // namespace

TPicture::TPicture(int width, int height, TRgba fill)
    : FWidth(width), FHeight(height), FPixels(static_cast<std::size_t>(width * height), fill) {}

void TPicture::Blend(int x, int y, TRgba c, double coverage) {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight || coverage <= 0) return;
  coverage = std::min(1.0, coverage) * c.A / 255.0;
  TRgba& p = At(x, y);
  auto mix = [coverage](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(std::lround(a * (1 - coverage) + b * coverage));
  };
  p.R = mix(p.R, c.R);
  p.G = mix(p.G, c.G);
  p.B = mix(p.B, c.B);
  p.A = static_cast<std::uint8_t>(std::max<int>(p.A, static_cast<int>(std::lround(255 * coverage))));
}

void TPicture::Rect(int x0, int y0, int x1, int y1, TRgba colour) {
  for (int y = std::max(0, y0); y < std::min(FHeight, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(FWidth, x1); ++x) Blend(x, y, colour, 1.0);
}

void TPicture::Disc(double cx, double cy, double radius, TRgba colour) {
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      Blend(x, y, colour, radius + 0.5 - d);
    }
}

void TPicture::Line(double x0, double y0, double x1, double y1, double thickness, TRgba colour) {
  const double dx = x1 - x0, dy = y1 - y0;
  const double len2 = dx * dx + dy * dy;
  const int minX = static_cast<int>(std::floor(std::min(x0, x1) - thickness - 1));
  const int maxX = static_cast<int>(std::ceil(std::max(x0, x1) + thickness + 1));
  const int minY = static_cast<int>(std::floor(std::min(y0, y1) - thickness - 1));
  const int maxY = static_cast<int>(std::ceil(std::max(y0, y1) + thickness + 1));
  for (int y = minY; y <= maxY; ++y)
    for (int x = minX; x <= maxX; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      double t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0;
      t = std::clamp(t, 0.0, 1.0);
      const double d = std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
      Blend(x, y, colour, thickness / 2 + 0.5 - d);
    }
}

std::vector<std::uint8_t> TPicture::ToBitmapFile() const {
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(FWidth * FHeight * 4);
  const std::uint32_t offset = 14 + 40;
  std::vector<std::uint8_t> out;
  out.reserve(offset + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + pixelBytes);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(FWidth));
  Put32(out, static_cast<std::uint32_t>(FHeight));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);  // BI_RGB
  Put32(out, pixelBytes);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = FHeight - 1; y >= 0; --y)
    for (int x = 0; x < FWidth; ++x) {
      const TRgba& p = FPixels[static_cast<std::size_t>(y * FWidth + x)];
      out.push_back(p.B);
      out.push_back(p.G);
      out.push_back(p.R);
      out.push_back(p.A);
    }
  return out;
}

TPicture DrawIcon() {
  TPicture p(32, 32, {0, 0, 0, 0});
  p.Disc(16, 16, 15, {20, 40, 110, 255});
  p.Disc(16, 16, 12.5, {235, 240, 250, 255});
  // The rich-lean scale: green, yellow, red.
  for (int i = 0; i <= 20; ++i) {
    const double a = kPi * (0.85 + 1.3 * i / 20.0);
    const TRgba c = i < 7 ? TRgba{40, 170, 60, 255} : (i < 14 ? TRgba{230, 190, 20, 255} : TRgba{210, 40, 30, 255});
    p.Line(16 + 9.5 * std::cos(a), 16 + 9.5 * std::sin(a), 16 + 11.5 * std::cos(a), 16 + 11.5 * std::sin(a), 1.6, c);
  }
  const double needle = kPi * 1.62;
  p.Line(16, 16, 16 + 9 * std::cos(needle), 16 + 9 * std::sin(needle), 1.8, {20, 40, 110, 255});
  p.Disc(16, 16, 2, {20, 40, 110, 255});
  return p;
}

TPicture DrawAboutPicture() {
  TPicture p(249, 81);
  for (int y = 0; y < 81; ++y) {
    const auto shade = static_cast<std::uint8_t>(30 + y);
    p.Rect(0, y, 249, y + 1, {10, 20, shade, 255});
  }
  // A probe signal swinging between rich and lean.
  double px = 0, py = 40;
  for (int x = 1; x < 249; ++x) {
    const double y = 40 - 24 * std::sin(x * 2 * kPi / 62.0) * (0.6 + 0.4 * std::sin(x / 40.0));
    p.Line(px, py, x, y, 2.2, {255, 210, 40, 255});
    px = x;
    py = y;
  }
  p.Line(0, 40, 249, 40, 1, {120, 140, 200, 160});
  return p;
}

TPicture DrawFlag(int language) {
  TPicture p(53, 36);
  switch (language) {
    case 0:  // Italy
      p.Rect(0, 0, 18, 36, {0, 146, 70, 255});
      p.Rect(18, 0, 35, 36, {241, 242, 241, 255});
      p.Rect(35, 0, 53, 36, {206, 43, 55, 255});
      break;
    case 1: {  // United Kingdom
      p.Rect(0, 0, 53, 36, {1, 33, 105, 255});
      p.Line(0, 0, 53, 36, 7, {255, 255, 255, 255});
      p.Line(0, 36, 53, 0, 7, {255, 255, 255, 255});
      p.Line(0, 0, 53, 36, 2.5, {200, 16, 46, 255});
      p.Line(0, 36, 53, 0, 2.5, {200, 16, 46, 255});
      p.Rect(20, 0, 33, 36, {255, 255, 255, 255});
      p.Rect(0, 12, 53, 24, {255, 255, 255, 255});
      p.Rect(23, 0, 30, 36, {200, 16, 46, 255});
      p.Rect(0, 15, 53, 21, {200, 16, 46, 255});
      break;
    }
    case 2:  // Germany
      p.Rect(0, 0, 53, 12, {0, 0, 0, 255});
      p.Rect(0, 12, 53, 24, {221, 0, 0, 255});
      p.Rect(0, 24, 53, 36, {255, 206, 0, 255});
      break;
    default:  // a neutral flag for languages added to the texts later
      p.Rect(0, 0, 53, 36, {200, 205, 215, 255});
      p.Disc(26.5, 18, 9, {20, 40, 110, 255});
      break;
  }
  return p;
}

}  // namespace orv::configbase
