#pragma once
// Tests of the program's window. The window is built once per process, as
// start-up builds it, and every test starts with nothing loaded, the block
// sorting at "Lines" and the window at its first size.

// What nearly every window test reaches is included here, before any X header.

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>

#include <functional>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/open_close.h"
#include "codeview/code_view.h"
#include "colouring/attributes.h"
#include "evolution/evolution_file.h"
#include "support/temp_directory.h"
#include "ui/marked_slider.h"
#include "ui/widgets.h"
#include "view/evolution_view.h"

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
};

// The bundled example open, as every test of the controls and the pointer
// starts.
class ExampleOpenTest : public MainWindowTest {
protected:
    void SetUp() override;
};

// Moves a valuator, a choice or a check button as the user would: the
// value, then the widget's own callback.
template <class Widget, class Value>
void choose(Widget* widget, Value value)
{
    widget->value(value);
    widget->do_callback();
}

// Lets the toolkit handle what is pending: maps, resizes, redraws.
void settleWindow();

// The bundled example's evolution file, with an absolute path.
std::string examplePath();
std::string exampleDirectory();

// The whole text of a file; empty when it cannot be read.
std::string fileText(const std::string& path);

// Writes `sketch` with a colour configuration beside it, as the program
// expects one; returns the evolution file's full path.
std::string writeOpenableEvolution(const TempDirectory& directory, const EvolutionSketch& sketch);

// The window's title, never null.
std::string windowTitle();
// The status bar's whole text.
std::string statusText();
