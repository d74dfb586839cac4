#include "genetics/DnaInheritance.h"

#include <array>

namespace genetics {
namespace {

constexpr std::array<const char *, 3> words{"Clear", "Carrier", "Affected"};
constexpr std::array<const char *, 3> genotypes{"N/N", "N/m", "m/m"};

QString sharesText(const GenotypeShares &s, bool exact)
{
    return QStringLiteral("N/N %1, N/m %2, m/m %3")
        .arg(litterPercent(s.clear, exact), litterPercent(s.carrier, exact),
             litterPercent(s.affected, exact));
}

} // namespace

QString resultWord(Genotype genotype)
{
    return QString::fromLatin1(words[size_t(genotype)]);
}

QString genotypeText(Genotype genotype)
{
    return QString::fromLatin1(genotypes[size_t(genotype)]);
}

std::optional<Genotype> genotypeOf(const QString &typed)
{
    const QString word = typed.trimmed();
    for (size_t i = 0; i < words.size(); ++i) {
        if (word.compare(QLatin1String(words[i]), Qt::CaseInsensitive) == 0)
            return Genotype(i);
    }
    return std::nullopt;
}

QString inheritanceWord(Inheritance inheritance)
{
    return inheritance == Inheritance::Dominant ? QStringLiteral("Dominant")
                                                : QStringLiteral("Recessive");
}

std::optional<Inheritance> inheritanceOf(const QString &stored)
{
    for (const Inheritance i : {Inheritance::Recessive, Inheritance::Dominant}) {
        if (stored.trimmed().compare(inheritanceWord(i), Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

QString litterPercent(double share, bool exact)
{
    return QString::number(100.0 * share, 'f', exact ? 0 : 1) + QLatin1Char('%');
}

QString statusText(const DnaStatus &status)
{
    switch (status.basis) {
    case DnaBasis::Tested:
        return resultWord(status.tested);
    case DnaBasis::ClearByParentage:
        return QStringLiteral("Clear by parentage");
    case DnaBasis::CarrierAtLeast:
        return QStringLiteral("Carrier at least");
    case DnaBasis::Estimated:
        return sharesText(*status.shares, false) + QStringLiteral(" (estimated)");
    case DnaBasis::Unknown:
        return QStringLiteral("not known");
    case DnaBasis::BelowLoop:
        return QStringLiteral("not known: a dog above it is its own ancestor");
    }
    return {};
}

QString statusWithGenotype(const DnaStatus &status)
{
    if (status.basis == DnaBasis::Tested)
        return resultWord(status.tested) % QStringLiteral(" (") % genotypeText(status.tested) %
               QLatin1Char(')');
    if (status.basis == DnaBasis::ClearByParentage)
        return statusText(status) + QStringLiteral(" (N/N)");
    return statusText(status);
}

} // namespace genetics
