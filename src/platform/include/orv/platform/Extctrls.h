#pragma once
// Models of the container and display controls: panels, bevels, scroll box,
// images, animation, page control with tab sheets, status bar with panels,
// and the progress fill. Contract as in Controls.h.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "orv/platform/Controls.h"

namespace orv::platform {

// ---------------------------------------------------------------- panel

// A panel: a container with outer and inner bevels and a caption.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TPanel"; }
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  // The area aligned children fill: inside the bevels.
  TRect ClientRect() const override;

 protected:
  // The width of the bevels and border together.
  int BorderWidth() const override;

 private:
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  TBorderStyle FBorderStyle = bsNone;
  TAlignment FAlignment = taCenter;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A bevel: a drawn frame or line.
class TBevel : public TControl {
 public:
  explicit TBevel(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TBevel"; }
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle value);

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// ---------------------------------------------------------------- scroll box

// One scroll bar of a scroll box: Margin is the space kept below (right
// of) the last control, Position the scrolled distance.
struct TControlScrollBar {
  int Margin = 0;
  int Position = 0;
  int Increment = 8;
  bool Visible = true;
};

inline constexpr int kScrollBarSize = 17;

// A scroll box: a bordered container whose vertical scroll bar shows when
// its controls (plus the margin) do not fit its client height.
class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TScrollBox"; }
  TControlScrollBar& VertScrollBar() { return FVert; }
  TControlScrollBar& HorzScrollBar() { return FHorz; }
  const TControlScrollBar& VertScrollBar() const { return FVert; }
  const TControlScrollBar& HorzScrollBar() const { return FHorz; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  // The height the controls need: the lowest bottom of a visible control
  // plus the vertical margin.
  int VertRange() const;
  int HorzRange() const;
  // Whether the vertical (horizontal) scroll bar shows.
  bool VertScrollBarShowing() const;
  bool HorzScrollBarShowing() const;
  // The client area without the border and without the scroll bars that show.
  TRect ClientRect() const override;
  int ClientOriginX() const override { return BorderWidth(); }
  int ClientOriginY() const override { return BorderWidth(); }
  // Tells the renderer that the content changed size.
  void ContentChanged() { Changed(TChangeKind::ckBounds); }

 protected:
  int BorderWidth() const override { return FBorderStyle == bsSingle ? 2 : 0; }

 private:
  TControlScrollBar FVert;
  TControlScrollBar FHorz;
  TBorderStyle FBorderStyle = bsSingle;
};

// ---------------------------------------------------------------- image

class TImage : public TControl {
 public:
  explicit TImage(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TImage"; }
  const TPicture& Picture() const { return FPicture; }
  void SetPicture(const TPicture& picture);
  bool Center() const { return FCenter; }
  void SetCenter(bool value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);

 private:
  TPicture FPicture;
  bool FCenter = false;
  bool FStretch = false;
  bool FTransparent = false;
};

// ---------------------------------------------------------------- animation

// An animation: frames shown one after the other every FrameInterval ms
// while Active. The renderer's timer calls NextFrame; tests call it directly.
class TAnimate : public TControl {
 public:
  explicit TAnimate(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TAnimate"; }
  // The clip's resource number, for whoever supplies the frames.
  int ResId() const { return FResId; }
  void SetResId(int value) { FResId = value; }
  const std::vector<TPicture>& Frames() const { return FFrames; }
  void SetFrames(std::vector<TPicture> frames);
  int FrameCount() const { return static_cast<int>(FFrames.size()); }
  int FrameInterval() const { return FFrameInterval; }  // ms, at least 1
  void SetFrameInterval(int ms);
  bool Active() const { return FActive; }
  void SetActive(bool value);
  void Play() { SetActive(true); }
  void Stop();
  // Shown when stopped (clamped to the frames).
  int StopFrame() const { return FStopFrame; }
  void SetStopFrame(int value) { FStopFrame = value; }
  int CurrentFrame() const { return FCurrentFrame; }
  // Advances to the next frame (wrapping) while active.
  void NextFrame();

 private:
  int FResId = 0;
  std::vector<TPicture> FFrames;
  int FFrameInterval = 200;
  bool FActive = false;
  int FStopFrame = 0;
  int FCurrentFrame = 0;
};

// ---------------------------------------------------------------- page control

class TPageControl;

// One page of a page control; only the active page is visible.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner = nullptr);
  ~TTabSheet() override;
  const char* ClassName() const override { return "TTabSheet"; }
  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* control);
  void SetParentComponent(TComponent* parent) override;
  int PageIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool value);
  void SetText(const std::string& text) override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};

// A page control: tabs along the top, the active sheet fills the rest.
class TPageControl : public TWinControl {
 public:
  static constexpr int kTabHeight = 22;
  explicit TPageControl(TComponent* owner = nullptr);
  ~TPageControl() override;
  const char* ClassName() const override { return "TPageControl"; }
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const { return FPages.at(static_cast<std::size_t>(index)); }
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows the sheet (of this control) and hides the others; no events.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The next (previous) sheet, wrapping; with checkTabVisible only sheets
  // whose tab shows. Runs OnChanging (which may refuse) and OnChange.
  void SelectNextPage(bool goForward, bool checkTabVisible = true);
  // The user chose a tab: OnChanging, then the sheet, then OnChange.
  void UserSelectPage(int index);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool value) { FHotTrack = value; }
  // Where the sheets sit, in this control's client coordinates.
  TRect DisplayRect() const;

