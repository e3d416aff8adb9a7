// The record archive (month files, in-memory snapshot, record rows) and a few small settings
// writers: the main window position and the door dialog's last choices.
#pragma once

#include "data/db_Exec.h"

class TToolOp {
 public:
  // The stored main window position (settings 4 and 5). False when either is missing or empty:
  // the window then goes to the top-right corner of the screen. Throws EConvertError for a
  // text that is not an integer (the window then keeps its designed position).
  bool ReadWindowPosition(int& left, int& top);
  // Stores both in one transaction; any error rolls back and is swallowed.
  void SaveWindowPosition(int left, int top);

 private:
  TQuery FQuery;
};
