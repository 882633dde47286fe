#include "Waitwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "orv/paramset/Attesa.h"
#include "orv/platform/Screen.h"

namespace orv::qtui {

// A small looping animation of ours: a ring of dots turning at five frames a
// second, 32 x 32 pixels.
class TWaitWindowView::TAnimation final : public QWidget {
 public:
  explicit TAnimation(QWidget* parent) : QWidget(parent), FTimer(this) {
    setFixedSize(33, 33);
    QObject::connect(&FTimer, &QTimer::timeout, this, [this] {
      FFrame = (FFrame + 1) % 8;
      update();
    });
  }
  void SetActive(bool active) {
    if (active && !FTimer.isActive()) FTimer.start(200);
    if (!active) FTimer.stop();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 8; ++i) {
      const double a = (i * 45.0) * 3.14159265358979 / 180.0;
      const int age = (FFrame - i + 8) % 8;
      QColor c(20, 40, 110);
      c.setAlpha(255 - age * 28);
      p.setBrush(c);
      p.setPen(Qt::NoPen);
      p.drawEllipse(QPointF(16.5 + 11 * std::cos(a), 16.5 + 11 * std::sin(a)), 3.2, 3.2);
    }
  }

 private:
  QTimer FTimer;
  int FFrame = 0;
};

// The progress bar: a lowered frame filled from the left with a horizontal
// gradient from yellow to red in 50 steps over the whole width.
class TWaitWindowView::TProgressBar final : public QWidget {
 public:
  explicit TProgressBar(QWidget* parent) : QWidget(parent) { setFixedSize(217, 25); }
  void SetPosition(int position) {
    FPosition = std::clamp(position, 0, 100);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), palette().base());
    const int inner = width() - 4;
    const int filled = inner * FPosition / 100;
    constexpr int kSteps = 50;
    for (int step = 0; step < kSteps; ++step) {
      const int x0 = 2 + inner * step / kSteps;
      const int x1 = 2 + inner * (step + 1) / kSteps;
      if (x0 >= 2 + filled) break;
      const int green = 255 - 255 * step / (kSteps - 1);
      p.fillRect(QRect(QPoint(x0, 2), QPoint(std::min(x1, 2 + filled) - 1, height() - 3)), QColor(255, green, 0));
    }
    p.setPen(palette().dark().color());
    p.drawLine(frame.topLeft(), frame.topRight());
    p.drawLine(frame.topLeft(), frame.bottomLeft());
    p.setPen(palette().light().color());
    p.drawLine(frame.bottomLeft(), frame.bottomRight());
    p.drawLine(frame.topRight(), frame.bottomRight());
  }

 private:
  int FPosition = 0;
};

TWaitWindowView::TWaitWindowView(paramset::TFormAttesa& model)
    : QDialog(QApplication::activeWindow(), Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                                                Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
      FModel(model) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setModal(false);
  const QColor text = QColor(0x00, 0x00, 0x9B);  // the design's dark blue (10158080)
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, text);
  setPalette(pal);

  auto* layout = new QGridLayout(this);
  FMessage = new QLabel(this);
  FMessage->setAlignment(Qt::AlignCenter);
  QFont messageFont = font();
  messageFont.setPixelSize(15);
  FMessage->setFont(messageFont);
  FAnimation = new TAnimation(this);
  FBar = new TProgressBar(this);
  FCompleted = new QLabel(this);
  layout->addWidget(FMessage, 0, 0, 1, 3);
  layout->addWidget(FAnimation, 1, 0);
  layout->addWidget(FBar, 1, 1);
  layout->addWidget(FCompleted, 2, 1);
  setMinimumSize(model.ClientWidth(), model.ClientHeight());

  FModel.OnPaint = [this](bool allWindows) { Refresh(allWindows); };
  Refresh(false);
}

TWaitWindowView::~TWaitWindowView() = default;

void TWaitWindowView::Refresh(bool allWindows) {
  setWindowTitle(QString::fromStdString(FModel.Caption()));
  FMessage->setText(QString::fromStdString(FModel.Message()));
  FCompleted->setText(QString::fromStdString(FModel.CompletedText()));
  FBar->SetPosition(FModel.Position());
  FAnimation->SetActive(FModel.AnimationActive());
  if (FModel.Visible() && !isVisible()) {
    // Centred on the screen.
    adjustSize();
    const QRect screen =
        QApplication::primaryScreen() != nullptr ? QApplication::primaryScreen()->geometry() : QRect(0, 0, 800, 600);
    move(screen.center() - rect().center());
    show();
  } else if (!FModel.Visible() && isVisible()) {
    hide();
  }
  // Painted at once: the user-interface thread is busy with the operation.
  if (allWindows) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) w->repaint();
  } else if (isVisible()) {
    repaint();
  }
}

void TWaitWindowView::closeEvent(QCloseEvent* event) {
  // The operation decides when the window goes.
  event->ignore();
}

void ShowWaitWindows(paramset::TFormAttesa& model) {
  // The view lives as long as the model: a child component that deletes it.
  struct TViewOwner final : platform::TComponent {
    TViewOwner(platform::TComponent* owner, TWaitWindowView* view) : platform::TComponent(owner), FView(view) {}
    ~TViewOwner() override { delete FView; }
    TWaitWindowView* FView;
  };
  new TViewOwner(&model, new TWaitWindowView(model));
}

}  // namespace orv::qtui
