#include "app/HelpScreen.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace app {
namespace {

const char *const helpText = R"(
<h2>Houndry help</h2>
<p>Houndry keeps your dogs, contacts, matings, litters, vaccinations, notes and sales in two
files in its data folder: <code>kennelbase.ddx</code> and <code>report.ddx</code>.
Changes on the record screens are saved when you move to another record or close the screen.</p>
<h3>Dog Section</h3>
<dl>
<dt>Add Dog Records</dt><dd>Creates a number of blank dog records to complete later.</dd>
<dt>View a Pedigree</dt><dd>Shows or prints a dog's pedigree.</dd>
<dt>Enter a Mating</dt><dd>Records a mating; the litter due date is worked out for you.</dd>
<dt>View Possible Mating</dt><dd>Shows the pedigree of a planned litter.</dd>
<dt>Browse / Update Dogs</dt><dd>Steps through every dog with First, Previous, Next and Last;
type over any detail to change it.</dd>
<dt>Find / Update Dog</dt><dd>Opens the dog records on the dog you pick by name.</dd>
<dt>Enter a Litter</dt><dd>Records the litter of a mating and creates a record for each pup.</dd>
<dt>Enter a Vaccination</dt><dd>Records a vaccination and when the next one is due.</dd>
<dt>View Vaccination History</dt><dd>Lists a dog's vaccinations.</dd>
<dt>Sell a Dog</dt><dd>Sells one of your dogs to a contact and prints a receipt.</dd>
<dt>Enter Dog Notes</dt><dd>Keeps short dated notes about a dog.</dd>
</dl>
<h3>Lists</h3>
<p>Birthdays, litters due and vaccinations due this month, all three together, and a dog's
matings. On the first day of each month Houndry offers to show this month's lists.</p>
<h3>Reports</h3>
<p>Dog owners, litter histories, sales with their total, and your contacts, each in a print
preview from which you can print or save a PDF.</p>
<h3>Contacts</h3>
<p>Add a contact, list the dogs a contact owns, find a contact by name, or browse them all.</p>
<h3>System</h3>
<p>About shows the version. Setup keeps your kennel prefix, your name and address: your name
becomes breeder and owner of the pups you record and the seller on every sale. Exit saves and
closes everything.</p>
)";

} // namespace

HelpScreen::HelpScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Houndry Help"), parent)
{
    auto *browser = new QTextBrowser;
    browser->setHtml(QString::fromUtf8(helpText));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    setMinimumSize(520, 480);
}

} // namespace app
