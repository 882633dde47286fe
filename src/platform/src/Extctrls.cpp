#include "orv/platform/Extctrls.h"

#include <algorithm>

namespace orv::platform {

// ---------------------------------------------------------------- TPanel

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBoundsQuiet(0, 0, 185, 41); }

void TPanel::SetBevelInner(TBevelCut value) {
  if (value == FBevelInner) return;
  FBevelInner = value;
  Changed(TChangeKind::ckAppearance);
  AlignControls();
}

void TPanel::SetBevelOuter(TBevelCut value) {
  if (value == FBevelOuter) return;
  FBevelOuter = value;
  Changed(TChangeKind::ckAppearance);
  AlignControls();
}

void TPanel::SetBevelWidth(int value) {
  FBevelWidth = std::max(1, value);
  Changed(TChangeKind::ckAppearance);
  AlignControls();
}

void TPanel::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  Changed(TChangeKind::ckAppearance);
  AlignControls();
}

void TPanel::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  Changed(TChangeKind::ckAppearance);
}

int TPanel::BorderWidth() const {
  int w = 0;
  if (FBevelOuter != bvNone) w += FBevelWidth;
  if (FBevelInner != bvNone) w += FBevelWidth;
  if (FBorderStyle == bsSingle) w += 1;
  return w;
}

TRect TPanel::ClientRect() const {
  // Children are placed in the panel's own coordinates; aligned ones keep
  // clear of the bevels.
  const int b = BorderWidth();
  return {b, b, std::max(b, Width() - b), std::max(b, Height() - b)};
}

// ---------------------------------------------------------------- TBevel

TBevel::TBevel(TComponent* owner) : TControl(owner) { SetBoundsQuiet(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape value) {
  if (value == FShape) return;
  FShape = value;
  Changed(TChangeKind::ckAppearance);
}

void TBevel::SetStyle(TBevelStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  Changed(TChangeKind::ckAppearance);
}

// ---------------------------------------------------------------- TScrollBox

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  SetBoundsQuiet(0, 0, 185, 41);
  SetTabStop(false);
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  Changed(TChangeKind::ckAppearance);
}

int TScrollBox::VertRange() const {
  int bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (c->Visible() && c->Align() == alNone) bottom = std::max(bottom, c->Top() + c->Height());
  }
  return bottom > 0 ? bottom + FVert.Margin : 0;
}

int TScrollBox::HorzRange() const {
  int right = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* c = Controls(i);
    if (c->Visible() && c->Align() == alNone) right = std::max(right, c->Left() + c->Width());
  }
  return right > 0 ? right + FHorz.Margin : 0;
}

bool TScrollBox::VertScrollBarShowing() const {
  if (!FVert.Visible) return false;
  const int inner = Height() - 2 * BorderWidth();
  const bool horz = FHorz.Visible && HorzRange() > Width() - 2 * BorderWidth();
  return VertRange() > inner - (horz ? kScrollBarSize : 0);
}

bool TScrollBox::HorzScrollBarShowing() const {
  if (!FHorz.Visible) return false;
  const int inner = Width() - 2 * BorderWidth();
  const bool vert = FVert.Visible && VertRange() > Height() - 2 * BorderWidth();
  return HorzRange() > inner - (vert ? kScrollBarSize : 0);
}

TRect TScrollBox::ClientRect() const {
  const int b = BorderWidth();
  int w = Width() - 2 * b - (VertScrollBarShowing() ? kScrollBarSize : 0);
  int h = Height() - 2 * b - (HorzScrollBarShowing() ? kScrollBarSize : 0);
  return {0, 0, std::max(0, w), std::max(0, h)};
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* owner) : TControl(owner) { SetBoundsQuiet(0, 0, 105, 105); }

void TImage::SetPicture(const TPicture& picture) {
  FPicture = picture;
  if (FPicture.Bytes.empty()) ResolvePicture(FPicture);
  Changed(TChangeKind::ckPicture);
}

void TImage::SetCenter(bool value) {
  if (value == FCenter) return;
  FCenter = value;
  Changed(TChangeKind::ckAppearance);
}

void TImage::SetStretch(bool value) {
  if (value == FStretch) return;
  FStretch = value;
  Changed(TChangeKind::ckAppearance);
}

void TImage::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Changed(TChangeKind::ckAppearance);
}

// ---------------------------------------------------------------- TAnimate

