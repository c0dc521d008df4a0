#include "resource_handles.h"

#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace lvres {
namespace {

constexpr HANDLE kFirstResourceHandle = 0x7E000001u;
constexpr size_t kMaxResourceHandles = 0x00FFFFFFu;

struct HandleTable {
  std::mutex lock;
  std::vector<ResourceData> byIndex;
  std::map<std::pair<const unsigned char*, uint32_t>, HANDLE> byData;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable;  // lives for the whole process
  return *table;
}

}  // namespace

HANDLE HandleForResource(const unsigned char* data, uint32_t size) {
  HandleTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  auto key = std::make_pair(data, size);
  auto it = t.byData.find(key);
  if (it != t.byData.end()) return it->second;
  if (t.byIndex.size() >= kMaxResourceHandles) return 0;
  HANDLE h = kFirstResourceHandle + static_cast<HANDLE>(t.byIndex.size());
  t.byIndex.push_back({data, size});
  t.byData.emplace(key, h);
  return h;
}

bool ResourceOfHandle(HANDLE handle, ResourceData& out) {
  if (handle < kFirstResourceHandle) return false;
  HandleTable& t = Table();
  std::lock_guard<std::mutex> guard(t.lock);
  size_t index = handle - kFirstResourceHandle;
  if (index >= t.byIndex.size()) return false;
  out = t.byIndex[index];
  return true;
}

}  // namespace lvres
