#include "orv/qtui/Renderer.h"

#include <qdrawutil.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <vector>

#include "orv/platform/Actions.h"
#include "orv/platform/Extctrls.h"
#include "orv/platform/Grids.h"
#include "orv/platform/Stdctrls.h"

namespace orv::qtui {

using namespace orv::platform;

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string S(const QString& s) { return s.toUtf8().toStdString(); }

// Byte offsets of the model's UTF-8 text and character offsets of Qt's text.
int ByteToChar(const std::string& text, int bytes) {
  bytes = std::clamp(bytes, 0, static_cast<int>(text.size()));
  return static_cast<int>(QString::fromUtf8(text.data(), bytes).size());
}
int CharToByte(const QString& text, int chars) {
  chars = std::clamp(chars, 0, static_cast<int>(text.size()));
  return static_cast<int>(text.left(chars).toUtf8().size());
}

QColor QtColor(TColor c) {
  const unsigned rgb = QtRgb(c);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}
bool IsSystemColor(TColor c) {
  return (static_cast<std::uint32_t>(c) & 0x80000000u) != 0 || c == clNone || c == clDefault;
}

TShiftState ShiftOf(Qt::KeyboardModifiers m) {
  TShiftState s = 0;
  if (m & Qt::ShiftModifier) s |= ssShift;
  if (m & Qt::ControlModifier) s |= ssCtrl;
  if (m & Qt::AltModifier) s |= ssAlt;
  return s;
}

TShiftState ButtonsOf(Qt::MouseButtons b) {
  TShiftState s = 0;
  if (b & Qt::LeftButton) s |= ssLeft;
  if (b & Qt::RightButton) s |= ssRight;
  if (b & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

// The platform's key code of a Qt key (0: none).
unsigned short VkOf(int key) {
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<unsigned short>(VK_F1 + (key - Qt::Key_F1));
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
    return static_cast<unsigned short>(key);
  switch (key) {
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Shift:
      return VK_SHIFT;
    case Qt::Key_Control:
      return VK_CONTROL;
    case Qt::Key_Alt:
      return VK_MENU;
    case Qt::Key_Comma:
      return 188;
    case Qt::Key_Minus:
      return 189;
    case Qt::Key_Period:
      return 190;
    default:
      return 0;
  }
}

Qt::CursorShape CursorShape(TCursor c) {
  switch (c) {
    case crHourGlass:
      return Qt::WaitCursor;
    case crAppStart:
      return Qt::BusyCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    default:
      return Qt::ArrowCursor;
  }
}

QPixmap PixmapOf(const TPicture& picture) {
  QPixmap p;
  if (!picture.Bytes.empty()) p.loadFromData(picture.Bytes.data(), static_cast<uint>(picture.Bytes.size()));
  return p;
}

Qt::Alignment QtAlign(TAlignment a) {
  switch (a) {
    case taRightJustify:
      return Qt::AlignRight;
    case taCenter:
      return Qt::AlignHCenter;
    default:
      return Qt::AlignLeft;
  }
}

// ---------------------------------------------------------------- painted widgets

class TStatusBarWidget final : public QWidget {
 public:
  TStatusBarWidget(TStatusBar& bar, QWidget* parent) : QWidget(parent), FBar(&bar) {}
  QPointer<QWidget> Self{this};
  TStatusBar* FBar;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (FBar == nullptr) return;
    QPainter p(this);
    for (int i = 0; i < FBar->PanelCount(); ++i) {
      const TStatusPanel& panel = FBar->Panels(i);
      const TRect r = FBar->PanelRect(i);
      QRect rect(r.Left, r.Top, r.Width() - 2, r.Height());
      if (panel.Color() != clNone) p.fillRect(rect, QtColor(panel.Color()));
      if (panel.Bevel() != bvNone) qDrawShadePanel(&p, rect, palette(), panel.Bevel() == bvLowered, 1);
      p.setFont(TQtRenderer::QtFont(panel.Font()));
      p.setPen(IsSystemColor(panel.Font().Color()) ? palette().color(QPalette::WindowText)
                                                   : QtColor(panel.Font().Color()));
      p.drawText(rect.adjusted(4, 0, -4, 0), static_cast<int>(QtAlign(panel.Alignment()) | Qt::AlignVCenter),
                 Q(panel.Text()));
    }
  }
};

class TFillWidget final : public QWidget {
 public:
  TFillWidget(TProgressFill& fill, QWidget* parent) : QWidget(parent), FFill(&fill) {}
  TProgressFill* FFill;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (FFill == nullptr) return;
    QPainter p(this);
    QRect inner = rect();
    if (!IsSystemColor(FFill->Color())) p.fillRect(inner, QtColor(FFill->Color()));
    if (FFill->Bevel() != bvNone) {
      qDrawShadePanel(&p, inner, palette(), FFill->Bevel() == bvLowered, 1);
      inner.adjust(1, 1, -1, -1);
    }
    const int filled = inner.width() * FFill->Position() / 100;
    const QRect bar(inner.left(), inner.top(), filled, inner.height());
    if (FFill->Gradient()) {
      // The bands spread over the whole bar; the position shows a part of them.
      p.setClipRect(bar);
      const int n = FFill->GradientSteps();
      for (int i = 0; i < n; ++i) {
        const int x0 = inner.left() + inner.width() * i / n;
        const int x1 = inner.left() + inner.width() * (i + 1) / n;
        p.fillRect(QRect(x0, inner.top(), x1 - x0, inner.height()), QtColor(FFill->GradientColor(i)));
      }
      p.setClipping(false);
    } else {
      p.fillRect(bar, QtColor(FFill->BarColor()));
    }
    if (FFill->ShowText()) p.drawText(inner, Qt::AlignCenter, QString::number(FFill->Position()) + "%");
  }
};

class TQtCanvas final : public ICanvas {
 public:
  explicit TQtCanvas(QPainter& p) : FP(p) {}
  void FillRect(const TRect& r, TColor c) override {
    FP.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), QtColor(c));
  }
  void FrameRect(const TRect& r, TColor c) override {
    FP.setPen(QtColor(c));
    FP.setBrush(Qt::NoBrush);
    FP.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
  }
  void Ellipse(const TRect& r, TColor fill) override {
    FP.setPen(Qt::NoPen);
    FP.setBrush(QtColor(fill));
    FP.drawEllipse(QRect(r.Left, r.Top, r.Width(), r.Height()));
  }
  void TextOut(int x, int y, std::string_view text, const TFont& font) override {
    FP.setFont(TQtRenderer::QtFont(font));
    FP.setPen(QtColor(font.Color() == clWindowText ? clBlack : font.Color()));
    FP.drawText(QPoint(x, y + QFontMetrics(FP.font()).ascent()), Q(text));
  }
  int TextWidth(std::string_view text, const TFont& font) override {
    return QFontMetrics(TQtRenderer::QtFont(font)).horizontalAdvance(Q(text));
  }
  int TextHeight(std::string_view, const TFont& font) override {
    return QFontMetrics(TQtRenderer::QtFont(font)).height();
  }
  void Draw(int x, int y, const TPicture& picture, bool) override { FP.drawPixmap(x, y, PixmapOf(picture)); }
  void SetClip(const TRect& r) override {
    if (r.Width() <= 0 || r.Height() <= 0)
      FP.setClipping(false);
    else
      FP.setClipRect(QRect(r.Left, r.Top, r.Width(), r.Height()));
  }

 private:
  QPainter& FP;
};

