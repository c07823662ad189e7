#include "synthetic_evolution.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string_view>
#include <tuple>

#include "evolution/evolution_file.h"
#include "syntax/grammar.h"

namespace fs = std::filesystem;

namespace {

const std::string moduleName = "synth.c";
const std::string branch = "1.";

constexpr std::array nouns = {"count", "index", "buffer", "line",  "word",   "table",  "entry", "state",
                              "name",  "value", "total",  "node",  "size",   "length", "result", "file",
                              "text",  "key",   "hash",   "limit", "column", "token",  "offset", "depth"};
constexpr std::array verbs = {"read",  "write", "parse", "count", "find", "insert", "remove", "print", "update",
                              "reset", "compare", "load", "store", "scan", "merge", "sort",  "grow",  "check"};
constexpr std::array types = {"int",  "long", "size_t", "char *", "const char *", "struct entry *", "unsigned",
                              "double"};
constexpr std::array systemHeaders = {"stdio.h", "stdlib.h", "string.h", "ctype.h",
                                      "errno.h", "assert.h", "limits.h", "stdint.h"};
constexpr std::array projectHeaders = {"table.h", "words.h", "hash.h", "report.h", "options.h"};
constexpr std::array prose = {"the",    "table",  "keeps",  "every",     "word",    "once",   "and",
                              "counts", "its",    "uses",   "before",    "report",  "is",     "printed",
                              "sorted", "by",     "frequency", "so",     "that",    "callers", "never",
                              "see",    "a",      "partial", "entry",    "when",    "input",  "ends"};
constexpr std::array authors = {"ann", "bob", "cid", "dora", "emil", "fay", "gus"};

// splitmix64: fast, and the same stream on every platform for a seed.
class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}
    uint64_t next()
    {
        uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    size_t below(size_t n) { return static_cast<size_t>(next() % n); }
    int between(int low, int high) { return low + static_cast<int>(below(static_cast<size_t>(high - low + 1))); }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    bool chance(double p) { return unit() < p; }
    template <typename Table>
    std::string pick(const Table& table)
    {
        return table[below(table.size())];
    }

private:
    uint64_t state;
};

// What a line may turn into when it is edited: edits keep every brace,
// multi-line comment and string balanced, so only lines that are whole on
// their own change, and they change into lines of the same kind.
enum class Family { fixed, statement, lineComment, commentText, include };

class CodeWriter {
public:
    explicit CodeWriter(Random& random_) : random(random_) {}

    std::string text(Family family, int depth)
    {
        switch (family) {
        case Family::statement: return statement(depth);
        case Family::lineComment: return indent(depth) + "// " + sentence(random.between(3, 9));
        case Family::commentText: return " * " + sentence(random.between(4, 11));
        case Family::include: return include();
        case Family::fixed: break;
        }
        return {};
    }

    std::string identifier()
    {
        switch (random.below(3)) {
        case 0: return random.pick(nouns);
        case 1: return random.pick(nouns) + "_" + random.pick(nouns);
        default: return random.pick(nouns) + std::to_string(random.below(4));
        }
    }
    std::string function() { return random.pick(verbs) + "_" + random.pick(nouns); }
    std::string number() { return std::to_string(random.below(256)); }
    std::string declaration() { return declaration(identifier()); }
    std::string declaration(const std::string& name)
    {
        const std::string type = random.pick(types);
        return type + (type.back() == '*' ? "" : " ") + name;
    }
    std::string sentence(int words)
    {
        std::string s = random.pick(prose);
        for (int i = 1; i < words; ++i) {
            s += ' ';
            s += random.pick(prose);
        }
        return s;
    }
    static std::string indent(int depth) { return std::string(static_cast<size_t>(depth) * 4, ' '); }

    std::string include()
    {
        if (random.chance(0.6))
            return "#include <" + random.pick(systemHeaders) + ">";
        return "#include \"" + random.pick(projectHeaders) + "\"";
    }

    // One line of code that opens and closes everything it opens.
    std::string statement(int depth)
    {
        std::string s = indent(depth);
        switch (random.below(10)) {
        case 0: return s + identifier() + " = " + function() + "(" + identifier() + ", " + number() + ");";
        case 1:
            return s + identifier() + " += " + identifier() + "[" + identifier() + "] * " + number() + ";  // " +
                   sentence(random.between(2, 5));
        case 2: return s + "printf(\"%s: %d\\n\", " + identifier() + ", " + identifier() + ");";
        case 3:
            return s + "report(\"" + random.pick(prose) + " \\\"" + random.pick(prose) + "\\\" in %s\\\\\", " +
                   identifier() + ");";
        case 4:
            return s + "if (" + identifier() + " > " + number() + ") { " + function() + "(&" + identifier() +
                   "); }";
        case 5: return s + "/* " + sentence(random.between(2, 5)) + " */ " + identifier() + "++;";
        case 6: return s + declaration() + " = " + function() + "(" + identifier() + ", ':');";
        case 7: return s + "return " + function() + "(" + identifier() + ", \"" + random.pick(prose) + "\");";
        case 8: return s + identifier() + "[" + identifier() + "++] = '\\n';";
        default: return s + "memset(" + identifier() + ", 0, sizeof " + identifier() + ");";
        }
    }

private:
    Random& random;
};