TAnimate::TAnimate(TComponent* owner) : TControl(owner) { SetBoundsQuiet(0, 0, 100, 80); }

void TAnimate::SetFrames(std::vector<TPicture> frames) {
  FFrames = std::move(frames);
  FCurrentFrame = 0;
  if (!FActive && !FFrames.empty()) FCurrentFrame = std::clamp(FStopFrame, 0, FrameCount() - 1);
  Changed(TChangeKind::ckPicture);
}

void TAnimate::SetFrameInterval(int ms) { FFrameInterval = std::max(1, ms); }

void TAnimate::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  if (!value && !FFrames.empty()) FCurrentFrame = std::clamp(FStopFrame, 0, FrameCount() - 1);
  Changed(TChangeKind::ckPosition);
}

void TAnimate::Stop() { SetActive(false); }

void TAnimate::NextFrame() {
  if (!FActive || FFrames.empty()) return;
  FCurrentFrame = (FCurrentFrame + 1) % FrameCount();
  Changed(TChangeKind::ckPosition);
}

// ---------------------------------------------------------------- page control

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetVisible(false); }

TTabSheet::~TTabSheet() {
  if (FPageControl != nullptr) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) {
  if (control == FPageControl) return;
  if (FPageControl != nullptr) FPageControl->RemovePage(this);
  SetParent(control);
  if (control != nullptr) control->InsertPage(this);
}

void TTabSheet::SetParentComponent(TComponent* parent) {
  if (auto* pc = dynamic_cast<TPageControl*>(parent)) SetPageControl(pc);
}

int TTabSheet::PageIndex() const {
  if (FPageControl == nullptr) return -1;
  for (int i = 0; i < FPageControl->PageCount(); ++i) {
    if (FPageControl->Pages(i) == this) return i;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool value) {
  if (value == FTabVisible) return;
  FTabVisible = value;
  if (FPageControl != nullptr) FPageControl->Changed(TChangeKind::ckPage);
}

void TTabSheet::SetText(const std::string& text) {
  TWinControl::SetText(text);
  if (FPageControl != nullptr) FPageControl->Changed(TChangeKind::ckPage);
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  SetBoundsQuiet(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
  page->FPageControl = this;
  FPages.push_back(page);
  const TRect r = DisplayRect();
  page->SetBoundsQuiet(r.Left, r.Top, r.Width(), r.Height());
  if (FActivePage == nullptr) SetActivePage(page);
  Changed(TChangeKind::ckPage);
}

void TPageControl::RemovePage(TTabSheet* page) {
  FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
  page->FPageControl = nullptr;
  if (FActivePage == page) {
    FActivePage = nullptr;
    if (!FPages.empty()) SetActivePage(FPages.front());
  }
  Changed(TChangeKind::ckPage);
}

TRect TPageControl::DisplayRect() const {
  return {4, kTabHeight + 4, std::max(4, Width() - 4), std::max(kTabHeight + 4, Height() - 4)};
}

void TPageControl::AlignControls() {
  const TRect r = DisplayRect();
  for (TTabSheet* page : FPages) page->SetBoundsQuiet(r.Left, r.Top, r.Width(), r.Height());
  TWinControl::AlignControls();
  for (TTabSheet* page : FPages) page->AlignControls();
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page != nullptr && page->FPageControl != this) return;
  if (page == FActivePage) return;
  TTabSheet* old = FActivePage;
  FActivePage = page;
  if (page != nullptr) page->SetVisible(true);
  if (old != nullptr) old->SetVisible(false);
  Changed(TChangeKind::ckPage);
}

int TPageControl::ActivePageIndex() const { return FActivePage != nullptr ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) {
    SetActivePage(nullptr);
    return;
  }
  SetActivePage(FPages[static_cast<std::size_t>(index)]);
}

bool TPageControl::ChangePage(TTabSheet* page) {
  if (page == FActivePage) return false;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) return false;
  SetActivePage(page);
  Change();
  return true;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
  const int n = PageCount();
  if (n == 0) return;
  int start = ActivePageIndex();
  if (start < 0) start = goForward ? n - 1 : 0;
  for (int step = 1; step <= n; ++step) {
    const int i = ((goForward ? start + step : start - step) % n + n) % n;
    TTabSheet* page = FPages[static_cast<std::size_t>(i)];
    if (checkTabVisible && !page->TabVisible()) continue;
    ChangePage(page);
    return;
  }
}

