// The command line against a table: what each argument list sets, and the
// mistakes refused with a sentence that names them.

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

// The fields a case can set, as one comparable line.
std::string summary(const CommandLine& l)
{
    std::ostringstream s;
    s << l.path << "|" << l.exportPath << "|" << l.width << "x" << l.height << "|" << l.layout << "|" << l.scheme
      << "|" << l.focus << "|" << l.rangeStart << ":" << l.rangeEnd << "|" << l.legends << l.help << l.version << "|" << l.ref << "|" << l.branch;
    return s.str();
}

}  // namespace

TEST(CommandLine, ArgumentsSetTheirFieldsAndMistakesAreNamed)
{
    struct Case { std::vector<const char*> arguments; const char* want; };
    const Case cases[] = {
        {{}, "||1200x900|-1|-1|0|0:0|000|HEAD|1."},
        {{"a_cvs"}, "a_cvs||1200x900|-1|-1|0|0:0|000|HEAD|1."},
        {{"--export", "p.png", "--size", "640x480", "x_cvs"}, "x_cvs|p.png|640x480|-1|-1|0|0:0|000|HEAD|1."},
        {{"--size=0x16385", "--export=q.png", "--legends"}, "|q.png|0x16385|-1|-1|0|0:0|100|HEAD|1."},
        {{"--layout", "interpolated", "--scheme", "position", "--focus", "7"}, "||1200x900|2|3|7|0:0|000|HEAD|1."},
        {{"--layout=normal", "--scheme=content", "--range", "3:9"}, "||1200x900|0|0|0|3:9|000|HEAD|1."},
        {{"--layout", "horizontal", "--scheme", "authors"}, "||1200x900|1|2|0|0:0|000|HEAD|1."},
        {{"--scheme", "evolution", "--range=4:4"}, "||1200x900|-1|1|0|4:4|000|HEAD|1."},
        {{"--help", "--version", "-h"}, "||1200x900|-1|-1|0|0:0|011|HEAD|1."},
        {{"--ref", "v1.0", "--branch=1.2.4."}, "||1200x900|-1|-1|0|0:0|000|v1.0|1.2.4."},
        {{"--", "--help"}, "--help||1200x900|-1|-1|0|0:0|000|HEAD|1."},
        {{"-"}, "-||1200x900|-1|-1|0|0:0|000|HEAD|1."},
        {{"--bogus"}, "unknown option --bogus"},
        {{"-x"}, "unknown option -x"},
        {{"--layout"}, "option --layout needs a value"},
        {{"--layout", "diagonal"}, "bad value \"diagonal\" for option --layout"},
        {{"--scheme", "Content"}, "bad value \"Content\" for option --scheme"},
        {{"--focus", "0"}, "bad value \"0\" for option --focus"},
        {{"--focus", "3x"}, "bad value \"3x\" for option --focus"},
        {{"--range", "9:3"}, "bad value \"9:3\" for option --range"},
        {{"--range", "0:3"}, "bad value \"0:3\" for option --range"},
        {{"--size", "800"}, "bad value \"800\" for option --size"},
        {{"--size", "x600"}, "bad value \"x600\" for option --size"},
        {{"--export="}, "bad value \"\" for option --export"},
        {{"--ref="}, "bad value \"\" for option --ref"},
        {{"a_cvs", "b_cvs"}, "only one PATH can be opened, but \"b_cvs\" follows \"a_cvs\""},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"quillon"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        CommandLine line;
        std::string error;
        const bool parsed = parseCommandLine(static_cast<int>(argv.size()), argv.data(), line, error);
        EXPECT_EQ(parsed ? summary(line) : error, c.want) << (c.arguments.empty() ? "" : c.arguments[0]);
    }
}
