#include "core/NumberText.h"

namespace core {

QString signedText(qint64 number)
{
    const QString digits = QString::number(number);
    return number < 0 ? digits : QLatin1Char(' ') + digits;
}

} // namespace core
