#pragma once
// The grid model: cells in columns and rows of adjustable widths and
// heights, fixed heading rows and columns, a current cell and a rectangular
// selection, drawn by the owner through a canvas the renderer supplies.
// Threads: user-interface thread only.

#include <functional>
#include <string>
#include <vector>

#include "orv/platform/Controls.h"

namespace orv::platform {

struct TGridCoord {
  int X = 0;  // column
  int Y = 0;  // row
  bool operator==(const TGridCoord&) const = default;
};
// Left/Right are columns, Top/Bottom rows, inclusive.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

enum TGridOptionBit : unsigned {
  goFixedVertLine = 1u << 0,
  goFixedHorzLine = 1u << 1,
  goVertLine = 1u << 2,
  goHorzLine = 1u << 3,
  goRangeSelect = 1u << 4,
  goDrawFocusSelected = 1u << 5,
  goRowSizing = 1u << 6,
  goColSizing = 1u << 7,
  goEditing = 1u << 9,
  goTabs = 1u << 10,
  goRowSelect = 1u << 11,
  goAlwaysShowEditor = 1u << 12,
  goThumbTracking = 1u << 13,
};
using TGridOptions = unsigned;
enum TGridDrawStateBit : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

// A drawing surface (the renderer's painter). Coordinates in the grid's
// client area.
class ICanvas {
 public:
  virtual ~ICanvas() = default;
  virtual void FillRect(const TRect& rect, TColor color) = 0;
  virtual void FrameRect(const TRect& rect, TColor color) = 0;
  virtual void Ellipse(const TRect& rect, TColor fill) = 0;
  virtual void TextOut(int x, int y, std::string_view text, const TFont& font) = 0;
  virtual int TextWidth(std::string_view text, const TFont& font) = 0;
  virtual int TextHeight(std::string_view text, const TFont& font) = 0;
  virtual void Draw(int x, int y, const TPicture& picture, bool transparent) = 0;
  // Restricts drawing to rect until the next call (an empty rect: none).
  virtual void SetClip(const TRect& rect) = 0;
};

using TDrawCellEvent =
    std::function<void(TComponent* sender, int col, int row, const TRect& rect, TGridDrawState state)>;

class TCustomGrid : public TWinControl {
 public:
  explicit TCustomGrid(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TDrawGrid"; }

  int ColCount() const { return static_cast<int>(FColWidths.size()); }
  int RowCount() const { return static_cast<int>(FRowHeights.size()); }
  void SetColCount(int value);  // at least 1
  void SetRowCount(int value);
  int FixedCols() const { return FFixedCols; }
  int FixedRows() const { return FFixedRows; }
  void SetFixedCols(int value);  // below ColCount
  void SetFixedRows(int value);
  int DefaultColWidth() const { return FDefaultColWidth; }
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultColWidth(int value);  // resets every column
  void SetDefaultRowHeight(int value);
  int ColWidths(int col) const { return FColWidths.at(static_cast<std::size_t>(col)); }
  int RowHeights(int row) const { return FRowHeights.at(static_cast<std::size_t>(row)); }
  void SetColWidth(int col, int width);
  void SetRowHeight(int row, int height);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int value);
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool value) { FDefaultDrawing = value; }
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor value);

  // The current cell and the selection (the current cell alone unless a
  // range was selected).
  int Col() const { return FCurrent.X; }
  int Row() const { return FCurrent.Y; }
  void SetCol(int col) { FocusCell(col, FCurrent.Y); }
  void SetRow(int row) { FocusCell(FCurrent.X, row); }
  void FocusCell(int col, int row);
  const TGridRect& Selection() const { return FSelection; }
  void SetSelection(const TGridRect& rect);

  // The cell's rectangle in client coordinates (no scrolling).
  TRect CellRect(int col, int row) const;
  // The cell under a client point; -1, -1 outside the cells.
  TGridCoord MouseCoord(int x, int y) const;

  TDrawCellEvent OnDrawCell;
  TNotifyEvent OnSelectCell;
  // Draws one cell; the base fills fixed cells with FixedColor and runs
  // OnDrawCell.
  virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
  // Paints every cell on canvas (called by the renderer).
  void Paint(ICanvas& canvas);
  // The canvas while painting (nullptr otherwise).
  ICanvas* Canvas() const { return FCanvas; }

  // In-place editing (goEditing).
  virtual std::string GetEditText(int col, int row);
  virtual void SetEditText(int col, int row, const std::string& text);

  void InvalidateCell(int col, int row) {
    Changed(TChangeKind::ckRepaint);
    (void)col;
    (void)row;
  }
  void InvalidateGrid() { Changed(TChangeKind::ckRepaint); }

  // Arrow keys move the current cell.
  void DefaultKeyDown(unsigned short key, TShiftState shift) override;
  void ChangeScale(int m, int d) override;

 protected:
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  virtual void SizeChanged(int oldColCount, int oldRowCount) {
    (void)oldColCount;
    (void)oldRowCount;
  }

 private:
  std::vector<int> FColWidths;
  std::vector<int> FRowHeights;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  int FGridLineWidth = 1;
  TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
  bool FDefaultDrawing = true;
  TColor FFixedColor = clBtnFace;
  TGridCoord FCurrent{1, 1};
  TGridRect FSelection{1, 1, 1, 1};
  ICanvas* FCanvas = nullptr;
};

class TDrawGrid : public TCustomGrid {
 public:
  using TCustomGrid::TCustomGrid;
};

// A grid that keeps a text per cell and draws it.
class TStringGrid : public TDrawGrid {
 public:
  using TDrawGrid::TDrawGrid;
  const char* ClassName() const override { return "TStringGrid"; }
  std::string Cells(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);
  void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
  std::string GetEditText(int col, int row) override { return Cells(col, row); }
  void SetEditText(int col, int row, const std::string& text) override { SetCell(col, row, text); }

 private:
  std::vector<std::vector<std::string>> FCells;  // [row][col]
};

}  // namespace orv::platform
