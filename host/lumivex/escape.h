// Cancelling from the terminal: Ctrl-C, or Escape typed on a terminal stdin.
#pragma once

namespace lvhost {

// Installs the SIGINT handler and the host's Escape probe, and puts a
// terminal stdin into non-blocking raw mode for the length of the run.
void StartEscapeWatch();
// Restores the terminal and removes the probe. Safe to call twice; also
// runs at exit.
void StopEscapeWatch();
// True once the user asked to cancel.
bool EscapeRequested();

}  // namespace lvhost
