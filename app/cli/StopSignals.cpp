#include "StopSignals.h"

#include <csignal>

namespace kelvra::cli {

namespace {

// The signal that stopped the run; 0 while none did.
volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int signal)
{
	stopSignal = signal;
}

} // namespace

void CatchStopSignals()
{
	for (const int signal : {SIGINT, SIGTERM, SIGHUP})
		std::signal(signal, onStopSignal);
}

bool StopSignalCaught()
{
	return stopSignal != 0;
}

QString StopSignalName()
{
	return stopSignal == SIGINT             ? QStringLiteral("Ctrl+C")
			: stopSignal == SIGTERM ? QStringLiteral("SIGTERM")
						: QStringLiteral("SIGHUP");
}

} // namespace kelvra::cli
