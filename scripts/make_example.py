#!/usr/bin/env python3
"""Writes the bundled example evolution: the history of wordfreq.c, a small
C word counter, as four developers grew it over twenty revisions.

Usage: make_example.py DIRECTORY

The history is told below as a story: each revision names its author, date
and message and lists the edits it makes to the text of the revision
before.  From the story the script derives every line's status in every
revision and writes, into DIRECTORY,

    wordfreq.c_cvs              the evolution file
    wordfreq.c.rev              the revision list
    revisions/wordfreq.c.v1.N   the text of revision N
    grammar.dat                 the tokens of C
    config.cfg                  the default status colours

The output depends on nothing but this file, so running it again gives the
same bytes.
"""

import os
import re
import sys

MODULE = "wordfreq.c"
BRANCH = "1."

GRAMMAR = """\
BLOCK { }
COMMENT_BLOCK /* */
COMMENT_LINE //
COMMENT_LINE_FRAGMENT //
REFERENCE #include
"""

CONFIGURATION = """\
COLOR_CON 0.0 0.6 1.0
COLOR_MOD 0.8 0.8 0.2
COLOR_RDEL 0.8 0.4 0.0
COLOR_RADD 0.2 0.8 0.2
COLOR_ADD 0.8 1.0 1.0
COLOR_DEL 1.0 0.8 0.8
"""


class StoryError(Exception):
    pass


# ---------------------------------------------------------------------------
# Edits.  An anchor names one line of the current text: a single string must
# match exactly one line; a tuple is a path, its first string matching
# exactly one line and every further string the first line after the one
# found so far.


def find(text, anchor):
    path = (anchor,) if isinstance(anchor, str) else anchor
    hits = [i for i, line in enumerate(text) if line.text == path[0]]
    if len(hits) != 1:
        raise StoryError("anchor %r matches %d lines" % (path[0], len(hits)))
    index = hits[0]
    for step in path[1:]:
        following = [i for i in range(index + 1, len(text)) if text[i].text == step]
        if not following:
            raise StoryError("anchor %r: no line %r after line %d" % (path[0], step, index + 1))
        index = following[0]
    return index


def after(anchor, *lines):
    return lambda history: history.insert(find(history.text, anchor) + 1, lines)


def before(anchor, *lines):
    return lambda history: history.insert(find(history.text, anchor), lines)


def change(anchor, new_text):
    return lambda history: history.modify(find(history.text, anchor), new_text)


def remove(anchor, count=1):
    return lambda history: history.delete(find(history.text, anchor), count)


class Revision:
    def __init__(self, author, date, message, edits):
        self.author = author
        self.date = date
        self.message = message
        self.edits = edits


# ---------------------------------------------------------------------------
# The history.  Every line that ever existed is one evolution line; the text
# of a revision is the list of those present in it.


class Line:
    def __init__(self, text, added):
        self.text = text
        self.added = added          # column of the revision that adds it
        self.deleted = None         # column of the revision that deletes it
        self.modified = set()       # columns of the revisions that change its text

    def status(self, column):
        if column < self.added:
            return ">"
        if self.deleted is not None and column >= self.deleted:
            return "D"
        # A change at r shows as a pair of modified marks at r - 1 and r, the
        # marks from which the viewer tells who last touched the line.
        if column in self.modified or column + 1 in self.modified:
            return "-"
        return "X"


class History:
    def __init__(self):
        self.order = []             # every line ever, in evolution order
        self.text = []              # the current revision's lines
        self.texts = []             # each finished revision's text
        self.column = 0

    def insert(self, position, texts):
        # A new line goes after the lines deleted at the same place, so that
        # each revision's present lines read in file order.
        at = self.order.index(self.text[position]) if position < len(self.text) else len(self.order)
        lines = [Line(text, self.column) for text in texts]
        self.order[at:at] = lines
        self.text[position:position] = lines

    def modify(self, position, new_text):
        line = self.text[position]
        where = "revision %d, line %r" % (self.column + 1, line.text)
        if line.added == self.column:
            raise StoryError(where + ": changed in the revision that adds it")
        if new_text == line.text:
            raise StoryError(where + ": changed to the same text")
        # Marks at r - 3, r - 2 and r - 1, r would run together into a
        # change at r - 1 that never happened.
        if self.column - 2 in line.modified:
            raise StoryError(where + ": changed again two revisions after its last change")
        line.text = new_text
        line.modified.add(self.column)

    def delete(self, position, count):
        doomed = self.text[position:position + count]
        if len(doomed) != count:
            raise StoryError("revision %d: deleting past the end" % (self.column + 1))
        for line in doomed:
            if line.added == self.column or self.column in line.modified:
                raise StoryError("revision %d, line %r: deleted in the revision that adds or changes it"
                                 % (self.column + 1, line.text))
            line.deleted = self.column
        del self.text[position:position + count]

    def commit(self):
        self.texts.append([line.text for line in self.text])
        self.column += 1


