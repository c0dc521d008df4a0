// Movable global memory with 32-bit handles. The local heap is the same one.
#include <win/kernel.h>

#include <cstdlib>
#include <mutex>

#include "handle_table.h"

namespace {

// Larger requests fail as the real heap would fail them.
constexpr SIZE_T kMaxBlock = SIZE_T(1) << 31;

struct Block {
  unsigned char* data;  // malloc'ed, at least one byte so a lock never gives NULL
  SIZE_T size;          // as requested
  UINT flags;           // GMEM_MOVEABLE, GMEM_DISCARDABLE, ... as allocated or modified
  UINT locks;           // lock count
};

struct Heap {
  std::mutex lock;
  lv::HandleTable<Block> blocks{lv::kMemoryTag};
};

Heap& TheHeap() {
  static Heap* heap = new Heap;  // lives for the whole process
  return *heap;
}

UINT KeptFlags(UINT flags) { return flags & (GMEM_MOVEABLE | GMEM_DISCARDABLE | GMEM_SHARE); }

// Resizes a block's storage; false (block unchanged) when memory is short.
bool Resize(Block& block, SIZE_T bytes, bool zeroNew) {
  auto* data = static_cast<unsigned char*>(realloc(block.data, bytes ? bytes : 1));
  if (!data) return false;
  if (zeroNew && bytes > block.size) memset(data + block.size, 0, bytes - block.size);
  block.data = data;
  block.size = bytes;
  return true;
}

// The block of a handle; for an unknown handle, nullptr with
// ERROR_INVALID_HANDLE as the last error. The caller holds the heap lock.
Block* FindBlock(Heap& heap, HGLOBAL mem) {
  Block* block = heap.blocks.Find(mem);
  if (!block) SetLastError(ERROR_INVALID_HANDLE);
  return block;
}

}  // namespace

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) {
  if (bytes > kMaxBlock) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  void* data = (flags & GMEM_ZEROINIT) ? calloc(bytes ? bytes : 1, 1) : malloc(bytes ? bytes : 1);
  if (!data) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  Heap& heap = TheHeap();
  std::lock_guard<std::mutex> guard(heap.lock);
  HGLOBAL handle = heap.blocks.Add(Block{static_cast<unsigned char*>(data), bytes, KeptFlags(flags), 0});
  if (!handle) {
    free(data);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  }
  return handle;
}

HGLOBAL WINAPI GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
  Heap& heap = TheHeap();
  std::lock_guard<std::mutex> guard(heap.lock);
  Block* block = FindBlock(heap, mem);
  if (!block) return 0;
  if (flags & GMEM_MODIFY) {
    block->flags = (block->flags & ~(GMEM_MOVEABLE | GMEM_DISCARDABLE)) | KeptFlags(flags);
    return mem;
  }
  // A locked block keeps its address unless the caller allows it to move.
  bool mayMove = block->locks == 0 || (flags & GMEM_MOVEABLE);
  if (bytes > kMaxBlock || (!mayMove && bytes > block->size)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  if (!mayMove) {
    block->size = bytes;  // shrinking in place
    return mem;
  }
  if (!Resize(*block, bytes, (flags & GMEM_ZEROINIT) != 0)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  return mem;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL mem) {
  Heap& heap = TheHeap();
  std::lock_guard<std::mutex> guard(heap.lock);
  Block* block = FindBlock(heap, mem);
  if (!block) return mem;
  free(block->data);
  heap.blocks.Remove(mem);
  return 0;
}

LPVOID WINAPI GlobalLock(HGLOBAL mem) {
  Heap& heap = TheHeap();
  std::lock_guard<std::mutex> guard(heap.lock);
  Block* block = FindBlock(heap, mem);
  if (!block) return nullptr;
  if (block->locks < GMEM_LOCKCOUNT) ++block->locks;
  return block->data;
}

BOOL WINAPI GlobalUnlock(HGLOBAL mem) {
  Heap& heap = TheHeap();
  std::lock_guard<std::mutex> guard(heap.lock);
  Block* block = FindBlock(heap, mem);
  if (!block) return FALSE;
  if (block->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--block->locks == 0) {
    SetLastError(NO_ERROR);
    return FALSE;
  }
  return TRUE;
}

SIZE_T WINAPI GlobalSize(HGLOBAL mem) {
  Heap& heap = TheHeap();
  std::lock_guard<std::mutex> guard(heap.lock);
  Block* block = FindBlock(heap, mem);
  if (!block) return 0;
  return block->size;
}

HGLOBAL WINAPI GlobalHandle(LPCVOID address) {
  Heap& heap = TheHeap();
  std::lock_guard<std::mutex> guard(heap.lock);
  if (address) {
    for (auto& [handle, block] : heap.blocks.Entries()) {
      if (block.data == address) return handle;
    }
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return 0;
}

UINT WINAPI GlobalFlags(HGLOBAL mem) {
  Heap& heap = TheHeap();
  std::lock_guard<std::mutex> guard(heap.lock);
  Block* block = FindBlock(heap, mem);
  if (!block) return GMEM_INVALID_HANDLE;
  return block->locks | (block->flags & GMEM_DISCARDABLE);
}

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
  UINT global = (flags & (LMEM_MOVEABLE | LMEM_ZEROINIT)) | ((flags & LMEM_DISCARDABLE) ? GMEM_DISCARDABLE : 0);
  return GlobalAlloc(global, bytes);
}
HLOCAL WINAPI LocalReAlloc(HLOCAL mem, SIZE_T bytes, UINT flags) {
  UINT global = (flags & (LMEM_MOVEABLE | LMEM_ZEROINIT | LMEM_MODIFY)) | ((flags & LMEM_DISCARDABLE) ? GMEM_DISCARDABLE : 0);
  return GlobalReAlloc(mem, bytes, global);
}
HLOCAL WINAPI LocalFree(HLOCAL mem) { return GlobalFree(mem); }
LPVOID WINAPI LocalLock(HLOCAL mem) { return GlobalLock(mem); }
BOOL WINAPI LocalUnlock(HLOCAL mem) { return GlobalUnlock(mem); }
SIZE_T WINAPI LocalSize(HLOCAL mem) { return GlobalSize(mem); }
HLOCAL WINAPI LocalHandle(LPCVOID address) { return GlobalHandle(address); }
UINT WINAPI LocalFlags(HLOCAL mem) {
  UINT flags = GlobalFlags(mem);
  if (flags & GMEM_DISCARDABLE) flags = (flags & ~GMEM_DISCARDABLE) | 0x0F00;
  return flags;
}
