#pragma once
// The per-row height factors of the layouts that let rows shrink.

class EvolutionFile;

// Every shown row at full height in every column, and no freed space in the
// extra last row. Rows and columns beyond the view state's table, which was
// sized when the evolution was opened, are left out. The table no longer
// counts as holding the Interpolated layout's heights afterwards.
void resetRowHeights(const EvolutionFile& evolution);
