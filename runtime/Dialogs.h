// The program's two kinds of dialog: a notice with OK and a question with
// Yes and No. Every dialog goes through one handler, which tests replace to
// answer in place of the user.
#pragma once

#include <functional>
#include <string>

namespace brisbolt {

enum class DialogKind { Notice, Question };

// Answers as the Windows message boxes do: 1 = OK, 6 = Yes, 7 = No.
inline constexpr int AnswerOk = 1;
inline constexpr int AnswerYes = 6;
inline constexpr int AnswerNo = 7;

using DialogHandler = std::function<int(DialogKind kind, const std::string& text)>;

// Installs a handler; an empty one brings back the system's dialogs.
// Returns the handler that was installed before.
DialogHandler SetDialogHandler(DialogHandler handler);

void ShowMessage(const std::string& text);
// True when the user answers Yes.
bool AskQuestion(const std::string& text);

// The system's own dialogs; each build supplies them.
int SystemDialog(DialogKind kind, const std::string& text);

}  // namespace brisbolt
