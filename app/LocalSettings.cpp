#include "app/LocalSettings.h"

#include "app/MainMenu.h"
#include "app/SetupScreen.h"
#include "core/Messages.h"
#include "core/Money.h"
#include "core/Units.h"
#include "db/DatabaseFiles.h"
#include "db/Preferences.h"
#include "report/ReportLayout.h"
#include "showcase/Titles.h"
#include "ui/ScreenHost.h"

namespace app::localsettings {

const ListSetting &dateOrder()
{
    using namespace core::datetext;
    static const ListSetting setting{QStringLiteral("Date order"),
                                     QStringLiteral("dateOrder"),
                                     QStringLiteral("date order"),
                                     orderNames(),
                                     [] { return int(order()); },
                                     [] { return int(Order::MonthDayYear); },
                                     [](int entry) { setOrder(Order(entry)); }};
    return setting;
}

const ListSetting &weights()
{
    using namespace core::units;
    static const ListSetting setting{QStringLiteral("Weights"),
                                     QStringLiteral("weights"),
                                     QStringLiteral("weights"),
                                     weightNames(),
                                     [] { return int(weight()); },
                                     [] { return int(systemWeight()); },
                                     [](int entry) { setWeight(Weight(entry)); }};
    return setting;
}

const ListSetting &paper()
{
    static const ListSetting setting{QStringLiteral("Paper"),
                                     QStringLiteral("paper"),
                                     QStringLiteral("paper"),
                                     report::paperNames(),
                                     [] { return int(report::paper()); },
                                     [] { return int(report::Paper::System); },
                                     [](int entry) { report::setPaper(report::Paper(entry)); }};
    return setting;
}

const ListSetting &currencyPlace()
{
    using namespace core::money;
    static const ListSetting setting{
        QStringLiteral("Currency symbol goes"),   QStringLiteral("currencyPlace"),
        QStringLiteral("currency place"),         placeNames(),
        [] { return int(currency().place); },     [] { return int(Currency().place); },
        [](int entry) { setPlace(Place(entry)); }};
    return setting;
}

const ListSetting &amountForm()
{
    using namespace core::money;
    static const ListSetting setting{
        QStringLiteral("Amounts written"),      QStringLiteral("amountForm"),
        QStringLiteral("amount form"),          formNames(),
        [] { return int(currency().form); },    [] { return int(Currency().form); },
        [](int entry) { setForm(Form(entry)); }};
    return setting;
}

const ListSetting &titles()
{
    using namespace showcase;
    static const ListSetting setting{QStringLiteral("Titles with names"),
                                     QStringLiteral("titlePlace"),
                                     QStringLiteral("title place"),
                                     titlePlaceNames(),
                                     [] { return int(titlePlace()); },
                                     [] { return int(TitlePlace::None); },
                                     [](int entry) { setTitlePlace(TitlePlace(entry)); }};
    return setting;
}

QList<const ListSetting *> all()
{
    return {&dateOrder(), &weights(), &paper(), &currencyPlace(), &amountForm(), &titles()};
}

namespace {

const QString symbolPreference = QStringLiteral("currency symbol");

} // namespace

QString currencySymbolCaption()
{
    return QStringLiteral("Currency symbol");
}

bool chooseCurrencySymbol(const QString &symbol)
{
    if (const QString problem = core::money::symbolProblem(symbol); !problem.isEmpty()) {
        core::tell(problem);
        return false;
    }
    if (const auto saved = db::setPreference(db::DatabaseFiles::kennel(), symbolPreference, symbol);
        !saved) {
        core::tellNothingChanged(QStringLiteral("The local setting"), saved.problem());
        return false;
    }
    core::money::setSymbol(symbol);
    return true;
}

QString openKennel()
{
    const QString problem = db::DatabaseFiles::open();
    if (!problem.isEmpty())
        return problem;
    for (const ListSetting *setting : all()) {
        const qsizetype kept = setting->entries.indexOf(
            db::preference(db::DatabaseFiles::kennel(), setting->preference));
        setting->apply(kept < 0 ? setting->byDefault() : int(kept));
    }
    // A symbol edited by hand into one that cannot be read back is not taken up.
    const QString symbol = db::preference(db::DatabaseFiles::kennel(), symbolPreference);
    core::money::setSymbol(
        core::money::symbolProblem(symbol).isEmpty() ? symbol : core::money::Currency().symbol);
    return {};
}

bool choose(const ListSetting &setting, int entry)
{
    if (const auto saved = db::setPreference(db::DatabaseFiles::kennel(), setting.preference,
                                             setting.entries.value(entry));
        !saved) {
        core::tellNothingChanged(QStringLiteral("The local setting"), saved.problem());
        return false;
    }
    setting.apply(entry);
    return true;
}

void changeDateOrder(ui::ScreenHost &screens, SetupScreen &setup, core::datetext::Order order)
{
    if (const QStringList open = screens.titlesBut({&setup, screens.find(MainMenu::screenName())});
        !open.isEmpty()) {
        core::tell(QStringLiteral("The date order changes once the other screens are closed, so "
                                  "that nothing typed in them is read in another order. Still "
                                  "open: %1.")
                       .arg(open.join(QStringLiteral(", "))));
        return;
    }
    choose(dateOrder(), int(order));
}

} // namespace app::localsettings
