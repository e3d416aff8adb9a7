// The door store: doors with their controller options, and door groups.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "data/db_Exec.h"
#include "model/m_Door.h"
#include "model/m_DoorGrp.h"

class TDoorGroupOp {
 public:
  // The stored groups, then the built-in group 0 "Ungrouped doors".
  std::vector<TDoorGrp> GetGroups();
  int NextGroupId();
  // True when a group other than `exceptId` has exactly this name.
  bool GroupNameExists(const QString& name, int exceptId);
  bool GroupHasDoors(int groupId);
  void AddGroup(const TDoorGrp& group);
  void RenameGroup(const TDoorGrp& group);
  // Removes the group row only; its doors keep their group id.
  void DeleteGroup(int groupId);

 private:
  TQuery FQuery;
};

class TDoorOp {
 public:
  std::vector<TDoor> GetDoors();  // ordered by Did
  std::vector<TDoor> GetDoorsOfGroup(int groupId);
  // Doors whose name or serial number contains `text` (a LIKE pattern: % and _ are wildcards).
  std::vector<TDoor> FindDoors(const QString& text);
  // The door with both its rows; no value when there is no Door row. A missing DoorInfo row
  // leaves the options 0.
  std::optional<TDoor> LoadDoor(int doorId);
  int NextDoorId();
  // Writes the DoorInfo and the Door row; begins no transaction of its own.
  void AddDoor(const TDoor& door);
  // Both rows in one transaction. Commits whatever transaction is open when done (the door
  // wizard's save relies on it); a failure rolls back only a transaction begun here.
  void UpdateDoor(const TDoor& door);
  // The door with its options and port rows, transaction as UpdateDoor. Authorisations stay.
  void DeleteDoor(int doorId);
  bool DoorNameExists(const QString& name, int exceptDoorId);
  bool DeviceIdExists(int deviceId, int exceptDoorId);
  bool DoorHasAuthorizations(int doorId);
  // `door` carries the source door's id and the new door's values. Writes the new door and
  // copies of the source door's authorisations as one unit; on return door.Did is the new id.
  // Result "00", or the translated message when the device number is taken (nothing written).
  QString CopyDoor(TDoor& door);

  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();

 private:
  // Loads every door whose Did the list query holds.
  std::vector<TDoor> LoadListedDoors();

  TQuery FQuery;      // lists and existence checks
  TQuery FDoorQuery;  // single doors, while a list stays open on FQuery
};
