#include "model/bll_IOPort.h"

#include <memory>

#include "app/u_Function.h"
#include "comm/u_MjComm.h"
#include "platform/Translation.h"

namespace {

std::unique_ptr<TPortTexts> portTexts;

QString Num(int value) {
  return QString::number(value);
}

// Fills one number list and its text list from a function table of the current language.
void LoadFunctions(const QString& table, QStringList& numbers, QStringList& texts) {
  TQuery query;
  OpenQuery(QStringLiteral("select * from ") + table + QStringLiteral(" where Language='") +
                QuotedSql(LanguageCode) + QStringLiteral("' order by Fncid"),
            query);
  numbers = QStringList{QStringLiteral("0")};
  texts = QStringList{_("No Setting")};
  for (query.First(); !query.Eof(); query.Next()) {
    numbers << query.FieldByName(QStringLiteral("Fncid")).AsString();
    texts << query.FieldByName(QStringLiteral("Fnc_describe")).AsString();
  }
}

QString FunctionText(const QStringList TPortTexts::*numbers, const QStringList TPortTexts::*texts,
                     int fncid) {
  if (!portTexts) return QString();
  const int at = ((*portTexts).*numbers).indexOf(Num(fncid));
  return at < 0 ? QString() : ((*portTexts).*texts).value(at);
}

void SetFunctionText(QStringList TPortTexts::*numbers, QStringList TPortTexts::*texts, int fncid,
                     const QString& text) {
  if (!portTexts) return;
  const int at = ((*portTexts).*numbers).indexOf(Num(fncid));
  if (at >= 0 && at < ((*portTexts).*texts).size()) ((*portTexts).*texts)[at] = text;
}

QString PortName(const QStringList TPortTexts::*names, int portNum) {
  if (!portTexts) return QString();
  const QStringList& list = (*portTexts).*names;
  return portNum >= 1 && portNum <= list.size() ? list[portNum - 1] : QString();
}

// A stored "yyyy-mm-dd HH:MM:SS" or "HH:MM:SS" as the time of day "HH:MM:SS".
QString TimeOfDay(const TField& field) {
  return FormatTime(field.AsDateTime().time());
}

bool Exists(const QString& statement, TQuery& query) {
  OpenQuery(statement, query);
  return !query.IsEmpty();
}

// Gives function `first` of table `firstTable` and function `second` of `secondTable` the
// same text, in one transaction, then in both loaded lists.
void RenameSharedFunction(const QString& firstTable, int first, const QString& secondTable,
                          int second, const QString& text) {
  const QString where = QStringLiteral("' where Language='") + QuotedSql(LanguageCode) +
                        QStringLiteral("' and Fncid=");
  TTransactionGuard transaction;
  ExecSQL(QStringLiteral("update ") + firstTable + QStringLiteral(" set Fnc_describe='") +
          QuotedSql(text) + where + Num(first));
  ExecSQL(QStringLiteral("update ") + secondTable + QStringLiteral(" set Fnc_describe='") +
          QuotedSql(text) + where + Num(second));
  transaction.Commit();
}

// Sends `clear` for ports 1, 2 and 3.
void ClearPorts(int ComNo, const QString& DevNo, IProgress& progress, int (*clear)(int, int, int)) {
  progress.Repaint();
  progress.ProcessMessages();
  bool ok = false;
  const int device = DevNo.trimmed().toInt(&ok);
  if (!ok) return;
  for (int port = 1; port <= 3; ++port) clear(ComNo, device, port);
}

}  // namespace

// ---- port texts ---------------------------------------------------------------------------

void LoadPortTexts() {
  if (!portTexts) portTexts = std::make_unique<TPortTexts>();
  TPortTexts fresh;
  fresh.InPortNames = QStringList{_("Input 1"), _("Input 2"), _("Input 3")};
  LoadFunctions(QStringLiteral("InportFunc"), fresh.InFuncNumbers, fresh.InFuncTexts);
  fresh.OutPortNames = QStringList{_("Output 1"), _("Output 2"), _("Output 3")};
  LoadFunctions(QStringLiteral("OutportFunc"), fresh.OutFuncNumbers, fresh.OutFuncTexts);
  *portTexts = std::move(fresh);
}

