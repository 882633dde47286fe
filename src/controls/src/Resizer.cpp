#include "orv/controls/Resizer.h"

namespace orv::controls {

TResizer::TResizer(platform::TComponent* owner, platform::TComponent* target)
    : platform::TComponent(owner), FTarget(target) {
  SetName("Resizer");
  if (FTarget != nullptr && FTarget != owner) FreeNotification(FTarget);
}

void TResizer::Notification(platform::TComponent* component, platform::TOperation operation) {
  platform::TComponent::Notification(component, operation);
  if (operation == platform::TOperation::opRemove && component == FTarget) FTarget = nullptr;
}

}  // namespace orv::controls