struct EvolutionLine {
    std::string text;
    Family family = Family::fixed;
    int depth = 0;
    int next = -1;          // the following line in the evolution file
    int born = 0;           // first revision holding the line
    int died = 0;           // first revision without it again, or the revision count
    int touched = -1;       // last revision that added or changed it
    std::vector<int> changes;  // revisions at which its text changed
};

class EvolutionBuilder {
public:
    explicit EvolutionBuilder(const SyntheticParameters& parameters_)
        : parameters(parameters_), random(parameters_.seed), code(random)
    {
    }

    void writeFirstRevision()
    {
        add("/*", Family::fixed, 0);
        for (int i = random.between(2, 4); i > 0; --i)
            add(" * " + code.sentence(random.between(5, 10)), Family::commentText, 0);
        add(" */", Family::fixed, 0);
        for (int i = random.between(5, 10); i > 0; --i)
            add(code.include(), Family::include, 0);
        add("", Family::fixed, 0);
        for (int i = random.between(1, 3); i > 0; --i)
            add("static int " + code.identifier() + " = " + code.number() + ";", Family::fixed, 0);
        for (int i = random.between(1, 3); i > 0; --i)
            add("static const char *" + code.identifier() + " = \"" + code.sentence(2) + "\";", Family::fixed, 0);
        add("", Family::fixed, 0);
        while (static_cast<int>(present.size()) < parameters.lines)
            writeFunction();
    }

    // Edits the current text into that of revision r.
    void edit(int r)
    {
        const double wanted = parameters.editRate * static_cast<double>(present.size());
        int edits = static_cast<int>(wanted);
        if (random.chance(wanted - edits))
            ++edits;
        for (int e = 0; e < edits; ++e) {
            if (random.chance(0.9))
                modify(r);
            else if (static_cast<int>(present.size()) < parameters.lines ||
                     (static_cast<int>(present.size()) == parameters.lines && random.chance(0.5)))
                insert(r);
            else
                remove(r);
        }
    }

    void appendText(std::string& out) const
    {
        for (int id : present) {
            out += lines[id].text;
            out += '\n';
        }
    }

    int lineCount() const { return static_cast<int>(lines.size()); }

    // The evolution file: every line in file order with its status at every
    // revision.
    std::string evolutionFile() const
    {
        const int revisions = parameters.revisions;
        std::string out = moduleName + "\nBranch: " + branch + "\nLines: " + std::to_string(lines.size()) +
                          "\nRevisions: " + std::to_string(revisions) + "\n";
        out.reserve(lines.size() * (2 * static_cast<size_t>(revisions) + 10));
        std::string statuses;
        int number = 1;
        for (int id = 0; id != -1; id = lines[id].next, ++number) {
            const EvolutionLine& line = lines[id];
            statuses.assign(static_cast<size_t>(revisions), 'X');
            for (int r = 0; r < line.born; ++r)
                statuses[r] = '>';
            for (int r = line.died; r < revisions; ++r)
                statuses[r] = 'D';
            for (int r : line.changes)
                statuses[r - 1] = statuses[r] = '-';
            char prefix[16];
            std::snprintf(prefix, sizeof prefix, "%6d:", number);
            out += prefix;
            for (char c : statuses) {
                out += c;
                out += ' ';
            }
            out += '\n';
        }
        return out;
    }

    // Several authors, each usually committing a few revisions in a row.
    std::string revisionList()
    {
        std::string out;
        std::string author = random.pick(authors);
        for (int n = 1; n <= parameters.revisions; ++n) {
            if (random.chance(0.4))
                author = authors[random.below(random.chance(0.7) ? 3 : authors.size())];
            char date[32];
            std::snprintf(date, sizeof date, "%04d/%02d/%02d %02d:%02d:00", 2001 + n / 300, 1 + n / 25 % 12,
                          1 + n % 28, n % 24, n % 60);
            out += branch + std::to_string(n) + "%" + author + "%" + date + "%" + code.sentence(4) + "\n";
        }
        return out;
    }

private:
    const SyntheticParameters& parameters;
    Random random;
    CodeWriter code;
    std::vector<EvolutionLine> lines;
    std::vector<int> present;  // the current text, in order

    void add(std::string text, Family family, int depth)
    {
        const int id = static_cast<int>(lines.size());
        if (!present.empty())
            lines[present.back()].next = id;
        lines.push_back({std::move(text), family, depth, -1, 0, parameters.revisions, -1, {}});
        present.push_back(id);
    }

