#include "orv/platform/Grids.h"

#include <algorithm>

namespace orv::platform {

TCustomGrid::TCustomGrid(TComponent* owner) : TWinControl(owner) {
  SetBoundsQuiet(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
  FColWidths.assign(5, FDefaultColWidth);
  FRowHeights.assign(5, FDefaultRowHeight);
}

void TCustomGrid::SetColCount(int value) {
  value = std::max(1, value);
  if (value == ColCount()) return;
  const int oldCols = ColCount();
  FColWidths.resize(static_cast<std::size_t>(value), FDefaultColWidth);
  if (FFixedCols >= value) FFixedCols = value - 1;
  FocusCell(std::min(FCurrent.X, value - 1), FCurrent.Y);
  SizeChanged(oldCols, RowCount());
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetRowCount(int value) {
  value = std::max(1, value);
  if (value == RowCount()) return;
  const int oldRows = RowCount();
  FRowHeights.resize(static_cast<std::size_t>(value), FDefaultRowHeight);
  if (FFixedRows >= value) FFixedRows = value - 1;
  FocusCell(FCurrent.X, std::min(FCurrent.Y, value - 1));
  SizeChanged(ColCount(), oldRows);
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetFixedCols(int value) {
  FFixedCols = std::clamp(value, 0, ColCount() - 1);
  FocusCell(std::max(FCurrent.X, FFixedCols), FCurrent.Y);
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetFixedRows(int value) {
  FFixedRows = std::clamp(value, 0, RowCount() - 1);
  FocusCell(FCurrent.X, std::max(FCurrent.Y, FFixedRows));
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetDefaultColWidth(int value) {
  FDefaultColWidth = std::max(0, value);
  std::fill(FColWidths.begin(), FColWidths.end(), FDefaultColWidth);
  ColWidthsChanged();
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetDefaultRowHeight(int value) {
  FDefaultRowHeight = std::max(0, value);
  std::fill(FRowHeights.begin(), FRowHeights.end(), FDefaultRowHeight);
  RowHeightsChanged();
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  width = std::max(0, width);
  if (FColWidths[static_cast<std::size_t>(col)] == width) return;
  FColWidths[static_cast<std::size_t>(col)] = width;
  ColWidthsChanged();
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetRowHeight(int row, int height) {
  if (row < 0 || row >= RowCount()) return;
  height = std::max(0, height);
  if (FRowHeights[static_cast<std::size_t>(row)] == height) return;
  FRowHeights[static_cast<std::size_t>(row)] = height;
  RowHeightsChanged();
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetGridLineWidth(int value) {
  FGridLineWidth = std::max(0, value);
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetOptions(TGridOptions value) {
  FOptions = value;
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetFixedColor(TColor value) {
  FFixedColor = value;
  Changed(TChangeKind::ckRepaint);
}

void TCustomGrid::FocusCell(int col, int row) {
  col = std::clamp(col, std::min(FFixedCols, ColCount() - 1), ColCount() - 1);
  row = std::clamp(row, std::min(FFixedRows, RowCount() - 1), RowCount() - 1);
  const bool moved = col != FCurrent.X || row != FCurrent.Y;
  FCurrent = {col, row};
  FSelection = {col, row, col, row};
  if (moved && OnSelectCell) OnSelectCell(this);
  Changed(TChangeKind::ckCells);
}

void TCustomGrid::SetSelection(const TGridRect& rect) {
  TGridRect r = rect;
  auto clampCol = [this](int c) { return std::clamp(c, std::min(FFixedCols, ColCount() - 1), ColCount() - 1); };
  auto clampRow = [this](int r2) { return std::clamp(r2, std::min(FFixedRows, RowCount() - 1), RowCount() - 1); };
  r.Left = clampCol(std::min(rect.Left, rect.Right));
  r.Right = clampCol(std::max(rect.Left, rect.Right));
  r.Top = clampRow(std::min(rect.Top, rect.Bottom));
  r.Bottom = clampRow(std::max(rect.Top, rect.Bottom));
  FSelection = r;
  FCurrent = {r.Left, r.Top};
  Changed(TChangeKind::ckCells);
}

TRect TCustomGrid::CellRect(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return {};
  int x = 0;
  for (int c = 0; c < col; ++c) x += FColWidths[static_cast<std::size_t>(c)] + FGridLineWidth;
  int y = 0;
  for (int r = 0; r < row; ++r) y += FRowHeights[static_cast<std::size_t>(r)] + FGridLineWidth;
  return Bounds(x, y, FColWidths[static_cast<std::size_t>(col)], FRowHeights[static_cast<std::size_t>(row)]);
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const {
  TGridCoord result{-1, -1};
  int left = 0;
  for (int c = 0; c < ColCount(); ++c) {
    const int w = FColWidths[static_cast<std::size_t>(c)] + FGridLineWidth;
    if (x >= left && x < left + w) result.X = c;
    left += w;
  }
  int top = 0;
  for (int r = 0; r < RowCount(); ++r) {
    const int h = FRowHeights[static_cast<std::size_t>(r)] + FGridLineWidth;
    if (y >= top && y < top + h) result.Y = r;
    top += h;
  }
  if (result.X < 0 || result.Y < 0) return {-1, -1};
  return result;
}

void TCustomGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  if (FDefaultDrawing && FCanvas != nullptr) {
    if ((state & gdFixed) != 0)
      FCanvas->FillRect(rect, FFixedColor);
    else if ((state & gdSelected) != 0)
      FCanvas->FillRect(rect, clHighlight);
    else
      FCanvas->FillRect(rect, Color());
  }
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

void TCustomGrid::Paint(ICanvas& canvas) {
  FCanvas = &canvas;
  for (int r = 0; r < RowCount(); ++r) {
    for (int c = 0; c < ColCount(); ++c) {
      const TRect rect = CellRect(c, r);
      TGridDrawState state = 0;
      if (c < FFixedCols || r < FFixedRows) state |= gdFixed;
      if (c >= FSelection.Left && c <= FSelection.Right && r >= FSelection.Top && r <= FSelection.Bottom &&
          (state & gdFixed) == 0)
        state |= gdSelected;
      if (c == FCurrent.X && r == FCurrent.Y && Focused()) state |= gdFocused;
      canvas.SetClip(rect);
      DrawCell(c, r, rect, state);
    }
  }
  canvas.SetClip({});
  FCanvas = nullptr;
}

std::string TCustomGrid::GetEditText(int /*col*/, int /*row*/) { return ""; }
void TCustomGrid::SetEditText(int /*col*/, int /*row*/, const std::string& /*text*/) {}

void TCustomGrid::DefaultKeyDown(unsigned short key, TShiftState /*shift*/) {
  switch (key) {
    case VK_LEFT:
      FocusCell(FCurrent.X - 1, FCurrent.Y);
      break;
    case VK_RIGHT:
      FocusCell(FCurrent.X + 1, FCurrent.Y);
      break;
    case VK_UP:
      FocusCell(FCurrent.X, FCurrent.Y - 1);
      break;
    case VK_DOWN:
      FocusCell(FCurrent.X, FCurrent.Y + 1);
      break;
    case VK_HOME:
      FocusCell(FFixedCols, FCurrent.Y);
      break;
    case VK_END:
      FocusCell(ColCount() - 1, FCurrent.Y);
      break;
    default:
      break;
  }
}

void TCustomGrid::ChangeScale(int m, int d) {
  TWinControl::ChangeScale(m, d);
  auto scale = [m, d](int v) { return static_cast<int>(static_cast<long long>(v) * m / d); };
  FDefaultColWidth = scale(FDefaultColWidth);
  FDefaultRowHeight = scale(FDefaultRowHeight);
  for (int& w : FColWidths) w = scale(w);
  for (int& h : FRowHeights) h = scale(h);
  Changed(TChangeKind::ckCells);
}

std::string TStringGrid::Cells(int col, int row) const {
  if (row < 0 || row >= static_cast<int>(FCells.size())) return "";
  const auto& line = FCells[static_cast<std::size_t>(row)];
  if (col < 0 || col >= static_cast<int>(line.size())) return "";
  return line[static_cast<std::size_t>(col)];
}

void TStringGrid::SetCell(int col, int row, const std::string& text) {
  if (col < 0 || row < 0) return;
  if (static_cast<int>(FCells.size()) <= row) FCells.resize(static_cast<std::size_t>(row) + 1);
  auto& line = FCells[static_cast<std::size_t>(row)];
  if (static_cast<int>(line.size()) <= col) line.resize(static_cast<std::size_t>(col) + 1);
  line[static_cast<std::size_t>(col)] = text;
  Changed(TChangeKind::ckRepaint);
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  TDrawGrid::DrawCell(col, row, rect, state);
  if (DefaultDrawing() && Canvas() != nullptr) {
    const std::string text = Cells(col, row);
    const int h = Canvas()->TextHeight(text, Font());
    Canvas()->TextOut(rect.Left + 2, rect.Top + (rect.Height() - h) / 2, text, Font());
  }
}

}  // namespace orv::platform