def replay(story):
    history = History()
    for revision in story:
        for edit in revision.edits:
            edit(history)
        history.commit()
    return history


# ---------------------------------------------------------------------------
# The story of wordfreq.c.

FIRST_TEXT = r"""
/*
 * wordfreq.c - count how often each word occurs in a text
 */

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <ctype.h>

#define MAX_WORDS 1000
#define MAX_WORD_LEN 64

struct entry {
    char word[MAX_WORD_LEN];
    int count;
};

static struct entry words[MAX_WORDS];
static int nwords = 0;

/* Adds one occurrence of w, making a new entry the first time. */
static void add_word(const char *w)
{
    int i;

    for (i = 0; i < nwords; i++) {
        if (strcmp(words[i].word, w) == 0) {
            words[i].count++;
            return;
        }
    }
    if (nwords < MAX_WORDS) {
        strcpy(words[nwords].word, w);
        words[nwords].count = 1;
        nwords++;
    }
}

int main(void)
{
    char buf[MAX_WORD_LEN];
    int len = 0;
    int c;
    int i;

    while ((c = getchar()) != EOF) {
        if (isalpha(c)) {
            if (len < MAX_WORD_LEN)
                buf[len++] = tolower(c);
        } else if (len > 0) {
            buf[len] = '\0';
            add_word(buf);
            len = 0;
        }
    }
    if (len > 0) {
        buf[len] = '\0';
        add_word(buf);
    }

    // one line per word, in order of first appearance
    for (i = 0; i < nwords; i++)
        printf("%s\t%d\n", words[i].word, words[i].count);
    return 0;
}
""".split("\n")[1:-1]

MAIN = "int main(int argc, char **argv)"

