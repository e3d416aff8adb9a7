#include "support/MessageRecorder.h"

void MessageRecorder::ShowHint(const QString& text) {
  hints << text;
  all << text;
}

bool MessageRecorder::AskYesNo(const QString& text) {
  questions << text;
  all << text;
  if (answers.empty()) return defaultAnswer;
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

void MessageRecorder::Clear() {
  hints.clear();
  questions.clear();
  all.clear();
  answers.clear();
}
