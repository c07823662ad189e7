#pragma once
// Keeps the keys that the toolkit's open menus cannot take away from them.

// Hooks the guard into the toolkit's event dispatch; a second call changes
// nothing.
void installMenuKeyGuard();
