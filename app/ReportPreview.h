#pragma once

#include "report/PagedLayout.h"
#include "ui/Screen.h"

#include <functional>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTimer;

namespace app {

class PageView;

// The preview of a report, inside the main window: page by page, zoomed, printed or saved
// as PDF. The report is laid out afresh each time the preview is (re)loaded: the first page
// shows at once, and the further page breaks are found in short steps while the window
// stays responsive.
class ReportPreview : public ui::Screen
{
    Q_OBJECT
public:
    ReportPreview(const QString &objectName, const QString &caption,
                  std::function<report::PagedLayout()> makeLayout, QWidget *parent = nullptr);

    const report::PagedLayout &pages() const { return m_pages; }
    // The page on view, as a layout of that one page.
    report::Layout shownPage() const;
    int currentPage() const { return m_page; }
    // Reads the report's data again and shows the first page.
    void reload();
    void setSource(std::function<report::PagedLayout()> makeLayout)
    {
        m_makeLayout = std::move(makeLayout);
    }
    void showPage(int page);
    // A button of the shell's beside Print, once: the same button when asked again.
    QPushButton *extraButton(const QString &caption, const QString &objectName);
    QSize sizeHint() const override { return QSize(900, 700); }

private:
    void load() override;
    void print();
    void saveAsPdf();
    void applyZoom();
    void layOutMore();
    void showPageLabel();

    std::function<report::PagedLayout()> m_makeLayout;
    report::PagedLayout m_pages;
    report::Page m_shown;
    int m_page = 0;
    bool m_lastWanted = false;
    QTimer *m_steps;
    QProgressBar *m_progress;
    PageView *m_view;
    QScrollArea *m_scroll;
    QLabel *m_pageLabel;
    QComboBox *m_zoom;
    QHBoxLayout *m_bar;
};

} // namespace app
