// The serial port setting (PublicInfo id 6): the decimal text of the port number 1..20.
#pragma once

#include <QString>

#include "data/db_Exec.h"

class TComOperater {
 public:
  QString GetComPort();  // empty when the row is missing
  void SetComPort(const QString& text);

 private:
  TQuery FQuery;
};

// The port number of a stored setting text: 0 when blank after trimming, else its integer
// value. Throws EConvertError for a text that is not a number.
int ComPortFromText(const QString& text);
// Reads setting 6 into CurrentComPort and returns it.
int LoadCurrentComPort();
