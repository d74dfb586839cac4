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

} // namespace

QByteArray iCalendarText(const std::vector<CalendarEvent> &events)
{
    std::unique_ptr<icalcomponent, ComponentFree> calendar(
        icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                            icalproperty_new_prodid("-//Pawmark//Houndry//EN"), nullptr));
    const QDateTime now = core::Clock::now().toUTC();
    icaltimetype stamp =
        icaltime_from_timet_with_zone(now.toSecsSinceEpoch(), 0, icaltimezone_get_utc_timezone());
    for (const CalendarEvent &e : events) {
        icalcomponent *event = icalcomponent_new_vevent();
        icalcomponent_add_property(event, icalproperty_new_uid(e.uid.toUtf8().constData()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(stamp));
        icalcomponent_add_property(event, icalproperty_new_dtstart(dayOf(e.day)));
        icalcomponent_add_property(event, icalproperty_new_dtend(dayOf(e.day.addDays(1))));
        icalcomponent_add_property(event, icalproperty_new_summary(e.summary.toUtf8().constData()));
        if (!e.description.isEmpty())
            icalcomponent_add_property(
                event, icalproperty_new_description(e.description.toUtf8().constData()));
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        if (e.yearly) {
            icalrecurrencetype rule;
            icalrecurrencetype_clear(&rule);
            rule.freq = ICAL_YEARLY_RECURRENCE;
            icalcomponent_add_property(event, icalproperty_new_rrule(rule));
        }
        icalcomponent_add_component(calendar.get(), event);
    }
    char *text = icalcomponent_as_ical_string_r(calendar.get());
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
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