void FreePortTexts() {
  portTexts.reset();
}

TPortTexts* PortTexts() {
  return portTexts.get();
}

QString InFunctionText(int fncid) {
  return FunctionText(&TPortTexts::InFuncNumbers, &TPortTexts::InFuncTexts, fncid);
}

QString OutFunctionText(int fncid) {
  return FunctionText(&TPortTexts::OutFuncNumbers, &TPortTexts::OutFuncTexts, fncid);
}

// ---- TInPortOperater ----------------------------------------------------------------------

std::vector<TInPort> TInPortOperater::LoadInPorts(int doorKey) {
  OpenQuery(QStringLiteral("SELECT * FROM Inportinfo where did=") + Num(doorKey) +
                QStringLiteral(" order by PortNum"),
            FQuery);
  std::vector<TInPort> ports;
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
    TInPort port;
    port.Inportid = FQuery.FieldByName(QStringLiteral("Inportid")).AsInteger();
    port.Portnum = FQuery.FieldByName(QStringLiteral("Portnum")).AsInteger();
    port.PortName = PortName(&TPortTexts::InPortNames, port.Portnum);
    port.Fncid = FQuery.FieldByName(QStringLiteral("Fncid")).AsInteger();
    port.FncText = InFunctionText(port.Fncid);
    port.Isenable = FQuery.FieldByName(QStringLiteral("Isenable")).AsString();
    port.Ishigh = FQuery.FieldByName(QStringLiteral("Ishigh")).AsString();
    port.Bgntime = TimeOfDay(FQuery.FieldByName(QStringLiteral("Bgntime")));
    port.Endtime = TimeOfDay(FQuery.FieldByName(QStringLiteral("Endtime")));
    ports.push_back(std::move(port));
  }
  return ports;
}

void TInPortOperater::InsertInPort(const TInPort& port, int doorKey) {
  ExecSQL(QStringLiteral(" Insert into Inportinfo (Did,Portnum, Fncid, Isenable, Ishigh, Bgntime, "
                         "Endtime) values(") +
          Num(doorKey) + QLatin1Char(',') + Num(port.Portnum) + QLatin1Char(',') + Num(port.Fncid) +
          QStringLiteral(", '") + QuotedSql(port.Isenable) + QStringLiteral("', '") +
          QuotedSql(port.Ishigh) + QStringLiteral("', '") + QuotedSql(port.Bgntime) +
          QStringLiteral("', '") + QuotedSql(port.Endtime) + QStringLiteral("') "));
}

void TInPortOperater::UpdateInPort(const TInPort& port, int doorKey) {
  ExecSQL(QStringLiteral("update Inportinfo set Portnum=") + Num(port.Portnum) +
          QStringLiteral(",Fncid=") + Num(port.Fncid) + QStringLiteral(",Isenable='") +
          QuotedSql(port.Isenable) + QStringLiteral("',Ishigh='") + QuotedSql(port.Ishigh) +
          QStringLiteral("',Bgntime='") + QuotedSql(port.Bgntime) + QStringLiteral("',Endtime='") +
          QuotedSql(port.Endtime) + QStringLiteral("' where Portnum=") + Num(port.Portnum) +
          QStringLiteral(" and did=") + Num(doorKey));
}

void TInPortOperater::DeleteInPort(int portNum, int doorKey) {
  ExecSQL(QStringLiteral("delete from Inportinfo where PortNum=") + Num(portNum) +
          QStringLiteral(" and did=") + Num(doorKey));
}

bool TInPortOperater::InFunctionUsed(int portNum, int fncid, int doorKey) {
  return Exists(QStringLiteral("select Portnum from InportInfo where Portnum<>") + Num(portNum) +
                    QStringLiteral(" and Fncid=") + Num(fncid) + QStringLiteral(" and did=") +
                    Num(doorKey),
                FQuery);
}

bool TInPortOperater::InFunctionTextExists(const QString& text) {
  return Exists(QStringLiteral("select Fncid from inportfunc where Fnc_describe='") +
                    QuotedSql(text) + QStringLiteral("' "),
                FQuery);
}

