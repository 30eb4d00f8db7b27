#include "StandardKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWheelEvent>

namespace standardKeys {

const StandardKey *entryOf(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers counted =
        modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier);
    for (const StandardKey &k : kStandardKeys) {
        if (k.key == key && k.modifiers == counted)
            return &k;
    }
    return nullptr;
}

int wheelSteps(int &accumulated, int angleDelta)
{
    // A turn the other way starts afresh.
    if ((accumulated > 0 && angleDelta < 0) || (accumulated < 0 && angleDelta > 0))
        accumulated = 0;
    accumulated += angleDelta;
    if (accumulated >= 120) {
        accumulated -= 120;
        return 1;
    }
    if (accumulated <= -120) {
        accumulated += 120;
        return -1;
    }
    return 0;
}

} // namespace standardKeys

StandardKeys::StandardKeys(Run run, Active active, QObject *parent)
    : QObject(parent)
    , m_run(std::move(run))
    , m_active(std::move(active))
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

StandardKeys::~StandardKeys()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool StandardKeys::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (keyPress(event))
            return true;
        break;
    case QEvent::Wheel:
        if (wheel(event))
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool StandardKeys::keyPress(QEvent *event)
{
    const auto *key = static_cast<QKeyEvent *>(event);
    const StandardKey *entry = standardKeys::entryOf(key->key(), key->modifiers());
    if (!entry || !m_active || !m_active())
        return false;
    if (entry->repeats || !key->isAutoRepeat())
        runSafely(entry->command);
    event->accept();
    return true;
}

bool StandardKeys::wheel(QEvent *event)
{
    auto *wheel = static_cast<QWheelEvent *>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier) || !m_active || !m_active())
        return false;
    // Taken at its first delivery, the turn reaches neither the page (which
    // would zoom on its own, unremembered) nor anything else.
    const int step = standardKeys::wheelSteps(m_wheel, wheel->angleDelta().y());
    if (step > 0)
        runSafely(Command::ZoomIn);
    else if (step < 0)
        runSafely(Command::ZoomOut);
    wheel->accept();
    return true;
}

void StandardKeys::runSafely(Command command)
{
    if (!m_run)
        return;
    try {
        m_run(command);
    } catch (...) {
        // The key is used all the same.
    }
}
