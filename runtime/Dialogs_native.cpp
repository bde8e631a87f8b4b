// The portable build has no windows: a dialog's text goes to stderr, and a
// question is answered No.
#include <cstdio>

#include "runtime/Dialogs.h"

namespace brisbolt {

int SystemDialog(DialogKind kind, const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return kind == DialogKind::Question ? AnswerNo : AnswerOk;
}

}  // namespace brisbolt
