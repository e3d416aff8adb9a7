// The system password (PublicInfo id 1): plain text, compared exactly and case-sensitively.
#pragma once

#include <QString>

#include "data/db_Exec.h"

class TLoginOperater {
 public:
  QString GetPassword();  // empty when the row is missing
  void SetPassword(const QString& text);
  bool CheckPassword(const QString& text);

 private:
  TQuery FQuery;
};
