#pragma once

#include "transfer/ImportPlan.h"

namespace transfer {

// The import of health results: each row names its dog by registration number or by name
// (as the pedigrees find a parent), its test by name, and a result; a laboratory's file has
// a row per dog and a column of results per test instead. A result the kennel already has
// (the same dog, test, date and result) matches and is not added again. A test the kennel
// does not have is made by the import where the settings allow it, as a DNA test when all
// its results are DNA results.
ImportCheck checkResults(const QSqlDatabase &kennel, const QString &file,
                         const ImportSettings &settings,
                         const std::function<bool(qint64)> &progress = {});
core::WriteResult<ImportCounts> importResults(QSqlDatabase kennel, const QString &file,
                                              const ImportSettings &settings,
                                              const std::function<bool(qint64)> &progress = {});

} // namespace transfer
