#pragma once
// The widgets that follow the evolution canvas's size: the zoom sliders
// show its rescaled zoom, the range sliders, the line scroll slider and the
// two legend stacks take its new extent, and the scroll sliders and
// legends its rescaled scroll.

class EvolutionView;

// Fits the companions to `canvas` after its resize has rescaled zoom and
// scroll; the canvas calls it through its resize hook.
void relayCanvasCompanions(EvolutionView& canvas);
