// Movable global memory: handles, locks, resizing and bad handles.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

namespace {

TEST(GlobalMemory, AllocatesZeroedMovableAndFixedBlocks) {
  for (UINT flags : {UINT(GHND), UINT(GPTR), UINT(GMEM_MOVEABLE | GMEM_ZEROINIT)}) {
    HGLOBAL h = GlobalAlloc(flags, 100);
    ASSERT_NE(h, 0u) << "flags " << flags;
    auto* p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(p[i], 0) << "byte " << i;
    EXPECT_EQ(GlobalSize(h), 100u);
    EXPECT_EQ(GlobalHandle(p), h);
    GlobalUnlock(h);
    EXPECT_EQ(GlobalFree(h), 0u);
  }
}

TEST(GlobalMemory, CountsLocks) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 8);
  void* a = GlobalLock(h);
  void* b = GlobalLock(h);
  EXPECT_EQ(a, b);
  EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 2u);
  EXPECT_TRUE(GlobalUnlock(h));   // still locked once
  EXPECT_FALSE(GlobalUnlock(h));  // count reached zero
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
  EXPECT_FALSE(GlobalUnlock(h));  // not locked
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
  GlobalFree(h);
}

TEST(GlobalMemory, ReAllocKeepsContentAndHandle) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 16);
  auto* p = static_cast<unsigned char*>(GlobalLock(h));
  for (int i = 0; i < 16; ++i) p[i] = static_cast<unsigned char>(i + 1);
  GlobalUnlock(h);
  ASSERT_EQ(GlobalReAlloc(h, 100000, GMEM_MOVEABLE | GMEM_ZEROINIT), h);
  EXPECT_EQ(GlobalSize(h), 100000u);
  p = static_cast<unsigned char*>(GlobalLock(h));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(p[i], i + 1);
  for (int i = 16; i < 100000; i += 997) EXPECT_EQ(p[i], 0) << "new byte " << i;
  // Locked and not allowed to move: growing fails, the block stays as it was.
  EXPECT_EQ(GlobalReAlloc(h, 200000, 0), 0u);
  EXPECT_EQ(GlobalSize(h), 100000u);
  EXPECT_EQ(GlobalReAlloc(h, 8, 0), h);  // shrinking in place works
  EXPECT_EQ(GlobalSize(h), 8u);
  EXPECT_EQ(p[7], 8);
  GlobalUnlock(h);
  GlobalFree(h);
}

TEST(GlobalMemory, BadHandlesFailCleanly) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4);
  ASSERT_EQ(GlobalFree(h), 0u);
  for (HGLOBAL bad : {h, HGLOBAL(0), HGLOBAL(0x12345678), INVALID_HANDLE_VALUE}) {
    EXPECT_EQ(GlobalLock(bad), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalSize(bad), 0u);
    EXPECT_EQ(GlobalFree(bad), bad);
    EXPECT_EQ(GlobalReAlloc(bad, 10, GMEM_MOVEABLE), 0u);
    EXPECT_EQ(GlobalFlags(bad), static_cast<UINT>(GMEM_INVALID_HANDLE));
  }
  EXPECT_EQ(GlobalHandle(&h), 0u);
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, SIZE_T(1) << 40), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

TEST(GlobalMemory, HandlesAreNotReusedSoon) {
  std::set<HGLOBAL> seen;
  for (int i = 0; i < 1000; ++i) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 1);
    ASSERT_NE(h, 0u);
    EXPECT_TRUE(seen.insert(h).second) << "handle " << h << " came back";
    GlobalFree(h);
  }
}

TEST(GlobalMemory, ZeroSizeBlocksAndLocalHeap) {
  HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(empty, 0u);
  EXPECT_EQ(GlobalSize(empty), 0u);
  EXPECT_NE(GlobalLock(empty), nullptr);
  GlobalUnlock(empty);
  GlobalFree(empty);
  HLOCAL l = LocalAlloc(LHND, 32);
  ASSERT_NE(l, 0u);
  EXPECT_EQ(LocalSize(l), 32u);
  EXPECT_NE(LocalLock(l), nullptr);
  EXPECT_FALSE(LocalUnlock(l));
  EXPECT_EQ(GlobalFree(l), 0u);  // one heap
}

}  // namespace