  TNotifyEvent OnChange;
  std::function<void(TComponent* sender, bool& allowChange)> OnChanging;
  virtual void Change();

  void AlignControls() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  bool ChangePage(TTabSheet* page);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  bool FHotTrack = false;
};

// ---------------------------------------------------------------- status bar

class TStatusBar;

// One panel of a status bar: text, width (the last panel takes the rest),
// font and colour of its own.
class TStatusPanel {
 public:
  explicit TStatusPanel(TStatusBar& bar);
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text);
  int Width() const { return FWidth; }
  void SetWidth(int width);
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  // Background colour; clNone: the bar's colour.
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TBevelCut Bevel() const { return FBevel; }
  void SetBevel(TBevelCut value);

 private:
  void Changed();
  TStatusBar& FBar;
  std::string FText;
  int FWidth = 50;
  TFont FFont;
  TColor FColor = clNone;
  TAlignment FAlignment = taLeftJustify;
  TBevelCut FBevel = bvLowered;
};

// A status bar (aligned to the bottom) with panels side by side.
class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TStatusBar"; }
  int PanelCount() const { return static_cast<int>(FPanels.size()); }
  // The panel at index (std::out_of_range outside).
  TStatusPanel& Panels(int index) { return *FPanels.at(static_cast<std::size_t>(index)); }
  const TStatusPanel& Panels(int index) const { return *FPanels.at(static_cast<std::size_t>(index)); }
  // The panel at index, adding panels up to it when needed.
  TStatusPanel& EnsurePanel(int index);
  TStatusPanel& AddPanel();
  void ClearPanels();
  // Left and width of each panel in the bar (the last one takes the rest).
  TRect PanelRect(int index) const;
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool value) { FSizeGrip = value; }
  void ChangeScale(int m, int d) override;

 private:
  friend class TStatusPanel;
  std::vector<std::unique_ptr<TStatusPanel>> FPanels;
  bool FSizeGrip = false;
};

// ---------------------------------------------------------------- progress fill

// A progress fill: a bar filled from the left to Position percent (0 to
// 100), in BarColor or in a horizontal gradient from GradientStart to
// GradientEnd in GradientSteps bands spread over the whole bar width.
class TProgressFill : public TControl {
 public:
  explicit TProgressFill(TComponent* owner = nullptr);
  const char* ClassName() const override { return "TProgressFill"; }
  int Position() const { return FPosition; }
  // Clamped to 0..100.
  void SetPosition(int value);
  TColor BarColor() const { return FBarColor; }
  void SetBarColor(TColor value);
  bool Gradient() const { return FGradient; }
  void SetGradient(bool value);
  TColor GradientStart() const { return FGradientStart; }
  void SetGradientStart(TColor value);
  TColor GradientEnd() const { return FGradientEnd; }
  void SetGradientEnd(TColor value);
  int GradientSteps() const { return FGradientSteps; }
  void SetGradientSteps(int value);  // at least 1
  TBevelCut Bevel() const { return FBevel; }
  void SetBevel(TBevelCut value);
  bool ShowText() const { return FShowText; }
  void SetShowText(bool value);
  // The colour of band step (0 .. GradientSteps - 1), each channel
  // interpolated linearly.
  TColor GradientColor(int step) const;

 private:
  int FPosition = 0;
  TColor FBarColor = clNavy;
  bool FGradient = false;
  TColor FGradientStart = clYellow;
  TColor FGradientEnd = clRed;
  int FGradientSteps = 50;
  TBevelCut FBevel = bvLowered;
  bool FShowText = false;
};

}  // namespace orv::platform
