#include "money/Contracts.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Money.h"
#include "db/ChangeLog.h"
#include "db/Fields.h"
#include "db/Preferences.h"
#include "db/ReadFailure.h"
#include "db/RunStatement.h"
#include "db/SingleRows.h"
#include "db/SqlText.h"
#include "db/Tables.h"
#include "genetics/KennelGenetics.h"
#include "health/HealthRecords.h"
#include "kennel/Contacts.h"
#include "kennel/DogFinder.h"
#include "money/Accounts.h"
#include "money/Deposits.h"

#include <kainjow/mustache.hpp>
#include <map>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QStringBuilder>

namespace money {
namespace {

const QString templatePreference = QStringLiteral("Contract template");

const QRegularExpression &fieldPattern()
{
    static const QRegularExpression pattern(QStringLiteral("\\{\\{\\s*([^{}]*?)\\s*\\}\\}"));
    return pattern;
}

QString joined(const QStringList &parts, const QString &separator)
{
    QStringList kept;
    for (const QString &part : parts) {
        if (!part.trimmed().isEmpty())
            kept << part.trimmed();
    }
    return kept.join(separator);
}

QString healthText(const QSqlDatabase &kennel, qint64 dogId)
{
    const auto tests = health::healthTests(kennel);
    const auto results = health::resultsOf(kennel, dogId);
    if (!tests || !results)
        return QStringLiteral("(the health results could not be read)");
    QStringList lines;
    for (const health::HealthResult &r : *results) {
        const health::HealthTest *test = health::testWithId(*tests, r.testId);
        lines << QStringLiteral("%1: %2 (%3)")
                     .arg(test ? test->name : QStringLiteral("Test"), r.result,
                          core::datetext::shortDate(r.date));
    }
    return lines.isEmpty() ? QStringLiteral("none recorded") : lines.join(QLatin1Char('\n'));
}

QString coiText(const QSqlDatabase &kennel, qint64 dogId)
{
    genetics::KennelGenetics &genetics = genetics::KennelGenetics::current(kennel);
    if (!genetics.problem().isEmpty())
        return QStringLiteral("not known");
    const int at = genetics.graph().indexOfId(dogId);
    if (at == genetics::unknown || genetics.graph().looped(at))
        return QStringLiteral("not known");
    return genetics::percent(genetics.ofDog(at).all);
}

} // namespace

QStringList contractFields()
{
    return {QStringLiteral("kennel"),
            QStringLiteral("seller"),
            QStringLiteral("seller_address"),
            QStringLiteral("buyer"),
            QStringLiteral("buyer_address"),
            QStringLiteral("pup"),
            QStringLiteral("registration"),
            QStringLiteral("microchip"),
            QStringLiteral("born"),
            QStringLiteral("sex"),
            QStringLiteral("colour"),
            QStringLiteral("breed"),
            QStringLiteral("sire"),
            QStringLiteral("dam"),
            QStringLiteral("price"),
            QStringLiteral("deposit"),
            QStringLiteral("balance"),
            QStringLiteral("date"),
            QStringLiteral("receipt"),
            QStringLiteral("health"),
            QStringLiteral("coi")};
}

QString shippedTemplate()
{
    return QStringLiteral(
        "CONTRACT OF SALE\n"
        "\n"
        "{{kennel}}\n"
        "Seller: {{seller}}\n"
        "{{seller_address}}\n"
        "\n"
        "Buyer: {{buyer}}\n"
        "{{buyer_address}}\n"
        "\n"
        "The seller sells and the buyer buys the dog:\n"
        "  Name: {{pup}}\n"
        "  Registration: {{registration}}\n"
        "  Microchip: {{microchip}}\n"
        "  Born: {{born}}    Sex: {{sex}}    Colour: {{colour}}\n"
        "  Breed: {{breed}}\n"
        "  Sire: {{sire}}\n"
        "  Dam: {{dam}}\n"
        "  Inbreeding coefficient (COI): {{coi}}\n"
        "\n"
        "Health results of the dog:\n"
        "{{health}}\n"
        "\n"
        "Price: {{price}}\n"
        "Deposit paid: {{deposit}}\n"
        "Balance paid on the day of sale: {{balance}}\n"
        "Receipt number: {{receipt}}\n"
        "\n"
        "The buyer will give the dog proper food, shelter, exercise and veterinary care, and "
        "will offer it back to the seller before selling or giving it to anyone else.\n"
        "\n"
        "Date: {{date}}\n"
        "\n"
        "\n"
        "Seller: ______________________________    Buyer: ______________________________\n");
}

QString contractTemplate(const QSqlDatabase &kennel)
{
    const QString own = db::preference(kennel, templatePreference);
    return own.isEmpty() ? shippedTemplate() : own;
}

core::WriteResult<> setContractTemplate(QSqlDatabase kennel, const QString &text)
{
    if (const QString problem = templateProblem(text); !problem.isEmpty())
        return core::failure(problem);
    return db::setPreference(kennel, templatePreference,
                             text == shippedTemplate() ? QString() : text);
}

QStringList unknownFields(const QString &text)
{
    const QStringList known = contractFields();
    QStringList unknown;
    for (auto it = fieldPattern().globalMatch(text); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!known.contains(name) && !unknown.contains(name))
            unknown << name;
    }
    return unknown;
}

