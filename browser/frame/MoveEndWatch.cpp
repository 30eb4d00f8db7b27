#include "MoveEndWatch.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define VORLEN_HAVE_XCB 1
#endif

MoveEndWatch::MoveEndWatch(QWidget *window, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_held(&MoveEndWatch::buttonHeldOnX11)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &MoveEndWatch::poll);
}

void MoveEndWatch::start()
{
    m_quietMs = 0;
    m_totalMs = 0;
    if (m_window)
        m_window->installEventFilter(this);
    m_poll.start();
}

void MoveEndWatch::cancel()
{
    m_poll.stop();
    if (m_window)
        m_window->removeEventFilter(this);
}

void MoveEndWatch::finish()
{
    cancel();
    Q_EMIT ended();
}

bool MoveEndWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Move)
        m_quietMs = 0;
    return QObject::eventFilter(watched, event);
}

void MoveEndWatch::poll()
{
    m_quietMs += kPollMs;
    m_totalMs += kPollMs;
    const Held held = m_held ? m_held() : Held::Unknown;
    if (held == Held::No || m_totalMs >= kLongestMs || (held == Held::Unknown && m_quietMs >= kSettleMs))
        finish();
}

MoveEndWatch::Held MoveEndWatch::buttonHeldOnX11()
{
#ifdef VORLEN_HAVE_XCB
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return Held::Unknown;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return Held::Unknown;
    const xcb_setup_t *setup = xcb_get_setup(connection);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    if (!screens.rem)
        return Held::Unknown;
    xcb_query_pointer_reply_t *reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, screens.data->root), nullptr);
    if (!reply)
        return Held::Unknown;
    const bool held = reply->mask & XCB_BUTTON_MASK_1;
    free(reply);
    return held ? Held::Yes : Held::No;
#else
    return Held::Unknown;
#endif
}
