#include "orv/platform/Forms.h"

#include <algorithm>

#include "orv/platform/Actions.h"
#include "orv/platform/MainThread.h"
#include "orv/platform/Menus.h"
#include "orv/platform/Stdctrls.h"

namespace orv::platform {

// ---------------------------------------------------------------- form service

void TModelFormService::FormVisibleChanged(TForm& /*form*/) {}

void TModelFormService::RunModal(TForm& form) {
  ++ModalRuns;
  // A script that never sets a result would hang a real loop; here the
  // window is closed as by its close box after a few rounds.
  for (int round = 0; round < 8; ++round) {
    if (OnRunModal) OnRunModal(form);
    if (!form.Visible()) return;
    if (form.ModalResult() == mrNone) form.SetModalResult(mrCancel);
    if (form.CloseModal()) return;
  }
  form.SetModalResult(mrCancel);
}

void TModelFormService::FormClosed(TForm& /*form*/, TCloseAction /*action*/) { ++Closed; }

namespace {
TModelFormService gModelForms;
IFormService* gForms = nullptr;
}  // namespace

IFormService& FormService() { return gForms != nullptr ? *gForms : gModelForms; }
void SetFormService(IFormService* service) { gForms = service; }

// ---------------------------------------------------------------- TForm

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  TControl::SetVisible(false);
  SetParentFont(false);
  SetBoundsQuiet(0, 0, 320 + FrameWidth(), 240 + FrameHeight());
}

TForm::~TForm() {
  FDestroying = true;
  *FAlive = false;
  FActiveControl = nullptr;
  if (OnDestroy) OnDestroy(this);
  // Controls and handlers may call back into the form while they go.
  DestroyComponents();
  FActiveControl = nullptr;
  if (FShowing) {
    FShowing = false;
    FormService().FormVisibleChanged(*this);
  }
}

int TForm::FrameWidth() const {
  switch (FBorderStyle) {
    case bsNone:
      return 0;
    case bsToolWindow:
    case bsSizeToolWin:
    case bsDialog:
    case bsSingle:
      return 6;
    default:
      return 8;
  }
}

int TForm::FrameHeight() const {
  int caption = 0;
  switch (FBorderStyle) {
    case bsNone:
      caption = 0;
      break;
    case bsToolWindow:
    case bsSizeToolWin:
      caption = 16;
      break;
    default:
      caption = 19;
      break;
  }
  const int menu = FMenu != nullptr ? 19 : 0;
  return caption + menu + FrameWidth();
}

int TForm::ClientOriginX() const { return FrameWidth() / 2; }
int TForm::ClientOriginY() const { return FrameHeight() - FrameWidth() / 2; }

TRect TForm::ClientRect() const {
  return {0, 0, std::max(0, Width() - FrameWidth()), std::max(0, Height() - FrameHeight())};
}

void TForm::SetClientWidth(int value) { SetBounds(Left(), Top(), std::max(0, value) + FrameWidth(), Height()); }
void TForm::SetClientHeight(int value) { SetBounds(Left(), Top(), Width(), std::max(0, value) + FrameHeight()); }

void TForm::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  FBorderStyle = value;
  SetBoundsQuiet(Left(), Top(), cw + FrameWidth(), ch + FrameHeight());
  Changed(TChangeKind::ckAppearance);
}

void TForm::SetBorderIcons(TBorderIcons value) {
  if (value == FBorderIcons) return;
  FBorderIcons = value;
  Changed(TChangeKind::ckAppearance);
}

void TForm::SetWindowState(TWindowState value) {
  if (value == FWindowState) return;
  FWindowState = value;
  Changed(TChangeKind::ckAppearance);
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == FMenu) return;
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  if (FMenu != nullptr) RemoveFreeNotification(FMenu);
  FMenu = menu;
  if (menu != nullptr) FreeNotification(menu);
  SetBoundsQuiet(Left(), Top(), cw + FrameWidth(), ch + FrameHeight());
  Changed(TChangeKind::ckMenu);
}

void TForm::SetIcon(const TPicture& icon) {
  FIcon = icon;
  if (FIcon.Bytes.empty()) ResolvePicture(FIcon);
  Changed(TChangeKind::ckPicture);
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FMenu) {
    FMenu = nullptr;
    if (!FDestroying) Changed(TChangeKind::ckMenu);
  }
}

