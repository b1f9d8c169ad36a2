#pragma once

#include "shell/dialogs/dialogs.h"
#include "tools/varnisk-sim/sim_host.h"

// The runner's person at the dialogs, answering from the script with the
// keyboard, as a player would. When a dialog is shown it types the answer:
// in the name entry Backspace (the preset is selected, so it goes) and the
// script's name, or just Enter to keep the preset; in Clear Best5 Tab, Tab to
// the checked radio button, Down to the scripted choice and Enter, or Escape
// for choice 0; About (and anything else) Enter. The keys go in at the
// present virtual time, so the dialog's loop takes them at once and no time
// passes while it is open. When the dialog is about to act on the answer,
// it is painted and the screens of this tick are taken.
void AnswerDialogFromScript(SimHost& host, WindowHandle dialog, DialogMoment moment);