class TGridWidget final : public QWidget {
 public:
  TGridWidget(TCustomGrid& grid, QWidget* parent) : QWidget(parent), FGrid(&grid) { setFocusPolicy(Qt::StrongFocus); }
  TCustomGrid* FGrid;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (FGrid == nullptr) return;
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Mid));
    TQtCanvas canvas(p);
    FGrid->Paint(canvas);
  }
};

class TPanelWidget final : public QFrame {
 public:
  TPanelWidget(TPanel& panel, QWidget* parent) : QFrame(parent), FPanel(&panel) {}
  TPanel* FPanel;

 protected:
  void paintEvent(QPaintEvent* e) override {
    QFrame::paintEvent(e);
    if (FPanel == nullptr || FPanel->Caption().empty()) return;
    QPainter p(this);
    p.setFont(font());
    p.drawText(rect(), static_cast<int>(QtAlign(FPanel->Alignment()) | Qt::AlignVCenter),
               Q(StripHotkey(FPanel->Caption())));
  }
};

}  // namespace

// A combo box whose list opening and closing go through the model.
class TComboWidget final : public QComboBox {
 public:
  using QComboBox::QComboBox;
  TPeer* FPeer = nullptr;
  void showPopup() override;
  void hidePopup() override;
  void RealShow() { QComboBox::showPopup(); }
  void RealHide() { QComboBox::hidePopup(); }
  bool FShown = false;
};

unsigned QtRgb(TColor color) { return static_cast<unsigned>(SystemColorToRGB(color, clBtnFace)); }

QFont TQtRenderer::QtFont(const TFont& font) {
  static const char* const kDesignFonts[] = {
      "MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Tahoma", "System", "Segoe UI"};
  QFont f = QApplication::font();
  bool design = font.Name().empty();
  for (const char* d : kDesignFonts) design = design || SameName(font.Name(), d);
  if (!design) f.setFamilies({Q(font.Name()), QApplication::font().family()});
  f.setPixelSize(std::max(1, font.Pixels()));
  f.setBold(font.Bold());
  f.setItalic(font.Italic());
  f.setUnderline((font.Style() & fsUnderline) != 0);
  f.setStrikeOut((font.Style() & fsStrikeOut) != 0);
  return f;
}

// ---------------------------------------------------------------- the form window

class TFormWindow final : public QWidget {
 public:
  TFormWindow(TQtRenderer& r, TForm& form) : QWidget(nullptr, Qt::Window), FRenderer(r), FForm(&form) {
    Client = new QWidget(this);
    setAttribute(Qt::WA_DeleteOnClose, false);
  }
  QWidget* Client;
  QMenuBar* MenuBar = nullptr;
  bool Placed = false;
  bool Resizing = false;
  QEventLoop* Loop = nullptr;

  int MenuHeight() const { return MenuBar != nullptr ? MenuBar->sizeHint().height() : 0; }
  void LayoutClient() {
    if (FForm == nullptr) return;
    const int mh = MenuHeight();
    if (MenuBar != nullptr) MenuBar->setGeometry(0, 0, width(), mh);
    Client->setGeometry(0, mh, width(), height() - mh);
  }
  void SyncSize() {
    if (FForm == nullptr) return;
    Resizing = true;
    const int w = FForm->ClientWidth();
    const int h = FForm->ClientHeight() + MenuHeight();
    const bool fixed = FForm->BorderStyle() != bsSizeable && FForm->BorderStyle() != bsSizeToolWin;
    if (fixed && FForm->WindowState() != wsMaximized) {
      setFixedSize(w, h);
    } else {
      setMinimumSize(FForm->Constraints().MinWidth, FForm->Constraints().MinHeight);
      resize(w, h);
    }
    LayoutClient();
    Resizing = false;
  }
  void RebuildMenu() {
    if (FForm == nullptr) return;
    delete MenuBar;
    MenuBar = nullptr;
    if (TMainMenu* menu = FForm->Menu()) {
      MenuBar = new QMenuBar(this);
      BuildMenu(*menu->Items(), MenuBar, nullptr);
      MenuBar->show();
      QPointer<TFormWindow> self(this);
      // Rebuilt later: an item's own click handler may change the menu.
      menu->OnChange = [self](TMenu&) {
        QTimer::singleShot(0, self, [self] {
          if (self) self->RebuildMenu();
        });
      };
    }
    SyncSize();
  }
  static void BuildMenu(TMenuItem& root, QMenuBar* bar, QMenu* menu) {
    for (int i = 0; i < root.Count(); ++i) {
      TMenuItem* item = root.Items(i);
      if (!item->Visible()) continue;
      if (item->IsLine()) {
        if (menu != nullptr) menu->addSeparator();
        continue;
      }
      if (item->Count() > 0) {
        QMenu* sub = bar != nullptr ? bar->addMenu(Q(item->Caption())) : menu->addMenu(Q(item->Caption()));
        sub->setEnabled(item->Enabled());
        BuildMenu(*item, nullptr, sub);
        continue;
      }
      QString text = Q(item->Caption());
      if (item->ShortCut() != 0) text += "\t" + Q(ShortCutToText(item->ShortCut()));
      QAction* a = bar != nullptr ? bar->addAction(text) : menu->addAction(text);
      a->setEnabled(item->Enabled());
      a->setCheckable(item->Checked() || item->RadioItem());
      a->setChecked(item->Checked());
      QObject::connect(a, &QAction::triggered, [item] { item->Click(); });
    }
  }
  void FormGone() { FForm = nullptr; }
  TForm* Form() const { return FForm; }