STORY = [
    Revision("hartley", "2023-01-09T10:02:11", "Initial import: count the words read from standard input", [
        lambda history: history.insert(0, FIRST_TEXT),
    ]),
    Revision("hartley", "2023-01-10T16:40:37", "Read the text from a file named on the command line", [
        change("int main(void)", MAIN),
        after((MAIN, "    int i;"),
              "    FILE *in;",
              "",
              "    if (argc != 2) {",
              '        fprintf(stderr, "usage: %s FILE\\n", argv[0]);',
              "        return 1;",
              "    }",
              '    in = fopen(argv[1], "r");',
              "    if (in == NULL) {",
              '        fprintf(stderr, "wordfreq: cannot open \\"%s\\"\\n", argv[1]);',
              "        return 1;",
              "    }"),
        change("    while ((c = getchar()) != EOF) {", "    while ((c = getc(in)) != EOF) {"),
        after((MAIN, "        add_word(buf);", "    }"), "    fclose(in);"),
    ]),
    Revision("okafor", "2023-01-16T09:15:52", "Replace the linear search with a hash table", [
        remove("#define MAX_WORDS 1000"),
        after("#define MAX_WORD_LEN 64", "#define TABLE_SIZE 1024"),
        change("    char word[MAX_WORD_LEN];", "    char *word;"),
        after("    int count;", "    struct entry *next;"),
        change("static struct entry words[MAX_WORDS];", "static struct entry *table[TABLE_SIZE];"),
        change("static int nwords = 0;", "static int nentries = 0;        // distinct words in the table"),
        before("/* Adds one occurrence of w, making a new entry the first time. */",
               "/* The classic multiplicative string hash; good enough for words. */",
               "static unsigned hash(const char *s)",
               "{",
               "    unsigned h = 0;",
               "",
               "    while (*s != '\\0')",
               "        h = h * 31 + (unsigned char)*s++;",
               "    return h % TABLE_SIZE;",
               "}",
               ""),
        change(("static void add_word(const char *w)", "    int i;"), "    unsigned h = hash(w);"),
        after("    unsigned h = hash(w);", "    struct entry *e;"),
        change("    for (i = 0; i < nwords; i++) {", "    for (e = table[h]; e != NULL; e = e->next) {"),
        change("        if (strcmp(words[i].word, w) == 0) {", "        if (strcmp(e->word, w) == 0) {"),
        change("            words[i].count++;", "            e->count++;"),
        remove("    if (nwords < MAX_WORDS) {", 5),
        after(("static void add_word(const char *w)", "    }"),
              "    e = malloc(sizeof *e);",
              "    e->word = malloc(strlen(w) + 1);",
              "    strcpy(e->word, w);",
              "    e->count = 1;",
              "    e->next = table[h];",
              "    table[h] = e;",
              "    nentries++;"),
        change("    // one line per word, in order of first appearance", "    // one line per word, bucket by bucket"),
        change("    for (i = 0; i < nwords; i++)", "    for (i = 0; i < TABLE_SIZE; i++) {"),
        after("    for (i = 0; i < TABLE_SIZE; i++) {",
              "        struct entry *e;",
              "",
              "        for (e = table[i]; e != NULL; e = e->next)"),
        change('        printf("%s\\t%d\\n", words[i].word, words[i].count);',
               '            printf("%s\\t%d\\n", e->word, e->count);'),
        after('            printf("%s\\t%d\\n", e->word, e->count);', "    }"),
    ]),
    Revision("okafor", "2023-01-17T14:03:29", "Print the words by falling count", [
        before(MAIN,
               "/* Orders entries by falling count, then alphabetically. */",
               "static int compare_entries(const void *a, const void *b)",
               "{",
               "    const struct entry *x = *(const struct entry *const *)a;",
               "    const struct entry *y = *(const struct entry *const *)b;",
               "",
               "    if (x->count != y->count)",
               "        return y->count - x->count;",
               "    return strcmp(x->word, y->word);",
               "}",
               ""),
        after("    FILE *in;", "    struct entry **sorted;", "    int n = 0;"),
        remove("    // one line per word, bucket by bucket"),
        before("    for (i = 0; i < TABLE_SIZE; i++) {", "    sorted = malloc(nentries * sizeof *sorted);"),
        change('            printf("%s\\t%d\\n", e->word, e->count);', "            sorted[n++] = e;"),
        after(("            sorted[n++] = e;", "    }"),
              "    qsort(sorted, n, sizeof *sorted, compare_entries);",
              "",
              "    // most frequent first",
              "    for (i = 0; i < n; i++)",
              '        printf("%s\\t%d\\n", sorted[i]->word, sorted[i]->count);',
              "    free(sorted);"),
    ]),
    Revision("chen", "2023-01-24T11:48:05", "Add -n to print only the most frequent words", [
        after("    int n = 0;", "    int limit = 0;", "    int arg = 1;"),
        before("    if (argc != 2) {",
               '    if (argc > 2 && strcmp(argv[1], "-n") == 0) {',
               "        limit = atoi(argv[2]);",
               "        arg = 3;",
               "    }"),
        change("    if (argc != 2) {", "    if (argc != arg + 1) {"),
        change('        fprintf(stderr, "usage: %s FILE\\n", argv[0]);',
               '        fprintf(stderr, "usage: %s [-n COUNT] FILE\\n", argv[0]);'),
        change('    in = fopen(argv[1], "r");', '    in = fopen(argv[arg], "r");'),
        change('        fprintf(stderr, "wordfreq: cannot open \\"%s\\"\\n", argv[1]);',
               '        fprintf(stderr, "wordfreq: cannot open \\"%s\\"\\n", argv[arg]);'),
        change("    for (i = 0; i < n; i++)", "    for (i = 0; i < n && (limit == 0 || i < limit); i++)"),
    ]),
    Revision("hartley", "2023-02-02T17:21:44", "Keep apostrophes inside words, so that don't stays one word", [
        before("/* Adds one occurrence of w, making a new entry the first time. */",
               "/* Letters make words; an apostrophe counts when it follows a letter. */",
               "static int is_word_char(int c, int len)",
               "{",
               "    return isalpha(c) || (c == '\\'' && len > 0);",
               "}",
               ""),
        change("        if (isalpha(c)) {", "        if (is_word_char(c, len)) {"),
    ]),
    Revision("vogel", "2023-02-07T08:55:10", "Describe the program and check every allocation", [
        after(" * wordfreq.c - count how often each word occurs in a text",
              " *",
              " * Usage: wordfreq [-n COUNT] FILE",
              " *",
              " * Prints every word of FILE with the number of times it occurs, most",
              " * frequent first.  Words are runs of letters, compared without case."),
        before("/* The classic multiplicative string hash; good enough for words. */",
               "/* malloc that gives up with a message instead of returning NULL. */",
               "static void *xmalloc(size_t size)",
               "{",
               "    void *p = malloc(size);",
               "",
               "    if (p == NULL) {",
               '        fputs("wordfreq: out of memory\\n", stderr);',
               "        exit(1);",
               "    }",
               "    return p;",
               "}",
               ""),
        change("    e = malloc(sizeof *e);", "    e = xmalloc(sizeof *e);"),
        change("    e->word = malloc(strlen(w) + 1);", "    e->word = xmalloc(strlen(w) + 1);"),
        change("    sorted = malloc(nentries * sizeof *sorted);", "    sorted = xmalloc(nentries * sizeof *sorted);"),
    ]),
    Revision("okafor", "2023-02-13T13:37:58", "Trace the chain lengths while tuning TABLE_SIZE", [
        before("    sorted = xmalloc(nentries * sizeof *sorted);",
               "#ifdef TRACE_HASH",
               "    for (i = 0; i < TABLE_SIZE; i++) {",
               "        struct entry *e;",
               "        int chain = 0;",
               "",
               "        for (e = table[i]; e != NULL; e = e->next)",
               "            chain++;",
               "        if (chain > 2)",
               '            fprintf(stderr, "bucket %4d: %d words\\n", i, chain);',
               "    }",
               "#endif"),
    ]),
    Revision("chen", "2023-02-20T10:12:36", "Free the table before exiting", [
        before("/* Orders entries by falling count, then alphabetically. */",
               "/* Releases every entry; the table is empty afterwards. */",
               "static void free_table(void)",
               "{",
               "    int i;",
               "",
               "    for (i = 0; i < TABLE_SIZE; i++) {",
               "        while (table[i] != NULL) {",
               "            struct entry *next = table[i]->next;",
               "",
               "            free(table[i]->word);",
               "            free(table[i]);",
               "            table[i] = next;",
               "        }",
               "    }",
               "    nentries = 0;",
               "}",
               ""),
        after("    free(sorted);", "    free_table();"),
    ]),
    Revision("okafor", "2023-02-27T15:44:03", "Drop the chain tracing; 4096 buckets keep the chains short", [
        remove("#ifdef TRACE_HASH", 11),
        change("#define TABLE_SIZE 1024", "#define TABLE_SIZE 4096"),
    ]),
    Revision("vogel", "2023-03-06T09:30:27", "Count several files, or standard input when none is named", [
        change(" * Usage: wordfreq [-n COUNT] FILE", " * Usage: wordfreq [-n COUNT] [FILE...]"),
        change(" * Prints every word of FILE with the number of times it occurs, most",
               " * Prints every word of the FILEs (or of standard input) with the number"),
        change(" * frequent first.  Words are runs of letters, compared without case.",
               " * of times it occurs, most frequent first.  Words are runs of letters,"),
        after(" * of times it occurs, most frequent first.  Words are runs of letters,",
              " * compared without case."),
        before("/* Orders entries by falling count, then alphabetically. */",
               "/* Counts every word of one stream. */",
               "static void count_stream(FILE *in)",
               "{",
               "    char buf[MAX_WORD_LEN];",
               "    int len = 0;",
               "    int c;",
               "",
               "    while ((c = getc(in)) != EOF) {",
               "        if (is_word_char(c, len)) {",
               "            if (len < MAX_WORD_LEN)",
               "                buf[len++] = tolower(c);",
               "        } else if (len > 0) {",
               "            buf[len] = '\\0';",
               "            add_word(buf);",
               "            len = 0;",
               "        }",
               "    }",
               "    if (len > 0) {",
               "        buf[len] = '\\0';",
               "        add_word(buf);",
               "    }",
               "}",
               ""),
        remove((MAIN, "    char buf[MAX_WORD_LEN];"), 3),
        remove((MAIN, "    FILE *in;")),
        remove("    if (argc != arg + 1) {", 4),
        change('    in = fopen(argv[arg], "r");', "    if (arg == argc)"),
        after("    if (arg == argc)",
              "        count_stream(stdin);",
              "    for (; arg < argc; arg++) {",
              '        FILE *in = fopen(argv[arg], "r");',
              ""),
        change((MAIN, "    if (in == NULL) {"), "        if (in == NULL) {"),
        change('        fprintf(stderr, "wordfreq: cannot open \\"%s\\"\\n", argv[arg]);',
               '            fprintf(stderr, "wordfreq: cannot open \\"%s\\"\\n", argv[arg]);'),
        change(("        if (in == NULL) {", "        return 1;"), "            return 1;"),
        change(("            return 1;", "    }"), "        }"),
        remove(("            return 1;", "        }", "")),
        remove((MAIN, "    while ((c = getc(in)) != EOF) {"), 14),
        change("    fclose(in);", "        count_stream(in);"),
        after("        count_stream(in);", "        fclose(in);", "    }"),
    ]),
    Revision("hartley", "2023-03-13T16:05:49", "Say why a file could not be opened", [
        after("#include <ctype.h>", "#include <errno.h>"),
        change('            fprintf(stderr, "wordfreq: cannot open \\"%s\\"\\n", argv[arg]);',
               '            fprintf(stderr, "wordfreq: %s: %s\\n", argv[arg], strerror(errno));'),
    ]),
    Revision("chen", "2023-03-20T11:26:14", "Fix the buffer overrun on words of MAX_WORD_LEN letters", [
        before("            if (len < MAX_WORD_LEN)",
               "            /* longer words are cut, leaving room for the '\\0' */"),
        change("            if (len < MAX_WORD_LEN)", "            if (len < MAX_WORD_LEN - 1)"),
    ]),
    Revision("vogel", "2023-03-27T10:08:41", "Right-align the counts before the words", [
        change('        printf("%s\\t%d\\n", sorted[i]->word, sorted[i]->count);',
               '        printf("%7d %s\\n", sorted[i]->count, sorted[i]->word);'),
    ]),
    Revision("okafor", "2023-04-03T14:51:22", "Add -m to skip words shorter than a given length", [
        change(" * Usage: wordfreq [-n COUNT] [FILE...]", " * Usage: wordfreq [-n COUNT] [-m LENGTH] [FILE...]"),
        after("static int nentries = 0;        // distinct words in the table",
              "static int min_length = 1;      // -m: shorter words are not counted"),
        after("    struct entry *e;",
              "",
              "    if (strlen(w) < (size_t)min_length)",
              "        return;"),
        change('    if (argc > 2 && strcmp(argv[1], "-n") == 0) {',
               "    while (arg + 1 < argc && argv[arg][0] == '-') {"),
        before("        limit = atoi(argv[2]);", '        if (strcmp(argv[arg], "-n") == 0)'),
        change("        limit = atoi(argv[2]);", "            limit = atoi(argv[arg + 1]);"),
        after("            limit = atoi(argv[arg + 1]);",
              '        else if (strcmp(argv[arg], "-m") == 0)',
              "            min_length = atoi(argv[arg + 1]);",
              "        else",
              "            break;"),
        change("        arg = 3;", "        arg += 2;"),
    ]),
    Revision("hartley", "2023-04-11T09:47:35", "Print the total number of words at the end", [
        after("    int arg = 1;", "    long total = 0;"),
        after('        printf("%7d %s\\n", sorted[i]->count, sorted[i]->word);',
              "    for (i = 0; i < n; i++)",
              "        total += sorted[i]->count;",
              '    printf("%7ld total\\n", total);'),
    ]),
    Revision("chen", "2023-04-18T15:19:07", "Count digits as word characters as well", [
        change(" * of times it occurs, most frequent first.  Words are runs of letters,",
               " * of times it occurs, most frequent first.  Words are runs of letters"),
        change(" * compared without case.", " * and digits, compared without case."),
        change("/* Letters make words; an apostrophe counts when it follows a letter. */",
               "/* Letters and digits make words; so does an apostrophe after one. */"),
        change("    return isalpha(c) || (c == '\\'' && len > 0);",
               "    return isalnum(c) || (c == '\\'' && len > 0);"),
    ]),
    Revision("vogel", "2023-04-24T11:02:58", "Tidy the comments", [
        change("/* The classic multiplicative string hash; good enough for words. */",
               "/* Multiplicative string hash after Kernighan and Ritchie. */"),
        change("/* Adds one occurrence of w, making a new entry the first time. */",
               "/* Counts one occurrence of w; the first one makes its entry. */"),
        remove(("    qsort(sorted, n, sizeof *sorted, compare_entries);", ""), 2),
    ]),
    Revision("okafor", "2023-05-02T13:14:31", "Add -h and refuse unknown options with a usage message", [
        before(MAIN,
               "static void usage(FILE *out)",
               "{",
               '    fputs("usage: wordfreq [-n COUNT] [-m LENGTH] [FILE...]\\n"',
               '          "  -n COUNT   print only the COUNT most frequent words\\n"',
               '          "  -m LENGTH  do not count words shorter than LENGTH\\n"',
               '          "  -h         print this help\\n", out);',
               "}",
               ""),
        change("    while (arg + 1 < argc && argv[arg][0] == '-') {",
               "    while (arg < argc && argv[arg][0] == '-') {"),
        after("    while (arg < argc && argv[arg][0] == '-') {",
              '        if (strcmp(argv[arg], "-h") == 0) {',
              "            usage(stdout);",
              "            return 0;",
              "        }"),
        change('        if (strcmp(argv[arg], "-n") == 0)',
               '        if (arg + 1 < argc && strcmp(argv[arg], "-n") == 0)'),
        change('        else if (strcmp(argv[arg], "-m") == 0)',
               '        else if (arg + 1 < argc && strcmp(argv[arg], "-m") == 0)'),
        change((MAIN, "        else", "            break;"), "            usage(stderr);"),
        change(("            min_length = atoi(argv[arg + 1]);", "        else"), "        else {"),
        after("            usage(stderr);", "            return 2;", "        }"),
        remove((" * wordfreq.c - count how often each word occurs in a text", " *"), 2),
    ]),
    Revision("chen", "2023-05-09T10:40:16", "Do not count an apostrophe that only closes a word", [
        before("/* Counts every word of one stream. */",
               "/* Ends the word in buf, dropping apostrophes that only close it. */",
               "static void end_word(char *buf, int len)",
               "{",
               "    while (len > 0 && buf[len - 1] == '\\'')",
               "        len--;",
               "    buf[len] = '\\0';",
               "    if (len > 0)",
               "        add_word(buf);",
               "}",
               ""),
        change(("static void count_stream(FILE *in)", "            buf[len] = '\\0';"),
               "            end_word(buf, len);"),
        remove(("static void count_stream(FILE *in)", "            add_word(buf);")),
        remove(("static void count_stream(FILE *in)", "    if (len > 0) {"), 4),
        before(("static void count_stream(FILE *in)", "}"), "    end_word(buf, len);"),
    ]),
]


