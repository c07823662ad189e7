// The grammar file: whatever it holds, every token is a piece of it.

#include "fuzz/fuzz_input.h"
#include "syntax/grammar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    scratch().write("grammar.dat", text);
    const Grammar grammar(scratch().path());
    for (const std::string* token :
         {&grammar.blockOpen, &grammar.blockClose, &grammar.commentBlockOpen, &grammar.commentBlockClose,
          &grammar.commentLine, &grammar.commentLineFragment, &grammar.reference, &grammar.keywordIf,
          &grammar.keywordFor, &grammar.keywordWhile, &grammar.keywordDo})
        FUZZ_CHECK(token->empty() || text.find(*token) != std::string::npos);
    return 0;
}
