// Small helpers shared by the store classes.
#pragma once

#include <QString>

#include "data/db_Exec.h"

// Existence checks: true when the statement yields at least one row.
inline bool RowsExist(const QString& statement, TQuery& query) {
  OpenQuery(statement, query);
  return !query.IsEmpty();
}