void TPageControl::UserSelectPage(int index) {
  if (index < 0 || index >= PageCount()) return;
  ChangePage(FPages[static_cast<std::size_t>(index)]);
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- status bar

TStatusPanel::TStatusPanel(TStatusBar& bar) : FBar(bar) {
  FFont.Assign(bar.Font());
  FFont.OnChange = [this] { Changed(); };
}

void TStatusPanel::Changed() { FBar.Changed(TChangeKind::ckPanels); }

void TStatusPanel::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  Changed();
}

void TStatusPanel::SetWidth(int width) {
  width = std::max(0, width);
  if (width == FWidth) return;
  FWidth = width;
  Changed();
}

void TStatusPanel::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

void TStatusPanel::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  Changed();
}

void TStatusPanel::SetBevel(TBevelCut value) {
  if (value == FBevel) return;
  FBevel = value;
  Changed();
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  SetBoundsQuiet(0, 0, 185, 19);
  SetAlign(alBottom);
}

TStatusPanel& TStatusBar::AddPanel() {
  FPanels.push_back(std::make_unique<TStatusPanel>(*this));
  Changed(TChangeKind::ckPanels);
  return *FPanels.back();
}

TStatusPanel& TStatusBar::EnsurePanel(int index) {
  if (index < 0) index = 0;
  while (PanelCount() <= index) AddPanel();
  return Panels(index);
}

void TStatusBar::ClearPanels() {
  FPanels.clear();
  Changed(TChangeKind::ckPanels);
}

TRect TStatusBar::PanelRect(int index) const {
  int left = 0;
  for (int i = 0; i < index && i < PanelCount(); ++i) left += Panels(i).Width();
  if (index < 0 || index >= PanelCount()) return {left, 0, left, Height()};
  const int width = index == PanelCount() - 1 ? std::max(Panels(index).Width(), Width() - left) : Panels(index).Width();
  return {left, 0, left + width, Height()};
}

void TStatusBar::ChangeScale(int m, int d) {
  TWinControl::ChangeScale(m, d);
  for (auto& p : FPanels) {
    p->SetWidth(static_cast<int>(static_cast<long long>(p->Width()) * m / d));
    p->Font().SetPixels(static_cast<int>(static_cast<long long>(p->Font().Pixels()) * m / d));
  }
}

// ---------------------------------------------------------------- progress fill

TProgressFill::TProgressFill(TComponent* owner) : TControl(owner) { SetBoundsQuiet(0, 0, 150, 20); }

void TProgressFill::SetPosition(int value) {
  value = std::clamp(value, 0, 100);
  if (value == FPosition) return;
  FPosition = value;
  Changed(TChangeKind::ckPosition);
}

void TProgressFill::SetBarColor(TColor value) {
  if (value == FBarColor) return;
  FBarColor = value;
  Changed(TChangeKind::ckColor);
}

void TProgressFill::SetGradient(bool value) {
  if (value == FGradient) return;
  FGradient = value;
  Changed(TChangeKind::ckColor);
}

void TProgressFill::SetGradientStart(TColor value) {
  FGradientStart = value;
  Changed(TChangeKind::ckColor);
}

void TProgressFill::SetGradientEnd(TColor value) {
  FGradientEnd = value;
  Changed(TChangeKind::ckColor);
}

void TProgressFill::SetGradientSteps(int value) {
  FGradientSteps = std::max(1, value);
  Changed(TChangeKind::ckColor);
}

void TProgressFill::SetBevel(TBevelCut value) {
  if (value == FBevel) return;
  FBevel = value;
  Changed(TChangeKind::ckAppearance);
}

void TProgressFill::SetShowText(bool value) {
  if (value == FShowText) return;
  FShowText = value;
  Changed(TChangeKind::ckAppearance);
}

TColor TProgressFill::GradientColor(int step) const {
  const TColor a = SystemColorToRGB(FGradientStart);
  const TColor b = SystemColorToRGB(FGradientEnd);
  const int n = FGradientSteps;
  step = std::clamp(step, 0, n - 1);
  auto channel = [&](int shift) {
    const int ca = (a >> shift) & 0xFF;
    const int cb = (b >> shift) & 0xFF;
    return n == 1 ? ca : ca + (cb - ca) * step / (n - 1);
  };
  return channel(0) | (channel(8) << 8) | (channel(16) << 16);
}

}  // namespace orv::platform