 protected:
  void closeEvent(QCloseEvent* e) override {
    // The model decides: a modal form ends with Cancel, another one runs
    // its close query and close handlers.
    e->ignore();
    if (FForm != nullptr) FForm->Close();
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    LayoutClient();
    if (FForm != nullptr && !Resizing) {
      Resizing = true;
      FForm->SetClientWidth(width());
      FForm->SetClientHeight(height() - MenuHeight());
      Resizing = false;
    }
  }

 private:
  TQtRenderer& FRenderer;
  TForm* FForm;
};

// ---------------------------------------------------------------- peers

class TPeer final : public QObject, public IControlObserver {
 public:
  TPeer(TQtRenderer& r, TControl& c, QWidget* w, QWidget* content)
      : FRenderer(r), Control(&c), Widget(w), Content(content != nullptr ? content : w) {
    c.SetObserver(this);
    w->installEventFilter(this);
  }
  ~TPeer() override {
    if (Control != nullptr) Control->SetObserver(nullptr);
  }

  TQtRenderer& FRenderer;
  TControl* Control;
  QPointer<QWidget> Widget;
  QPointer<QWidget> Content;
  bool Updating = false;
  bool Forwarding = false;
  // Between a line edit's focus-in and the moment its own focus handling is
  // done: the caret moves it makes do not change the model's selection.
  bool FocusSettling = false;
  QTimer* AnimTimer = nullptr;
  std::vector<QPointer<QRadioButton>> Radios;

  void ControlDestroying(TControl&) override {
    Control = nullptr;
    if (auto* fw = dynamic_cast<TFormWindow*>(Widget.data())) {
      fw->FormGone();
      if (fw->Loop != nullptr) fw->Loop->quit();
    }
    if (auto* s = dynamic_cast<TStatusBarWidget*>(Widget.data())) s->FBar = nullptr;
    if (auto* f = dynamic_cast<TFillWidget*>(Widget.data())) f->FFill = nullptr;
    if (auto* g = dynamic_cast<TGridWidget*>(Widget.data())) g->FGrid = nullptr;
    if (auto* p = dynamic_cast<TPanelWidget*>(Widget.data())) p->FPanel = nullptr;
    if (auto* cb = dynamic_cast<TComboWidget*>(Widget.data())) cb->FPeer = nullptr;
    if (Widget) {
      Widget->removeEventFilter(this);
      Widget->hide();
      Widget->deleteLater();
    }
    FRenderer.PeerGone(this);
    deleteLater();
  }

  void ControlChanged(TControl&, TChangeKind kind) override {
    if (Control == nullptr || !Widget) return;
    Updating = true;
    Sync(kind);
    Updating = false;
  }

  void SyncAll() {
    Updating = true;
    for (TChangeKind k :
         {TChangeKind::ckFont, TChangeKind::ckColor, TChangeKind::ckText, TChangeKind::ckBounds, TChangeKind::ckEnabled,
          TChangeKind::ckHint, TChangeKind::ckCursor, TChangeKind::ckAppearance, TChangeKind::ckItems,
          TChangeKind::ckItemIndex, TChangeKind::ckChecked, TChangeKind::ckPicture, TChangeKind::ckPosition,
          TChangeKind::ckSelection, TChangeKind::ckPage, TChangeKind::ckVisible})
      Sync(k);
    Updating = false;
  }

  TWinControl* Win() const { return dynamic_cast<TWinControl*>(Control); }

  void Sync(TChangeKind kind);
  bool eventFilter(QObject* o, QEvent* e) override;
  bool HandleKey(QObject* o, QKeyEvent* e, bool fromList);
  void UserText();
};

void TComboWidget::showPopup() {
  auto* combo = FPeer != nullptr ? dynamic_cast<TCustomComboBox*>(FPeer->Control) : nullptr;
  if (combo == nullptr || FPeer->Updating) {
    RealShow();
    return;
  }
  if (!combo->DroppedDown())
    combo->SetDroppedDown(true);  // the change shows it
  else if (!FShown)
    RealShow();
}

void TComboWidget::hidePopup() {
  auto* combo = FPeer != nullptr ? dynamic_cast<TCustomComboBox*>(FPeer->Control) : nullptr;
  if (combo == nullptr || FPeer->Updating) {
    RealHide();
    return;
  }
  if (combo->DroppedDown())
    combo->SetDroppedDown(false);
  else
    RealHide();
}