    void writeFunction()
    {
        switch (random.below(4)) {
        case 0:
        case 1:
            add("/*", Family::fixed, 0);
            for (int i = random.between(1, 4); i > 0; --i)
                add(code.text(Family::commentText, 0), Family::commentText, 0);
            add(" */", Family::fixed, 0);
            break;
        case 2: add(code.text(Family::lineComment, 0), Family::lineComment, 0); break;
        default: break;
        }
        const std::string signature = "static " + code.declaration(code.function()) + "(" + code.declaration() +
                                      ", " + code.declaration() + ")";
        if (random.chance(0.5)) {
            add(signature + " {", Family::fixed, 0);
        } else {
            add(signature, Family::fixed, 0);
            add("{", Family::fixed, 0);
        }
        writeBody(1, random.between(6, 24));
        add("}", Family::fixed, 0);
        add("", Family::fixed, 0);
    }

    void writeBody(int depth, int statements)
    {
        for (int i = 0; i < statements; ++i) {
            if (depth < 4 && random.chance(0.12)) {
                writeBlock(depth);
            } else if (random.chance(0.08)) {
                add(code.text(Family::lineComment, depth), Family::lineComment, depth);
            } else {
                add(code.statement(depth), Family::statement, depth);
            }
        }
    }

    void writeBlock(int depth)
    {
        const std::string pad = CodeWriter::indent(depth);
        const int inner = random.between(1, 6);
        switch (random.below(4)) {
        case 0:
            add(pad + "if (" + code.identifier() + " != NULL) {", Family::fixed, depth);
            writeBody(depth + 1, inner);
            if (random.chance(0.4)) {
                add(pad + "} else {", Family::fixed, depth);
                writeBody(depth + 1, random.between(1, 4));
            }
            add(pad + "}", Family::fixed, depth);
            break;
        case 1:
            add(pad + "for (i = 0; i < " + code.identifier() + "; i++) {", Family::fixed, depth);
            writeBody(depth + 1, inner);
            add(pad + "}", Family::fixed, depth);
            break;
        case 2:
            add(pad + "while (" + code.identifier() + " > 0) {", Family::fixed, depth);
            writeBody(depth + 1, inner);
            add(pad + "}", Family::fixed, depth);
            break;
        default:
            add(pad + "do {", Family::fixed, depth);
            writeBody(depth + 1, inner);
            add(pad + "} while (" + code.identifier() + "-- > 0);", Family::fixed, depth);
            break;
        }
    }

    bool editable(size_t index, int r) const
    {
        const EvolutionLine& line = lines[present[index]];
        return line.family != Family::fixed && line.touched != r;
    }

    // A random line that revision r may still edit; false after a few
    // misses, so that a text of fixed lines cannot hold the loop.
    bool pickEditable(int r, size_t& index)
    {
        for (int attempt = 0; attempt < 16; ++attempt) {
            index = random.below(present.size());
            if (editable(index, r))
                return true;
        }
        return false;
    }

    void modify(int r)
    {
        size_t index;
        if (!pickEditable(r, index))
            return;
        EvolutionLine& line = lines[present[index]];
        std::string text;
        do
            text = code.text(line.family, line.depth);
        while (text == line.text);
        line.text = std::move(text);
        line.changes.push_back(r);
        line.touched = r;
    }

    // New lines of the anchor's kind right after it, in the text and in the
    // evolution file (before any deleted line that follows it there).
    void insert(int r)
    {
        size_t index;
        if (!pickEditable(r, index))
            return;
        const int anchor = present[index];
        const Family family = lines[anchor].family;
        const int depth = lines[anchor].depth;
        int previous = anchor;
        for (int k = random.between(1, 3); k > 0; --k) {
            const int id = static_cast<int>(lines.size());
            lines.push_back({code.text(family, depth), family, depth, lines[previous].next, r,
                             parameters.revisions, r, {}});
            lines[previous].next = id;
            present.insert(present.begin() + static_cast<std::ptrdiff_t>(++index), id);
            previous = id;
        }
    }

    void remove(int r)
    {
        size_t index;
        if (!pickEditable(r, index))
            return;
        size_t end = index;
        for (int k = random.between(1, 3); k > 0 && end < present.size() && editable(end, r); --k)
            lines[present[end++]].died = r;
        present.erase(present.begin() + static_cast<std::ptrdiff_t>(index),
                      present.begin() + static_cast<std::ptrdiff_t>(end));
    }
};

const char grammarText[] = "BLOCK { }\n"
                           "COMMENT_BLOCK /* */\n"
                           "COMMENT_LINE //\n"
                           "COMMENT_LINE_FRAGMENT //\n"
                           "REFERENCE #include\n";

