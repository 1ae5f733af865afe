// The signals that stop a console run: they only set a flag, which the run polls.
#pragma once

// Installs the handlers of SIGINT, SIGTERM and SIGXCPU, and ignores SIGPIPE so that a closed
// pipe is a write error. A second signal of a kind ends the process as it would have.
void InstallStopSignals();
// The signal received so far, or 0.
int ReceivedSignal();
