#pragma once
// The window built once per process as start-up builds it; each test starts with nothing loaded.
// Included before any X header, whose macros clash with these.

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
#include <tuple>
#include <vector>

#include "app/globals.h"
#include "app/open_close.h"
#include "codeview/code_view.h"
#include "colouring/attributes.h"
#include "evolution/evolution_file.h"
#include "gui/support/frame_readback.h"
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

// The bundled example open.
class ExampleOpenTest : public MainWindowTest {
protected:
    void SetUp() override;
};

// As the user moves a valuator, a choice or a check button: the value, then the callback.
template <class Widget, class Value>
void choose(Widget* widget, Value value)
{
    widget->value(value);
    widget->do_callback();
}

// Lets the toolkit handle what is pending: maps, resizes, redraws.
void settleWindow();
// The canvas drawn once more and read back, as its next redraw would draw it.
Frame drawCanvas();

std::string examplePath();  // the bundled example's evolution file, absolute
std::string exampleDirectory();
std::string fileText(const std::string& path);  // empty when it cannot be read
// Writes `sketch` with the colour configuration the program expects beside it; returns its full path.
std::string writeOpenableEvolution(const TempDirectory& directory, const EvolutionSketch& sketch);

std::string windowTitle();  // never null
std::string statusText();
