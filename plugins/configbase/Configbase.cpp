// The resource library: answers pictures by resource number. They are drawn
// once, when first asked for, and live as long as the library is loaded.

#include <map>
#include <mutex>
#include <vector>

#include "Pictures.h"
#include "orv/plugins/Export.h"
#include "orv/plugins/Resourcelibrary.h"

namespace {

using namespace orv;

// Flags exist for the languages the language library ships and a few more.
constexpr std::uint32_t kFlagCount = 8;

std::mutex gMutex;
std::map<std::uint32_t, std::vector<std::uint8_t>> gResources;

const std::vector<std::uint8_t>* Find(std::uint32_t resource) {
  std::lock_guard lock(gMutex);
  auto it = gResources.find(resource);
  if (it != gResources.end()) return &it->second;
  std::vector<std::uint8_t> bytes;
  if (resource == plugins::kResIcon) {
    bytes = configbase::DrawIcon().ToBitmapFile();
  } else if (resource == plugins::kResAboutPicture) {
    bytes = configbase::DrawAboutPicture().ToBitmapFile();
  } else if (resource >= plugins::kResFirstFlag && resource < plugins::kResFirstFlag + kFlagCount) {
    bytes = configbase::DrawFlag(static_cast<int>(resource - plugins::kResFirstFlag)).ToBitmapFile();
  } else {
    return nullptr;
  }
  return &gResources.emplace(resource, std::move(bytes)).first->second;
}

}  // namespace

ORV_PLUGIN_EXPORT const std::uint8_t* _GetResource(std::uint32_t resource, std::uint32_t* size) {
  const std::vector<std::uint8_t>* bytes = Find(resource);
  if (bytes == nullptr) {
    if (size != nullptr) *size = 0;
    return nullptr;
  }
  if (size != nullptr) *size = static_cast<std::uint32_t>(bytes->size());
  return bytes->data();
}
