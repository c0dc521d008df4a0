// Loading a module: DllMain notifications, exports by name and by ordinal,
// reference counts, its file name, its registered resources, and handles of
// the program and of linked libraries.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <win/lvmodule.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "testsupport.h"

namespace {

using AddFunction = int (*)(int, int);

// Function pointers from GetProcAddress are cast through the generic function type.
AddFunction AsAdd(FARPROC proc) { return reinterpret_cast<AddFunction>(reinterpret_cast<void (*)()>(proc)); }

std::string Events() {
  const char* e = getenv("KERNEL_TEST_EVENTS");
  return e ? e : "";
}

std::string ModuleWinPath() {
  char win[MAX_PATH];
  EXPECT_TRUE(lvUnixPathToWin(KERNEL_TEST_MODULE, win, sizeof win));
  return win;
}

class Modules : public testing::Test {
 protected:
  void SetUp() override {
    unsetenv("KERNEL_TEST_EVENTS");
    unsetenv("KERNEL_TEST_REFUSE");
  }
};

TEST_F(Modules, LoadsBindsAndUnloads) {
  HMODULE m = LoadLibraryA(ModuleWinPath().c_str());
  ASSERT_NE(m, 0u) << "error " << GetLastError();
  EXPECT_EQ(Events(), "A");
  auto add = AsAdd(GetProcAddress(m, "TestAdd"));
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(add(2, 3), 5);
  auto byOrdinal = AsAdd(GetProcAddress(m, MAKEINTRESOURCE(1)));
  EXPECT_EQ(byOrdinal, add);
  EXPECT_NE(GetProcAddress(m, MAKEINTRESOURCE(7)), nullptr);
  auto* value = reinterpret_cast<int*>(GetProcAddress(m, "TestValue"));
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(*value, 42);
  for (LPCSTR missing : {LPCSTR("TestHidden"), LPCSTR("NoSuchExport"), LPCSTR("DllMainX"), LPCSTR(MAKEINTRESOURCE(2))}) {
    EXPECT_EQ(GetProcAddress(m, missing), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  // A second load only counts a reference.
  EXPECT_EQ(LoadLibraryA(KERNEL_TEST_MODULE), m);
  EXPECT_EQ(Events(), "A");
  EXPECT_TRUE(FreeLibrary(m));
  EXPECT_EQ(Events(), "A");
  EXPECT_TRUE(FreeLibrary(m));
  EXPECT_EQ(Events(), "AD");
  EXPECT_FALSE(FreeLibrary(m));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetProcAddress(m, "TestAdd"), nullptr);
}

TEST_F(Modules, RefusedAttachUnloads) {
  setenv("KERNEL_TEST_REFUSE", "1", 1);
  EXPECT_EQ(LoadLibraryA(ModuleWinPath().c_str()), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  EXPECT_EQ(Events(), "AD");
  EXPECT_EQ(GetModuleHandleA("kernel_testmodule.tpi"), 0u);
}

TEST_F(Modules, NamesFileAndResources) {
  std::string path = ModuleWinPath();
  std::string upper = path;
  CharUpperA(upper.data());  // names resolve without regard to case
  HMODULE m = LoadLibraryA(upper.c_str());
  ASSERT_NE(m, 0u);
  char name[MAX_PATH];
  DWORD n = GetModuleFileNameA(m, name, sizeof name);
  EXPECT_EQ(std::string(name, n), path);
  EXPECT_EQ(path.substr(0, 3), "Z:\\");
  char small[8];
  EXPECT_EQ(GetModuleFileNameA(m, small, sizeof small), 8u);
  EXPECT_EQ(small[7], '\0');
  EXPECT_EQ(GetModuleHandleA("KERNEL_TESTMODULE.TPI"), m);
  const unsigned char* data = nullptr;
  size_t size = 0;
  EXPECT_EQ(lvModuleResourceBlobs(m, 0, &data, &size), 1u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), "testblob");
  FreeLibrary(m);
  EXPECT_EQ(lvModuleResourceBlobs(m, 0, &data, &size), 0u);
}

TEST_F(Modules, BareNamesAreSearchedBesideTheProgram) {
  // The test module is built beside the test program.
  HMODULE m = LoadLibraryA("KERNEL_TESTMODULE.TPI");
  ASSERT_NE(m, 0u) << "error " << GetLastError();
  EXPECT_EQ(LoadLibraryA("kernel_testmodule.tpi"), m);  // found among the loaded ones
  EXPECT_EQ(Events(), "A");
  // Loaded again after an earlier unload, the module still has its resources.
  EXPECT_EQ(lvModuleResourceBlobs(m, 0, nullptr, nullptr), 1u);
  FreeLibrary(m);
  FreeLibrary(m);
  EXPECT_EQ(Events(), "AD");
}

TEST_F(Modules, MissingOrBrokenFilesFail) {
  EXPECT_EQ(LoadLibraryA("Z:\\no\\such\\module.tpi"), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(LoadLibraryA("nosuchlibrary.dll"), 0u);
  EXPECT_EQ(LoadLibraryA(nullptr), 0u);
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);  // makes drive C: and its temporary folder
  std::ofstream(lvtest::Prefix() / "C" / "temp" / "broken.tpi") << "not a shared object";
  EXPECT_EQ(LoadLibraryA("C:\\temp\\broken.tpi"), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
}

TEST_F(Modules, ProgramAndLinkedLibrariesHaveHandles) {
  HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(program, 0u);
  HMODULE fromAddress = 0;
  static int inProgram;
  ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCSTR>(&inProgram), &fromAddress));
  EXPECT_EQ(fromAddress, program);
  HMODULE platform = 0;
  ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCSTR>(&GlobalAlloc), &platform));
  EXPECT_NE(platform, program);
  char name[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(platform, name, sizeof name), 0u);
  EXPECT_NE(std::string(name).find("libwin32.so"), std::string::npos) << name;
  EXPECT_EQ(GetModuleHandleA("libwin32.so"), platform);
  EXPECT_EQ(GetModuleHandleA("win32.dll"), platform);
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(platform, "GlobalAlloc")),
            reinterpret_cast<void*>(&GlobalAlloc));
  // Linked libraries stay loaded whatever the count says.
  EXPECT_EQ(LoadLibraryA("win32.dll"), platform);
  EXPECT_TRUE(FreeLibrary(platform));
  EXPECT_TRUE(FreeLibrary(platform));
  EXPECT_EQ(GetModuleHandleA("win32"), platform);
  ASSERT_GT(GetModuleFileNameA(0, name, sizeof name), 0u);
  EXPECT_NE(std::string(name).find("kernel_tests"), std::string::npos) << name;
}

}  // namespace
