#include "calendar/ICalendarFile.h"

#include "core/Clock.h"

#include <libical/ical.h>
#include <memory>
#include <QSaveFile>

namespace calendar {
namespace {

struct ComponentFree
{
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};

icaltimetype dayOf(const QDate &day)
{
    icaltimetype t = icaltime_null_date();
    t.year = day.year();
    t.month = day.month();
    t.day = day.day();
    return t;
}

QByteArray textOf(icalcomponent *component)
{
    char *text = icalcomponent_as_ical_string_r(component);
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

} // namespace

QByteArray iCalendarText(const std::vector<CalendarEvent> &events)
{
    // A day without an end is that whole day, which calendars show as free time. Each event
    // is written on its own and placed inside the calendar's own text: libical
    // writes one large calendar many times slower than its events one by one.
    std::unique_ptr<icalcomponent, ComponentFree> calendar(
        icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                            icalproperty_new_prodid("-//Pawmark//Houndry//EN"), nullptr));
    QByteArray bytes = textOf(calendar.get());
    const QByteArray end = QByteArrayLiteral("END:VCALENDAR");
    const qsizetype endAt = bytes.lastIndexOf(end);
    QByteArray tail = bytes.mid(endAt);
    bytes.truncate(endAt);
    const QDateTime now = core::Clock::now().toUTC();
    const icaltimetype stamp =
        icaltime_from_timet_with_zone(now.toSecsSinceEpoch(), 0, icaltimezone_get_utc_timezone());
    for (const CalendarEvent &e : events) {
        std::unique_ptr<icalcomponent, ComponentFree> event(icalcomponent_new_vevent());
        icalcomponent_add_property(event.get(), icalproperty_new_uid(e.uid.toUtf8().constData()));
        icalcomponent_add_property(event.get(), icalproperty_new_dtstamp(stamp));
        icalcomponent_add_property(event.get(), icalproperty_new_dtstart(dayOf(e.day)));
        icalcomponent_add_property(event.get(),
                                   icalproperty_new_summary(e.summary.toUtf8().constData()));
        if (!e.description.isEmpty())
            icalcomponent_add_property(
                event.get(), icalproperty_new_description(e.description.toUtf8().constData()));
        if (e.yearly) {
            icalrecurrencetype rule;
            icalrecurrencetype_clear(&rule);
            rule.freq = ICAL_YEARLY_RECURRENCE;
            icalcomponent_add_property(event.get(), icalproperty_new_rrule(rule));
        }
        bytes += textOf(event.get());
    }
    return bytes + tail;
}

QString writeICalendar(const std::vector<CalendarEvent> &events, const QString &path)
{
    const QByteArray text = iCalendarText(events);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return file.errorString();
    return {};
}

} // namespace calendar