namespace {

using Data = kainjow::mustache::data;

// The contract's values by name; a name it does not have is answered with its own tag, so
// that an unknown field is printed as the breeder wrote it rather than dropped.
class ContractValues : public kainjow::mustache::basic_context<std::string>
{
public:
    explicit ContractValues(const QHash<QString, QString> &values)
    {
        for (auto it = values.constBegin(); it != values.constEnd(); ++it)
            m_values.emplace(it.key().toStdString(), Data(it.value().toStdString()));
    }
    void push(const Data *) override {}
    void pop() override {}
    const Data *get(const std::string &name) const override
    {
        auto found = m_values.find(name);
        if (found == m_values.end())
            found = m_values.emplace(name, Data("{{" + name + "}}")).first;
        return &found->second;
    }
    const Data *get_partial(const std::string &) const override { return nullptr; }

private:
    // A map, so that what get() answered stays where it is while more names are added.
    mutable std::map<std::string, Data> m_values;
};

kainjow::mustache::mustache parsedTemplate(const QString &text)
{
    kainjow::mustache::mustache parsed(text.toStdString());
    parsed.set_custom_escape([](const std::string &plain) { return plain; });
    return parsed;
}

} // namespace

QString templateProblem(const QString &text)
{
    const kainjow::mustache::mustache parsed = parsedTemplate(text);
    if (parsed.is_valid())
        return {};
    return QStringLiteral("its tags cannot be read: %1")
        .arg(QString::fromStdString(parsed.error_message()));
}

QString fillContract(const QString &text, const QHash<QString, QString> &values)
{
    kainjow::mustache::mustache parsed = parsedTemplate(text);
    if (!parsed.is_valid())
        return text;
    ContractValues context(values);
    return QString::fromStdString(parsed.render(context));
}

std::optional<std::vector<SaleRecord>> saleRecords(const QSqlDatabase &kennel)
{
    namespace sale = db::fields::sales;
    namespace contract = db::fields::contracts;
    QSqlQuery q(kennel);
    q.setForwardOnly(true);
    if (!db::execRead(
            q, QStringLiteral("SELECT s.") % db::quoted(sale::id) % QStringLiteral(", s.") %
                   db::quoted(sale::date) % QStringLiteral(", s.") % db::quoted(sale::dog) %
                   QStringLiteral(", s.") % db::quoted(sale::buyer) % QStringLiteral(", s.") %
                   db::quoted(sale::amount) % QStringLiteral(", EXISTS (SELECT 1 FROM main.") %
                   db::quoted(db::tables::contracts) % QStringLiteral(" c WHERE c.") %
                   db::quoted(contract::salesId) % QStringLiteral(" = s.") % db::quoted(sale::id) %
                   QStringLiteral(") FROM report.") % db::quoted(db::tables::sales) %
                   QStringLiteral(" s ORDER BY s.") % db::quoted(sale::id) %
                   QStringLiteral(" DESC")))
        return std::nullopt;
    std::vector<SaleRecord> sales;
    while (q.next())
        sales.push_back({q.value(0).toLongLong(), core::datetext::fromStored(q.value(1)),
                         q.value(2).toString(), q.value(3).toString(), q.value(4).toLongLong(),
                         q.value(5).toBool()});
    return sales;
}

