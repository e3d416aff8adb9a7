// General settings rows of PublicInfo: language, skin, validity years, user field captions.
#pragma once

#include <QString>

#include "data/db_Exec.h"

class TConfigOp {
 public:
  QString GetLanguage();
  void SetLanguage(const QString& code);
  QString GetSkin();
  void SetSkin(const QString& name);
  int GetValidityYears();  // 50 when the stored text is empty or not an integer
  void SetValidityYears(int years);
  QString GetUserDefine1Caption();  // "UserDefine1" (translated) when empty or missing
  QString GetUserDefine2Caption();  // "UserDefine2" (translated) when empty or missing
  void SetUserDefine1Caption(const QString& text);
  void SetUserDefine2Caption(const QString& text);

 private:
  QString ReadValue(const QString& statement);
  TQuery FQuery;
};