void TPeer::Sync(TChangeKind kind) {
  QWidget* w = Widget.data();
  TControl& c = *Control;
  auto* form = dynamic_cast<TForm*>(&c);
  switch (kind) {
    case TChangeKind::ckBounds:
      if (auto* fw = dynamic_cast<TFormWindow*>(w)) {
        if (!fw->Resizing) fw->SyncSize();
      } else if (dynamic_cast<TTabSheet*>(&c) == nullptr) {
        w->setGeometry(c.Left(), c.Top(), c.Width(), c.Height());
      }
      if (auto* box = dynamic_cast<TScrollBox*>(&c); box != nullptr && Content) {
        Content->resize(std::max(box->HorzRange(), box->ClientWidth()),
                        std::max(box->VertRange(), box->ClientHeight()));
      }
      if (auto* box = dynamic_cast<TScrollBox*>(c.Parent()))
        if (QWidget* pw = FRenderer.Peer(*box)) {
          if (auto* area = qobject_cast<QScrollArea*>(pw); area != nullptr && area->widget() != nullptr)
            area->widget()->resize(std::max(box->HorzRange(), box->ClientWidth()),
                                   std::max(box->VertRange(), box->ClientHeight()));
        }
      break;
    case TChangeKind::ckVisible:
      if (form != nullptr || dynamic_cast<TTabSheet*>(&c) != nullptr) break;
      w->setVisible(c.Visible());
      if (auto* box = dynamic_cast<TScrollBox*>(c.Parent())) box->ContentChanged();
      break;
    case TChangeKind::ckEnabled:
      w->setEnabled(c.Enabled());
      break;
    case TChangeKind::ckText: {
      const QString text = Q(c.Text());
      if (form != nullptr) {
        w->setWindowTitle(text);
      } else if (auto* sheet = dynamic_cast<TTabSheet*>(&c)) {
        (void)sheet;
      } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != text) edit->setText(text);
      } else if (auto* label = qobject_cast<QLabel*>(w)) {
        auto* l = dynamic_cast<TCustomLabel*>(&c);
        label->setText(l == nullptr || l->ShowAccelChar() ? Q(StripHotkey(c.Text())) : text);
      } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
        check->setText(text);
      } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
      } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(text);
      } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable() && combo->currentText() != text) combo->setEditText(text);
      } else {
        w->update();
      }
      break;
    }
    case TChangeKind::ckFont: {
      w->setFont(TQtRenderer::QtFont(c.Font()));
      QPalette pal = w->palette();
      if (!IsSystemColor(c.Font().Color())) {
        const QColor fc = QtColor(c.Font().Color());
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) pal.setColor(role, fc);
        w->setPalette(pal);
      }
      break;
    }
    case TChangeKind::ckColor: {
      if (IsSystemColor(c.Color()) || qobject_cast<QAbstractButton*>(w) != nullptr) {
        w->update();
        break;
      }
      auto* label = dynamic_cast<TCustomLabel*>(&c);
      if (label != nullptr && label->Transparent()) break;
      QPalette pal = w->palette();
      const QColor bg = QtColor(c.Color());
      pal.setColor(QPalette::Window, bg);
      if (qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<QComboBox*>(w) != nullptr)
        pal.setColor(QPalette::Base, bg);
      w->setPalette(pal);
      w->setAutoFillBackground(qobject_cast<QLineEdit*>(w) == nullptr);
      if (auto* fw = dynamic_cast<TFormWindow*>(w)) {
        fw->Client->setPalette(pal);
        fw->Client->setAutoFillBackground(true);
      }
      break;
    }
    case TChangeKind::ckHint:
      w->setToolTip(c.ShowHint() ? Q(c.Hint()) : QString());
      break;
    case TChangeKind::ckCursor:
      if (c.Cursor() == crDefault)
        w->unsetCursor();
      else
        w->setCursor(CursorShape(c.Cursor()));
      break;
    case TChangeKind::ckAppearance:
      if (auto* l = dynamic_cast<TCustomLabel*>(&c)) {
        auto* label = static_cast<QLabel*>(w);
        Qt::Alignment v = l->Layout() == tlCenter   ? Qt::AlignVCenter
                          : l->Layout() == tlBottom ? Qt::AlignBottom
                                                    : Qt::AlignTop;
        label->setAlignment(QtAlign(l->Alignment()) | v);
        label->setWordWrap(l->WordWrap());
      } else if (auto* st = dynamic_cast<TStaticText*>(&c)) {
        auto* label = static_cast<QLabel*>(w);
        label->setAlignment(QtAlign(st->Alignment()) | Qt::AlignVCenter);
        label->setFrameStyle(st->BorderStyle() == sbsSunken || st->BevelKind() != bkNone
                                 ? QFrame::Panel | QFrame::Sunken
                             : st->BorderStyle() == sbsSingle ? QFrame::Box | QFrame::Plain
                                                              : QFrame::NoFrame);
      } else if (auto* e = dynamic_cast<TCustomEdit*>(&c)) {
        auto* edit = static_cast<QLineEdit*>(w);
        edit->setAlignment(QtAlign(e->Alignment()) | Qt::AlignVCenter);
        edit->setReadOnly(e->ReadOnly());
        edit->setMaxLength(e->MaxLength() > 0 ? e->MaxLength() : 32767);
        edit->setEchoMode(e->PasswordChar() != 0 ? QLineEdit::Password : QLineEdit::Normal);
      } else if (auto* p = dynamic_cast<TPanel*>(&c)) {
        auto* frame = static_cast<QFrame*>(w);
        frame->setFrameStyle(p->BevelOuter() == bvNone && p->BevelInner() == bvNone ? QFrame::NoFrame
                             : (p->BevelOuter() == bvLowered)                       ? QFrame::Panel | QFrame::Sunken
                                                                                    : QFrame::Panel | QFrame::Raised);
        frame->setLineWidth(p->BevelWidth());
      } else if (auto* b = dynamic_cast<TBevel*>(&c)) {
        auto* frame = static_cast<QFrame*>(w);
        const int shadow = b->Style() == bsLowered ? QFrame::Sunken : QFrame::Raised;
        switch (b->Shape()) {
          case bsTopLine:
          case bsBottomLine:
            frame->setFrameStyle(QFrame::HLine | shadow);
            break;
          case bsLeftLine:
          case bsRightLine:
            frame->setFrameStyle(QFrame::VLine | shadow);
            break;
          case bsSpacer:
            frame->setFrameStyle(QFrame::NoFrame);
            break;
          default:
            frame->setFrameStyle(QFrame::Box | shadow);
            break;
        }
      } else if (auto* cb = dynamic_cast<TCustomCheckBox*>(&c)) {
        w->setLayoutDirection(cb->Alignment() == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
      } else if (auto* bb = dynamic_cast<TBitBtn*>(&c)) {
        w->setLayoutDirection(bb->Layout() == blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
      } else if (auto* sb = dynamic_cast<TSpeedButton*>(&c)) {
        auto* tb = static_cast<QToolButton*>(w);
        tb->setAutoRaise(sb->Flat());
        tb->setLayoutDirection(sb->Layout() == blGlyphRight ? Qt::RightToLeft : Qt::LeftToRight);
      } else if (auto* img = dynamic_cast<TImage*>(&c)) {
        auto* label = static_cast<QLabel*>(w);
        label->setAlignment(img->Center() ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
        label->setScaledContents(img->Stretch());
      } else if (form != nullptr) {
        auto* fw = static_cast<TFormWindow*>(w);
        Qt::WindowFlags f = Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
        if (form->BorderStyle() == bsToolWindow || form->BorderStyle() == bsSizeToolWin) f |= Qt::Tool;
        if (form->BorderStyle() == bsDialog) f = (f & ~Qt::Window) | Qt::Dialog;
        if ((form->BorderIcons() & biSystemMenu) != 0) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if ((form->BorderIcons() & biMinimize) != 0) f |= Qt::WindowMinimizeButtonHint;
        if ((form->BorderIcons() & biMaximize) != 0) f |= Qt::WindowMaximizeButtonHint;
        const bool shown = fw->isVisible();
        if (fw->windowFlags() != f) {
          fw->setWindowFlags(f);
          if (shown) fw->show();
        }
        fw->SyncSize();
        if (shown && form->WindowState() == wsMaximized) fw->showMaximized();
        if (shown && form->WindowState() == wsMinimized) fw->showMinimized();
      } else {
        w->update();
      }
      break;
    case TChangeKind::ckSelection:
      if (auto* e = dynamic_cast<TCustomEdit*>(&c)) {
        auto* edit = static_cast<QLineEdit*>(w);
        const QString t = edit->text();
        const int start = ByteToChar(e->Text(), e->SelStart());
        const int end = ByteToChar(e->Text(), e->SelStart() + e->SelLength());
        if (end > start)
          edit->setSelection(start, end - start);
        else
          edit->setCursorPosition(start);
      }
      break;
    case TChangeKind::ckItems:
      if (auto* cb = dynamic_cast<TCustomComboBox*>(&c)) {
        auto* combo = static_cast<QComboBox*>(w);
        combo->clear();
        for (const std::string& item : cb->Items()) combo->addItem(Q(item));
        combo->setEditable(cb->Style() != csDropDownList);
        combo->setMaxVisibleItems(cb->DropDownCount());
        combo->setCurrentIndex(cb->ItemIndex());
      } else if (auto* rg = dynamic_cast<TRadioGroup*>(&c)) {
        for (auto& r : Radios) delete r.data();
        Radios.clear();
        const int n = static_cast<int>(rg->Items().size());
        const int cols = std::max(1, rg->Columns());
        const int rows = std::max(1, (n + cols - 1) / cols);
        const int rowH = std::max(1, (rg->Height() - 20) / rows);
        const int colW = std::max(1, (rg->Width() - 16) / cols);
        for (int i = 0; i < n; ++i) {
          auto* radio = new QRadioButton(
              Q(rg->Items()[static_cast<std::size_t>(i)]).replace("&&", "\x01").replace("&", "").replace("\x01", "&"),
              w);
          radio->setGeometry(8 + (i / rows) * colW, 16 + (i % rows) * rowH, colW, rowH);
          radio->setChecked(i == rg->ItemIndex());
          radio->show();
          QObject::connect(radio, &QRadioButton::clicked, this, [this, i] {
            if (auto* g = dynamic_cast<TRadioGroup*>(Control); g != nullptr && !Updating) g->UserSelect(i);
          });
          Radios.emplace_back(radio);
        }
      }
      break;
    case TChangeKind::ckItemIndex:
      if (auto* cb = dynamic_cast<TCustomComboBox*>(&c)) {
        static_cast<QComboBox*>(w)->setCurrentIndex(cb->ItemIndex());
      } else if (auto* rg = dynamic_cast<TRadioGroup*>(&c)) {
        for (std::size_t i = 0; i < Radios.size(); ++i)
          if (Radios[i]) Radios[i]->setChecked(static_cast<int>(i) == rg->ItemIndex());
      }
      break;
    case TChangeKind::ckChecked:
      if (auto* cb = dynamic_cast<TCustomCheckBox*>(&c)) {
        auto* check = static_cast<QCheckBox*>(w);
        check->setTristate(cb->AllowGrayed());
        check->setCheckState(cb->State() == cbChecked  ? Qt::Checked
                             : cb->State() == cbGrayed ? Qt::PartiallyChecked
                                                       : Qt::Unchecked);
      } else if (auto* sb = dynamic_cast<TSpeedButton*>(&c)) {
        auto* tb = static_cast<QToolButton*>(w);
        tb->setCheckable(sb->GroupIndex() != 0);
        tb->setChecked(sb->Down());
      }
      break;
    case TChangeKind::ckDropDown:
      if (auto* cb = dynamic_cast<TCustomComboBox*>(&c)) {
        auto* combo = static_cast<TComboWidget*>(w);
        if (cb->DroppedDown() && !combo->FShown) {
          combo->FShown = true;
          combo->RealShow();
        } else if (!cb->DroppedDown() && combo->FShown) {
          combo->FShown = false;
          combo->RealHide();
        }
      }
      break;
    case TChangeKind::ckPicture:
    case TChangeKind::ckPosition:
      if (auto* bb = dynamic_cast<TBitBtn*>(&c)) {
        static_cast<QPushButton*>(w)->setIcon(QIcon(PixmapOf(bb->Glyph())));
        const QPixmap pm = PixmapOf(bb->Glyph());
        if (!pm.isNull()) static_cast<QPushButton*>(w)->setIconSize(pm.size());
      } else if (auto* sb = dynamic_cast<TSpeedButton*>(&c)) {
        auto* tb = static_cast<QToolButton*>(w);
        const QPixmap pm = PixmapOf(sb->Glyph());
        tb->setIcon(QIcon(pm));
        if (!pm.isNull()) tb->setIconSize(pm.size());
        tb->setToolButtonStyle(c.Caption().empty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
      } else if (auto* img = dynamic_cast<TImage*>(&c)) {
        static_cast<QLabel*>(w)->setPixmap(PixmapOf(img->Picture()));
      } else if (auto* anim = dynamic_cast<TAnimate*>(&c)) {
        auto* label = static_cast<QLabel*>(w);
        if (anim->FrameCount() > 0)
          label->setPixmap(PixmapOf(anim->Frames()[static_cast<std::size_t>(anim->CurrentFrame())]));
        if (AnimTimer != nullptr) {
          if (anim->Active() && !AnimTimer->isActive()) AnimTimer->start(anim->FrameInterval());
          if (!anim->Active()) AnimTimer->stop();
        }
      } else if (form != nullptr) {
        w->setWindowIcon(QIcon(PixmapOf(form->Icon())));
      } else {
        w->update();
      }
      break;
    case TChangeKind::ckPage:
      if (auto* pc = dynamic_cast<TPageControl*>(&c)) {
        auto* tabs = static_cast<QTabWidget*>(w);
        for (int i = 0; i < pc->PageCount() && i < tabs->count(); ++i) {
          tabs->setTabText(i, Q(pc->Pages(i)->Caption()));
          tabs->setTabVisible(i, pc->Pages(i)->TabVisible());
        }
        if (pc->ActivePageIndex() >= 0 && pc->ActivePageIndex() < tabs->count())
          tabs->setCurrentIndex(pc->ActivePageIndex());
      }
      break;
    case TChangeKind::ckChildren:
      if (auto* win = dynamic_cast<TWinControl*>(&c)) {
        for (int i = 0; i < win->ControlCount(); ++i) {
          TControl* child = win->Controls(i);
          if (FRenderer.Peer(*child) == nullptr) FRenderer.CreatePeer(*child, Content);
        }
      }
      if (dynamic_cast<TPageControl*>(&c) != nullptr) Sync(TChangeKind::ckPage);
      break;
    case TChangeKind::ckParent:
      if (c.Parent() != nullptr) {
        QWidget* parentPeer = FRenderer.Peer(*c.Parent());
        if (parentPeer != nullptr) {
          auto it = FRenderer.FPeers.find(c.Parent());
          QWidget* content =
              it != FRenderer.FPeers.end() && it->second->Content ? it->second->Content.data() : parentPeer;
          if (w->parentWidget() != content) {
            w->setParent(content);
            w->setGeometry(c.Left(), c.Top(), c.Width(), c.Height());
            w->setVisible(c.Visible());
          }
        }
      } else {
        w->hide();
      }
      break;
    case TChangeKind::ckFocus:
      if (form != nullptr && form->ActiveControl() != nullptr) {
        if (QWidget* pw = FRenderer.Peer(*form->ActiveControl())) {
          if (!pw->hasFocus()) pw->setFocus(Qt::OtherFocusReason);
        }
      }
      break;
    case TChangeKind::ckModalResult:
      if (form != nullptr) FRenderer.ModalResultChanged(*form);
      break;
    case TChangeKind::ckMenu:
      if (auto* fw = dynamic_cast<TFormWindow*>(w)) fw->RebuildMenu();
      break;
    case TChangeKind::ckRepaint:
    case TChangeKind::ckPanels:
    case TChangeKind::ckCells:
      w->update();
      break;
  }
}

bool TPeer::HandleKey(QObject* o, QKeyEvent* e, bool fromList) {
  TWinControl* win = Win();
  if (win == nullptr) return false;
  // A form window sees keys only while none of its controls has the focus;
  // otherwise the key already went through the focused control (and the
  // form's key preview), and what the widget left over bubbles up here.
  if (auto* form = dynamic_cast<TForm*>(win); form != nullptr && form->ActiveControl() != nullptr) return false;
  unsigned short key = VkOf(e->key());
  const TShiftState shift = ShiftOf(e->modifiers());
  if (key == VK_TAB && e->key() == Qt::Key_Backtab) {
    if (!win->InputKeyDown(key, shift | ssShift)) return true;
  } else if (key != 0) {
    if (!win->InputKeyDown(key, shift)) return true;
  }
  if (Control == nullptr) return true;  // a handler destroyed the control
  auto* combo = dynamic_cast<TCustomComboBox*>(Control);
  const bool listCombo = combo != nullptr && combo->Style() == csDropDownList;
  // Enter and Escape close an open list as part of the key itself, before
  // the character arrives (which then commits the choice).
  const bool closesList = listCombo && (key == VK_RETURN || key == VK_ESCAPE);
  if (closesList) {
    win->DefaultKeyDown(key, shift);
    if (Control == nullptr) return true;
  }
  QString text = e->text();
  if (text.isEmpty() && key == VK_BACK) text = QString(QChar(8));
  if (text.isEmpty() && key == VK_RETURN) text = QString(QChar(13));
  if (text.isEmpty() && key == VK_ESCAPE) text = QString(QChar(27));
  if (text.size() == 1 && (shift & (ssCtrl | ssAlt)) == 0) {
    const char16_t u = text[0].unicode();
    // Characters outside Latin-1 reach the model as the substitute
    // character 26; letting it through inserts the original.
    const char original = u < 256 ? static_cast<char>(static_cast<unsigned char>(u)) : static_cast<char>(26);
    char c = original;
    if (!win->InputKeyPress(c)) return true;
    if (Control == nullptr) return true;
    if (listCombo) return true;  // the model made the list's choice
    if (c != original) {
      const QString replaced(QChar(static_cast<unsigned char>(c)));
      QKeyEvent again(QEvent::KeyPress, e->key(), e->modifiers(), replaced);
      Forwarding = true;
      QCoreApplication::sendEvent(o, &again);
      Forwarding = false;
      return true;
    }
  }
  if (fromList) return false;
  // Widgets without keyboard handling of their own, and list combo boxes
  // (whose keys the model answers), get the model's base reaction.
  const bool modelKeys = listCombo || dynamic_cast<TCustomGrid*>(Control) != nullptr ||
                         (dynamic_cast<TButton*>(Control) != nullptr && key == VK_RETURN);
  if (modelKeys && key != 0) {
    if (!closesList) win->DefaultKeyDown(key, shift);
    return true;
  }
  return false;
}

void TPeer::UserText() {
  auto* e = dynamic_cast<TCustomEdit*>(Control);
  auto* edit = qobject_cast<QLineEdit*>(Widget.data());
  if (e == nullptr || edit == nullptr || Updating) return;
  const QString t = edit->text();
  if (FocusSettling && S(t) == e->Text()) return;
  int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
  int length = edit->hasSelectedText() ? static_cast<int>(edit->selectedText().size()) : 0;
  const int byteStart = CharToByte(t, start);
  const int byteLength = CharToByte(t, start + length) - byteStart;
  Updating = true;
  e->UserEdited(S(t), byteStart, byteLength);
  Updating = false;
}

bool TPeer::eventFilter(QObject* o, QEvent* e) {
  if (Control == nullptr) return false;
  auto* combo = dynamic_cast<TComboWidget*>(Widget.data());
  const bool fromList = combo != nullptr && o != Widget.data();
  switch (e->type()) {
    case QEvent::KeyPress:
      if (Forwarding) return false;
      return HandleKey(o, static_cast<QKeyEvent*>(e), fromList);
    case QEvent::FocusIn:
      if (TWinControl* win = Win(); win != nullptr && !fromList && dynamic_cast<TForm*>(win) == nullptr) {
        if (TForm* form = win->ParentForm(); form != nullptr && form->ActiveControl() != win)
          form->SetActiveControl(win);
        // The line edit's own focus handling moves the caret after the
        // model has chosen the selection on entering (a value field selects
        // all): show the model's selection again once it is done. A mouse
        // click places the caret itself, as on every platform.
        if (qobject_cast<QLineEdit*>(Widget.data()) != nullptr &&
            static_cast<QFocusEvent*>(e)->reason() != Qt::MouseFocusReason) {
          FocusSettling = true;
          QTimer::singleShot(0, this, [this] {
            FocusSettling = false;
            if (Control != nullptr && Widget != nullptr) ControlChanged(*Control, TChangeKind::ckSelection);
          });
        }
      }
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
      if (fromList || o != Widget.data()) return false;
      auto* me = static_cast<QMouseEvent*>(e);
      unsigned msg = WM_MOUSEMOVE;
      if (e->type() == QEvent::MouseButtonPress)
        msg = me->button() == Qt::RightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
      if (e->type() == QEvent::MouseButtonRelease) msg = me->button() == Qt::RightButton ? WM_RBUTTONUP : WM_LBUTTONUP;
      if (e->type() == QEvent::MouseButtonDblClick) msg = WM_LBUTTONDBLCLK;
      const QPoint p = me->position().toPoint();
      const bool passes = Control->InputMouse(msg, ShiftOf(me->modifiers()) | ButtonsOf(me->buttons()), p.x(), p.y());
      if (!passes) return true;
      if (Control == nullptr) return true;
      // Controls that are not buttons click on the left button's release.
      if (msg == WM_LBUTTONUP && qobject_cast<QAbstractButton*>(Widget.data()) == nullptr &&
          qobject_cast<QComboBox*>(Widget.data()) == nullptr && qobject_cast<QLineEdit*>(Widget.data()) == nullptr &&
          Widget->rect().contains(p)) {
        if (auto* grid = dynamic_cast<TCustomGrid*>(Control)) {
          const TGridCoord cell = grid->MouseCoord(p.x(), p.y());
          if (cell.X >= grid->FixedCols() && cell.Y >= grid->FixedRows()) grid->FocusCell(cell.X, cell.Y);
        }
        if (dynamic_cast<TTabSheet*>(Control) == nullptr && dynamic_cast<TForm*>(Control) == nullptr) Control->Click();
      }
      return false;
    }
    case QEvent::ContextMenu: {
      for (TControl* c = Control; c != nullptr; c = c->Parent()) {
        if (c->PopupMenu() != nullptr) {
          const QPoint g = static_cast<QContextMenuEvent*>(e)->globalPos();
          c->PopupMenu()->Popup(g.x(), g.y());
          return true;
        }
      }
      return false;
    }
    default:
      return false;
  }
}

// ---------------------------------------------------------------- renderer

TQtRenderer::TQtRenderer() {
  SetFormService(this);
  SetPopupService(this);
  SetTextMeasurer(this);
}

TQtRenderer::~TQtRenderer() {
  for (auto& [control, peer] : FPeers) {
    const_cast<TControl*>(control)->SetObserver(nullptr);
    peer->Control = nullptr;
    if (auto* fw = dynamic_cast<TFormWindow*>(peer->Widget.data())) {
      fw->FormGone();
      delete fw;
    }
    delete peer;
  }
  FPeers.clear();
  // Widgets of controls destroyed earlier were handed to deleteLater.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  SetTextMeasurer(nullptr);
  SetPopupService(nullptr);
  SetFormService(nullptr);
}

QWidget* TQtRenderer::Peer(const TControl& control) const {
  auto it = FPeers.find(&control);
  return it == FPeers.end() ? nullptr : it->second->Widget.data();
}

void TQtRenderer::PeerGone(TPeer* peer) {
  for (auto it = FPeers.begin(); it != FPeers.end(); ++it) {
    if (it->second == peer) {
      FPeers.erase(it);
      return;
    }
  }
}

TPeer* TQtRenderer::CreatePeer(TControl& control, QWidget* parent) {
  if (FPeers.count(&control) != 0) return FPeers[&control];
  QWidget* w = nullptr;
  QWidget* content = nullptr;
  if (auto* form = dynamic_cast<TForm*>(&control)) {
    auto* fw = new TFormWindow(*this, *form);
    w = fw;
    content = fw->Client;
  } else if (auto* sheet = dynamic_cast<TTabSheet*>(&control)) {
    w = new QWidget();
    auto* tabs = qobject_cast<QTabWidget*>(parent != nullptr ? parent : nullptr);
    if (tabs == nullptr && sheet->PageControl() != nullptr)
      tabs = qobject_cast<QTabWidget*>(Peer(*sheet->PageControl()));
    if (tabs != nullptr) tabs->insertTab(std::max(0, sheet->PageIndex()), w, Q(StripHotkey(sheet->Caption())));
  } else if (auto* pc = dynamic_cast<TPageControl*>(&control)) {
    auto* tabs = new QTabWidget(parent);
    w = tabs;
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this, pc, tabs](int index) {
      auto it = FPeers.find(pc);
      if (it == FPeers.end() || it->second->Updating || it->second->Control == nullptr) return;
      pc->UserSelectPage(index);
      if (pc->ActivePageIndex() != index && pc->ActivePageIndex() >= 0) {
        it->second->Updating = true;
        tabs->setCurrentIndex(pc->ActivePageIndex());
        it->second->Updating = false;
      }
    });
  } else if (dynamic_cast<TScrollBox*>(&control) != nullptr) {
    auto* area = new QScrollArea(parent);
    area->setWidgetResizable(false);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    content = new QWidget();
    area->setWidget(content);
    w = area;
  } else if (auto* bar = dynamic_cast<TStatusBar*>(&control)) {
    w = new TStatusBarWidget(*bar, parent);
  } else if (auto* fill = dynamic_cast<TProgressFill*>(&control)) {
    w = new TFillWidget(*fill, parent);
  } else if (auto* grid = dynamic_cast<TCustomGrid*>(&control)) {
    w = new TGridWidget(*grid, parent);
  } else if (dynamic_cast<TGroupBox*>(&control) != nullptr) {
    w = new QGroupBox(parent);
  } else if (auto* panel = dynamic_cast<TPanel*>(&control)) {
    w = new TPanelWidget(*panel, parent);
  } else if (dynamic_cast<TCustomEdit*>(&control) != nullptr) {
    auto* edit = new QLineEdit(parent);
    w = edit;
  } else if (dynamic_cast<TCustomComboBox*>(&control) != nullptr) {
    w = new TComboWidget(parent);
  } else if (dynamic_cast<TCustomCheckBox*>(&control) != nullptr) {
    w = new QCheckBox(parent);
  } else if (dynamic_cast<TButton*>(&control) != nullptr) {
    auto* b = new QPushButton(parent);
    b->setAutoDefault(false);
    w = b;
  } else if (dynamic_cast<TSpeedButton*>(&control) != nullptr) {
    auto* tb = new QToolButton(parent);
    tb->setFocusPolicy(Qt::NoFocus);
    w = tb;
  } else if (dynamic_cast<TStaticText*>(&control) != nullptr || dynamic_cast<TCustomLabel*>(&control) != nullptr ||
             dynamic_cast<TImage*>(&control) != nullptr || dynamic_cast<TAnimate*>(&control) != nullptr) {
    w = new QLabel(parent);
  } else if (dynamic_cast<TBevel*>(&control) != nullptr) {
    w = new QFrame(parent);
  } else {
    w = new QWidget(parent);
  }
  if (!control.IsWindowed() || dynamic_cast<TStaticText*>(&control) != nullptr)
    w->setFocusPolicy(Qt::NoFocus);
  else if (dynamic_cast<TForm*>(&control) == nullptr && dynamic_cast<TTabSheet*>(&control) == nullptr &&
           dynamic_cast<TScrollBox*>(&control) == nullptr && dynamic_cast<TPanel*>(&control) == nullptr &&
           dynamic_cast<TGroupBox*>(&control) == nullptr)
    w->setFocusPolicy(Qt::StrongFocus);

  auto* peer = new TPeer(*this, control, w, content);
  FPeers[&control] = peer;

  // Input from the widgets.
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    QObject::connect(edit, &QLineEdit::textEdited, peer, [peer](const QString&) { peer->UserText(); });
    QObject::connect(edit, &QLineEdit::selectionChanged, peer, [peer] { peer->UserText(); });
    QObject::connect(edit, &QLineEdit::cursorPositionChanged, peer, [peer](int, int) { peer->UserText(); });
  } else if (auto* combo = dynamic_cast<TComboWidget*>(w)) {
    combo->FPeer = peer;
    combo->view()->installEventFilter(peer);
    QObject::connect(combo, qOverload<int>(&QComboBox::activated), peer, [peer](int index) {
      if (auto* cb = dynamic_cast<TCustomComboBox*>(peer->Control); cb != nullptr && !peer->Updating)
        cb->UserSelect(index);
    });
    QObject::connect(combo->view()->selectionModel(), &QItemSelectionModel::currentChanged, peer,
                     [peer](const QModelIndex& index) {
                       auto* cb = dynamic_cast<TCustomComboBox*>(peer->Control);
                       if (cb != nullptr && !peer->Updating && cb->DroppedDown() && index.isValid())
                         cb->UserSelect(index.row());
                     });
    QObject::connect(combo, &QComboBox::editTextChanged, peer, [peer](const QString& t) {
      if (auto* cb = dynamic_cast<TCustomComboBox*>(peer->Control); cb != nullptr && !peer->Updating)
        cb->UserEdited(S(t));
    });
  } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
    QObject::connect(check, &QCheckBox::clicked, peer, [peer] {
      auto* cb = dynamic_cast<TCustomCheckBox*>(peer->Control);
      if (cb == nullptr || peer->Updating) return;
      cb->Toggle();
      if (peer->Control != nullptr) peer->ControlChanged(*peer->Control, TChangeKind::ckChecked);
    });
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    QObject::connect(button, &QAbstractButton::clicked, peer, [peer] {
      if (peer->Control == nullptr || peer->Updating) return;
      peer->Control->Click();
      if (peer->Control != nullptr) peer->ControlChanged(*peer->Control, TChangeKind::ckChecked);
    });
  }
  if (auto* anim = dynamic_cast<TAnimate*>(&control)) {
    peer->AnimTimer = new QTimer(peer);
    QObject::connect(peer->AnimTimer, &QTimer::timeout, peer, [anim, peer] {
      if (peer->Control != nullptr) anim->NextFrame();
    });
  }
  if (auto* form = dynamic_cast<TForm*>(&control)) {
    auto* fw = static_cast<TFormWindow*>(w);
    fw->RebuildMenu();
    (void)form;
  }

  peer->SyncAll();
  if (auto* win = dynamic_cast<TWinControl*>(&control)) {
    for (int i = 0; i < win->ControlCount(); ++i)
      CreatePeer(*win->Controls(i), peer->Content ? peer->Content.data() : w);
  }
  if (dynamic_cast<TPageControl*>(&control) != nullptr) peer->ControlChanged(control, TChangeKind::ckPage);
  if (auto* box = dynamic_cast<TScrollBox*>(&control)) box->ContentChanged();
  return peer;
}

