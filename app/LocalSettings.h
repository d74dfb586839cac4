#pragma once

#include "core/DateText.h"

#include <functional>
#include <QString>
#include <QStringList>

namespace ui {
class ScreenHost;
}

namespace app {

class SetupScreen;

// The breeder's local conventions, kept in the kennel file so that they travel with it.
namespace localsettings {

// A convention picked from a list: its caption and box on the setup screen, its name in the
// kennel file, its entries (kept there as they read), and the one in effect.
struct ListSetting
{
    QString caption;
    QString objectName;
    QString preference;
    QStringList entries;
    std::function<int()> current;
    std::function<int()> byDefault;
    std::function<void(int)> apply;
};
const ListSetting &dateOrder();
const ListSetting &weights();
const ListSetting &paper();
const ListSetting &currencyPlace();
const ListSetting &amountForm();
// Where the certificate and the pedigree chart show titles: nowhere at first.
const ListSetting &titles();
// All of them, in the order the setup screen shows them.
QList<const ListSetting *> all();

// Opens the kennel's two files and takes up the kennel's choices; the problem, if any.
QString openKennel();

// Keeps the entry chosen in the kennel and takes it up; false, the user told, when the
// kennel cannot keep it.
bool choose(const ListSetting &setting, int entry);

// The currency's symbol or code, typed rather than picked; false, the user told, when it
// cannot be used or kept.
QString currencySymbolCaption();
bool chooseCurrencySymbol(const QString &symbol);

// Takes up a date order chosen on the setup screen once no other screen but the main menu
// is open: what is typed in one is read, and its hints were set, in the order it opened in.
void changeDateOrder(ui::ScreenHost &screens, SetupScreen &setup, core::datetext::Order order);

} // namespace localsettings
} // namespace app
