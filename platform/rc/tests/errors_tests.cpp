// Broken scripts give "file:line: message" and never crash.
#include "script_fixture.h"

namespace lvrctest {
namespace {

using Errors = ScriptTest;

struct ErrorCase {
  const char* script;
  const char* message;  // the whole message after the folder
};

TEST_F(Errors, BrokenScriptsNameFileLineAndProblem) {
  Write("notbmp.bmp", "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX");
  Write("short.ico", std::string("\0\0\1\0\1\0", 6));
  Write("bad.ico", std::string("\0\0\1\0\1\0\20\20\0\0\1\0\4\0\xff\0\0\0\x16\0\0\0", 22));
  const ErrorCase cases[] = {
      {"STRINGTABLE BEGIN\n1 \"a\"\n1 \"b\"\nEND\n", "t.rc:3: duplicate string id 1"},
      {"1 DIALOG 0,0,10,10\nBEGIN\nLTEXT \"x\", NO_SUCH_ID, 1,2,3,4\nEND\n", "t.rc:3: undefined symbol 'NO_SUCH_ID'"},
      {"\n#include \"missing.h\"\n", "t.rc:2: cannot find include file 'missing.h'"},
      {"1 BITMAP \"nofile.bmp\"\n", "t.rc:1: cannot find file 'nofile.bmp'"},
      {"1 BITMAP \"notbmp.bmp\"\n", "t.rc:1: not a bitmap file (no BM header)"},
      {"1 ICON \"short.ico\"\n", "t.rc:1: the image directory is cut short"},
      {"1 ICON \"bad.ico\"\n", "t.rc:1: image 0 lies outside the file"},
      {"1 CURSOR \"bad.ico\"\n", "t.rc:1: not a cursor file"},
      {"STRINGTABLE BEGIN\n1 \"abc\nEND\n", "t.rc:2: unterminated string"},
      {"STRINGTABLE BEGIN\n1 \"\xff\"\nEND\n", "t.rc:2: string is not valid UTF-8"},
      {"#if 1\n", "t.rc:1: missing #endif"},
      {"#endif\n", "t.rc:1: #endif without #if"},
      {"#if 1/0\n#endif\n", "t.rc:1: division by zero in condition"},
      {"#error stop here\n", "t.rc:1: #error stop here"},
      {"#frobnicate\n", "t.rc:1: unknown directive #frobnicate"},
      {"1 DIALOG 0,0,10,10\nBEGIN\n  FOO \"x\",1,2,3,4,5\nEND\n", "t.rc:3: unknown control statement 'FOO'"},
      {"1 DIALOG 0,0,10\nBEGIN\nEND\n", "t.rc:2: expected ',', found 'BEGIN'"},
      {"1 DIALOG 0,0,10,10\nBEGIN\n", "t.rc:2: missing END of dialog"},
      {"1 DIALOG 0,0,10,70000\nBEGIN\nEND\n", "t.rc:1: value 70000 does not fit in 16 bits"},
      {"1 RCDATA { 1 }\n1 RCDATA { 2 }\n", "t.rc:2: duplicate resource: type 10, name 1 (first defined at "},
      {"STRINGTABLE BEGIN 70000 \"x\" END\n", "t.rc:1: string id 70000 is larger than 65535"},
      {"1 RCDATA { \"\xe2\x82\xac\xe2\x86\x92\" }\n", "t.rc:1: character U+8594 has no Windows-1252 form; use L\"...\""},
      {"1 RCDATA { 1 / (2 - 2) }\n", "t.rc:1: division by zero"},
      {"1 RCDATA\n", "t.rc:1: expected a file name before end of script"},
      {"1\n", "t.rc:1: expected a resource type after 1"},
      {"\xFF\xFE" "1\0", "t.rc:1: the file is UTF-16; save it as UTF-8"},
  };
  for (const ErrorCase& k : cases) {
    std::string got = ErrorOf(k.script);
    EXPECT_EQ(got.substr(0, std::string(k.message).size()), k.message) << "script:\n" << k.script;
  }
}

// Every prefix of a valid script either compiles or fails with an error;
// none may crash or hang.
TEST_F(Errors, EveryTruncationOfAScriptFailsCleanly) {
  Write("h.h", "#define IDD 7\n");
  const std::string full =
      "#include \"h.h\"\n#include <windows.h>\n"
      "/* x */ STRINGTABLE BEGIN 1 \"a\\x41\\101\" 2, L\"w\" END\n"
      "IDD DIALOGEX 0, 0, 50, 50\nSTYLE WS_POPUP | NOT WS_BORDER\nCAPTION \"c\"\nFONT 8, \"f\", 400, 0, 1\n"
      "BEGIN\n  CONTROL \"\", 3, \"msctls_updown32\", UDS_ARROWKEYS, 1, 2, 3, 4\n"
      "  ICON 1, 2, 3, 4\n  EDITTEXT 5, 1, 2, 3, 4, ES_NUMBER\nEND\n"
      "1 MENU BEGIN POPUP \"p\" BEGIN MENUITEM \"i\", 1 END END\n"
      "2 RCDATA { 1, 2L, \"s\" }\n#if defined(IDD) && (IDD | 1) == 7\n3 RCDATA { 3 }\n#endif\n";
  for (size_t n = 0; n <= full.size(); ++n) {
    try {
      Compile(full.substr(0, n));
    } catch (const lvrc::RcError&) {
    }
  }
  EXPECT_NO_THROW(Compile(full));
}

}  // namespace
}  // namespace lvrctest

