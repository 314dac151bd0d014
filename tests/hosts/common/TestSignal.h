#pragma once

#include "common/WavFile.h"

namespace hosttest
{
// A deterministic stereo programme that reaches every part of the circuit: a rising
// sweep with level steps on the left, noise bursts over a loud low tone on the right,
// and a silent tail. Its length is no multiple of any usual block length, so the last
// block is always a short one.
Audio makeTestSignal (double sampleRate, double seconds);
} // namespace hosttest