bool writeFile(const std::string& path, std::string_view content)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    return std::fclose(file) == 0 && written;
}

// Temporary directories and the evolutions in them, removed at exit.
struct GeneratedEvolutions {
    using Key = std::tuple<int, int, double, uint64_t, bool>;
    std::map<Key, SyntheticEvolution> evolutions;
    std::map<Key, LoadedEvolution> loaded;

    ~GeneratedEvolutions()
    {
        loaded.clear();
        for (const auto& [key, evolution] : evolutions) {
            std::error_code ignored;
            fs::remove_all(evolution.directory, ignored);
        }
    }

    static Key keyOf(const SyntheticParameters& p) { return {p.lines, p.revisions, p.editRate, p.seed, p.texts}; }
};

GeneratedEvolutions& generated()
{
    static GeneratedEvolutions instance;
    return instance;
}

}  // namespace

SyntheticEvolution writeSyntheticEvolution(const std::string& directory, const SyntheticParameters& parameters)
{
    SyntheticEvolution result;
    result.directory = directory;
    result.fileName = moduleName + "_cvs";
    result.revisionCount = parameters.revisions;

    std::error_code error;
    fs::create_directories(directory + "revisions", error);
    if (error)
        return {};

    auto write = [&result](const std::string& path, std::string_view content) {
        result.inputFiles.push_back(path);
        result.inputBytes += content.size();
        return writeFile(path, content);
    };

    EvolutionBuilder builder(parameters);
    builder.writeFirstRevision();
    std::string text;
    for (int r = 0; r < parameters.revisions; ++r) {
        if (r > 0)
            builder.edit(r);
        if (!parameters.texts)
            continue;
        text.clear();
        builder.appendText(text);
        if (!write(revisionTextPath(directory, moduleName, branch, r + 1), text))
            return {};
    }
    result.lineCount = builder.lineCount();
    if (!write(evolutionFilePath(directory, result.fileName), builder.evolutionFile()) ||
        !write(revisionListPath(directory, moduleName), builder.revisionList()) ||
        !write(grammarFilePath(directory), grammarText))
        return {};
    result.complete = true;
    return result;
}

const SyntheticEvolution& syntheticEvolution(const SyntheticParameters& parameters)
{
    GeneratedEvolutions& all = generated();
    const auto key = GeneratedEvolutions::keyOf(parameters);
    auto found = all.evolutions.find(key);
    if (found != all.evolutions.end())
        return found->second;

    std::string pattern = (fs::temp_directory_path() / "quillon-bench-XXXXXX").string();
    SyntheticEvolution evolution;
    if (::mkdtemp(pattern.data())) {
        evolution = writeSyntheticEvolution(pattern + "/", parameters);
        // A failed write still leaves a directory to remove at exit.
        evolution.directory = pattern + "/";
    }
    return all.evolutions.emplace(key, std::move(evolution)).first->second;
}

LoadedEvolution loadEvolutionDirectory(const SyntheticEvolution& evolution)
{
    LoadedEvolution loaded;
    loaded.grammar = std::make_unique<Grammar>(evolution.directory);
    loaded.evolution = std::make_unique<EvolutionFile>(evolution.directory, evolution.fileName, loaded.grammar.get());
    if (!loaded.evolution->loadEvolution())
        loaded.evolution.reset();
    return loaded;
}

LoadedEvolution& loadedSyntheticEvolution(const SyntheticParameters& parameters)
{
    GeneratedEvolutions& all = generated();
    const auto key = GeneratedEvolutions::keyOf(parameters);
    auto found = all.loaded.find(key);
    if (found != all.loaded.end())
        return found->second;
    return all.loaded.emplace(key, loadEvolutionDirectory(syntheticEvolution(parameters))).first->second;
}

void syntheticCases(benchmark::internal::Benchmark* benchmark, const std::string& extraName,
                    const std::vector<int64_t>& extraValues)
{
    // Few runs: a large load takes seconds, and the machine may be shared.
    benchmark->Unit(benchmark::kMillisecond)->MinTime(0.1)->Repetitions(3)->ReportAggregatesOnly(true);
    const std::vector<std::vector<int64_t>> sizes = {{1000, 100}, {5000, 1000}};
    if (extraValues.empty()) {
        benchmark->ArgNames({"lines", "revisions"});
        for (const auto& size : sizes)
            benchmark->Args(size);
        return;
    }
    benchmark->ArgNames({"lines", "revisions", extraName});
    for (const auto& size : sizes)
        for (int64_t value : extraValues)
            benchmark->Args({size[0], size[1], value});
}

SyntheticParameters syntheticParameters(const benchmark::State& state)
{
    SyntheticParameters parameters;
    parameters.lines = static_cast<int>(state.range(0));
    parameters.revisions = static_cast<int>(state.range(1));
    return parameters;
}
