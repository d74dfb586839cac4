#pragma once

#include <QString>

// The tables of both files, named once.
namespace db::tables {

inline const QString dogs = QStringLiteral("Dogtable");
inline const QString contacts = QStringLiteral("contacts");
inline const QString matings = QStringLiteral("mating");
inline const QString litters = QStringLiteral("litters");
inline const QString vaccinations = QStringLiteral("vaccination");
inline const QString notes = QStringLiteral("notes");
inline const QString setup = QStringLiteral("setup");
inline const QString breeds = QStringLiteral("breedlist");
inline const QString preferences = QStringLiteral("preferences");
inline const QString sales = QStringLiteral("sales");
inline const QString smallReceipt = QStringLiteral("reciept");
inline const QString pedigreeReceipt = QStringLiteral("largereciept");
inline const QString pedigree = QStringLiteral("pedigreedata");
inline const QString healthTests = QStringLiteral("healthtests");
inline const QString healthResults = QStringLiteral("healthresults");
inline const QString seasons = QStringLiteral("seasons");
inline const QString progesterone = QStringLiteral("progesterone");
inline const QString weights = QStringLiteral("weights");
inline const QString whelping = QStringLiteral("whelping");
inline const QString photos = QStringLiteral("photos");
inline const QString showResults = QStringLiteral("showresults");
inline const QString waitingList = QStringLiteral("waitinglist");
inline const QString deposits = QStringLiteral("deposits");
inline const QString accounts = QStringLiteral("accounts");
inline const QString contracts = QStringLiteral("contracts");
// What the user changed, kept so that it can be undone and shown as a record's history.
inline const QString changeSets = QStringLiteral("changesets");
inline const QString changeLog = QStringLiteral("changelog");

} // namespace db::tables

// The indexes that seeks go through, named once.
namespace db::indexes {

inline const QString dogNames = QStringLiteral("name");
inline const QString matingDams = QStringLiteral("dgname2");
inline const QString birthMonths = QStringLiteral("birthmonths");
inline const QString vaccinationMonths = QStringLiteral("vaccinationmonths");
inline const QString litterMonths = QStringLiteral("littermonths");
// The fields that name a dog, so that a rename, a delete or a merge finds its records quickly.
inline const QString dogSires = QStringLiteral("dogsires");
inline const QString dogDams = QStringLiteral("dogdams");
inline const QString matingSires = QStringLiteral("matingsires");
inline const QString litterSires = QStringLiteral("littersires");
inline const QString litterDams = QStringLiteral("litterdams");
inline const QString vaccinationDogs = QStringLiteral("vaccinationdogs");
inline const QString vaccinationDogIds = QStringLiteral("vaccinationdogids");
inline const QString noteDogIds = QStringLiteral("notedogids");
inline const QString healthResultDogIds = QStringLiteral("healthresultdogids");
inline const QString healthResultTestIds = QStringLiteral("healthresulttestids");
inline const QString seasonDogIds = QStringLiteral("seasondogids");
inline const QString progesteroneSeasonIds = QStringLiteral("progesteroneseasonids");
inline const QString weightDogIds = QStringLiteral("weightdogids");
inline const QString whelpingLitterIds = QStringLiteral("whelpinglitterids");
inline const QString whelpingDogIds = QStringLiteral("whelpingdogids");
inline const QString photoDogIds = QStringLiteral("photodogids");
inline const QString showResultDogIds = QStringLiteral("showresultdogids");
inline const QString waitingContactIds = QStringLiteral("waitingcontactids");
inline const QString waitingLitterIds = QStringLiteral("waitinglitterids");
inline const QString waitingDogIds = QStringLiteral("waitingdogids");
inline const QString depositEntryIds = QStringLiteral("depositentryids");
inline const QString accountDates = QStringLiteral("accountdates");
inline const QString accountSources = QStringLiteral("accountsources");
inline const QString accountCategories = QStringLiteral("accountcategories");
inline const QString accountLitterIds = QStringLiteral("accountlitterids");
inline const QString accountDogIds = QStringLiteral("accountdogids");
inline const QString accountContactIds = QStringLiteral("accountcontactids");
inline const QString contractSalesIds = QStringLiteral("contractsalesids");
// The dogs of an owner, for the owners' listing and a contact's rename.
inline const QString dogOwners = QStringLiteral("dogowners");
inline const QString changesOfSet = QStringLiteral("changesofset");
inline const QString changesOfRecord = QStringLiteral("changesofrecord");

} // namespace db::indexes
