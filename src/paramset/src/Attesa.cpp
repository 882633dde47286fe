#include "orv/paramset/Attesa.h"

#include <algorithm>

#include "orv/link/Orvconnection.h"
#include "orv/platform/Screen.h"

namespace orv::paramset {

TFormAttesa::TFormAttesa(platform::TComponent* owner, link::TOrvConnection* connection)
    : platform::TComponent(owner), FConnection(connection) {
  SetName("FormAttesa");
  const int screenWidth = platform::Screen().Width();
  if (screenWidth != 800 && screenWidth > 0) {
    FClientWidth = kClientWidth * screenWidth / 800;
    FClientHeight = kClientHeight * screenWidth / 800;
  }
  if (FConnection != nullptr) {
    FreeNotification(FConnection);
    FConnection->AddLinkListener(this);
  }
}

TFormAttesa::~TFormAttesa() {
  if (FConnection != nullptr) {
    FConnection->RemoveLinkListener(this);
    RemoveFreeNotification(FConnection);
    FConnection = nullptr;
  }
}

void TFormAttesa::Notification(platform::TComponent* component, platform::TOperation operation) {
  platform::TComponent::Notification(component, operation);
  if (operation == platform::TOperation::opRemove && component == FConnection) {
    // The connection forgets its listeners as it goes.
    FConnection = nullptr;
  }
}

void TFormAttesa::SetProgress(std::uint8_t percent, bool absolute) {
  const std::uint8_t position =
      absolute ? percent : static_cast<std::uint8_t>(static_cast<std::uint8_t>(FPosition) + percent);
  FPosition = std::min<int>(position, 100);
  FCompletedText = std::to_string(FPosition) + "% " + FTextCompleted;
  Paint(false);
}

void TFormAttesa::Show() {
  FVisible = true;
  Paint(false);
}

std::intptr_t TFormAttesa::Perform(unsigned msg, std::intptr_t wparam, std::intptr_t lparam) {
  if (msg != platform::WM_PROGRESS) return 0;
  SetProgress(static_cast<std::uint8_t>(wparam & 0xFF), lparam == 0);
  Paint(true);
  return 0;
}

void TFormAttesa::Paint(bool allWindows) {
  if (OnPaint) OnPaint(allWindows);
}

}  // namespace orv::paramset
