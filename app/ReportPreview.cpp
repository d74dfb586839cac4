#include "app/ReportPreview.h"

#include "core/Messages.h"
#include "report/PagePainter.h"
#include "report/ReportDefinition.h"
#include "ui/FieldGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace app {

// One page on screen, on white paper, at the preview's zoom.
class PageView : public QWidget
{
public:
    using QWidget::QWidget;

    void setPage(const report::Page *page, QSize paperTwips, double pixelsPerTwip)
    {
        m_page = page;
        m_paper = paperTwips;
        m_scale = pixelsPerTwip;
        setFixedSize((QSizeF(paperTwips) * pixelsPerTwip).toSize());
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (!m_page)
            return;
        painter.scale(m_scale, m_scale);
        report::paintPage(painter, *m_page);
    }

private:
    const report::Page *m_page = nullptr;
    QSize m_paper;
    double m_scale = 1;
};

namespace {

QPushButton *previewButton(const QString &caption, const QString &name)
{
    QPushButton *b = ui::pushButton(caption, name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

ReportPreview::ReportPreview(const QString &objectName, const QString &caption,
                             std::function<report::Layout()> makeLayout, QWidget *parent)
    : ui::Screen(objectName, caption, parent), m_makeLayout(std::move(makeLayout)),
      m_view(new PageView), m_scroll(new QScrollArea), m_pageLabel(new QLabel),
      m_zoom(new QComboBox), m_bar(new QHBoxLayout)
{
    QPushButton *first = previewButton(QStringLiteral("|<"), QStringLiteral("firstPage"));
    QPushButton *previous = previewButton(QStringLiteral("<"), QStringLiteral("previousPage"));
    QPushButton *next = previewButton(QStringLiteral(">"), QStringLiteral("nextPage"));
    QPushButton *last = previewButton(QStringLiteral(">|"), QStringLiteral("lastPage"));
    first->setToolTip(QStringLiteral("First page"));
    previous->setToolTip(QStringLiteral("Previous page"));
    next->setToolTip(QStringLiteral("Next page"));
    last->setToolTip(QStringLiteral("Last page"));
    connect(first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(previous, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(last, &QPushButton::clicked, this,
            [this] { showPage(int(m_layout.pages.size()) - 1); });

    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));
    m_zoom->setObjectName(QStringLiteral("zoom"));
    m_zoom->setAccessibleName(QStringLiteral("Zoom"));
    for (int percent : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent);
    m_zoom->addItem(QStringLiteral("Fit Width"), 0);
    m_zoom->setCurrentIndex(m_zoom->findData(0));
    connect(m_zoom, &QComboBox::currentIndexChanged, this, &ReportPreview::applyZoom);

    QPushButton *printButton = previewButton(QStringLiteral("Print..."), QStringLiteral("print"));
    QPushButton *pdfButton =
        previewButton(QStringLiteral("Save as PDF..."), QStringLiteral("savePdf"));
    connect(printButton, &QPushButton::clicked, this, &ReportPreview::print);
    connect(pdfButton, &QPushButton::clicked, this, &ReportPreview::saveAsPdf);

    QHBoxLayout *bar = m_bar;
    for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(previous)})
        bar->addWidget(w);
    bar->addWidget(m_pageLabel);
    bar->addWidget(next);
    bar->addWidget(last);
    bar->addSpacing(16);
    bar->addWidget(m_zoom);
    bar->addStretch();
    bar->addWidget(printButton);
    bar->addWidget(pdfButton);

    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll);
    setMinimumSize(640, 480);
}

void ReportPreview::load()
{
    reload();
}

void ReportPreview::reload()
{
    // A long report takes a moment to read and lay out.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_layout = m_makeLayout();
    QApplication::restoreOverrideCursor();
    showPage(0);
}

QPushButton *ReportPreview::extraButton(const QString &caption, const QString &objectName)
{
    if (auto *existing = findChild<QPushButton *>(objectName))
        return existing;
    QPushButton *button = previewButton(caption, objectName);
    m_bar->insertWidget(m_bar->count() - 2, button);
    return button;
}

void ReportPreview::showPage(int page)
{
    m_page = qBound(0, page, qMax(0, int(m_layout.pages.size()) - 1));
    m_pageLabel->setText(
        QStringLiteral("Page %1 of %2").arg(m_page + 1).arg(m_layout.pages.size()));
    applyZoom();
}

void ReportPreview::applyZoom()
{
    const int percent = m_zoom->currentData().toInt();
    const double screenPixelsPerTwip = logicalDpiX() / double(report::twipsPerInch);
    double scale = screenPixelsPerTwip * percent / 100.0;
    if (percent == 0 && m_layout.paperSize.width() > 0) {
        const int available = m_scroll->viewport()->width() - 8;
        scale = qMax(0.01, available / double(m_layout.paperSize.width()));
    }
    const report::Page *page = m_layout.pages.isEmpty() ? nullptr : &m_layout.pages.at(m_page);
    m_view->setPage(page, m_layout.paperSize, scale);
}

void ReportPreview::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_layout.caption);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!report::printLayout(m_layout, printer))
        core::tell(QStringLiteral("The report could not be sent to the printer."));
}

void ReportPreview::saveAsPdf()
{
    const QString suggested = QDir::home().filePath(m_layout.caption + QStringLiteral(".pdf"));
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save as PDF"), suggested, QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString problem = report::writePdf(m_layout, file);
    QApplication::restoreOverrideCursor();
    if (!problem.isEmpty())
        core::tell(problem);
}

} // namespace app