QWidget* TQtRenderer::Window(TForm& form) {
  if (QWidget* w = Peer(form)) return w;
  return CreatePeer(form, nullptr)->Widget.data();
}

void TQtRenderer::FormVisibleChanged(TForm& form) {
  auto* fw = static_cast<TFormWindow*>(Window(form));
  if (fw == nullptr) return;
  if (!form.Visible()) {
    fw->hide();
    return;
  }
  fw->SyncSize();
  if (!fw->Placed) {
    fw->Placed = true;
    const TPosition pos = form.Position();
    if (pos == poScreenCenter || pos == poDesktopCenter || pos == poMainFormCenter || pos == poOwnerFormCenter) {
      if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->availableGeometry();
        fw->move(g.x() + (g.width() - fw->width()) / 2, g.y() + (g.height() - fw->height()) / 2);
      }
    } else if (pos == poDesigned) {
      fw->move(form.Left(), form.Top());
    }
  }
  if (form.WindowState() == wsMaximized)
    fw->showMaximized();
  else if (form.WindowState() == wsMinimized)
    fw->showMinimized();
  else
    fw->show();
  fw->raise();
  fw->activateWindow();
  if (form.ActiveControl() != nullptr) {
    if (QWidget* pw = Peer(*form.ActiveControl())) pw->setFocus(Qt::ActiveWindowFocusReason);
  }
}

