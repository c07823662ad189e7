#pragma once
// The range sliders' tooltips name the revision each stands on, with its
// date and subject, after their one line of help.

// Brought up to date whenever a slider's revision or the evolution changes.
void refreshRangeTooltips();
