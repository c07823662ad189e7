#pragma once
// The one-line status bar under the code view.

// Replaces the whole text of the status bar. Before the window has made the
// bar's buffer there is nothing to show it in, and the text is dropped.
void setStatusText(const char* text);
