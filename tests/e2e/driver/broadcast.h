// A hidden top-level window of the driver that hears what the program tells every top-level
// window when it has added fonts: WM_FONTCHANGE, then WM_WININICHANGE with the section "Fonts".
#pragma once

#include <string>

// Creates the window; call before the program runs.
void StartListening();
// What arrived since the last call, in order: "WM_FONTCHANGE WM_WININICHANGE 'Fonts' ". Sent
// messages are handled whenever the driver waits (see Pause); posted ones are taken here.
std::string TakeBroadcasts();
