// Helpers of the archive tests: reading a database file through a connection of its own (which
// sees only what is committed), and small fixtures of users and doors.
#pragma once

#include <sqlite3.h>

#include <QString>
#include <QStringList>

// Runs `statement` on the database file `fileName` through its own connection (read-write, so
// that a hot journal left by a killed process is rolled back as the program would) and returns each
// row as its columns joined by "|". Throws std::runtime_error on any error.
QStringList ReadRows(const QString& fileName, const QString& statement);

// The main database's users and doors, written directly.
void AddUserRow(int key, const QString& uid, const QString& card, const QString& name, int group);
void AddUserGroupRow(int group, const QString& name);
void AddDoorRow(int did, const QString& name, int group);
void AddDoorGroupRow(int group, const QString& name);
