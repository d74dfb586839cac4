#pragma once

#include "calendar/KennelCalendar.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace calendar {

// The events as an iCalendar file's text.
QByteArray iCalendarText(const std::vector<CalendarEvent> &events);
// Writes them to `path` whole or not at all: a disk that fills or a folder that refuses
// leaves the file that was there. The problem, or empty.
QString writeICalendar(const std::vector<CalendarEvent> &events, const QString &path);

} // namespace calendar
