-- The main database delivered beside the program. Integer columns carry integer affinity so
-- that a key written between quotes compares equal to the number.
PRAGMA page_size = 4096;
BEGIN TRANSACTION;

CREATE TABLE PublicInfo (
  id    INTEGER PRIMARY KEY,
  value TEXT,
  desc  TEXT
);

CREATE TABLE DoorGrp (
  DGrpId   INTEGER PRIMARY KEY,
  DGrpName TEXT
);

CREATE TABLE Door (
  Did      INTEGER PRIMARY KEY,
  DeviceId INTEGER,
  DName    TEXT,
  DGrpId   INTEGER DEFAULT 0,
  SNR      TEXT,
  Version  TEXT
);

CREATE TABLE DoorInfo (
  Did               INTEGER PRIMARY KEY,
  KeyActive         INTEGER,
  KeySensitive      INTEGER,
  NeedPass1         INTEGER,
  NeedPass2         INTEGER,
  OvertimeDelay     INTEGER,
  MaxPassAttempt    INTEGER,
  PassErrorLock     INTEGER,
  AntiPassback      INTEGER,
  AntipassbackCards INTEGER
);

CREATE TABLE Inportinfo (
  Inportid INTEGER PRIMARY KEY,
  Did      INTEGER,
  Portnum  INTEGER,
  Fncid    INTEGER,
  Isenable INTEGER,
  Ishigh   INTEGER,
  Bgntime  TEXT,
  Endtime  TEXT
);

CREATE TABLE Outportinfo (
  Outportid INTEGER PRIMARY KEY,
  did       INTEGER,
  Portnum   INTEGER,
  Fncid     INTEGER,
  delaytime INTEGER
);

CREATE TABLE InportFunc (
  Language     TEXT,
  Fncid        INTEGER,
  Fnc_describe TEXT,
  PRIMARY KEY (Language, Fncid)
);

CREATE TABLE OutportFunc (
  Language     TEXT,
  Fncid        INTEGER,
  Fnc_describe TEXT,
  PRIMARY KEY (Language, Fncid)
);

CREATE TABLE UserGrp (
  UGrpId   INTEGER PRIMARY KEY,
  UGrpName TEXT
);

CREATE TABLE UserInfo (
  UKey        INTEGER PRIMARY KEY AUTOINCREMENT,
  UGrpId      INTEGER DEFAULT 0,
  UID         TEXT,
  UName       TEXT,
  UFName      TEXT,
  ULName      TEXT,
  UCard       TEXT,
  UPSW        TEXT,
  USex        TEXT,
  UInvalidate TEXT,
  UTel        TEXT,
  URemark     TEXT,
  UserDefine1 TEXT,
  UserDefine2 TEXT
);

CREATE TABLE RegUser (
  RecordId INTEGER PRIMARY KEY,
  UKey     INTEGER,
  DId      INTEGER,
  CGrpId   INTEGER
);

CREATE TABLE WaitingCard (
  Id        INTEGER PRIMARY KEY,
  CardNo    TEXT,
  IssueTime TEXT
);

CREATE TABLE Cards (
  card TEXT
);

CREATE TABLE WaitingDelete (
  UID      TEXT,
  UCard    TEXT,
  DeviceId INTEGER
);

CREATE TABLE TimeZone (
  ZoneId   INTEGER PRIMARY KEY,
  ZoneName TEXT,
  Bgn1 TEXT, End1 TEXT, Flow1 INTEGER,
  Bgn2 TEXT, End2 TEXT, Flow2 INTEGER,
  Bgn3 TEXT, End3 TEXT, Flow3 INTEGER,
  Bgn4 TEXT, End4 TEXT, Flow4 INTEGER,
  Bgn5 TEXT, End5 TEXT, Flow5 INTEGER
);

CREATE TABLE WeekScheme (
  WkSchemeId   INTEGER PRIMARY KEY,
  WkSchemeName TEXT,
  Wk0 INTEGER, Wk1 INTEGER, Wk2 INTEGER, Wk3 INTEGER, Wk4 INTEGER, Wk5 INTEGER, Wk6 INTEGER
);

CREATE TABLE Holiday (
  HolidayId   INTEGER PRIMARY KEY,
  HolidayName TEXT,
  HolidayBgn  TEXT,
  HolidayEnd  TEXT,
  ZoneId      INTEGER
);

CREATE TABLE HolidayPlan (
  HolidayPlanId   INTEGER PRIMARY KEY,
  HolidayPlanName TEXT,
  HolidayId0 INTEGER, HolidayId1 INTEGER, HolidayId2 INTEGER, HolidayId3 INTEGER,
  HolidayId4 INTEGER, HolidayId5 INTEGER, HolidayId6 INTEGER, HolidayId7 INTEGER,
  HolidayId8 INTEGER, HolidayId9 INTEGER, HolidayId10 INTEGER, HolidayId11 INTEGER,
  HolidayId12 INTEGER, HolidayId13 INTEGER, HolidayId14 INTEGER, HolidayId15 INTEGER,
  HolidayId16 INTEGER, HolidayId17 INTEGER, HolidayId18 INTEGER, HolidayId19 INTEGER,
  HolidayId20 INTEGER, HolidayId21 INTEGER, HolidayId22 INTEGER, HolidayId23 INTEGER,
  HolidayId24 INTEGER, HolidayId25 INTEGER, HolidayId26 INTEGER, HolidayId27 INTEGER,
  HolidayId28 INTEGER, HolidayId29 INTEGER
);

CREATE TABLE ControlGroup (
  CGrpId         INTEGER PRIMARY KEY,
  CGroupName     TEXT,
  WkSchemeId     INTEGER,
  HolidayPlanId  INTEGER,
  HldPlanEnabled INTEGER
);

-- The main database's own (always empty) IoData, which the record report also reads,
-- comes from dbRecord.sql, so that both files hold the same table.

CREATE INDEX idx_RegUser_DId ON RegUser (DId);
CREATE INDEX idx_RegUser_UKey ON RegUser (UKey);
CREATE INDEX idx_UserInfo_UID ON UserInfo (UID);
CREATE INDEX idx_UserInfo_UCard ON UserInfo (UCard);
CREATE INDEX idx_WaitingDelete_DeviceId ON WaitingDelete (DeviceId);

-- Settings rows. Only ids 11 and 12 are ever inserted by the program; the others must exist.
INSERT INTO PublicInfo (id, value, desc) VALUES (1, '123456', 'system password');
INSERT INTO PublicInfo (id, value, desc) VALUES (2, 5, 'default validity years');
INSERT INTO PublicInfo (id, value, desc) VALUES (3, 'en', 'language');
INSERT INTO PublicInfo (id, value, desc) VALUES (4, '', 'main window left');
INSERT INTO PublicInfo (id, value, desc) VALUES (5, '', 'main window top');
INSERT INTO PublicInfo (id, value, desc) VALUES (6, '1', 'serial port');
INSERT INTO PublicInfo (id, value, desc) VALUES (10, 'plex.urf', 'skin file');
INSERT INTO PublicInfo (id, value, desc) VALUES (13, '', 'user field 1 caption');
INSERT INTO PublicInfo (id, value, desc) VALUES (14, '', 'user field 2 caption');

-- Make sqlite_sequence exist from the start, as the autoincrement key of UserInfo needs it.
INSERT INTO UserInfo (UKey, UID) VALUES (0, 'seed');
DELETE FROM UserInfo;
DELETE FROM sqlite_sequence WHERE name = 'UserInfo';

COMMIT;
