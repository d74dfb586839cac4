#include "app/HelpScreen.h"

#include "app/GuidePages.h"
#include "core/Messages.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace app {

HelpScreen::HelpScreen(QWidget *parent)
    : ui::Screen(screenName(), QStringLiteral("Houndry Help"), parent), m_search(new QLineEdit),
      m_pages(new QListWidget), m_browser(new QTextBrowser)
{
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(QStringLiteral("Search the guide"));
    m_search->setClearButtonEnabled(true);
    m_search->setAccessibleName(QStringLiteral("Search the guide"));
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->setAccessibleName(QStringLiteral("Pages of the guide"));
    m_browser->setObjectName(QStringLiteral("page"));
    m_browser->setOpenExternalLinks(true);
    for (const guide::Page &page : guide::pages()) {
        auto *item = new QListWidgetItem(page.title, m_pages);
        item->setData(Qt::UserRole, page.name);
    }
    auto *contents = new QVBoxLayout;
    contents->addWidget(m_search);
    contents->addWidget(m_pages);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(contents, 1);
    layout->addWidget(m_browser, 3);
    setMinimumSize(760, 520);

    connect(m_search, &QLineEdit::textChanged, this, &HelpScreen::search);
    connect(m_pages, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item && item->data(Qt::UserRole).toString() != m_page)
            showPage(item->data(Qt::UserRole).toString());
    });
    // A link followed inside the guide moves the contents' mark with it.
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl &source) {
        m_page = QFileInfo(source.toLocalFile()).completeBaseName();
        for (int i = 0; i < m_pages->count(); ++i) {
            if (m_pages->item(i)->data(Qt::UserRole).toString() == m_page) {
                const QSignalBlocker quiet(m_pages);
                m_pages->setCurrentRow(i);
            }
        }
    });
    showPage(guide::pageFor({}));
}

bool HelpScreen::showPage(const QString &page)
{
    const QString file = guide::fileOf(page);
    if (!QFileInfo::exists(file)) {
        const QString missing =
            QStringLiteral("The guide's page \"%1\" is missing from %2. Installing Houndry "
                           "again puts it back.")
                .arg(page, QDir::toNativeSeparators(guide::folder()));
        // A window without its page still says why.
        if (m_page.isEmpty())
            m_browser->setPlainText(missing);
        core::tell(missing);
        return false;
    }
    m_browser->setSource(QUrl::fromLocalFile(file), QTextDocument::MarkdownResource);
    return true;
}

void HelpScreen::search(const QString &words)
{
    const QStringList found = guide::pagesWith(words);
    for (int i = 0; i < m_pages->count(); ++i) {
        QListWidgetItem *item = m_pages->item(i);
        item->setHidden(!found.contains(item->data(Qt::UserRole).toString()));
    }
    // The first page found is shown, with the words marked on it.
    if (!found.isEmpty() && !found.contains(m_page))
        showPage(found.first());
    if (!words.trimmed().isEmpty()) {
        m_browser->moveCursor(QTextCursor::Start);
        m_browser->find(words.trimmed().section(QLatin1Char(' '), 0, 0));
    }
}

} // namespace app
