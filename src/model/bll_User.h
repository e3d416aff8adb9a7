// The user store: cardholders and user groups.
#pragma once

#include <QDate>
#include <QString>
#include <stdexcept>
#include <vector>

#include "data/db_Exec.h"
#include "model/m_UserGrp.h"
#include "model/m_UserInfo.h"

// A certificate ID as shown and stored: at least four digits, left-filled with "0".
QString FormatUserId(int number);

// A copy that cannot be made because every four-digit certificate ID is taken.
class EUserIdsExhausted : public std::runtime_error {
 public:
  explicit EUserIdsExhausted(const QString& message)
      : std::runtime_error(message.toStdString()), text(message) {}
  QString Message() const { return text; }

 private:
  QString text;
};

// The built-in group 0 that screens list after the stored groups; it has no row.
TUserGrp UngroupedUserGroup();

class TUGroupOperater {
 public:
  // The stored groups only; screens add the built-in group 0 "Ungrouped Users" themselves.
  std::vector<TUserGrp> GetGroups();
  // Every group holding a user without a card; group 0 comes with an empty name.
  std::vector<TUserGrp> GetCardlessUserGroups();
  void AddGroup(const TUserGrp& group);
  void RenameGroup(const TUserGrp& group);
  void DeleteGroup(int groupId);
  int NextGroupId();
  // True when a group other than `exceptId` has this name, ASCII letters compared without
  // regard to case.
  bool GroupNameExists(const QString& name, int exceptId);
  bool GroupHasUsers(int groupId);

 private:
  TQuery FQuery;
};

class TUserOperater {
 public:
  std::vector<TUserInfo> GetUsers();  // ordered by UID
  std::vector<TUserInfo> GetUsersOfGroup(int groupId);
  // Users whose full name or UID contains `text` (a LIKE pattern).
  std::vector<TUserInfo> SearchUsers(const QString& text);
  // Card-less users of a group, with UKey, UGrpId, UID, UName, UFName, ULName, UCard only.
  std::vector<TUserInfo> GetCardlessUsersOfGroup(int groupId);
  void AddUser(const TUserInfo& user);     // the key is left to the database
  void UpdateUser(const TUserInfo& user);  // every column but the key
  void DeleteUser(int userKey);
  // True when another user than `exceptKey` has this UID.
  bool UserIdExists(const QString& uid, int exceptKey);
  bool UserHasAuthorizations(int userKey);
  void SetUserCard(int userKey, const QString& card);
  void ClearUserCard(int userKey);
  // Takes the card from the user and puts it back on the waiting list, in one transaction.
  // A user without a row: nothing happens.
  void ReclaimUserCard(int userKey);
  // The key the next inserted user will get.
  int NextUserKey();
  // The highest UID read as a number, plus 1.
  int NextUserId();
  // Stores a copy of `user` (the source user's key in UKey) under the next UID, with copies
  // of the source user's authorisations when asked, as one unit. On return UKey and UID are
  // the copy's. Throws EUserIdsExhausted when the next UID would not fit four digits.
  void CopyUser(TUserInfo& user, bool withAuthorizations);
  // Today with the year moved on by the default validity setting; 29 February into a year
  // without it gives 28 February.
  QDate DefaultValidity();
  // True when the user's card text is longer than one character.
  bool UserHasCard(int userKey);

  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();

 private:
  std::vector<TUserInfo> ReadUsers(bool dateAsRead);

  TQuery FQuery;
};
