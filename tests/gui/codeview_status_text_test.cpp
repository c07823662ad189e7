#include "codeview/status_text.h"

#include <cstdlib>
#include <memory>
#include <string>

#include <FL/Fl_Text_Buffer.H>
#include <gtest/gtest.h>

#include "ui/widgets.h"

namespace {

// Makes a buffer the status bar's for the time of a test.
class StatusText : public testing::Test {
protected:
    StatusText() { statusBuffer = buffer.get(); }
    ~StatusText() override { statusBuffer = nullptr; }

    std::string shown() const
    {
        char* text = buffer->text();
        std::string copy(text);
        std::free(text);
        return copy;
    }

    std::unique_ptr<Fl_Text_Buffer> buffer = std::make_unique<Fl_Text_Buffer>(256);
};

}  // namespace

TEST_F(StatusText, ReplacesTheWholeText)
{
    buffer->text("Status bar");
    setStatusText("Line:     5; Version:     7 Block     2  modified");
    EXPECT_EQ(shown(), "Line:     5; Version:     7 Block     2  modified");
    setStatusText("");
    EXPECT_EQ(shown(), "");
    setStatusText(" Author : ann");
    EXPECT_EQ(shown(), " Author : ann");
    setStatusText(nullptr);
    EXPECT_EQ(shown(), "");
}

TEST_F(StatusText, ALongTextIsKeptWhole)
{
    const std::string longText(5000, 'x');
    setStatusText(longText.c_str());
    EXPECT_EQ(shown(), longText);
}

TEST(StatusTextWithoutWindow, IsDroppedQuietly)
{
    statusBuffer = nullptr;
    setStatusText("nothing to show it in");
    EXPECT_EQ(statusBuffer, nullptr);
}
