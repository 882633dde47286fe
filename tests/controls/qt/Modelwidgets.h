#pragma once
// A small stand-in renderer for the widget tests of the data-bound
// controls: one Qt widget per control model, the model holding the truth.
// Keys typed into a widget go to its model as the window system would hand
// them over (key, then character); every change the model reports is shown
// by its widget.

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>
#include <map>

#include "orv/platform/Forms.h"
#include "orv/platform/Stdctrls.h"

namespace orv::controls::testing {

class TModelWidgets final : public QObject, public platform::IControlObserver {
 public:
  explicit TModelWidgets(platform::TForm& form) : FForm(form) {
    FWindow.resize(form.ClientWidth(), form.ClientHeight());
    form.SetObserver(this);
  }
  ~TModelWidgets() override {
    for (auto& [control, widget] : FWidgets) control->SetObserver(nullptr);
    FForm.SetObserver(nullptr);
  }

  QWidget& Window() { return FWindow; }

  QLineEdit* Show(platform::TCustomEdit& model) {
    auto* w = new QLineEdit(&FWindow);
    w->setAlignment(model.Alignment() == platform::taRightJustify ? Qt::AlignRight : Qt::AlignLeft);
    Attach(model, w);
    return w;
  }
  QComboBox* Show(platform::TCustomComboBox& model) {
    auto* w = new QComboBox(&FWindow);
    Attach(model, w);
    return w;
  }
  QLabel* Show(platform::TCustomLabel& model) {
    auto* w = new QLabel(&FWindow);
    Attach(model, w);
    return w;
  }

  void ControlChanged(platform::TControl& control, platform::TChangeKind kind) override {
    if (&control == &FForm) {
      if (kind == platform::TChangeKind::ckFocus && FForm.ActiveControl() != nullptr) {
        if (auto it = FWidgets.find(FForm.ActiveControl()); it != FWidgets.end()) it->second->setFocus();
      }
      return;
    }
    auto it = FWidgets.find(&control);
    if (it != FWidgets.end()) Sync(control, it->second);
  }
  void ControlDestroying(platform::TControl& control) override {
    auto it = FWidgets.find(&control);
    if (it == FWidgets.end()) return;
    FModels.erase(it->second);
    delete it->second;
    FWidgets.erase(it);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto it = FModels.find(watched);
    if (it == FModels.end()) return false;
    auto* model = dynamic_cast<platform::TWinControl*>(it->second);
    if (model == nullptr) return false;
    if (event->type() == QEvent::FocusIn && !model->Focused()) {
      model->SetFocus();
      return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        model->PressKey(platform::VK_RETURN);
        model->TypeChar('\r');
        return true;
      case Qt::Key_Escape: model->PressKey(platform::VK_ESCAPE); return true;
      case Qt::Key_Up: model->PressKey(platform::VK_UP); return true;
      case Qt::Key_Down: model->PressKey(platform::VK_DOWN); return true;
      case Qt::Key_Left: model->PressKey(platform::VK_LEFT); return true;
      case Qt::Key_Right: model->PressKey(platform::VK_RIGHT); return true;
      case Qt::Key_Backspace:
        model->PressKey(platform::VK_BACK);
        model->TypeChar('\b');
        return true;
      default:
        for (const QChar c : key->text()) {
          if (c.unicode() < 128) model->TypeChar(static_cast<char>(c.unicode()));
        }
        return true;
    }
  }

 private:
  void Attach(platform::TControl& model, QWidget* widget) {
    FWidgets[&model] = widget;
    FModels[widget] = &model;
    widget->installEventFilter(this);
    model.SetObserver(this);
    Sync(model, widget);
    if (auto* combo = dynamic_cast<platform::TCustomComboBox*>(&model)) SyncItems(*combo);
  }
  void SyncItems(platform::TCustomComboBox& model) {
    auto* w = static_cast<QComboBox*>(FWidgets[&model]);
    QSignalBlocker block(w);
    w->clear();
    for (const std::string& line : model.Items()) w->addItem(QString::fromStdString(line));
    w->setCurrentIndex(model.ItemIndex());
  }
  void Sync(platform::TControl& model, QWidget* widget) {
    widget->setGeometry(model.Left(), model.Top(), model.Width(), model.Height());
    widget->setVisible(model.Visible());
    widget->setEnabled(model.Enabled());
    if (auto* edit = dynamic_cast<platform::TCustomEdit*>(&model)) {
      auto* w = static_cast<QLineEdit*>(widget);
      QSignalBlocker block(w);
      w->setText(QString::fromStdString(edit->Text()));
      w->setSelection(edit->SelStart(), edit->SelLength());
    } else if (auto* combo = dynamic_cast<platform::TCustomComboBox*>(&model)) {
      auto* w = static_cast<QComboBox*>(widget);
      if (w->count() != combo->ItemCount()) SyncItems(*combo);
      QSignalBlocker block(w);
      w->setCurrentIndex(combo->ItemIndex());
    } else if (auto* label = dynamic_cast<QLabel*>(widget)) {
      label->setText(QString::fromStdString(model.Caption()));
      // The model measures text by estimate; the real text may be wider.
      label->resize(std::max(model.Width(), label->sizeHint().width()), model.Height());
    }
  }

  platform::TForm& FForm;
  QWidget FWindow;
  std::map<platform::TControl*, QWidget*> FWidgets;
  std::map<QObject*, platform::TControl*> FModels;
};

}  // namespace orv::controls::testing
