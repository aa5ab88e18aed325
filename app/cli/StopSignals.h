#pragma once

// Ctrl+C, SIGTERM and SIGHUP end a run as its stop button does: the handler
// only notes the signal, and the run's event loop looks for it.

#include <QString>

namespace kelvra::cli {

// From now on the three signals are noted instead of ending the program.
void CatchStopSignals();
// Whether one of them came since.
bool StopSignalCaught();
// "Ctrl+C", "SIGTERM" or "SIGHUP": what stopped the run, as the user gave it.
QString StopSignalName();

} // namespace kelvra::cli
