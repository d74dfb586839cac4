#include "contacts/Ownership.h"

#include "db/DatabaseFiles.h"
#include "db/Fields.h"
#include "kennel/Contacts.h"
#include "kennel/Dogs.h"
#include "ui/FieldGrid.h"
#include "ui/PickList.h"
#include "ui/SharedNames.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace contacts {
namespace {

using report::caption;
using report::field;
using report::line;
using report::SectionKind;

const QMargins oneInch(1440, 1440, 1440, 1440);

// Contacts in stored order, each with its dogs grouped by owner, name, registration and
// number: one group per distinct combination, in the order of its first dog. Only the
// contacts of a slice and their dogs are read at a time.
class OwnersWithDogs : public core::RowSource
{
public:
    explicit OwnersWithDogs(const QSqlDatabase &kennel)
        : m_kennel(kennel),
          m_contacts(kennel::contactsInOrder(kennel, {db::fields::contacts::name}))
    {
    }

    qsizetype count() override { return m_contacts->count(); }

    core::DataSet slice(qsizetype first, qsizetype count) override
    {
        core::DataSet contacts = m_contacts->slice(first, count);
        QStringList owners;
        for (const core::DataRow &contact : contacts) {
            const QVariant last = contact.values.value(db::fields::contacts::name);
            if (!last.isNull())
                owners << last.toString();
        }
        const QHash<QString, QList<qint64>> dogsByOwner = kennel::dogsOwnedBy(m_kennel, owners);
        QList<qint64> wanted;
        for (const QList<qint64> &dogs : dogsByOwner)
            wanted << dogs;
        // A listing that could not read its dogs shows the contacts without them, as ever.
        const QHash<qint64, QVariantMap> dogs =
            kennel::dogFields(m_kennel, wanted,
                              {db::fields::dogs::owner, db::fields::dogs::name,
                               db::fields::dogs::registration, db::fields::dogs::number})
                .value_or(QHash<qint64, QVariantMap>{});
        for (core::DataRow &contact : contacts) {
            const QVariant last = contact.values.value(db::fields::contacts::name);
            if (!last.isNull())
                contact.children = groupsOf(dogsByOwner.value(last.toString()), dogs);
        }
        return contacts;
    }

private:
    static QList<core::DataRow> groupsOf(const QList<qint64> &rowids,
                                         const QHash<qint64, QVariantMap> &dogs)
    {
        QList<core::DataRow> groups;
        QHash<QString, qsizetype> groupIndex;
        for (const qint64 rowid : rowids) {
            const auto dog = dogs.constFind(rowid);
            if (dog == dogs.cend())
                continue;
            const QString key = QStringList{dog->value(db::fields::dogs::name).toString(),
                                            dog->value(db::fields::dogs::registration).toString(),
                                            dog->value(db::fields::dogs::number).toString()}
                                    .join(QChar(0x1f));
            auto at = groupIndex.constFind(key);
            if (at == groupIndex.cend()) {
                at = groupIndex.insert(key, groups.size());
                groups.append(core::DataRow{*dog});
            }
            groups[*at].children.append(core::DataRow{*dog});
        }
        return groups;
    }

    QSqlDatabase m_kennel;
    std::unique_ptr<core::RowSource> m_contacts;
};

} // namespace

