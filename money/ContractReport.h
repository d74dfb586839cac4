#pragma once

#include "report/ReportLayout.h"

namespace money {

// "Contract of Sale": a contract's text as issued, line by line, long lines wrapped to the page.
report::Report contractReport(const QString &text);

} // namespace money
