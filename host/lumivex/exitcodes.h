// Exit statuses of the lumivex program (documented in its manual).
#pragma once

namespace lvhost {

constexpr int kExitOk = 0;
constexpr int kExitCancelled = 1;   // dialog cancelled, Ctrl-C or Escape
constexpr int kExitUsage = 2;       // bad command line, unknown module or parameter
constexpr int kExitFailed = 3;      // the plug-in failed, or a dialog script did
constexpr int kExitFileError = 4;   // an input could not be read or an output written

}  // namespace lvhost
