// Escape and Ctrl-C as the host's cancel keys.
#include "escape.h"

#include <hostcommon.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <initializer_list>

namespace lvhost {

namespace {

volatile sig_atomic_t g_interrupts = 0;
volatile sig_atomic_t g_escape = 0;
volatile sig_atomic_t g_rawMode = 0;
struct termios g_savedTerminal;
bool g_atexitSet = false;
struct sigaction g_oldSigint;

void RestoreTerminal() {
  if (g_rawMode) {
    tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTerminal);
    g_rawMode = 0;
  }
}

// First Ctrl-C asks the plug-in to stop; a second one ends the program.
void OnSigint(int) {
  g_interrupts = g_interrupts + 1;
  if (g_interrupts >= 2) {
    RestoreTerminal();
    _exit(130);
  }
}

// Termination while the terminal is raw: restore it, then die as asked.
void OnTerminate(int signal) {
  RestoreTerminal();
  struct sigaction standard = {};
  standard.sa_handler = SIG_DFL;
  sigaction(signal, &standard, nullptr);
  raise(signal);
}

// Reads what was typed without waiting; an Escape byte means cancel.
void PollTerminal() {
  if (!g_rawMode) return;
  unsigned char bytes[64];
  ssize_t n = read(STDIN_FILENO, bytes, sizeof bytes);
  for (ssize_t i = 0; i < n; ++i)
    if (bytes[i] == 0x1b) g_escape = 1;
}

LONG EscapeProbe() { return EscapeRequested() ? 1 : 0; }

}  // namespace

bool EscapeRequested() {
  PollTerminal();
  return g_interrupts > 0 || g_escape;
}

void StartEscapeWatch() {
  g_interrupts = 0;
  g_escape = 0;
  struct sigaction action = {};
  action.sa_handler = OnSigint;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &g_oldSigint);
  struct sigaction terminate = {};
  terminate.sa_handler = OnTerminate;
  sigemptyset(&terminate.sa_mask);
  for (int s : {SIGTERM, SIGHUP, SIGQUIT}) sigaction(s, &terminate, nullptr);
  if (isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &g_savedTerminal) == 0) {
    struct termios raw = g_savedTerminal;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 0;  // read returns at once, with or without input
    raw.c_cc[VTIME] = 0;
    if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0) g_rawMode = 1;
  }
  if (!g_atexitSet) {
    std::atexit(RestoreTerminal);
    g_atexitSet = true;
  }
  t32SetEscapeProbe(EscapeProbe);
}

void StopEscapeWatch() {
  t32SetEscapeProbe(nullptr);
  RestoreTerminal();
  sigaction(SIGINT, &g_oldSigint, nullptr);
  struct sigaction standard = {};
  standard.sa_handler = SIG_DFL;
  for (int s : {SIGTERM, SIGHUP, SIGQUIT}) sigaction(s, &standard, nullptr);
}

}  // namespace lvhost
