#pragma once

#include <optional>
#include <QFont>
#include <QList>
#include <QMargins>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QString>

namespace report {

// Every position and size of a report is in twips (1/1440 inch).
inline constexpr int twipsPerInch = 1440;

// Band kinds in the order they appear around the data.
enum class SectionKind {
    ReportHeader,
    PageHeader,
    GroupHeader,
    Detail,
    GroupFooter,
    PageFooter,
    ReportFooter
};

enum class ElementKind {
    Caption, // fixed text
    Field,   // a value of the current row
    Line,    // from the rect's top left to its bottom right (a rule when the height is 0)
    Box,
    PageNumber,
    PageCount,
    PrintDate, // today in the locale's long date form
    PrintTime, // now in the locale's long time form
    Sum,       // the field summed over every row of the report
    Picture,   // the field's image, as large as its place allows with its shape kept
};

enum class Format { Text, Money, ShortDate };

struct Element
{
    ElementKind kind = ElementKind::Caption;
    QRect rect;        // left, top, width, height within the section
    QString text = {}; // the caption, or the field's name
    Format format = Format::Text;
    std::optional<QFont> font = {}; // the report's font when unset
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    // When set, drawn only for a row whose field of this name holds a value.
    QString shownWith = {};
};

struct Section
{
    SectionKind kind = SectionKind::Detail;
    int height = 0;
    // Group headers, group footers and details: the depth of the rows they stand for
    // (0 for the top rows of the data, 1 for their children, ...).
    int level = 0;
    QList<Element> elements = {};
};

struct ReportDefinition
{
    QString name;     // object name, such as "DataReport1"
    QString caption;  // the preview window's title
    QMargins margins; // page margins in twips
    QFont font;
    std::optional<QPageSize> pageSize = {}; // the system's default paper when unset
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QList<Section> sections;
};

// Shorthands for building definitions.
Element caption(const QString &text, int left, int top, int width, int height = 285);
Element field(const QString &name, int left, int top, int width, int height = 285,
              Format format = Format::Text);
Element line(int left, int top, int width, int height = 0);
Element box(int left, int top, int width, int height);
Element picture(const QString &name, int left, int top, int width, int height);
Element withFont(Element element, const QFont &font);
// The heading of a list report: its title large and bold, the date of printing below.
QList<Element> titleAndDate(const QString &title);

// A portrait report in Arial on the default paper, as every report of the kennel is.
ReportDefinition arialReport(const QString &name, const QString &caption, const QMargins &margins,
                             const QList<Section> &sections, int pointSize = 10);

} // namespace report
