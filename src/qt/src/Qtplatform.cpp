#include "orv/qtui/Qtplatform.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "orv/platform/Screen.h"

namespace orv::qtui {

using namespace orv::platform;

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.c_str(), static_cast<qsizetype>(s.size())); }

struct TButtonMap {
  unsigned Model;
  QMessageBox::StandardButton Qt;
  int Result;
};
constexpr TButtonMap kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},
    {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},
    {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},
    {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
};

}  // namespace

int TQtDialogs::MessageBox(const std::string& text, const std::string& caption, TMsgDlgType type, unsigned buttons,
                           unsigned defaultButton) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(Q(caption));
  box.setText(Q(text));
  switch (type) {
    case TMsgDlgType::mtWarning:
      box.setIcon(QMessageBox::Warning);
      break;
    case TMsgDlgType::mtError:
      box.setIcon(QMessageBox::Critical);
      break;
    case TMsgDlgType::mtInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case TMsgDlgType::mtConfirmation:
      box.setIcon(QMessageBox::Question);
      break;
    case TMsgDlgType::mtCustom:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  QMessageBox::StandardButtons set;
  for (const TButtonMap& b : kButtons) {
    if ((buttons & b.Model) != 0) set |= b.Qt;
  }
  if (set == QMessageBox::NoButton) set = QMessageBox::Ok;
  box.setStandardButtons(set);
  for (const TButtonMap& b : kButtons) {
    if (b.Model == defaultButton && (set & b.Qt) != 0) box.setDefaultButton(b.Qt);
  }
  const int chosen = box.exec();
  for (const TButtonMap& b : kButtons) {
    if (chosen == b.Qt) return b.Result;
  }
  // Closed without a button: Cancel when offered, else the first button.
  if ((buttons & mbCancel) != 0) return mrCancel;
  if ((buttons & mbNo) != 0) return mrNo;
  return mrOk;
}

std::string QtFileFilter(const std::string& filter) {
  // "Name|pattern|Name|pattern" pairs.
  std::string out;
  std::size_t pos = 0;
  while (pos <= filter.size()) {
    const std::size_t bar = filter.find('|', pos);
    if (bar == std::string::npos) break;
    const std::size_t next = filter.find('|', bar + 1);
    std::string name = filter.substr(pos, bar - pos);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    std::string pattern = filter.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
    for (char& c : pattern) {
      if (c == ';') c = ' ';
    }
    if (!out.empty()) out += ";;";
    out += name + " (" + pattern + ")";
    if (next == std::string::npos) break;
    pos = next + 1;
  }
  return out.empty() ? filter : out;
}

namespace {
bool RunFileDialog(const TFileDialogSpec& spec, std::string& fileName, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(QApplication::activeWindow(), Q(spec.Title));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setNameFilter(Q(QtFileFilter(spec.Filter)));
  dialog.setDefaultSuffix(Q(spec.DefaultExt));
  if (!spec.InitialDir.empty()) dialog.setDirectory(Q(spec.InitialDir));
  if (!spec.FileName.empty()) dialog.selectFile(Q(spec.FileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  fileName = dialog.selectedFiles().front().toStdString();
  return true;
}
}  // namespace

bool TQtDialogs::OpenFileDialog(const TFileDialogSpec& spec, std::string& fileName) {
  return RunFileDialog(spec, fileName, QFileDialog::AcceptOpen);
}

bool TQtDialogs::SaveFileDialog(const TFileDialogSpec& spec, std::string& fileName) {
  return RunFileDialog(spec, fileName, QFileDialog::AcceptSave);
}

void TQtDialogs::Beep() { QApplication::beep(); }

TQtMainThread::TQtMainThread() = default;

void TQtMainThread::WorkArrived() {
  // Any thread: the queued call runs the work on the GUI thread's loop.
  QMetaObject::invokeMethod(
      this, [this] { CheckSynchronize(); }, Qt::QueuedConnection);
}

void TQtMainThread::ProcessMessages() {
  CheckSynchronize();
  QCoreApplication::processEvents();
}

namespace {
bool gOverride = false;

Qt::CursorShape Shape(TCursor cursor) {
  switch (cursor) {
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

void ShowCursor(TCursor cursor) {
  if (gOverride) {
    QGuiApplication::restoreOverrideCursor();
    gOverride = false;
  }
  if (cursor != crDefault && cursor != crArrow) {
    QGuiApplication::setOverrideCursor(QCursor(Shape(cursor)));
    gOverride = true;
  }
}
}  // namespace

void InstallScreen() {
  if (QScreen* s = QGuiApplication::primaryScreen()) Screen().SetSize(s->geometry().width(), s->geometry().height());
  Screen().OnCursorChanged = [](TCursor c) { ShowCursor(c); };
  ShowCursor(Screen().Cursor());
}

void RemoveScreen() {
  Screen().OnCursorChanged = nullptr;
  if (gOverride) {
    QGuiApplication::restoreOverrideCursor();
    gOverride = false;
  }
}

}  // namespace orv::qtui
