// The table of live buffers behind the 32-bit handles.
#include <mutex>
#include <unordered_map>

#include "buffer.h"

namespace imgcore {
namespace {

struct Table {
  std::mutex lock;
  std::unordered_map<HBUF, std::unique_ptr<ImageBuffer>> buffers;
  HBUF next = 1;
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

HBUF RegisterBuffer(std::unique_ptr<ImageBuffer> buffer) {
  if (!buffer) return 0;
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  // Skip 0 (no buffer) and, after a wrap of the counter, handles still live.
  while (t.next == 0 || t.buffers.count(t.next)) ++t.next;
  HBUF handle = t.next++;
  t.buffers.emplace(handle, std::move(buffer));
  return handle;
}

ImageBuffer* FindBuffer(HBUF handle) {
  if (handle == 0) return nullptr;
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  auto it = t.buffers.find(handle);
  return it == t.buffers.end() ? nullptr : it->second.get();
}

bool ReleaseBuffer(HBUF handle) {
  std::unique_ptr<ImageBuffer> doomed;
  {
    Table& t = TheTable();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.buffers.find(handle);
    if (handle == 0 || it == t.buffers.end()) return false;
    doomed = std::move(it->second);
    t.buffers.erase(it);
  }
  return true;  // the pixels go with `doomed`, outside the table lock
}

size_t LiveBufferCount() {
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  return t.buffers.size();
}

ImageBuffer* FindBufferHolding(const void* address) {
  if (!address) return nullptr;
  // Compared as integers: the pointer may belong to no buffer at all.
  auto at = reinterpret_cast<uintptr_t>(address);
  Table& t = TheTable();
  std::lock_guard<std::mutex> guard(t.lock);
  for (auto& entry : t.buffers) {
    ImageBuffer* b = entry.second.get();
    auto start = reinterpret_cast<uintptr_t>(b->pixels.get());
    if (at >= start && at - start < b->dataSize) return b;
  }
  return nullptr;
}

}  // namespace imgcore
