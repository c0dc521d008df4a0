// The library loaded by its host name, as the album exporter loads it, and
// every conversion call bound by name.
#include <gtest/gtest.h>

#include <imgconvert.h>

#include "module_binding.h"

namespace {

TEST(Exports, EveryCallResolvesThroughTheHostName) {
  HMODULE module = LoadLibraryA("imgconvert.dll");
  ASSERT_NE(module, 0u);
  const char* names[] = {"cvt32DIBPtrToBuf", "cvt32DIBToBuf",        "cvt32GetDIBInfo",
                         "cvt32BufType",     "cvt32GetDefOptionsEx", "cvt32IfHasDlgBox",
                         "cvt32BufToDIB",    "cvt32DIBToDIB",        "cvt32DIBToDIBOpt"};
  for (const char* name : names) EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
  using DibToDib = HGLOBAL (*)(HGLOBAL, LONG, const CVT32OPTIONS*);
  auto bound = lvtest::Bind<DibToDib>(module, "cvt32DIBToDIB");
  ASSERT_NE(bound, nullptr);
  EXPECT_EQ(bound(0, CVT32_TYPE_RGB, nullptr), 0u);  // a dead block fails cleanly
  FreeLibrary(module);
}

}  // namespace
