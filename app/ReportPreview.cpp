#include "app/ReportPreview.h"

#include "core/Memory.h"
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
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
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
                             std::function<report::PagedLayout()> makeLayout, QWidget *parent)
    : ui::Screen(objectName, caption, parent), m_makeLayout(std::move(makeLayout)),
      m_steps(new QTimer(this)), m_progress(new QProgressBar), m_view(new PageView),
      m_scroll(new QScrollArea), m_pageLabel(new QLabel), m_zoom(new QComboBox),
      m_bar(new QHBoxLayout)
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
    connect(last, &QPushButton::clicked, this, [this] {
        m_lastWanted = !m_pages.isComplete();
        showPage(m_pages.pageCount() - 1);
    });
    m_steps->setInterval(0);
    connect(m_steps, &QTimer::timeout, this, &ReportPreview::layOutMore);
    m_progress->setObjectName(QStringLiteral("layoutProgress"));
    m_progress->setAccessibleName(QStringLiteral("Pages laid out"));
    m_progress->setRange(0, 1000);
    m_progress->setMaximumWidth(160);
    m_progress->setTextVisible(false);
    m_progress->hide();

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
    bar->addSpacing(16);
    bar->addWidget(m_progress);
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
    // Reading the rows of the first pages takes a moment on a large kennel.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_pages = m_makeLayout();
    m_pages.layOutMore(QDeadlineTimer(100));
    QApplication::restoreOverrideCursor();
    m_lastWanted = false;
    m_progress->setVisible(!m_pages.isComplete());
    if (m_pages.isComplete())
        m_steps->stop();
    else
        m_steps->start();
    showPage(0);
}

void ReportPreview::layOutMore()
{
    // Short steps keep the window answering keys and clicks between them.
    if (!m_pages.layOutMore(QDeadlineTimer(30))) {
        m_progress->setValue(qRound(m_pages.progress() * 1000));
        showPageLabel();
        return;
    }
    m_steps->stop();
    m_progress->hide();
    core::releaseFreedMemoryWhenIdle();
    // The page on view may name the page count, known only now.
    showPage(m_lastWanted ? m_pages.pageCount() - 1 : m_page);
    m_lastWanted = false;
}

report::Layout ReportPreview::shownPage() const
{
    return {m_pages.caption(), m_pages.paperSize(), {m_shown}};
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
    m_page = qBound(0, page, m_pages.pageCount() - 1);
    m_shown = m_pages.page(m_page);
    showPageLabel();
    applyZoom();
}

void ReportPreview::showPageLabel()
{
    m_pageLabel->setText(
        m_pages.isComplete()
            ? QStringLiteral("Page %1 of %2").arg(m_page + 1).arg(m_pages.pageCount())
            : QStringLiteral("Page %1 of %2 so far").arg(m_page + 1).arg(m_pages.pageCount()));
}

void ReportPreview::applyZoom()
{
    const int percent = m_zoom->currentData().toInt();
    const double screenPixelsPerTwip = logicalDpiX() / double(report::twipsPerInch);
    double scale = screenPixelsPerTwip * percent / 100.0;
    const QSize paper = m_pages.paperSize();
    if (percent == 0 && paper.width() > 0) {
        const int available = m_scroll->viewport()->width() - 8;
        scale = qMax(0.01, available / double(paper.width()));
    }
    m_view->setPage(&m_shown, paper, scale);
}

void ReportPreview::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_pages.caption());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = report::printLayout(m_pages, printer);
    QApplication::restoreOverrideCursor();
    if (!printed)
        core::tell(QStringLiteral("The report could not be sent to the printer."));
}

void ReportPreview::saveAsPdf()
{
    const QString suggested = QDir::home().filePath(m_pages.caption() + QStringLiteral(".pdf"));
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save as PDF"), suggested, QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString problem = report::writePdf(m_pages, file);
    QApplication::restoreOverrideCursor();
    if (!problem.isEmpty())
        core::tell(problem);
}

} // namespace app