namespace lvrctest {
namespace {

// Runaway nesting and expansion end in an error, not a crash.
TEST_F(Errors, DeepNestingAndRunawayMacrosAreRefused) {
  std::string parens(5000, '(');
  EXPECT_EQ(ErrorOf("1 RCDATA { " + parens + "1 }\n"), "t.rc:1: expression nested too deeply");
  EXPECT_EQ(ErrorOf("#if " + parens + "1\n#endif\n"), "t.rc:1: condition nested too deeply");
  std::string menu = "1 MENU BEGIN\n";
  for (int i = 0; i < 200; ++i) menu += "POPUP \"p\" BEGIN\n";
  EXPECT_EQ(ErrorOf(menu), "t.rc:66: menus nested too deeply");
  std::string bomb;
  for (int i = 0; i < 40; ++i) bomb += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + " M" + std::to_string(i + 1) + "\n";
  EXPECT_EQ(ErrorOf(bomb + "1 RCDATA { M0 }\n"), "t.rc:41: macro expansion too long");
}

// Scripts with random bytes changed compile or fail with an error.
TEST_F(Errors, MutatedScriptsNeverCrash) {
  const std::string base =
      "#include <windows.h>\n#define X 3\nSTRINGTABLE BEGIN 1 \"a\\tb\" X, L\"w\" END\n"
      "7 DIALOGEX 0,0,9,9\nFONT 8, \"f\"\nBEGIN\n CONTROL \"t\",1,\"Button\",BS_CHECKBOX,1,2,3,4\n"
      " LTEXT \"x\",X,1,2,3,4, NOT WS_GROUP\nEND\n2 ACCELERATORS BEGIN \"^A\", 1\n VK_F2, 2, VIRTKEY END\n"
      "#if X > 2\n9 RCDATA { 1L, (2 | 4) & ~1 }\n#endif\n";
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  const char alphabet[] = "\"\\(){},|#L0x9 \nBEGINEND";
  for (int round = 0; round < 400; ++round) {
    std::string s = base;
    for (int k = 0; k < 3; ++k) s[(next() >> 8) % s.size()] = alphabet[(next() >> 8) % (sizeof alphabet - 1)];
    try {
      Compile(s);
    } catch (const lvrc::RcError&) {
    }
  }
}

}  // namespace
}  // namespace lvrctest
