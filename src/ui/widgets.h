#pragma once
// The widgets every part of the window reaches by name. Each is made once
// by the window's construction and never deleted; null until then.

class EvolutionView;
class CodeView;
class LegendStack;
class ColourLegend;
class MarkedSlider;
class Fl_Window;
class Fl_Tile;
class Fl_Group;
class Fl_Menu_Bar;
class Fl_Pack;
class Fl_Tabs;
class Fl_Slider;
class Fl_Value_Slider;
class Fl_Choice;
class Fl_Button;
class Fl_Check_Button;
class Fl_Box;
class Fl_Text_Display;
class Fl_Text_Buffer;

extern Fl_Window* mainWindow;
extern Fl_Tile* mainTile;
extern Fl_Group* upperGroup;
extern Fl_Menu_Bar* menuBar;
extern Fl_Pack* rangePack;
extern MarkedSlider* rangeStartSlider;
extern MarkedSlider* rangeEndSlider;
extern Fl_Tabs* controlTabs;
extern Fl_Group* displayTab;
extern Fl_Group* enginesTab;
extern Fl_Group* blocksTab;
extern Fl_Slider* lineScrollSlider;
extern LegendStack* lineLegendStack;
extern ColourLegend* lineLegend;
extern ColourLegend* lineBarLegend;
extern EvolutionView* evolutionView;
extern LegendStack* revisionLegendStack;
extern ColourLegend* revisionLegend;
extern ColourLegend* revisionBarLegend;
extern ColourLegend* authorLegend;
extern Fl_Slider* revisionScrollSlider;
extern Fl_Group* lowerGroup;
extern Fl_Box* splitterBox;
extern CodeView* codeView;
extern Fl_Text_Display* statusDisplay;
extern Fl_Text_Buffer* statusBuffer;

// Display tab.
extern Fl_Choice* versionDrawingChoice;
extern Fl_Button* fitToWindowButton;
extern Fl_Button* fitToLineButton;
extern Fl_Button* reshuffleButton;
extern Fl_Value_Slider* versionSizeSlider;
extern Fl_Value_Slider* lineSizeSlider;
extern Fl_Value_Slider* scrollSpeedSlider;
extern Fl_Value_Slider* revisionBlendingSlider;
extern Fl_Value_Slider* blockBlendingSlider;
extern Fl_Value_Slider* blendingRatioSlider;
extern Fl_Value_Slider* fontHeightSlider;
extern Fl_Value_Slider* fontWidthSlider;
extern Fl_Value_Slider* fontDifferenceSlider;

// Blocks tab.
extern Fl_Choice* blockSortingChoice;
extern Fl_Check_Button* displayBlocksCheck;
extern Fl_Value_Slider* blocksAboveSlider;

// Engines tab.
extern Fl_Choice* viewModeChoice;
extern Fl_Choice* attributeChoice;
extern Fl_Check_Button* balanceImageCheck;
extern Fl_Check_Button* redistributeCheck;
extern Fl_Check_Button* antiAliasingCheck;
extern Fl_Check_Button* focusPositionCheck;
extern Fl_Check_Button* syntaxHighlightingCheck;
extern Fl_Check_Button* geometryCushionsCheck;
extern Fl_Value_Slider* curvatureSlider;
extern Fl_Value_Slider* steepnessSlider;
extern Fl_Value_Slider* mixerSlider;
