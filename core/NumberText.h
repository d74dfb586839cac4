#pragma once

#include <QString>

namespace core {

// A number as it is composed into text: one leading blank in place of the sign of a
// non-negative number, a minus sign otherwise (" 12", "-1").
QString signedText(qint64 number);

} // namespace core