report::Report ownersListing()
{
    const QFont title(QStringLiteral("Arial"), 16, QFont::Bold);
    const QFont bold(QStringLiteral("Arial"), 11, QFont::Bold);
    const QList<report::Section> sections{
        {SectionKind::PageHeader,
         720,
         0,
         {report::withFont(caption(QStringLiteral("Dog Owners Listing"), 0, 0, 9360, 400), title)}},
        {SectionKind::GroupHeader,
         560,
         0,
         {report::withFont(caption(QStringLiteral("Dog Owner"), 0, 72, 1440, 300), bold),
          report::withFont(field(db::fields::contacts::name, 1584, 72, 7776, 300), bold),
          line(0, 460, 9360)}},
        {SectionKind::GroupHeader, 0, 1},
        {SectionKind::Detail,
         720,
         2,
         {field(db::fields::dogs::name, 288, 72, 8000),
          caption(QStringLiteral("Registration Number"), 288, 360, 2160),
          field(db::fields::dogs::registration, 2592, 360, 5000), line(288, 680, 9072)}},
        {SectionKind::GroupFooter, 0, 1},
        {SectionKind::GroupFooter, 240, 0, {line(0, 120, 9360)}},
    };
    return {report::arialReport(QStringLiteral("DataReport4"), QStringLiteral("Dog Owners Listing"),
                                oneInch, sections),
            {},
            [] { return std::make_unique<OwnersWithDogs>(db::DatabaseFiles::kennel()); }};
}

report::Report contactList()
{
    using report::Element;
    using report::ElementKind;
    const QList<report::Section> sections{
        {SectionKind::ReportHeader,
         600,
         0,
         {report::withFont(caption(QStringLiteral("Contacts Listing"), 0, 0, 9360, 400),
                           QFont(QStringLiteral("Arial"), 16, QFont::Bold))}},
        {SectionKind::PageHeader,
         480,
         0,
         {Element{ElementKind::PrintDate, QRect(0, 72, 3600, 285)},
          Element{ElementKind::PrintTime, QRect(3744, 72, 2160, 285)}}},
        {SectionKind::Detail,
         1980,
         0,
         {field(db::fields::contacts::name, 0, 72, 9360),
          field(db::fields::contacts::address, 0, 360, 9360),
          field(db::fields::contacts::city, 0, 648, 3600),
          field(db::fields::contacts::state, 3744, 648, 2160),
          field(db::fields::contacts::postcode, 6048, 648, 1440),
          field(db::fields::contacts::country, 0, 936, 5760),
          caption(QStringLiteral("Phone"), 0, 1224, 720),
          field(db::fields::contacts::phone, 792, 1224, 3600),
          caption(QStringLiteral("Fax:"), 4536, 1224, 576),
          field(db::fields::contacts::fax, 5184, 1224, 3600),
          caption(QStringLiteral("Email:"), 0, 1512, 720),
          field(db::fields::contacts::email, 792, 1512, 7200), line(0, 1860, 9360)}},
    };
    return {report::arialReport(QStringLiteral("DataReport7"), QStringLiteral("Contact List"),
                                oneInch, sections),
            {},
            [] { return kennel::contactsInOrder(db::DatabaseFiles::kennel()); }};
}

DogsOwnedScreen::DogsOwnedScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("List of Dogs Owned"), parent),
      m_owners(new ui::PickList), m_dogs(new QListWidget)
{
    m_owners->setObjectName(QStringLiteral("owners"));
    m_owners->setPrompt(QStringLiteral("Select Name"));
    m_dogs->setObjectName(QStringLiteral("dogs"));
    m_dogs->setAccessibleName(QStringLiteral("Dogs owned"));
    auto *label = new QLabel(QStringLiteral("Dogs Owned By"));
    label->setBuddy(m_owners);
    auto *owner = new QHBoxLayout;
    owner->addWidget(label);
    owner->addWidget(m_owners, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(owner);
    layout->addWidget(m_dogs);
    addButtonRow(layout, QStringLiteral("Show Dogs"), QStringLiteral("showDogs"),
                 [this] { showDogs(); });
    setMinimumSize(460, 360);
}

void DogsOwnedScreen::load()
{
    m_owners->setSharedEntries(
        ui::sharedNames(db::DatabaseFiles::kennel(), ui::SharedList::SortedContacts));
}

void DogsOwnedScreen::showDogs()
{
    m_dogs->clear();
    m_dogs->addItems(kennel::dogNamesOwnedBy(db::DatabaseFiles::kennel(), m_owners->text()));
}

QStringList DogsOwnedScreen::dogs() const
{
    return ui::listTexts(m_dogs);
}

} // namespace contacts
