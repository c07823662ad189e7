#pragma once
// libgit2 keeps global state that must be set up once before any call.

// Sets the library up on first use; later calls do nothing.
void useLibgit2();
