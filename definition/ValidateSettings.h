// The checks a conversion's settings pass before an export starts, shared by the window and the
// command line so that both refuse the same things with the same messages, in the same order.
#pragma once

#include "definition/ConversionSettings.h"

// Shows the message for the first thing missing (module name, map name, player) and returns
// false; true when nothing is.
bool ValidateSettings(const ConversionSettings& settings);
