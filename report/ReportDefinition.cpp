#include "report/ReportDefinition.h"

namespace report {

Element caption(const QString &text, int left, int top, int width, int height)
{
    return {ElementKind::Caption, QRect(left, top, width, height), text};
}

Element field(const QString &name, int left, int top, int width, int height, Format format)
{
    return {ElementKind::Field, QRect(left, top, width, height), name, format};
}

Element line(int left, int top, int width, int height)
{
    return {ElementKind::Line, QRect(left, top, width, height)};
}

Element box(int left, int top, int width, int height)
{
    return {ElementKind::Box, QRect(left, top, width, height)};
}

Element picture(const QString &name, int left, int top, int width, int height)
{
    return {ElementKind::Picture, QRect(left, top, width, height), name};
}

Element withFont(Element element, const QFont &font)
{
    element.font = font;
    return element;
}

QList<Element> titleAndDate(const QString &title)
{
    return {
        withFont(caption(title, 0, 0, 9360, 400), QFont(QStringLiteral("Arial"), 16, QFont::Bold)),
        Element{ElementKind::PrintDate, QRect(0, 480, 4680, 285)}};
}

ReportDefinition arialReport(const QString &name, const QString &caption, const QMargins &margins,
                             const QList<Section> &sections, int pointSize)
{
    return {name,    caption,
            margins, QFont(QStringLiteral("Arial"), pointSize),
            {},      QPageLayout::Portrait,
            sections};
}

} // namespace report
