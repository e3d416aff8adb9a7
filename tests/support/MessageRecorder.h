// A message sink for tests: keeps every text shown or asked, answers questions from a script.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "app/u_Function.h"

class MessageRecorder : public IMessageSink {
 public:
  void ShowHint(const QString& text) override;
  bool AskYesNo(const QString& text) override;

  // The answers to the next questions, in order; when none is left the default is used.
  void Answer(bool yes) { answers.push_back(yes); }
  bool defaultAnswer = false;

  QStringList hints;      // texts of HintBox, in order
  QStringList questions;  // texts of HintYesNo, in order
  QStringList all;        // both, in order

  void Clear();

 private:
  std::deque<bool> answers;
};
