-- Demo data for the simulated line of `make run`: two doors on controllers 1 and 2, three
-- users, office hours, and authorisations. Applied only to a database without doors.
BEGIN TRANSACTION;
INSERT INTO DoorGrp (DGrpId, DGrpName) VALUES (1, 'Head office');
INSERT INTO Door (Did, DeviceId, DName, DGrpId, SNR, Version)
  VALUES (1, 1, 'Main entrance', 1, '000000001', 'KV60 V2.01'),
         (2, 2, 'Store room', 1, '000000002', 'KV60 V2.01');
INSERT INTO DoorInfo (Did, KeyActive, KeySensitive, NeedPass1, NeedPass2, OvertimeDelay,
                      MaxPassAttempt, PassErrorLock, AntiPassback, AntipassbackCards)
  VALUES (1, 0, 10, 0, 0, 3, 3, 5, 0, 10000), (2, 0, 10, 0, 0, 3, 3, 5, 0, 10000);
INSERT INTO Inportinfo (Did, Portnum, Fncid, Isenable, Ishigh, Bgntime, Endtime)
  VALUES (1, 1, 1, '1', '0', '2000-01-01 00:00:00', '2000-01-01 23:59:59'),
         (2, 1, 1, '1', '0', '2000-01-01 00:00:00', '2000-01-01 23:59:59');
INSERT INTO Outportinfo (did, Portnum, Fncid, delaytime) VALUES (1, 1, 1, 3), (2, 1, 1, 3);
INSERT INTO UserGrp (UGrpId, UGrpName) VALUES (1, 'Staff');
INSERT INTO UserInfo (UGrpId, UID, UName, UFName, ULName, UCard, UPSW, USex, UInvalidate)
  VALUES (1, '0001', 'Anna Berg', 'Anna', 'Berg', '10000001', '', '1', '2099-12-31'),
         (1, '0002', 'Chen Wei', 'Wei', 'Chen', '10000002', '', '0', '2099-12-31'),
         (1, '0003', 'Dirk Vos', 'Dirk', 'Vos', '', '', '0', '2099-12-31');
INSERT INTO TimeZone VALUES (1, 'Office hours', '07:00:00', '19:00:00', 1, '19:00:00',
  '23:59:59', 3, '23:59:59', '23:59:59', 3, '23:59:59', '23:59:59', 3, '23:59:59', '23:59:59', 3);
INSERT INTO WeekScheme VALUES (1, 'Working week', 1, 1, 1, 1, 1, 0, 0);
INSERT INTO ControlGroup VALUES (1, 'Office hours', 1, 1, '0');
INSERT INTO RegUser (UKey, DId, CGrpId) VALUES (1, 1, 1), (2, 1, 1), (3, 1, 1), (1, 2, 1);
COMMIT;
