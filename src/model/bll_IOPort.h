// The input and output ports of the doors, and the process-wide texts of the port names and
// port functions. Database errors pass to the caller.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "app/u_Progress.h"
#include "data/db_Exec.h"
#include "model/m_InPort.h"
#include "model/m_OutPort.h"

// The six lists. Numbers and texts are parallel: a function's text is at its number's position.
struct TPortTexts {
  QStringList InPortNames;     // "Input 1", "Input 2", "Input 3" (translated)
  QStringList InFuncNumbers;   // "0", then every InportFunc Fncid of the language in order
  QStringList InFuncTexts;     // "No Setting" (translated), then the matching Fnc_describe
  QStringList OutPortNames;    // "Output 1", "Output 2", "Output 3"
  QStringList OutFuncNumbers;  // "0", then every OutportFunc Fncid
  QStringList OutFuncTexts;    // "No Setting", then the matching Fnc_describe
};

// (Re)fills the lists for the current LanguageCode.
void LoadPortTexts();
// Releases the lists; a screen that needs them afterwards loads them again.
void FreePortTexts();
// The loaded lists, or null when they are not loaded.
TPortTexts* PortTexts();
// A function's text in the loaded lists; empty when not loaded or the number is not listed.
QString InFunctionText(int fncid);
QString OutFunctionText(int fncid);

// Input function n and output function n - 11 share one text (68..75 and 57..64 are the ones
// the operator may rename).
constexpr int kInToOutFunction = 11;

class TInPortOperater {
 public:
  // The door's rows ordered by port number; Bgntime/Endtime as "HH:MM:SS".
  std::vector<TInPort> LoadInPorts(int doorKey);
  void InsertInPort(const TInPort& port, int doorKey);
  void UpdateInPort(const TInPort& port, int doorKey);
  void DeleteInPort(int portNum, int doorKey);
  // Another port of the door already has this function.
  bool InFunctionUsed(int portNum, int fncid, int doorKey);
  // Some input function of any language has this text.
  bool InFunctionTextExists(const QString& text);
  // Renames input function n and output function n - 11, in the database (one transaction)
  // and in the loaded lists.
  bool RenameInFunction(int n, const QString& text);
  // Clears input ports 1, 2 and 3 of the controller.
  void ClearDeviceInPorts(int ComNo, const QString& DevNo, IProgress& progress);

 private:
  TQuery FQuery;
};

class TOutPortOperater {
 public:
  std::vector<TOutPort> LoadOutPorts(int doorKey);
  void InsertOutPort(const TOutPort& port, int doorKey);
  void UpdateOutPort(const TOutPort& port, int doorKey);
  void DeleteOutPort(int portNum, int doorKey);
  bool OutFunctionUsed(int portNum, int fncid, int doorKey);
  bool OutFunctionTextExists(const QString& text);
  // Renames output function n and input function n + 11.
  bool RenameOutFunction(int n, const QString& text);
  // Clears output ports 1, 2 and 3 of the controller.
  void ClearDeviceOutPorts(int ComNo, const QString& DevNo, IProgress& progress);

 private:
  TQuery FQuery;
};
