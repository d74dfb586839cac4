#include "pedigree/PedigreeCertificate.h"

#include "core/DateText.h"
#include "core/DogNames.h"
#include "db/Fields.h"
#include "db/SingleRows.h"
#include "db/Tables.h"
#include "kennel/Ancestry.h"
#include "pedigree/HealthLines.h"
#include "pedigree/PedigreeInbreeding.h"
#include "pedigree/PedigreeRecord.h"
#include "report/PagePainter.h"
#include "report/ReportDefinition.h"
#include "report/ReportLayout.h"
#include "showcase/Titles.h"

#include <QLocale>
#include <QMap>

namespace pedigree {
namespace {

namespace dog = db::fields::dogs;
namespace setup = db::fields::setup;

constexpr int margin = 720; // half an inch: 12.7 mm
constexpr int minimumPoints = 5;

struct Ancestor
{
    QString name;   // as the offspring's record has it
    qint64 id = -1; // the dog found under that name, or -1
    QString registration;
    QString colour;
};

QFont arial(double points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A line of text in its place: smaller type until it fits, and cut with an ellipsis only
// when even the smallest does not.
report::PageItem fitted(const QRect &rect, const QString &text, QFont font,
                        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    while (font.pointSizeF() > minimumPoints && report::textWidth(font, text) > rect.width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return {report::PageItem::Kind::Text, rect, text, font, alignment, true};
}

int lineHeight(double points)
{
    return int(points * 20 * 1.25);
}

QStringList letterhead(const QVariantMap &row)
{
    auto text = [&](const QString &field) { return row.value(field).toString().simplified(); };
    QStringList lines;
    QStringList kennel;
    for (const QString &part : {text(setup::kennel), text(setup::name)}) {
        if (!part.isEmpty())
            kennel << part;
    }
    lines << kennel.join(QStringLiteral(" \u2013 "));
    QStringList place;
    for (const QString &field :
         {setup::address, setup::city, setup::state, setup::postcode, setup::country}) {
        if (!text(field).isEmpty())
            place << text(field);
    }
    lines << place.join(QStringLiteral(", "));
    QStringList reach;
    for (const auto &[field, label] :
         {std::pair{setup::phone, "Phone "}, std::pair{setup::email, ""}, std::pair{setup::web, ""},
          std::pair{setup::registration, "Breeder Reg. No. "}}) {
        if (!text(field).isEmpty())
            reach << QString::fromLatin1(label) + text(field);
    }
    lines << reach.join(QStringLiteral("   \u00b7   "));
    return lines;
}

} // namespace

report::Layout pedigreeCertificate(const QSqlDatabase &kennel, const QString &subject,
                                   int generations, const QDate &issued)
{
    generations = std::clamp(generations, 3, 5);
    report::ReportDefinition paper;
    paper.orientation = QPageLayout::Landscape;
    report::Layout layout;
    layout.caption = QStringLiteral("Pedigree Certificate");
    layout.paperSize = report::paperSizeTwips(paper);
    const int width = layout.paperSize.width();
    const int height = layout.paperSize.height();
    report::Page page;
    auto add = [&](const report::PageItem &item) {
        if (!item.text.isEmpty() || item.kind != report::PageItem::Kind::Text)
            page.items.append(item);
    };

    // The letterhead: lines with no value are left out.
    int top = margin;
    const QStringList head = letterhead(db::setupRow(kennel));
    for (int i = 0; i < head.size(); ++i) {
        const double points = i == 0 ? 16 : 9;
        if (head[i].isEmpty())
            continue;
        add(fitted(QRect(margin, top, width - 2 * margin, lineHeight(points)), head[i],
                   arial(points, i == 0), Qt::AlignHCenter | Qt::AlignVCenter));
        top += lineHeight(points);
    }
    top += 60;
    add({report::PageItem::Kind::Line, QRect(margin, top, width - 2 * margin, 0)});
    top += 80;
    add(fitted(QRect(margin, top, width - 2 * margin, lineHeight(14)),
               QStringLiteral("Pedigree Certificate"), arial(14, true),
               Qt::AlignHCenter | Qt::AlignVCenter));
    top += lineHeight(14) + 120;

    // The ancestors, generation by generation; a place beyond an unknown parent stays empty.
    enum Field { Id, Registration, Colour, Breed, Sex, Born, Microchip, Breeder, Owner };
    const auto walk =
        kennel::ancestry(kennel,
                         {dog::id, dog::registration, dog::colour, dog::breed, dog::sex, dog::born,
                          dog::microchip, dog::breeder, dog::owner},
                         {subject}, generations);
    auto ancestorOf = [](const kennel::AncestorPlace &place) {
        Ancestor ancestor;
        ancestor.name = place.name;
        if (place.found) {
            ancestor.id = place.fields[Id].toLongLong();
            ancestor.registration = place.fields[Registration].toString();
            ancestor.colour = place.fields[Colour].toString();
        }
        return ancestor;
    };
    const kennel::AncestorPlace &itself = walk[0][0];
    const Ancestor dogItself = ancestorOf(itself);
    auto detail = [&](Field field) { return itself.fields.value(field).toString(); };
    const QString breed = detail(Breed);
    const QString sex = detail(Sex);
    const QString born = core::datetext::display(itself.fields.value(Born));
    const QString microchip = detail(Microchip);
    const QString breeder = detail(Breeder);
    const QString owner = detail(Owner);
    // Titles, where the breeder shows them, go with each name.
    const QHash<qint64, QString> titles = showcase::titlesByDog(kennel);
    QList<QList<Ancestor>> places{{dogItself}};
    for (int g = 1; g <= generations; ++g) {
        QList<Ancestor> generation;
        for (qsizetype n = 0; n < walk[g].size(); ++n) {
            Ancestor found = ancestorOf(walk[g][n]);
            // A parent not recorded says so; one recorded but not in the kennel keeps its name.
            if (walk[g - 1][n / 2].found && found.name.isEmpty())
                found.name = core::notOnRecord();
            found.name = showcase::titled(found.name, titles.value(found.id));
            generation << found;
        }
        places << generation;
    }
    // Dogs in more than one place get numbers in the order they are first met.
    QMap<qint64, int> seen;
    for (int g = 1; g <= generations; ++g) {
        for (const Ancestor &a : std::as_const(places[g])) {
            if (a.id >= 0)
                ++seen[a.id];
        }
    }
    QMap<qint64, int> marks;
    QStringList footnotes;
    for (int g = 1; g <= generations; ++g) {
        for (const Ancestor &a : std::as_const(places[g])) {
            if (a.id >= 0 && seen.value(a.id) > 1 && !marks.contains(a.id)) {
                marks.insert(a.id, int(marks.size()) + 1);
                footnotes << QStringLiteral("%1 %2 (%3 times)")
                                 .arg(marks.size())
                                 .arg(a.name)
                                 .arg(seen.value(a.id));
            }
        }
    }

    // The dog itself on the left, the tree to its right.
    const int subjectWidth = 3000;
    const int treeLeft = margin + subjectWidth + 200;
    const int column = (width - margin - treeLeft) / generations;
    const int bottom = height - margin;
    QStringList details;
    for (const auto &[label, value] :
         {std::pair{"Reg. No.", dogItself.registration}, std::pair{"Breed", breed},
          std::pair{"Sex", sex}, std::pair{"Colour", dogItself.colour},
          std::pair{"Date of Birth", born}, std::pair{"Microchip", microchip},
          std::pair{"Breeder", breeder}, std::pair{"Owner", owner}}) {
        if (!value.trimmed().isEmpty())
            details << QString::fromLatin1(label) + QStringLiteral(": ") + value;
    }
    int y = top;
    add(fitted(QRect(margin, y, subjectWidth, lineHeight(12)),
               showcase::titled(subject, titles.value(dogItself.id)), arial(12, true)));
    y += lineHeight(12) + 60;
    for (const QString &line : std::as_const(details)) {
        add(fitted(QRect(margin, y, subjectWidth, lineHeight(9)), line, arial(9)));
        y += lineHeight(9);
    }
    y += 120;
    PedigreeRecord record;
    record.subject = subject;
    const QString coi = inbreedingText(record, QStringLiteral(", "));
    add(fitted(QRect(margin, y, subjectWidth, lineHeight(9)), coi, arial(9, true)));
    y += lineHeight(9) + 160;
    if (const QStringList health = healthLines(kennel, dogItself.id); !health.isEmpty()) {
        add(fitted(QRect(margin, y, subjectWidth, lineHeight(9)), QStringLiteral("Health"),
                   arial(9, true)));
        y += lineHeight(9);
        for (const QString &line : health) {
            add(fitted(QRect(margin, y, subjectWidth, lineHeight(8)), line, arial(8)));
            y += lineHeight(8);
        }
        y += 160;
    }

    const int leaves = 1 << generations;
    const int treeHeight = bottom - top;
    const double leaf = double(treeHeight) / leaves;
    // Thirty-two dogs in the fifth generation leave room for two lines of small type.
    const double namePoints = generations == 5 ? 6 : generations == 4 ? 8.5 : 10;
    const double detailPoints = generations == 5 ? 5 : namePoints - 1.5;
    for (int g = 1; g <= generations; ++g) {
        const int x = treeLeft + (g - 1) * column;
        const int span = 1 << (generations - g); // leaves under one place of this generation
        for (int n = 0; n < places[g].size(); ++n) {
            const Ancestor &a = places[g][n];
            const int middle = top + int((n * span + span / 2.0) * leaf);
            const int nameHeight = lineHeight(namePoints);
            const int boxWidth = column - 160;
            // The bracket: a rule under the name, joined to the offspring on its left.
            add({report::PageItem::Kind::Line, QRect(x, middle, boxWidth, 0)});
            if (n % 2 == 0) {
                const int partner = top + int(((n + 1) * span + span / 2.0) * leaf);
                add({report::PageItem::Kind::Line, QRect(x - 60, middle, 0, partner - middle)});
            }
            const QString mark =
                marks.contains(a.id) ? QString::number(marks.value(a.id)) : QString();
            const int markWidth = mark.isEmpty() ? 0 : 260;
            add(fitted(QRect(x, middle - nameHeight, boxWidth - markWidth, nameHeight), a.name,
                       arial(namePoints, g == 1)));
            if (!mark.isEmpty())
                add(fitted(
                    QRect(x + boxWidth - markWidth, middle - nameHeight, markWidth, nameHeight),
                    mark, arial(namePoints, true), Qt::AlignRight | Qt::AlignVCenter));
            QStringList below;
            for (const QString &part : {a.registration, a.colour}) {
                if (!part.trimmed().isEmpty())
                    below << part.trimmed();
            }
            if (!below.isEmpty() && leaf * span >= nameHeight + lineHeight(detailPoints))
                add(fitted(QRect(x, middle + 10, boxWidth, lineHeight(detailPoints)),
                           below.join(QStringLiteral(", ")), arial(detailPoints)));
        }
    }

    // The foot of the left column: repeated ancestors, the signature and the date.
    const int footTop = bottom - 3 * lineHeight(9) - 200;
    if (!footnotes.isEmpty()) {
        add(fitted(QRect(margin, y, subjectWidth, lineHeight(8)),
                   QStringLiteral("In more than one place:"), arial(8, true)));
        y += lineHeight(8);
        for (const QString &note : std::as_const(footnotes)) {
            if (y + lineHeight(7) > footTop)
                break;
            add(fitted(QRect(margin, y, subjectWidth, lineHeight(7)), note, arial(7)));
            y += lineHeight(7);
        }
    }
    add({report::PageItem::Kind::Line, QRect(margin, footTop + lineHeight(9), subjectWidth, 0)});
    add(fitted(QRect(margin, footTop + lineHeight(9) + 20, subjectWidth, lineHeight(8)),
               QStringLiteral("Breeder's signature"), arial(8)));
    add(fitted(QRect(margin, bottom - lineHeight(9), subjectWidth, lineHeight(9)),
               QStringLiteral("Date of issue: ") + QLocale().toString(issued, QLocale::LongFormat),
               arial(9)));
    layout.pages.append(page);
    return layout;
}

} // namespace pedigree
