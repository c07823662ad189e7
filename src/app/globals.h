#pragma once
// The application-wide state that several subsystems share.

#include <memory>
#include <string>
#include <vector>

#include "app/view_state.h"

class EvolutionFile;
class Grammar;
class Attribute;
class StatisticAttribute;
class AuthorAttribute;

extern std::unique_ptr<ViewState> viewState;
extern std::unique_ptr<EvolutionFile> currentEvolution;
extern std::unique_ptr<Grammar> currentGrammar;

// The attributes recomputed together, and the three that the legends show.
extern std::vector<Attribute*> attributeRegistry;
extern StatisticAttribute* lineStatistic;
extern StatisticAttribute* revisionLineCount;
extern AuthorAttribute* authorAttribute;

extern int hoveredRow;
extern int hoveredRevision;
extern std::string currentModuleName;
extern std::string currentBranch;
extern std::string currentDirectory;
extern int blockSortIndex;
extern int scrollSpeed;
extern float revisionBlending;
extern float blockBlending;

// The start-up steps that need no window: the view state and the three
// attributes in their registry. Calling it again changes nothing.
void createGlobalObjects();