core::WriteResult<QHash<QString, QString>> contractValues(const QSqlDatabase &kennel,
                                                          qint64 salesId, Coi coi)
{
    namespace sale = db::fields::sales;
    QSqlQuery q(kennel);
    q.prepare(QStringLiteral("SELECT ") %
              db::columnList({sale::dog, sale::buyer, sale::amount, sale::date, sale::seller}) %
              QStringLiteral(" FROM report.") % db::quoted(db::tables::sales) %
              QStringLiteral(" WHERE ") % db::quoted(sale::id) % QStringLiteral(" = ?"));
    q.addBindValue(salesId);
    if (!db::execRead(q))
        return core::failure(QStringLiteral("the sale could not be read"));
    if (!q.next())
        return core::failure(
            QStringLiteral("there is no sale with receipt number %1").arg(salesId));
    const QString dogName = q.value(0).toString();
    const QString buyer = q.value(1).toString();
    const qint64 price = q.value(2).toLongLong();
    QHash<QString, QString> values;
    values[QStringLiteral("pup")] = dogName;
    values[QStringLiteral("buyer")] = buyer;
    values[QStringLiteral("price")] = core::formatMoney(price);
    values[QStringLiteral("date")] = core::datetext::display(q.value(3));
    values[QStringLiteral("seller")] = q.value(4).toString();
    values[QStringLiteral("receipt")] = QString::number(salesId);

    const QVariantMap setup = db::setupRow(kennel);
    namespace s = db::fields::setup;
    values[QStringLiteral("kennel")] = setup.value(s::kennel).toString().trimmed();
    values[QStringLiteral("seller_address")] =
        joined({setup.value(s::address).toString(),
                joined({setup.value(s::city).toString(), setup.value(s::state).toString(),
                        setup.value(s::postcode).toString()},
                       QStringLiteral(" ")),
                setup.value(s::country).toString()},
               QStringLiteral("\n"));

    if (const std::optional<kennel::Address> address = kennel::addressOf(kennel, buyer))
        values[QStringLiteral("buyer_address")] =
            joined({address->address,
                    joined({address->city, address->state, address->postcode}, QStringLiteral(" ")),
                    address->country},
                   QStringLiteral("\n"));
    else
        values[QStringLiteral("buyer_address")] = QString();

    namespace d = db::fields::dogs;
    kennel::DogFinder dog(kennel, {d::id, d::registration, d::microchip, d::born, d::sex, d::colour,
                                   d::breed, d::sire, d::dam});
    const bool found = dog.find(dogName);
    auto text = [&](const QString &f) { return found ? dog.value(f).toString() : QString(); };
    values[QStringLiteral("registration")] = text(d::registration);
    values[QStringLiteral("microchip")] = text(d::microchip);
    values[QStringLiteral("born")] =
        found ? core::datetext::display(dog.value(d::born)) : QString();
    values[QStringLiteral("sex")] = text(d::sex);
    values[QStringLiteral("colour")] = text(d::colour);
    values[QStringLiteral("breed")] = text(d::breed);
    values[QStringLiteral("sire")] = text(d::sire);
    values[QStringLiteral("dam")] = text(d::dam);
    const qint64 dogId = found ? dog.value(d::id).toLongLong() : 0;
    values[QStringLiteral("health")] =
        found ? healthText(kennel, dogId) : QStringLiteral("none recorded");
    if (!found)
        values[QStringLiteral("coi")] = QStringLiteral("not known");
    else if (coi == Coi::IfReady && !genetics::KennelGenetics::isCurrent(kennel))
        values[QStringLiteral("coi")] = QStringLiteral("(worked out when the contract is issued)");
    else
        values[QStringLiteral("coi")] = coiText(kennel, dogId);

    namespace dep = db::fields::deposits;
    qint64 deposit = 0;
    if (const QString problem = db::runStatement(
            kennel,
            QStringLiteral("SELECT coalesce(sum(") % db::quoted(dep::amount) %
                QStringLiteral("), 0) FROM ") % db::quoted(db::tables::deposits) %
                QStringLiteral(" WHERE ") % db::quoted(dep::salesId) % QStringLiteral(" = ?"),
            {salesId}, &deposit);
        !problem.isEmpty())
        return core::failure(problem);
    values[QStringLiteral("deposit")] = core::formatMoney(deposit);
    values[QStringLiteral("balance")] = core::formatMoney(price - deposit);
    return values;
}

core::WriteResult<QString> issuedContract(const QSqlDatabase &kennel, qint64 salesId)
{
    namespace contract = db::fields::contracts;
    QSqlQuery q(kennel);
    q.prepare(db::selectFrom(db::tables::contracts, {contract::text}) % QStringLiteral(" WHERE ") %
              db::quoted(contract::salesId) % QStringLiteral(" = ? ORDER BY ") %
              db::quoted(contract::id) % QStringLiteral(" LIMIT 1"));
    q.addBindValue(salesId);
    if (!db::execRead(q))
        return core::failure(QStringLiteral("the contracts could not be read"));
    return q.next() ? q.value(0).toString() : QString();
}

core::WriteResult<> issueContract(QSqlDatabase kennel, qint64 salesId, const QString &text)
{
    namespace contract = db::fields::contracts;
    namespace sale = db::fields::sales;
    // Linked to the dog and the buyer the sale names, found as the sale found them.
    QSqlQuery q(kennel);
    q.prepare(QStringLiteral("SELECT ") % db::columnList({sale::dog, sale::buyer}) %
              QStringLiteral(" FROM report.") % db::quoted(db::tables::sales) %
              QStringLiteral(" WHERE ") % db::quoted(sale::id) % QStringLiteral(" = ?"));
    q.addBindValue(salesId);
    if (!db::execRead(q) || !q.next())
        return core::failure(
            QStringLiteral("there is no sale with receipt number %1").arg(salesId));
    kennel::DogFinder dog(kennel, {db::fields::rowid});
    const qint64 dogId =
        dog.find(q.value(0).toString()) ? dog.value(db::fields::rowid).toLongLong() : 0;
    const qint64 contactId = kennel::contactNamed(kennel, q.value(1).toString());
    q.finish();
    const auto issued =
        db::runLogged(kennel, QStringLiteral("Issued the contract of sale %1").arg(salesId),
                      db::insertInto(db::tables::contracts,
                                     {contract::salesId, contract::dogId, contract::contactId,
                                      contract::issued, contract::text}),
                      {salesId, db::idOrNone(dogId), db::idOrNone(contactId),
                       core::datetext::toStored(core::Clock::today()), text});
    if (!issued)
        return core::failure(issued.problem());
    return {};
}

} // namespace money
