#pragma once
// The form: a top-level window model holding the controls, with caption,
// border, position, key preview, the focus (active control), the modal
// result, showing and closing, and the shortcuts of its actions and menus.
// It is also the root of a stored window description.
//
// Showing and the modal loop go through the form service: the renderer
// installs one that shows windows and runs a real modal loop; without it a
// model service runs (see TModelFormService), so tests can script what
// happens while a form is modal.
// Threads: user-interface thread only.

#include <functional>
#include <memory>
#include <string>

#include "orv/platform/Controls.h"
#include "orv/platform/Dialogs.h"

namespace orv::platform {

class TMainMenu;
class TActionList;

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TBorderIconBit : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TComponent* sender, bool& canClose)>;
using TShortCutEvent = std::function<void(unsigned short& key, TShiftState shift, bool& handled)>;

// Size limits of a form's window (0: none).
struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;
  int MaxHeight = 0;
};

class TForm;

// Shows forms and runs modal loops.
class IFormService {
 public:
  virtual ~IFormService() = default;
  // The form became visible or hidden.
  virtual void FormVisibleChanged(TForm& form) = 0;
  // Runs the modal loop of a shown form until it is closed: the loop ends
  // once the form's ModalResult is not 0 and CloseModal agrees.
  virtual void RunModal(TForm& form) = 0;
  // The form was closed with Close (after OnClose), with that action.
  virtual void FormClosed(TForm& form, TCloseAction action) = 0;
  // Runs pending window-system work (repaints) now.
  virtual void ProcessMessages() {}
};

// The model form service: remembers which forms are shown; RunModal calls
// OnRunModal (tests act there: click a button, set ModalResult) and ends the
// loop as the window system would; a form left without result is closed
// as by its close box (mrCancel).
class TModelFormService : public IFormService {
 public:
  void FormVisibleChanged(TForm& form) override;
  void RunModal(TForm& form) override;
  void FormClosed(TForm& form, TCloseAction action) override;
  std::function<void(TForm&)> OnRunModal;
  int ModalRuns = 0;
  int Closed = 0;
};

IFormService& FormService();
void SetFormService(IFormService* service);  // not owned; nullptr: the model service

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner = nullptr);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }

  // The client area size; Width and Height are those of the whole window
  // (client plus the frame of the border style, the caption and the menu).
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  TRect ClientRect() const override;
  int FrameWidth() const;   // left plus right frame
  int FrameHeight() const;  // caption, menu bar and frame together
  int ClientOriginX() const override;
  int ClientOriginY() const override;

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState value);
  TSizeConstraints& Constraints() { return FConstraints; }
  const TSizeConstraints& Constraints() const { return FConstraints; }
  // The form sees keys before its controls.
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* menu);
  const TPicture& Icon() const { return FIcon; }
  void SetIcon(const TPicture& icon);

  // The control with the keyboard focus (nullptr: none).
  TWinControl* ActiveControl() const { return FActiveControl; }
  // Moves the focus: DoExit on the old control, DoEnter on the new one.
  // A control of another form, or one that cannot take the focus while
  // the form is shown, is refused (false).
  bool SetActiveControl(TWinControl* control);
  // The focus moves on along the tab order from control (or from the
  // active control when none is given).
  void SelectNext(TWinControl* control, bool goForward) { TWinControl::SelectNext(control, goForward, true); }
  void FocusControl(TWinControl* control) { SetActiveControl(control); }
  // The active control left the form: the focus is dropped without events.
  void ActiveControlRemoved();

  int ModalResult() const { return FModalResult; }
  // Setting a result other than 0 on a modal form ends its modal loop.
  void SetModalResult(int value);
  bool Modal() const { return FModal; }

  // Shows the form (OnShow before it appears).
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  void SetVisible(bool visible) override;
  // Shows the form modally and returns its modal result (mrNone when the
  // form is already visible or modal).
  virtual int ShowModal();
  // Closes the form: a modal form gets the result mrCancel; otherwise
  // OnCloseQuery may refuse, then OnClose chooses the action (caHide by
  // default): hide, free (destroyed later on the main thread), minimise
  // or nothing.
  void Close();
  // The modal loop's end: OnCloseQuery and OnClose; false (and the result
  // back to 0) when either refuses.
  bool CloseModal();
  // Runs OnCloseQuery.
  virtual bool CloseQuery();
  // Destroys the form later, on the main thread.
  void Release();

  // Runs the form's shortcut for key: OnShortCut, the main menu, the popup
  // menus of the active control and its parents, then the form's action
  // lists. True when the key was used.
  virtual bool IsShortCut(unsigned short key, TShiftState shift);
  // Default and cancel buttons: Enter / Escape that no control wanted.
  bool DialogKey(unsigned short key);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

  // After the description: runs OnCreate.
  void Loaded() override;
  void ChangeScale(int m, int d) override;

 protected:
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void SetVisibleState(bool visible);

  TBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  TSizeConstraints FConstraints;
  bool FKeyPreview = false;
  TMainMenu* FMenu = nullptr;
  TPicture FIcon;
  TWinControl* FActiveControl = nullptr;
  int FModalResult = mrNone;
  bool FModal = false;
  bool FShowing = false;
  bool FDestroying = false;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

}  // namespace orv::platform
