#include "TabStrip.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTabBar>

TabStrip::TabStrip(const QString &name, QWidget *parent)
    : QWidget(parent)
    , m_bar(new QTabBar(this))
{
    setObjectName(name);
    m_bar->setObjectName(name + QLatin1String("Bar"));
    m_bar->setExpanding(false);
    m_bar->setDrawBase(false);
    m_bar->setElideMode(Qt::ElideRight);
    m_bar->setUsesScrollButtons(true);
    m_bar->setDocumentMode(true);
    m_bar->setFocusPolicy(Qt::NoFocus);
    m_bar->installEventFilter(this);
    // Tabs in the colours of the frame, the selected one as light as the page.
    m_bar->setStyleSheet(QStringLiteral(
        "QTabBar::tab { background: #3a4656; color: #dfe6ef; border: 1px solid #1b222b; border-bottom: none;"
        " border-top-left-radius: 4px; border-top-right-radius: 4px; padding: 2px 12px; margin-right: 2px;"
        " height: 17px; min-width: 60px; max-width: 220px; }"
        "QTabBar::tab:selected { background: #f4f6fa; color: #1c2430; }"
        "QTabBar::tab:hover:!selected { background: #4b596c; }"));
    // A change of selection by the user's click arrives here; selections made by
    // code raise Click themselves in select().
    connect(m_bar, &QTabBar::currentChanged, this, [this](int) {
        if (!m_inSelect)
            Q_EMIT Click();
    });
}

namespace {

// A tab's text is a mnemonic text: "&" would underline the next letter and make
// it a shortcut. Captions come from pages and are shown as they are.
QString shownText(const QString &caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString captionOf(const QString &text)
{
    QString caption = text;
    return caption.replace(QLatin1String("&&"), QLatin1String("&"));
}

} // namespace

int TabStrip::count() const
{
    return m_bar->count();
}

void TabStrip::add(int position, const QString &key, const QString &caption)
{
    const int index = std::clamp(position - 1, 0, m_bar->count());
    m_inSelect = true;
    m_bar->insertTab(index, shownText(caption));
    m_bar->setTabData(index, key);
    m_inSelect = false;
}

void TabStrip::remove(const QString &key)
{
    const int index = indexOf(key);
    if (index < 0)
        return;
    m_inSelect = true;
    m_bar->removeTab(index);
    m_inSelect = false;
}

int TabStrip::indexOf(const QString &key) const
{
    for (int i = 0; i < m_bar->count(); ++i) {
        if (m_bar->tabData(i).toString() == key)
            return i;
    }
    return -1;
}

int TabStrip::positionOf(const QString &key) const
{
    return indexOf(key) + 1;
}

QString TabStrip::keyAt(int position) const
{
    return m_bar->tabData(position - 1).toString();
}

QString TabStrip::selectedKey() const
{
    return m_bar->tabData(m_bar->currentIndex()).toString();
}

int TabStrip::selectedPosition() const
{
    return m_bar->currentIndex() + 1;
}

void TabStrip::select(int position)
{
    if (position < 1 || position > m_bar->count())
        return;
    m_inSelect = true;
    m_bar->setCurrentIndex(position - 1);
    m_inSelect = false;
    Q_EMIT Click();
}

QString TabStrip::caption(const QString &key) const
{
    return captionOf(m_bar->tabText(indexOf(key)));
}

void TabStrip::setCaption(const QString &key, const QString &caption)
{
    const int index = indexOf(key);
    if (index >= 0)
        m_bar->setTabText(index, shownText(caption));
}

QString TabStrip::toolTip(const QString &key) const
{
    return m_bar->tabToolTip(indexOf(key));
}

void TabStrip::setToolTip(const QString &key, const QString &tip)
{
    const int index = indexOf(key);
    if (index >= 0)
        m_bar->setTabToolTip(index, tip);
}

int TabStrip::rowHeight() const
{
    return m_bar->sizeHint().height();
}

void TabStrip::resizeEvent(QResizeEvent *)
{
    m_bar->setGeometry(0, 0, width(), rowHeight());
}

void TabStrip::paintEvent(QPaintEvent *)
{
    // The frame around the page area; the pages themselves lie on top of it.
    QPainter painter(this);
    const int top = rowHeight() - 1;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(QRect(0, top, width() - 1, height() - top - 1));
}

bool TabStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_bar) {
        if (event->type() == QEvent::MouseButtonPress) {
            // Let the bar change its selection first, so that MouseDown sees the
            // tab under the pointer as the selected one.
            auto *mouse = static_cast<QMouseEvent *>(event);
            const QPoint p = mouse->position().toPoint();
            const auto button = mouse->button();
            const auto modifiers = mouse->modifiers();
            static_cast<QObject *>(m_bar)->event(event);
            // The bar selects on the left button only; a right press selects
            // too, so that the tab menu acts on the tab that was pressed.
            if (button == Qt::RightButton) {
                const int under = m_bar->tabAt(p);
                if (under >= 0 && under != m_bar->currentIndex())
                    m_bar->setCurrentIndex(under);
            }
            Q_EMIT MouseDown(button, modifiers, p.x(), p.y());
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const QPoint p = mouse->position().toPoint();
            Q_EMIT MouseUp(mouse->button(), mouse->modifiers(), p.x(), p.y());
        }
    }
    return QWidget::eventFilter(watched, event);
}
