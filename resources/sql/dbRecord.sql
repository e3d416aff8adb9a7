-- The record table: the record template (each month file is a copy of it) and the main
-- database, whose copy stays empty, both hold it.
BEGIN TRANSACTION;
CREATE TABLE IoData (
  UKey      TEXT,
  UID       TEXT,
  UName     TEXT,
  UCard     TEXT,
  UGrpId    INTEGER,
  UGrpName  TEXT,
  Did       INTEGER,
  DName     TEXT,
  DGrpId    INTEGER,
  DGrpname  TEXT,
  IoDate    TEXT,
  Isin      INTEGER,
  CardType  INTEGER,
  PassType  INTEGER,
  WarnType  INTEGER,
  EventSrc  INTEGER,
  EventType INTEGER
);
COMMIT;
