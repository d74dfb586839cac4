#pragma once

#include "report/PageModel.h"
#include "ui/Screen.h"

#include <functional>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QScrollArea;

namespace app {

class PageView;

// The preview of a report, inside the main window: page by page, zoomed, printed or saved
// as PDF. The report is laid out afresh each time the preview is (re)loaded.
class ReportPreview : public ui::Screen
{
    Q_OBJECT
public:
    ReportPreview(const QString &objectName, const QString &caption,
                  std::function<report::Layout()> makeLayout, QWidget *parent = nullptr);

    const report::Layout &layout() const { return m_layout; }
    int currentPage() const { return m_page; }
    // Reads the report's data again and shows the first page.
    void reload();
    void setSource(std::function<report::Layout()> makeLayout)
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

    std::function<report::Layout()> m_makeLayout;
    report::Layout m_layout;
    int m_page = 0;
    PageView *m_view;
    QScrollArea *m_scroll;
    QLabel *m_pageLabel;
    QComboBox *m_zoom;
    QHBoxLayout *m_bar;
};

} // namespace app
