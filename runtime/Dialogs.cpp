#include "runtime/Dialogs.h"

#include <utility>

namespace brisbolt {

namespace {
DialogHandler& Handler() {
    static DialogHandler handler;
    return handler;
}

int Show(DialogKind kind, const std::string& text) {
    auto& handler = Handler();
    return handler ? handler(kind, text) : SystemDialog(kind, text);
}
}  // namespace

DialogHandler SetDialogHandler(DialogHandler handler) { return std::exchange(Handler(), std::move(handler)); }

void ShowMessage(const std::string& text) { Show(DialogKind::Notice, text); }

bool AskQuestion(const std::string& text) { return Show(DialogKind::Question, text) == AnswerYes; }

}  // namespace brisbolt
