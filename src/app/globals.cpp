#include "app/globals.h"

#include "colouring/attributes.h"
#include "evolution/evolution_file.h"
#include "syntax/grammar.h"

std::unique_ptr<ViewState> viewState;
std::unique_ptr<EvolutionFile> currentEvolution;
std::unique_ptr<Grammar> currentGrammar;

std::vector<Attribute*> attributeRegistry;
StatisticAttribute* lineStatistic = nullptr;
StatisticAttribute* revisionLineCount = nullptr;
AuthorAttribute* authorAttribute = nullptr;

int hoveredRow = 0;
int hoveredRevision = 1;
std::string currentModuleName;
std::string currentBranch;
std::string currentDirectory;
int blockSortIndex = 0;
int scrollSpeed = 3;
float revisionBlending = 0.6f;
float blockBlending = 0.3f;

// The attributes live for the whole run; their owners are these holders.
static std::unique_ptr<StatisticAttribute> lineStatisticObject;
static std::unique_ptr<StatisticAttribute> revisionLineCountObject;
static std::unique_ptr<AuthorAttribute> authorAttributeObject;

void createGlobalObjects()
{
    if (viewState)
        return;
    viewState = std::make_unique<ViewState>(0, 0);

    lineStatisticObject = std::make_unique<StatisticAttribute>();
    lineStatistic = lineStatisticObject.get();
    lineStatistic->kind = 2;
    attributeRegistry.push_back(lineStatistic);

    revisionLineCountObject = std::make_unique<StatisticAttribute>();
    revisionLineCount = revisionLineCountObject.get();
    revisionLineCount->kind = 0;
    attributeRegistry.push_back(revisionLineCount);

    authorAttributeObject = std::make_unique<AuthorAttribute>();
    authorAttribute = authorAttributeObject.get();
    authorAttribute->kind = 0;
    attributeRegistry.push_back(authorAttribute);

    hoveredRevision = 1;
    hoveredRow = 0;
}
