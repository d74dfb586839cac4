#pragma once

#include "report/ReportLayout.h"

namespace sales {

// "Sales Reciept": the last small receipt, a customer's and a seller's copy on one page.
report::Report salesReceipt();
// "Receipt of Sale Showing Pedigree": the last receipt with the dog's three generations.
report::Report pedigreeReceipt();
// "Sales Report": every sale with the total of the amounts.
report::Report salesReport();

} // namespace sales