void TForm::ActiveControlRemoved() {
  FActiveControl = nullptr;
  if (!FDestroying) Changed(TChangeKind::ckFocus);
}

bool TForm::SetActiveControl(TWinControl* control) {
  if (FDestroying) return false;
  if (control == FActiveControl) return true;
  if (control != nullptr) {
    if (control == this || control->ParentForm() != this) return false;
    if (Visible() && !control->CanFocus()) return false;
  }
  TWinControl* old = FActiveControl;
  FActiveControl = control;
  if (old != nullptr) old->DoExit();
  // An exit handler may have moved the focus on already.
  if (FActiveControl == control && control != nullptr) control->DoEnter();
  Changed(TChangeKind::ckFocus);
  return FActiveControl == control;
}

void TForm::SetModalResult(int value) {
  if (value == FModalResult) return;
  FModalResult = value;
  Changed(TChangeKind::ckModalResult);
}

void TForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (visible) {
    DoShow();
    TControl::SetVisible(true);
    FShowing = true;
    if (FActiveControl == nullptr) SelectNext(nullptr, true);
  } else {
    TControl::SetVisible(false);
    FShowing = false;
    DoHide();
  }
  FormService().FormVisibleChanged(*this);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

int TForm::ShowModal() {
  if (FModal || Visible()) return mrNone;
  FModal = true;
  FModalResult = mrNone;
  std::shared_ptr<bool> alive = FAlive;
  Show();
  FormService().RunModal(*this);
  if (!*alive) return mrCancel;
  const int result = FModalResult == mrNone ? static_cast<int>(mrCancel) : FModalResult;
  Hide();
  FModal = false;
  return result;
}

bool TForm::CloseModal() {
  bool canClose = CloseQuery();
  TCloseAction action = caHide;
  if (canClose) DoClose(action);
  if (!canClose || action == caNone) {
    FModalResult = mrNone;
    return false;
  }
  return true;
}

void TForm::Close() {
  if (FModal) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  switch (action) {
    case caHide:
      Hide();
      break;
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    case caFree:
      Hide();
      Release();
      break;
    default:
      break;
  }
  FormService().FormClosed(*this, action);
}

void TForm::Release() {
  std::weak_ptr<bool> alive = FAlive;
  TForm* self = this;
  MainThread().Queue([alive, self] {
    if (auto a = alive.lock(); a && *a) delete self;
  });
}

bool TForm::IsShortCut(unsigned short key, TShiftState shift) {
  if (OnShortCut) {
    bool handled = false;
    OnShortCut(key, shift, handled);
    if (handled) return true;
  }
  const TShortCut code = ShortCut(key, shift);
  if (code == 0) return false;
  if (FMenu != nullptr && FMenu->IsShortCut(code)) return true;
  for (TControl* c = FActiveControl; c != nullptr; c = c->Parent()) {
    if (c->PopupMenu() != nullptr && c->PopupMenu()->IsShortCut(code)) return true;
  }
  for (int i = 0; i < ComponentCount(); ++i) {
    if (auto* list = dynamic_cast<TActionList*>(Components(i))) {
      if (list->IsShortCut(code)) return true;
    }
  }
  return false;
}

bool TForm::DialogKey(unsigned short key) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  for (TWinControl* c : list) {
    auto* button = dynamic_cast<TButton*>(c);
    if (button == nullptr || !button->CanFocus()) continue;
    if ((key == VK_RETURN && button->Default()) || (key == VK_ESCAPE && button->Cancel())) {
      button->Click();
      return true;
    }
  }
  return false;
}

void TForm::Loaded() {
  TWinControl::Loaded();
  if (OnCreate) OnCreate(this);
}

void TForm::ChangeScale(int m, int d) {
  auto scale = [m, d](int v) { return static_cast<int>(static_cast<long long>(v) * m / d); };
  const int cw = scale(ClientWidth());
  const int ch = scale(ClientHeight());
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(m, d);
  Font().SetPixels(scale(Font().Pixels()));
  FConstraints.MinWidth = scale(FConstraints.MinWidth);
  FConstraints.MinHeight = scale(FConstraints.MinHeight);
  FConstraints.MaxWidth = scale(FConstraints.MaxWidth);
  FConstraints.MaxHeight = scale(FConstraints.MaxHeight);
  SetBoundsQuiet(Left(), Top(), cw + FrameWidth(), ch + FrameHeight());
  EnableAlign();
}

}  // namespace orv::platform
