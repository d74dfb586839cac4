#include "transfer/ImportTargets.h"

#include "db/Fields.h"
#include "db/Tables.h"
#include "kennel/RecordKinds.h"

#include <initializer_list>

namespace transfer {
namespace {

using Headers = std::initializer_list<const char *>;

QStringList headerList(Headers headers)
{
    QStringList list;
    for (const char *header : headers)
        list << QString::fromUtf8(header);
    return list;
}

TargetField text(const QString &field, const char *caption, Headers headers)
{
    return {field, QString::fromUtf8(caption), headerList(headers), false};
}

TargetField date(const QString &field, const char *caption, Headers headers)
{
    return {field, QString::fromUtf8(caption), headerList(headers), true};
}

TargetField lines(const QString &field, const char *caption, Headers headers)
{
    return {field, QString::fromUtf8(caption), headerList(headers), false, true};
}

} // namespace

const TargetField *ImportTarget::field(const QString &name) const
{
    for (const TargetField &f : fields) {
        if (f.field == name)
            return &f;
    }
    return nullptr;
}

const ImportTarget &dogTarget()
{
    namespace dog = db::fields::dogs;
    static const ImportTarget target{
        kennel::records::dogs(),
        QStringLiteral("dogs"),
        dog::name,
        dog::registration,
        {
            text(dog::name, "Name", {"name", "registered name", "dog", "dog name", "dog's name"}),
            text(dog::registration, "Reg Number",
                 {"reg no", "reg no.", "reg", "registration", "registration number", "reg number",
                  "registration no"}),
            text(dog::sex, "Sex", {"sex", "gender"}),
            text(dog::colour, "Colour", {"colour", "color"}),
            text(dog::countryOfBirth, "Country of Birth", {"country of birth", "cob", "country"}),
            date(dog::born, "D.O.B",
                 {"dob", "d.o.b", "date of birth", "born", "birth date", "birthdate"}),
            date(dog::died, "D.O.D", {"dod", "d.o.d", "date of death", "died"}),
            text(dog::breeder, "Breeder", {"breeder"}),
            text(dog::breed, "Breed of Dog", {"breed", "breed of dog"}),
            text(dog::microchip, "Microchip Number",
                 {"microchip", "microchip number", "chip", "microchip no"}),
            text(dog::tattoo, "Tattoo", {"tattoo"}),
            text(dog::sire, "Sire", {"sire", "father"}),
            text(dog::dam, "Dam", {"dam", "mother"}),
            text(dog::owner, "Owners Name", {"owner", "owners name", "owner's name"}),
        }};
    return target;
}

const ImportTarget &contactTarget()
{
    namespace contact = db::fields::contacts;
    static const ImportTarget target{
        kennel::records::contacts(),
        QStringLiteral("contacts"),
        contact::name,
        {},
        {
            text(contact::name, "Name", {"name", "last", "last name", "surname", "contact"}),
            text(contact::title, "Title", {"title"}),
            lines(contact::address, "Address", {"address", "street"}),
            text(contact::city, "City", {"city", "town"}),
            text(contact::state, "State", {"state", "county", "region"}),
            text(contact::postcode, "Postcode/Zip", {"postcode", "zip", "postal code", "zip code"}),
            text(contact::country, "Country", {"country"}),
            text(contact::phone, "Phone", {"phone", "telephone", "tel"}),
            text(contact::fax, "Fax", {"fax"}),
            text(contact::email, "Email", {"email", "e-mail", "mail"}),
            text(contact::web, "Website", {"website", "web", "web address", "webaddress", "url"}),
            lines(contact::notes, "Notes", {"notes", "note", "comments"}),
            text(contact::breeder, "Is Contact a Breeder", {"breeder", "is breeder"}),
            text(contact::prefix, "Breeder Prefix or Kennel Name",
                 {"prefix", "kennel", "kennel name", "breeder prefix", "breederprefix"}),
            text(contact::breeds, "Breeds", {"breeds"}),
        }};
    return target;
}

const ImportTarget &healthResultTarget()
{
    namespace f = resultFields;
    static const ImportTarget target{
        db::tables::healthResults,
        QStringLiteral("health results"),
        f::dog,
        {},
        {
            text(f::registration, "Reg Number",
                 {"reg no", "reg no.", "reg", "registration", "registration number", "reg number",
                  "registration no"}),
            text(f::dog, "Dog", {"name", "dog", "dog name", "dog's name", "registered name"}),
            text(f::test, "Test", {"test", "test name", "health test", "condition"}),
            text(f::result, "Result", {"result", "outcome", "status", "genotype"}),
            date(f::date, "Date", {"date", "tested", "test date", "date tested", "result date"}),
            text(f::score, "Number", {"score", "grade", "number"}),
            text(f::examiner, "Laboratory or Examiner",
                 {"laboratory", "lab", "examiner", "vet", "laboratory or examiner"}),
            text(f::certificate, "Certificate Number",
                 {"certificate", "certificate number", "certificate no", "cert", "cert no",
                  "report number"}),
            lines(f::note, "Note", {"note", "notes", "comment", "comments"}),
        }};
    return target;
}

} // namespace transfer