# ---------------------------------------------------------------------------
# Output.


def evolution_file_text(history):
    columns = range(len(history.texts))
    out = [MODULE, "Branch: " + BRANCH, "Lines: %d" % len(history.order), "Revisions: %d" % len(columns)]
    for number, line in enumerate(history.order, 1):
        out.append("  %d:" % number + "".join(line.status(c) + " " for c in columns))
    return "\n".join(out) + "\n"


def revision_list_text(story):
    return "".join("%s%d%%%s%%%s%%%s\n" % (BRANCH, n, r.author, r.date, r.message)
                   for n, r in enumerate(story, 1))


def write(path, text):
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write(text)


def write_example(directory, story, history):
    revisions = os.path.join(directory, "revisions")
    os.makedirs(revisions, exist_ok=True)
    # Texts of an older, longer story would otherwise linger beside the new ones.
    stale = re.compile(re.escape(MODULE + ".v" + BRANCH) + r"\d+$")
    for name in os.listdir(revisions):
        if stale.match(name):
            os.remove(os.path.join(revisions, name))
    for number, text in enumerate(history.texts, 1):
        write(os.path.join(revisions, "%s.v%s%d" % (MODULE, BRANCH, number)), "".join(l + "\n" for l in text))
    write(os.path.join(directory, MODULE + "_cvs"), evolution_file_text(history))
    write(os.path.join(directory, MODULE + ".rev"), revision_list_text(story))
    write(os.path.join(directory, "grammar.dat"), GRAMMAR)
    write(os.path.join(directory, "config.cfg"), CONFIGURATION)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_example.py DIRECTORY\n")
        return 2
    try:
        history = replay(STORY)
    except StoryError as error:
        sys.stderr.write("make_example.py: %s\n" % error)
        return 1
    write_example(argv[1], STORY, history)
    print("%s: %d lines in %d revisions, %d to %d lines each"
          % (os.path.join(argv[1], MODULE + "_cvs"), len(history.order), len(history.texts),
             min(map(len, history.texts)), max(map(len, history.texts))))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
