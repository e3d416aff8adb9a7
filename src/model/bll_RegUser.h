// The authorisation store, and the queue of user entries still to be deleted from the
// controllers (WaitingDelete), which the next synchronisation of each controller sends.
#pragma once

#include <QString>
#include <vector>

#include "app/u_Progress.h"
#include "data/db_Exec.h"
#include "model/m_RegUser.h"

// The card that identifies a user entry on a controller: the user's card, or for a user
// without a card the UID written twice.
QString EntryCard(const QString& card, const QString& uid);

class TRegUserOperater {
 public:
  // RecordId, UKey, DId, CGrpId of the user's authorisations.
  std::vector<TRegUser> GetUserRegs(int userKey);
  // With user, door and control group names; no UPSW, no UInvalidate.
  std::vector<TRegUser> GetUserRegsDetailed(int userKey);
  // Every field; UInvalidate as stored.
  std::vector<TRegUser> GetDoorRegs(int doorId);
  // Those of GetDoorRegs whose user is valid today or later.
  std::vector<TRegUser> GetValidDoorRegs(int doorId);
  // The key of the stored row of reg's user and door; -1 when there is none.
  int FindRegRecordId(const TRegUser& reg);
  void AddReg(const TRegUser& reg);
  void UpdateReg(const TRegUser& reg);
  void DeleteReg(int recordId);
  void DeleteUserRegs(int userKey);
  void DeleteDoorRegs(int doorId);

  void AddWaitingDelete(const QString& uid, const QString& card, int deviceId);
  // Drops the queued entries of controllers no door has any more.
  void PurgeWaitingDeletes();
  // Sends the queued deletions of one controller, UID then entry card. A confirmed row is
  // removed together with its duplicates; the others stay queued. Gives up at the row after
  // the fourth unanswered command.
  void SendWaitingDeletes(int comNo, int deviceId, IProgress& progress);
  // Queues the entries of the door's users whose validity ended before today. Database errors
  // are rolled back and swallowed.
  void QueueExpiredDeletes(int doorId);
  // Queues the card-less entries (UID written twice) of a user who has just got a card, one
  // per authorisation. Database errors are rolled back and swallowed.
  void QueueCardlessDeletes(int userKey);
  // Queues the entries of a user whose card is being taken away: one per authorisation whose
  // UID and card are both set. Database errors go to the caller.
  void QueueCardDeletes(int userKey);
  // Deletes the given authorisations and queues their controller entries, after asking
  // "Are you sure delete?". True when they were deleted (the caller reloads its list); false
  // when the operator said no or it failed (then nothing is kept and the failure was shown).
  bool RemoveAuthorization(const std::vector<TRegUser>& regs);

  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();

 private:
  std::vector<TRegUser> ReadRegs(bool dateAsRead);
  void QueueSelectedEntries(const QString& statement, bool cardless);

  TQuery FQuery;
};
