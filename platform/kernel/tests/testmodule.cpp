// A loadable module for the module tests. DllMain appends 'A' (attach) or
// 'D' (detach) to the environment variable KERNEL_TEST_EVENTS and refuses to
// attach while KERNEL_TEST_REFUSE is set.
#include <stdlib.h>
#include <win/lvmodule.h>
#include <windows.h>

#include <string>

namespace {

const unsigned char kBlob[] = {'t', 'e', 's', 't', 'b', 'l', 'o', 'b'};

struct Registrar {
  Registrar() { lvRegisterModuleResources(kBlob, kBlob, sizeof kBlob); }
} registrar;

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  const char* before = getenv("KERNEL_TEST_EVENTS");
  std::string events = before ? before : "";
  events += reason == DLL_PROCESS_ATTACH ? 'A' : (reason == DLL_PROCESS_DETACH ? 'D' : '?');
  setenv("KERNEL_TEST_EVENTS", events.c_str(), 1);
  return !(reason == DLL_PROCESS_ATTACH && getenv("KERNEL_TEST_REFUSE"));
}

extern "C" int TestAdd(int a, int b) { return a + b; }

extern "C" const char* TestGreeting() { return "Grüße"; }

extern "C" {
int TestValue = 42;
}

// Not in the export list: must stay invisible.
extern "C" int TestHidden() { return 1; }
