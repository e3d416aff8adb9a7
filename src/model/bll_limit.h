// The time-rule stores: time segments, week plans, holidays, holiday plans and control groups.
// Every statement is built here; database errors pass to the caller (except in ClearDevice).
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "app/u_Progress.h"
#include "data/db_Exec.h"
#include "model/m_ControlGroup.h"
#include "model/m_Holiday.h"
#include "model/m_HolidayPlan.h"
#include "model/m_TimeZone.h"
#include "model/m_WeekScheme.h"

using TControlParamList = std::vector<std::unique_ptr<TControlParam>>;

class TControlParamOp {
 public:
  virtual ~TControlParamOp() = default;

  // The nine operations every store offers, in this order.
  virtual void GetAll(TControlParamList& records) = 0;  // ordered by id
  // Ids are passed as text; a text that is no whole number finds nothing and deletes nothing.
  virtual std::unique_ptr<TControlParam> GetById(const QString& id) = 0;  // null: none
  virtual QString GetName(int id) = 0;  // empty when there is no such record
  virtual int NewId() = 0;              // a free id 1..99, or -1 when the kind is full
  // False, writing nothing, for a record of another kind or one that fails IsValid.
  virtual bool Add(const TControlParam& record) = 0;
  virtual bool Update(const TControlParam& record) = 0;
  virtual bool Delete(const QString& id) = 0;
  virtual bool NameExists(const QString& name, int exceptId) = 0;
  virtual bool IsInUse(int id) = 0;  // a record of the layer above (or an authorisation) uses it

  // Ids grow by one up to 97; from then on the lowest gap is filled. -1 with 99 rows.
  int NextFreeId(const QString& table, const QString& column);
  // The text of the last statement run.
  QString LastStatement() const { return FSql; }

 protected:
  TControlParamOp() = default;
  void Open(const QString& statement);
  bool Exists(const QString& statement);
  bool Execute(const QString& statement);

  TQuery FQuery;
  QString FSql;
};

// The parts every store shares, for the record class TRecord.
template <class TRecord>
class TControlParamStore : public TControlParamOp {
 public:
  using TControlParamOp::GetAll;
  using TControlParamOp::GetById;

  void GetAll(TControlParamList& records) override;
  std::unique_ptr<TControlParam> GetById(const QString& id) override;
  QString GetName(int id) override;
  bool Delete(const QString& id) override;
  bool NameExists(const QString& name, int exceptId) override;

  // The same as typed values.
  void GetAll(std::vector<TRecord>& records);
  bool GetById(const QString& id, TRecord& record);

  // Deletes every record of this kind in the controller (selector 255), as the first step of
  // writing the database's records into it. The result and any error are ignored.
  void ClearDevice(int ComNo, const QString& DevNo, IProgress& progress);

 protected:
  struct TTable {
    const char* table;
    const char* idColumn;
    const char* nameColumn;
    QString columns;                      // the select list, id and name first
    int (*deleteCommand)(int, int, int);  // the controller's delete command of this kind
  };
  virtual const TTable& Table() const = 0;
  virtual TRecord Read(const TQuery& row) const = 0;
  // The record as this store's kind, or null when it is of another kind or not valid.
  const TRecord* Writable(const TControlParam& record) const;
};

class TTimeZoneOp : public TControlParamStore<TTimeZone> {
 public:
  int NewId() override;
  bool Add(const TControlParam& record) override;
  bool Update(const TControlParam& record) override;
  bool IsInUse(int id) override;

 protected:
  const TTable& Table() const override;
  TTimeZone Read(const TQuery& row) const override;
};

class TWeekSchemeOp : public TControlParamStore<TWeekScheme> {
 public:
  int NewId() override;
  bool Add(const TControlParam& record) override;
  bool Update(const TControlParam& record) override;
  bool IsInUse(int id) override;

 protected:
  const TTable& Table() const override;
  TWeekScheme Read(const TQuery& row) const override;
};

class THolidayOp : public TControlParamStore<THoliday> {
 public:
  int NewId() override;
  bool Add(const TControlParam& record) override;
  bool Update(const TControlParam& record) override;
  bool IsInUse(int id) override;

  // One row of the time-rule page's holiday grid: [name,] begin, end (short dates), the name
  // of the holiday's time segment, then the holiday id (the column after the visible ones).
  // When the holiday exists, `cells` is filled, `row` grows by one and the result is true;
  // otherwise nothing changes.
  bool AddHolidayRow(bool withName, int holidayId, QStringList& cells, int& row);

 protected:
  const TTable& Table() const override;
  THoliday Read(const TQuery& row) const override;
};

class THolidayPlanOp : public TControlParamStore<THolidayPlan> {
 public:
  int NewId() override;
  // An empty plan (every place -1) is not stored: Add writes nothing and returns true,
  // Update deletes the plan's row.
  bool Add(const TControlParam& record) override;
  bool Update(const TControlParam& record) override;
  bool IsInUse(int id) override;

 protected:
  const TTable& Table() const override;
  THolidayPlan Read(const TQuery& row) const override;
};

class TControlGroupOp : public TControlParamStore<TControlGroup> {
 public:
  int NewId() override;
  // A control group is saved together with its holiday plan: use AddWithHolidays and
  // UpdateWithHolidays. These two write nothing and return false.
  bool Add(const TControlParam& record) override;
  bool Update(const TControlParam& record) override;
  // Deletes the group and its holiday plan in one transaction.
  bool Delete(const QString& id) override;
  bool IsInUse(int id) override;

  // Save the group and, in the same transaction, its holiday plan (id and name of the group,
  // the thirty given holiday ids). AddWithHolidays writes the plan only when the group uses
  // holidays; UpdateWithHolidays always writes it, so thirty -1 ids remove it. False, writing
  // nothing, for a group that fails IsValid. A failing statement rolls back what the call
  // began and passes the error on.
  bool AddWithHolidays(const TControlGroup& group, const THolidayIds& holidays);
  bool UpdateWithHolidays(const TControlGroup& group, const THolidayIds& holidays);

 protected:
  const TTable& Table() const override;
  TControlGroup Read(const TQuery& row) const override;

 private:
  bool SavePlan(const TControlGroup& group, const THolidayIds& holidays);
};
