// The application-wide objects as start-up leaves them.

#include <gtest/gtest.h>

#include "app/globals.h"
#include "colouring/attributes.h"
#include "evolution/evolution_file.h"
#include "syntax/grammar.h"

namespace {

TEST(GlobalObjects, StartUpMakesTheViewStateAndThreeAttributesInOrder)
{
    createGlobalObjects();
    ASSERT_NE(viewState, nullptr);
    EXPECT_FALSE(viewState->loaded);
    EXPECT_EQ(viewState->tableRows, 0);
    EXPECT_EQ(viewState->tableColumns, 0);
    ASSERT_EQ(viewState->rowHeights.size(), 1u);
    EXPECT_TRUE(viewState->rowHeights[0].empty());

    ASSERT_EQ(attributeRegistry.size(), 3u);
    EXPECT_EQ(attributeRegistry[0], lineStatistic);
    EXPECT_EQ(attributeRegistry[1], revisionLineCount);
    EXPECT_EQ(attributeRegistry[2], authorAttribute);
    EXPECT_NE(dynamic_cast<StatisticAttribute*>(attributeRegistry[0]), nullptr);
    EXPECT_NE(dynamic_cast<StatisticAttribute*>(attributeRegistry[1]), nullptr);
    EXPECT_NE(dynamic_cast<AuthorAttribute*>(attributeRegistry[2]), nullptr);
    EXPECT_EQ(lineStatistic->kind, 2);
    EXPECT_EQ(revisionLineCount->kind, 0);
    EXPECT_EQ(authorAttribute->kind, 0);
    for (const Attribute* attribute : attributeRegistry)
        EXPECT_EQ(attribute->normalised, 1);
}

TEST(GlobalObjects, NothingIsOpenRightAfterStartUp)
{
    createGlobalObjects();
    EXPECT_EQ(currentEvolution, nullptr);
    EXPECT_EQ(currentGrammar, nullptr);
    EXPECT_EQ(hoveredRevision, 1);
    EXPECT_EQ(hoveredRow, 0);
    EXPECT_EQ(currentModuleName, "");
    EXPECT_EQ(currentBranch, "");
    EXPECT_EQ(currentDirectory, "");
    EXPECT_EQ(blockSortIndex, 0);
    EXPECT_EQ(scrollSpeed, 3);
    EXPECT_EQ(revisionBlending, 0.6f);
    EXPECT_EQ(blockBlending, 0.3f);
}

TEST(GlobalObjects, StartingUpAgainMakesNothingNew)
{
    createGlobalObjects();
    const ViewState* state = viewState.get();
    const std::vector<Attribute*> registry = attributeRegistry;
    createGlobalObjects();
    EXPECT_EQ(viewState.get(), state);
    EXPECT_EQ(attributeRegistry, registry);
}

}  // namespace
