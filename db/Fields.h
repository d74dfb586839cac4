#pragma once

#include <QString>

// The fields of every table, named once; the schema is built from these. The names on the
// left say what a field holds, the text on the right is what the file calls it.
namespace db::fields {

// SQLite's own row number, which every table has.
inline const QString rowid = QStringLiteral("rowid");

namespace dogs {
inline const QString id = QStringLiteral("dogid");
inline const QString number = QStringLiteral("dognumber");
inline const QString name = QStringLiteral("name");
inline const QString registration = QStringLiteral("registration");
inline const QString sex = QStringLiteral("sex");
inline const QString colour = QStringLiteral("colour");
inline const QString countryOfBirth = QStringLiteral("cob");
inline const QString born = QStringLiteral("dob");
inline const QString died = QStringLiteral("dod");
inline const QString breeder = QStringLiteral("breeder");
inline const QString breed = QStringLiteral("breed");
inline const QString microchip = QStringLiteral("Microchip");
inline const QString tattoo = QStringLiteral("Tattoo");
inline const QString sire = QStringLiteral("sire");
inline const QString dam = QStringLiteral("dam");
inline const QString owner = QStringLiteral("ownerid");
inline const QString soldFor = QStringLiteral("soldfor");
inline const QString sold = QStringLiteral("datesold");
} // namespace dogs

namespace contacts {
// What new tables link a contact by, so that a rename leaves them linked.
inline const QString id = QStringLiteral("contactid");
inline const QString name = QStringLiteral("last");
inline const QString title = QStringLiteral("Title");
inline const QString address = QStringLiteral("address");
inline const QString city = QStringLiteral("city");
inline const QString state = QStringLiteral("state");
inline const QString postcode = QStringLiteral("postcode");
inline const QString country = QStringLiteral("country");
inline const QString phone = QStringLiteral("phone");
inline const QString fax = QStringLiteral("fax");
inline const QString email = QStringLiteral("email");
inline const QString web = QStringLiteral("webaddress");
inline const QString notes = QStringLiteral("notes");
inline const QString breeder = QStringLiteral("breeder");
inline const QString prefix = QStringLiteral("breederprefix");
inline const QString breeds = QStringLiteral("breeds");
} // namespace contacts

namespace matings {
inline const QString sire = QStringLiteral("dgname1");
inline const QString dam = QStringLiteral("dgname2");
inline const QString mated = QStringLiteral("datemated");
inline const QString due = QStringLiteral("datedue");
} // namespace matings

namespace litters {
inline const QString id = QStringLiteral("litterid");
inline const QString sire = QStringLiteral("sire");
inline const QString dam = QStringLiteral("dam");
inline const QString size = QStringLiteral("littersize");
inline const QString born = QStringLiteral("dateoflitter");
inline const QString breed = QStringLiteral("breedoflitter");
} // namespace litters

namespace vaccinations {
inline const QString dogName = QStringLiteral("dogname");
inline const QString dogId = QStringLiteral("dogid");
inline const QString kind = QStringLiteral("vaxtype");
inline const QString given = QStringLiteral("vaccinated");
inline const QString due = QStringLiteral("due");
} // namespace vaccinations

namespace notes {
inline const QString dogId = QStringLiteral("Dogid");
inline const QString date = QStringLiteral("dt");
inline const QString text = QStringLiteral("note");
} // namespace notes

namespace setup {
inline const QString kennel = QStringLiteral("Kennelname");
inline const QString name = QStringLiteral("Name");
inline const QString address = QStringLiteral("Address");
inline const QString city = QStringLiteral("City");
inline const QString state = QStringLiteral("State");
inline const QString postcode = QStringLiteral("postcode");
inline const QString country = QStringLiteral("country");
inline const QString phone = QStringLiteral("phone");
inline const QString fax = QStringLiteral("fax");
inline const QString email = QStringLiteral("email");
inline const QString web = QStringLiteral("webaddress");
inline const QString registration = QStringLiteral("breederregistration");
} // namespace setup

namespace breeds {
inline const QString name = QStringLiteral("Breedname");
} // namespace breeds

// A health test the kennel uses: an examination with a written result and perhaps a score, or
// a DNA test for a single-gene condition with its mode of inheritance.
namespace healthTests {
inline const QString id = QStringLiteral("testid");
inline const QString name = QStringLiteral("testname");
inline const QString kind = QStringLiteral("testkind");
inline const QString inheritance = QStringLiteral("inheritance");
inline const QString frequency = QStringLiteral("frequency");
inline const QString hidden = QStringLiteral("hidden");
} // namespace healthTests

// One result of a health test for a dog.
namespace healthResults {
inline const QString id = QStringLiteral("resultid");
inline const QString dogId = QStringLiteral("dogid");
inline const QString testId = QStringLiteral("testid");
inline const QString date = QStringLiteral("tested");
inline const QString result = QStringLiteral("result");
inline const QString score = QStringLiteral("score");
inline const QString examiner = QStringLiteral("examiner");
inline const QString certificate = QStringLiteral("certificate");
inline const QString note = QStringLiteral("resultnote");
} // namespace healthResults

// One season of a bitch: its first day, its last where known, whether she was mated.
namespace seasons {
inline const QString id = QStringLiteral("seasonid");
inline const QString dogId = QStringLiteral("dogid");
inline const QString firstDay = QStringLiteral("firstday");
inline const QString lastDay = QStringLiteral("lastday");
inline const QString mated = QStringLiteral("mated");
inline const QString note = QStringLiteral("seasonnote");
} // namespace seasons

// One progesterone test in a season: when it was taken, the value in the unit the laboratory
// gave it in, and the laboratory.
namespace progesterone {
inline const QString id = QStringLiteral("progid");
inline const QString seasonId = QStringLiteral("seasonid");
inline const QString taken = QStringLiteral("takenat");
inline const QString value = QStringLiteral("progvalue");
inline const QString unit = QStringLiteral("progunit");
inline const QString laboratory = QStringLiteral("laboratory");
} // namespace progesterone

// One weighing of a dog: when, and the weight in grams whatever unit it was typed in.
namespace weights {
inline const QString id = QStringLiteral("weightid");
inline const QString dogId = QStringLiteral("dogid");
inline const QString weighed = QStringLiteral("weighedat");
inline const QString grams = QStringLiteral("grams");
} // namespace weights

// One pup as it was born: its litter, its place in the order of birth, the time, what tells it
// apart, its birth weight in grams and whether it was born alive.
namespace whelping {
inline const QString id = QStringLiteral("whelpid");
inline const QString litterId = QStringLiteral("litterid");
inline const QString dogId = QStringLiteral("dogid");
inline const QString order = QStringLiteral("birthorder");
inline const QString born = QStringLiteral("bornat");
inline const QString markings = QStringLiteral("markings");
inline const QString collar = QStringLiteral("collar");
inline const QString birthGrams = QStringLiteral("birthgrams");
inline const QString alive = QStringLiteral("bornalive");
} // namespace whelping

// A photo of a dog: the file in the photos folder (named by its content), a caption, the day
// it was taken, and whether it is the dog's main photo.
namespace photos {
inline const QString id = QStringLiteral("photoid");
inline const QString dogId = QStringLiteral("dogid");
inline const QString file = QStringLiteral("photofile");
inline const QString caption = QStringLiteral("caption");
inline const QString taken = QStringLiteral("takenon");
inline const QString main = QStringLiteral("mainphoto");
} // namespace photos

// A dog's result at a show or trial, with the title it earned there if any (and its short form,
// such as "CH", shown with the dog's name).
namespace showResults {
inline const QString id = QStringLiteral("resultid");
inline const QString dogId = QStringLiteral("dogid");
inline const QString date = QStringLiteral("showdate");
inline const QString show = QStringLiteral("showname");
inline const QString judge = QStringLiteral("judge");
inline const QString showClass = QStringLiteral("showclass");
inline const QString placing = QStringLiteral("placing");
inline const QString award = QStringLiteral("award");
inline const QString title = QStringLiteral("title");
inline const QString titleShort = QStringLiteral("titleshort");
} // namespace showResults

// One buyer's place on the waiting list: who, since when, what they want (a particular litter,
// or none for the next one), how far it got, the place in the litter's pick order and the pup
// matched to them.
namespace waitingList {
inline const QString id = QStringLiteral("entryid");
inline const QString contactId = QStringLiteral("contactid");
inline const QString enquired = QStringLiteral("enquired");
inline const QString sex = QStringLiteral("wantsex");
inline const QString colour = QStringLiteral("wantcolour");
inline const QString breed = QStringLiteral("wantbreed");
inline const QString litterId = QStringLiteral("litterid");
inline const QString status = QStringLiteral("status");
inline const QString pick = QStringLiteral("pickorder");
inline const QString dogId = QStringLiteral("dogid");
inline const QString note = QStringLiteral("entrynote");
} // namespace waitingList

// A deposit paid on a waiting-list entry and what became of it: held, applied to a sale,
// refunded (in part or whole) or carried to another litter, which it then counts for.
namespace deposits {
inline const QString id = QStringLiteral("depositid");
inline const QString entryId = QStringLiteral("entryid");
inline const QString amount = QStringLiteral("amount");
inline const QString paid = QStringLiteral("paidon");
inline const QString method = QStringLiteral("method");
inline const QString outcome = QStringLiteral("outcome");
inline const QString litterId = QStringLiteral("litterid");
inline const QString salesId = QStringLiteral("salesid");
inline const QString refunded = QStringLiteral("refundedon");
inline const QString refundAmount = QStringLiteral("refundamount");
} // namespace deposits

// One entry of the kennel's income and expenses. Those that a sale, a deposit or a refund
// wrote name it in `source` and `sourceid` and are kept by it.
namespace accounts {
inline const QString id = QStringLiteral("accountid");
inline const QString date = QStringLiteral("entrydate");
inline const QString amount = QStringLiteral("amount");
inline const QString kind = QStringLiteral("kind");
inline const QString category = QStringLiteral("category");
inline const QString note = QStringLiteral("note");
inline const QString dogId = QStringLiteral("dogid");
inline const QString litterId = QStringLiteral("litterid");
inline const QString contactId = QStringLiteral("contactid");
inline const QString source = QStringLiteral("source");
inline const QString sourceId = QStringLiteral("sourceid");
} // namespace accounts

// A contract of sale as it was issued, so that a later change of the template leaves it as
// it was signed.
namespace contracts {
inline const QString id = QStringLiteral("contractid");
inline const QString salesId = QStringLiteral("salesid");
inline const QString dogId = QStringLiteral("dogid");
inline const QString contactId = QStringLiteral("contactid");
inline const QString issued = QStringLiteral("issuedon");
inline const QString text = QStringLiteral("contracttext");
} // namespace contracts

// The program's own choices that belong with the kennel, such as where backups go.
namespace preferences {
inline const QString name = QStringLiteral("name");
inline const QString value = QStringLiteral("value");
} // namespace preferences

// One change the user made: its time and what it was, such as "Deleted Kirkwood Flint".
namespace changeSets {
inline const QString id = QStringLiteral("changesetid");
inline const QString time = QStringLiteral("changedat");
inline const QString what = QStringLiteral("what");
} // namespace changeSets

// The fields a change set wrote, one row each; a row added or deleted has one row of its own.
namespace changeLog {
inline const QString id = QStringLiteral("changeid");
inline const QString changeSet = QStringLiteral("changeset");
inline const QString table = QStringLiteral("tablename");
inline const QString record = QStringLiteral("record");
inline const QString field = QStringLiteral("field");
inline const QString kind = QStringLiteral("kind");
inline const QString before = QStringLiteral("oldvalue");
inline const QString after = QStringLiteral("newvalue");
} // namespace changeLog

// The dog and its details as the pedigree report and the pedigree receipt print them.
namespace pedigree {
inline const QString dog = QStringLiteral("dogname");
inline const QString breeder = QStringLiteral("breedername");
inline const QString breed = QStringLiteral("dogbreed");
inline const QString born = QStringLiteral("dob");
inline const QString colour = QStringLiteral("colour");
inline const QString countryOfBirth = QStringLiteral("cob");
inline const QString sex = QStringLiteral("dogsex");
} // namespace pedigree

// The sales ledger and the small receipt share these.
namespace sales {
inline const QString id = QStringLiteral("salesid");
inline const QString seller = QStringLiteral("prevowner");
inline const QString amount = QStringLiteral("sellamount");
inline const QString breed = QStringLiteral("breed");
inline const QString colour = QStringLiteral("colour");
inline const QString born = QStringLiteral("dob");
inline const QString registration = QStringLiteral("reg");
inline const QString prefix = QStringLiteral("prefix");
inline const QString date = QStringLiteral("salesdate");
inline const QString dog = QStringLiteral("dogsold");
inline const QString buyer = QStringLiteral("soldto");
inline const QString sex = QStringLiteral("sex");
inline const QString number = QStringLiteral("salesnumber");
// On both receipts: the deposits taken before the sale and what was left to pay.
inline const QString deposit = QStringLiteral("deposit");
inline const QString balance = QStringLiteral("balancedue");
} // namespace sales

namespace pedigreeReceipt {
inline const QString amount = QStringLiteral("saleamount");
inline const QString date = QStringLiteral("datesold");
inline const QString buyer = QStringLiteral("soldto");
inline const QString id = QStringLiteral("recid");
} // namespace pedigreeReceipt

} // namespace db::fields
