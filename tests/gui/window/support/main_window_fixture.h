#pragma once
// Tests of the program's window. The window is built once per process, as
// start-up builds it, and every test starts with nothing loaded, the block
// sorting at "Lines" and the window at its first size.

#include <gtest/gtest.h>

#include <string>

#include "support/temp_directory.h"

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
};

// Lets the toolkit handle what is pending: maps, resizes, redraws.
void settleWindow();

// The bundled example's evolution file, with an absolute path.
std::string examplePath();
std::string exampleDirectory();

// Writes `sketch` with a colour configuration beside it, as the program
// expects one; returns the evolution file's full path.
std::string writeOpenableEvolution(const TempDirectory& directory, const EvolutionSketch& sketch);

// The window's title, never null.
std::string windowTitle();
// The status bar's whole text.
std::string statusText();
