#include "extract/grammar_table.h"

#include <array>
#include <string_view>

namespace {

struct LanguageEntry {
    const char* extensions;  // separated by blanks
    const char* fileNames;   // whole names of files without an extension
    const char* language;
    const char* text;
};

#define C_FAMILY(reference)                                                    \
    "BLOCK { }\nCOMMENT_BLOCK /* */\nCOMMENT_LINE //\nCOMMENT_LINE_FRAGMENT //\n" \
    "REFERENCE " reference "\nKEYWORD_IF if\nKEYWORD_FOR for\nKEYWORD_WHILE while\nKEYWORD_DO do\n"
#define HASH_COMMENTS(reference) "COMMENT_LINE #\nCOMMENT_LINE_FRAGMENT #\nREFERENCE " reference "\n"

const std::array<LanguageEntry, 15> languages = {{
    {"c h cc cpp cxx c++ hh hpp hxx h++ m mm", "", "C family", C_FAMILY("#include")},
    {"java js mjs cjs jsx ts tsx go swift kt kts scala", "", "C family", C_FAMILY("import")},
    {"cs", "", "C family", C_FAMILY("using")},
    {"rs", "", "C family", C_FAMILY("use")},
    {"py pyw", "", "Python", HASH_COMMENTS("import") "KEYWORD_IF if\nKEYWORD_FOR for\nKEYWORD_WHILE while\n"},
    {"sh bash zsh ksh", "", "shell", HASH_COMMENTS("source")},
    {"mk mak", "Makefile makefile GNUmakefile", "Makefile", HASH_COMMENTS("include")},
    {"cmake", "CMakeLists.txt", "CMake", HASH_COMMENTS("include")},
    {"pl pm", "", "Perl", HASH_COMMENTS("use")},
    {"rb", "Rakefile", "Ruby", HASH_COMMENTS("require")},
    {"pas dpr lpr", "",
     "Pascal",
     "BLOCK begin end\nCOMMENT_BLOCK { }\nCOMMENT_LINE //\nCOMMENT_LINE_FRAGMENT //\nREFERENCE uses\n"
     "KEYWORD_IF if\nKEYWORD_FOR for\nKEYWORD_WHILE while\nKEYWORD_DO do\n"},
    {"adb ads ada", "",
     "Ada",
     "BLOCK begin end\nCOMMENT_LINE --\nCOMMENT_LINE_FRAGMENT --\nREFERENCE with\n"
     "KEYWORD_IF if\nKEYWORD_FOR for\nKEYWORD_WHILE while\nKEYWORD_DO loop\n"},
    {"sql", "", "SQL", "COMMENT_BLOCK /* */\nCOMMENT_LINE --\nCOMMENT_LINE_FRAGMENT --\n"},
    {"lua", "", "Lua", "COMMENT_LINE --\nCOMMENT_LINE_FRAGMENT --\nREFERENCE require\n"},
    {"yml yaml toml", "", "configuration", "COMMENT_LINE #\nCOMMENT_LINE_FRAGMENT #\n"},
}};

// Whether `word` is one of the blank-separated words of `list`.
bool listed(std::string_view list, std::string_view word)
{
    while (!list.empty()) {
        const size_t blank = list.find(' ');
        if (list.substr(0, blank) == word)
            return true;
        if (blank == std::string_view::npos)
            break;
        list.remove_prefix(blank + 1);
    }
    return false;
}

#undef C_FAMILY
#undef HASH_COMMENTS

}  // namespace

LanguageGrammar grammarForFile(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
    for (const LanguageEntry& entry : languages)
        if ((!extension.empty() && listed(entry.extensions, extension)) || listed(entry.fileNames, fileName))
            return {entry.language, entry.text};
    return {"plain text", ""};
}