void TQtRenderer::RunModal(TForm& form) {
  auto* fw = static_cast<TFormWindow*>(Window(form));
  if (fw == nullptr) return;
  fw->setWindowModality(Qt::ApplicationModal);
  if (!fw->isVisible()) fw->show();
  QPointer<TFormWindow> guard(fw);
  QEventLoop loop;
  QEventLoop* previous = fw->Loop;
  fw->Loop = &loop;
  // A result set before the loop runs ends it at once.
  if (form.ModalResult() != mrNone && form.CloseModal()) {
    fw->Loop = previous;
    return;
  }
  loop.exec();
  if (guard) {
    guard->Loop = previous;
    guard->setWindowModality(Qt::NonModal);
  }
}

void TQtRenderer::ModalResultChanged(TForm& form) {
  auto* fw = static_cast<TFormWindow*>(Peer(form));
  if (fw == nullptr || fw->Loop == nullptr || !form.Modal() || form.ModalResult() == mrNone) return;
  if (form.CloseModal()) fw->Loop->quit();
}

void TQtRenderer::FormClosed(TForm& form, TCloseAction /*action*/) {
  if (&form == FMainForm) QCoreApplication::quit();
}

void TQtRenderer::ProcessMessages() { QCoreApplication::processEvents(); }

void TQtRenderer::Popup(TPopupMenu& menu, int x, int y) {
  QMenu m;
  TFormWindow::BuildMenu(*menu.Items(), nullptr, &m);
  m.exec(QPoint(x, y));
}

int TQtRenderer::TextWidth(const TFont& font, std::string_view text) {
  return QFontMetrics(QtFont(font)).horizontalAdvance(Q(text));
}

int TQtRenderer::TextHeight(const TFont& font) { return QFontMetrics(QtFont(font)).height(); }

}  // namespace orv::qtui