bool TInPortOperater::RenameInFunction(int n, const QString& text) {
  RenameSharedFunction(QStringLiteral("Inportfunc"), n, QStringLiteral("outportfunc"),
                       n - kInToOutFunction, text);
  SetFunctionText(&TPortTexts::OutFuncNumbers, &TPortTexts::OutFuncTexts, n - kInToOutFunction,
                  text);
  SetFunctionText(&TPortTexts::InFuncNumbers, &TPortTexts::InFuncTexts, n, text);
  return true;
}

void TInPortOperater::ClearDeviceInPorts(int ComNo, const QString& DevNo, IProgress& progress) {
  ClearPorts(ComNo, DevNo, progress, MjClearInPort);
}

// ---- TOutPortOperater ---------------------------------------------------------------------

std::vector<TOutPort> TOutPortOperater::LoadOutPorts(int doorKey) {
  OpenQuery(QStringLiteral("SELECT * FROM Outportinfo where did=") + Num(doorKey) +
                QStringLiteral(" order by PortNum"),
            FQuery);
  std::vector<TOutPort> ports;
  for (FQuery.First(); !FQuery.Eof(); FQuery.Next()) {
    TOutPort port;
    port.Outportid = FQuery.FieldByName(QStringLiteral("Outportid")).AsInteger();
    port.Portnum = FQuery.FieldByName(QStringLiteral("Portnum")).AsInteger();
    port.PortName = PortName(&TPortTexts::OutPortNames, port.Portnum);
    port.Fncid = FQuery.FieldByName(QStringLiteral("Fncid")).AsInteger();
    port.FncText = OutFunctionText(port.Fncid);
    port.delaytime = FQuery.FieldByName(QStringLiteral("delaytime")).AsInteger();
    ports.push_back(std::move(port));
  }
  return ports;
}

void TOutPortOperater::InsertOutPort(const TOutPort& port, int doorKey) {
  ExecSQL(QStringLiteral("insert into outportinfo(did,Portnum, Fncid, delaytime) values(") +
          Num(doorKey) + QLatin1Char(',') + Num(port.Portnum) + QLatin1Char(',') + Num(port.Fncid) +
          QLatin1Char(',') + Num(port.delaytime) + QStringLiteral(") "));
}

void TOutPortOperater::UpdateOutPort(const TOutPort& port, int doorKey) {
  ExecSQL(QStringLiteral("update outportinfo set Portnum=") + Num(port.Portnum) +
          QStringLiteral(",Fncid=") + Num(port.Fncid) + QStringLiteral(",Delaytime=") +
          Num(port.delaytime) + QStringLiteral(" where Portnum=") + Num(port.Portnum) +
          QStringLiteral(" and did=") + Num(doorKey));
}

void TOutPortOperater::DeleteOutPort(int portNum, int doorKey) {
  ExecSQL(QStringLiteral("delete from Outportinfo where Portnum=") + Num(portNum) +
          QStringLiteral(" and did=") + Num(doorKey));
}

bool TOutPortOperater::OutFunctionUsed(int portNum, int fncid, int doorKey) {
  return Exists(QStringLiteral("select Portnum from Outportinfo where Portnum<>") + Num(portNum) +
                    QStringLiteral(" and Fncid=") + Num(fncid) + QStringLiteral(" and did=") +
                    Num(doorKey),
                FQuery);
}

bool TOutPortOperater::OutFunctionTextExists(const QString& text) {
  return Exists(QStringLiteral("select Fncid from outportfunc where Fnc_describe='") +
                    QuotedSql(text) + QStringLiteral("' "),
                FQuery);
}

bool TOutPortOperater::RenameOutFunction(int n, const QString& text) {
  RenameSharedFunction(QStringLiteral("outportfunc"), n, QStringLiteral("inportfunc"),
                       n + kInToOutFunction, text);
  SetFunctionText(&TPortTexts::InFuncNumbers, &TPortTexts::InFuncTexts, n + kInToOutFunction, text);
  SetFunctionText(&TPortTexts::OutFuncNumbers, &TPortTexts::OutFuncTexts, n, text);
  return true;
}

void TOutPortOperater::ClearDeviceOutPorts(int ComNo, const QString& DevNo, IProgress& progress) {
  ClearPorts(ComNo, DevNo, progress, MjClearOutPort);
}
